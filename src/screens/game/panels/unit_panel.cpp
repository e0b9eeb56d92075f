#include "screens/game/panels/unit_panel.h"

#include <algorithm>
#include <filesystem>

#include "core/console.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/commanders_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/question_dialogs.h"
#include "dialogs/replacements_dialog.h"
#include "framework/texture_handles.h"
#include "gui/fw_editbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/text_layout.h"
#include "rules/land_combat.h"
#include "rules/player_actions.h"
#include "units/air_values.h"
#include "units/land_tables.h"
#include "units/naval_values.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/selection.h"
#include "world/strategic_moves.h"

namespace {

constexpr const wchar_t* kCommonPictureFolder = L"data\\gfx\\Units images\\";
constexpr uint32_t kMarkAllTargets = static_cast<uint32_t>(-2);
constexpr uint32_t kMarkEmbarkPort = 28;

struct sRow {
  int label, edit;
  const char* labelKey;
  const char* hintKey;
  bool left;
};
const sRow kRows[] = {
    {cUnitPanel::kNameLabel, cUnitPanel::kName, "unitpanel_name", "unitpanel_name_hint", true},
    {cUnitPanel::kOwnerLabel, cUnitPanel::kOwner, "unitpanel_owner", "unitpanel_owner_hint", false},
    {cUnitPanel::kSizeLabel, cUnitPanel::kSize, "unitpanel_size", "unitpanel_size_hint", false},
    {cUnitPanel::kLevelLabel, cUnitPanel::kLevel, "unitpanel_level", "unitpanel_level_hint", false},
    {cUnitPanel::kSupplyLabel, cUnitPanel::kSupply, "unitpanel_supply", "unitpanel_supply_hint", false},
    {cUnitPanel::kApLabel, cUnitPanel::kAp, "unitpanel_ap", "unitpanel_ap_hint", false},
    {cUnitPanel::kCommanderLabel, cUnitPanel::kCommander, "unitpanel_commander", "unitpanel_commander_hint", true},
    {cUnitPanel::kStrengthLabel, cUnitPanel::kStrength, "unitpanel_strength", "unitpanel_strength_hint", false},
    {cUnitPanel::kEffectivenessLabel, cUnitPanel::kEffectiveness, "unitpanel_effectiveness",
     "unitpanel_effectiveness_hint", false},
    {cUnitPanel::kBonusLabel, cUnitPanel::kBonus, "unitpanel_bonus", "unitpanel_bonus_hint", false},
};

// Icons in creation order with their pictures in the GUI texture.
struct sIcon {
  int id, left, top;
};
const sIcon kIcons[] = {
    {cUnitPanel::kRename, 1240, 105},          {cUnitPanel::kUpgrade, 1400, 105},
    {cUnitPanel::kLevelUp, 1440, 105},         {cUnitPanel::kSupplySource, 1360, 105},
    {cUnitPanel::kCommanders, 1280, 105},      {cUnitPanel::kReplacements, 1320, 105},
    {cUnitPanel::kDisband, 1480, 105},         {cUnitPanel::kUndo, 1520, 105},
    {cUnitPanel::kStrategicMove, 1440, 225},   {cUnitPanel::kAirborneAssault, 1400, 225},
    {cUnitPanel::kAmphibious, 1240, 225},      {cUnitPanel::kSeaTransport, 1320, 225},
    {cUnitPanel::kAirFight, 1520, 225},        {cUnitPanel::kBombardment, 1480, 225},
    {cUnitPanel::kRecon, 1240, 345},           {cUnitPanel::kNuclear, 1360, 345},
};
constexpr int kIconSide = 40;

bool IsOwn(const cJednostka& unit) {
  const cPanstwo* current = gGra != nullptr ? gGra->selection.currentCountry : nullptr;
  return current != nullptr && unit.countryId == current->id;
}

}  // namespace

cUnitPanel::cUnitPanel()
    : cPanel(kFrame, GuiRect(kFrame).x, GuiRect(kFrame).y, GuiRect(kFrame).w, GuiRect(kFrame).h) {
  if (gGra != nullptr) pictureFolder_ = FormatFolderTemplate(gGra->pathTemplate, L"Units images\\%s");
  if (pictureFolder_.empty() ||
      FAILED(picture_.Load(FormatFolderTemplate(pictureFolder_, L"default.png").c_str(), kTextureFromFile, 1)))
    picture_.Load((std::wstring(kCommonPictureFolder) + L"default.png").c_str(), kTextureFromFile, 1);
  CFWDialog& d = m_GuiDialog;
  const sGuiRect pic = GuiRect(kPicture);
  CFWImage* img = nullptr;
  d.AddImage(kPicture, picture_.Texture(), 0, 0, 256, 128, pic.x, pic.y, pic.w, pic.h, 0, false, &img);
  if (img != nullptr) img->SetEnabled(true);
  // Rows and icons interleave as on the screen; the order only decides the
  // focus ring, so rows first, then the flag and the icons.
  const std::wstring none = L"-";
  for (const sRow& r : kRows) {
    AddEditBoxWithLabel(&d, r.edit, none.c_str(), Txt(r.hintKey).c_str(), r.label, Txt(r.labelKey).c_str());
    if (auto* box = d.Get<CFWEditBox>(r.edit, FWCONTROL_EDITBOX); box != nullptr && r.left)
      box->m_dwDisabledFormat = DT_LEFT;
  }
  const sGuiRect flag = GuiRect(kFlag);
  d.AddImage(kFlag, TextureOfHandle(0), 0, 0, 128, 85, flag.x, flag.y, flag.w, flag.h, 0, false, &img);
  if (img != nullptr) img->SetVisible(false);
  for (const sIcon& i : kIcons) {
    const sGuiRect r = GuiRect(i.id);
    d.AddIcon(i.id, i.left, i.top, i.left + kIconSide, i.top + kIconSide, r.x, r.y, r.w, r.h, 0, false);
  }
}

void cUnitPanel::SetBox(int id, const std::wstring& text, const std::wstring& hint) {
  if (auto* box = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX)) {
    box->SetText(text.c_str());
    box->SetHint(hint.c_str());
  }
}

void cUnitPanel::SetIcon(int id, bool enabled, const std::wstring& hint) {
  if (CFWControl* c = m_GuiDialog.GetControl(id)) {
    c->SetEnabled(enabled);
    c->SetHint(hint.c_str());
  }
}

std::wstring cUnitPanel::Text(int id) {
  auto* box = m_GuiDialog.Get<CFWEditBox>(id, FWCONTROL_EDITBOX);
  return box != nullptr ? box->GetText() : std::wstring();
}

std::wstring cUnitPanel::Hint(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetHint() != nullptr ? std::wstring(c->GetHint()) : std::wstring();
}

bool cUnitPanel::Enabled(int id) {
  CFWControl* c = m_GuiDialog.GetControl(id);
  return c != nullptr && c->GetEnabled();
}

std::vector<std::wstring> cUnitPanel::PictureCandidates(const cJednostka& unit, const std::wstring& scenarioFolder) {
  std::wstring base = unit.name;
  std::replace(base.begin(), base.end(), L'/', L'_');
  const std::wstring names[] = {base + L".png", WFormat(L"%i_%i_%i.png", unit.type, unit.level, unit.countryId),
                                WFormat(L"%i_%i.png", unit.type, unit.level), L"default.png"};
  std::vector<std::wstring> out;
  for (const std::wstring& n : names) {
    if (!scenarioFolder.empty()) out.push_back(FormatFolderTemplate(scenarioFolder, n));
    out.push_back(kCommonPictureFolder + n);
  }
  return out;
}

void cUnitPanel::LoadPicture(const cJednostka& unit) {
  pictureFile_.clear();
  for (const std::wstring& file : PictureCandidates(unit, pictureFolder_)) {
    // A missing file is skipped quietly; only an existing one is loaded.
    if (!std::filesystem::exists(NativePath(file))) continue;
    if (SUCCEEDED(picture_.Load(file.c_str(), kTextureFromFile, 1))) {
      pictureFile_ = file;
      return;
    }
  }
  picture_.Release();
}

void cUnitPanel::Refresh() {
  cJednostka* previous = shown_;
  shown_ = nullptr;
  if (gGra != nullptr && gGra->selection.selectedHex != nullptr) shown_ = gGra->selection.selectedHex->unit;

  const std::wstring none = Txt("unitpanel_no_unit_selected");
  if (CFWControl* c = m_GuiDialog.GetControl(kPicture)) c->SetVisible(false);
  for (const sRow& r : kRows) SetBox(r.edit, L"-", none);
  for (int id : kActionIcons) SetIcon(id, false, none);
  if (CFWControl* c = m_GuiDialog.GetControl(kFlag)) c->SetVisible(false);
  supplyX_ = supplyY_ = -1;

  cJednostka* u = shown_;
  if (u == nullptr || u->spottedLevel < 3 || u->spottedLevel > 6) {
    shown_ = nullptr;
    return;
  }
  const bool own = IsOwn(*u);
  if (u != previous) LoadPicture(*u);
  if (auto* img = m_GuiDialog.Get<CFWImage>(kPicture, FWCONTROL_IMAGE)) {
    img->SetTexture(picture_.Texture());
    img->SetVisible(picture_.Texture() != nullptr);
  }
  SetBox(kName, u->name, Txt("unitpanel_name_hint"));
  SetIcon(kRename, own, Txt(own ? "unitpanel_rename_hint_allowed" : "unitpanel_rename_hint_not_owned"));
  const cPanstwo* owner = u->GetCountry();
  SetBox(kOwner, owner != nullptr ? owner->name : L"-", Txt("unitpanel_owner_hint"));
  if (auto* img = m_GuiDialog.Get<CFWImage>(kFlag, FWCONTROL_IMAGE); img != nullptr && owner != nullptr) {
    img->SetTexture(TextureOfHandle(owner->GetFlagTexture()));
    img->SetVisible(true);
  }
  if (u->spottedLevel == 3 || u->spottedLevel == 4) return;

  SetBox(kSize, cJednostka::GetSubtypeName(u->type), Txt("unitpanel_size_hint"));
  std::wstring hint;
  bool ok = u->GetUpgradeHint(&hint);
  SetIcon(kUpgrade, ok, hint);
  SetBox(kLevel, WFormat(L"%i", u->level), Txt("unitpanel_level_hint"));
  hint.clear();
  ok = u->GetLevelUpHint(&hint);
  SetIcon(kLevelUp, ok, hint);

  // Supply.
  std::wstring text;
  const int s = u->supply, t = u->turnsWithoutSupply, sx = u->supplySourceX, sy = u->supplySourceY;
  if (s == 0) {
    const int limit = owner != nullptr ? land_tables::SupplyExhaustionLimit(*owner) : 0;
    text = WFormat(Txt("unitpanel_supply_out_of_supply_more").c_str(), limit);
    hint = WFormat(Txt("unitpanel_supply_out_of_supply_more_hint").c_str(), limit);
    SetIcon(kSupplySource, false, hint);
  } else if (t > 0) {
    text = WFormat(Txt("unitpanel_supply_out_of_supply").c_str(), t);
    hint = WFormat(Txt("unitpanel_supply_out_of_supply_hint").c_str(), t);
    SetIcon(kSupplySource, false, hint);
  } else if (sx != -1 && sy != -1) {
    const sHex* source = gGra->map != nullptr ? gGra->map->GetHex(sx, sy) : nullptr;
    if (source == nullptr || source->city == nullptr) {
      text = L"-! BUG !-";
      hint = WFormat(L"No city at given coordinates (%i, %i)", sx, sy);
      SetIcon(kSupplySource, false, hint);
    } else {
      supplyX_ = sx;
      supplyY_ = sy;
      SetIcon(kSupplySource, true, Txt("unitpanel_supply_icon_hint"));
      text = WFormat(Txt("unitpanel_supply_value_from_city").c_str(), source->city->name.c_str(), s);
      hint = WFormat(Txt("unitpanel_supply_value_from_city_hint").c_str(), source->city->name.c_str(), s);
    }
  } else {
    text = WFormat(Txt("unitpanel_supply_peace_time").c_str(), s);
    hint = WFormat(Txt("unitpanel_supply_peace_time_hint").c_str(), s);
    SetIcon(kSupplySource, false, hint);
  }
  SetBox(kSupply, text, hint);

  // Action points and entrenchment.
  SetBox(kAp, WFormat(L"%i", u->actionPoints), Txt("unitpanel_ap_hint"));
  if (auto* land = dynamic_cast<cJednostkaLadowa*>(u)) {
    const int f = land->freezeTime;
    if (f >= 10000)
      SetBox(kAp, Txt("unitpanel_ap_frozen_unknown"), Txt("unitpanel_ap_frozen_unknown_hint"));
    else if (f >= 1)
      SetBox(kAp, WFormat(Txt("unitpanel_ap_frozen").c_str(), f), WFormat(Txt("unitpanel_ap_frozen_hint").c_str(), f));
    const float factor = owner != nullptr ? land_combat_tables::EntrenchmentPercent(owner->consts) : 0.0f;
    SetBox(kBonus, WFormat(L"%i%%", static_cast<int>(static_cast<float>(land->trenchBonusMultiplier) * factor)),
           Txt("unitpanel_bonus_hint"));
  } else {
    SetBox(kBonus, L"-", Txt("unitpanel_bonus_hint"));
  }

  // Commander.
  if (const sDowodca* c = u->commander) {
    text = WFormat(L"%s (%i/%i)", c->name.c_str(), c->skill, c->experience);
  } else if (const sDowodca* a = u->GetAssignedCommander()) {
    text = WFormat(L"[ %s (%i/%i) ]", a->name.c_str(), a->skill, a->experience);
  } else {
    text = L"-";
  }
  SetBox(kCommander, text, Txt("unitpanel_commander_hint"));
  SetIcon(kCommanders, true, Txt("unitpanel_commander_icon_hint"));

  // Strength and effectiveness.
  const float value = u->GetStrengthValue(), cost = u->GetUnitCost();
  SetBox(kStrength, WFormat(L"%.1f(%.f%%) - [%.1f]", value, cost > 0.0f ? value / cost * 100.0f : 0.0f,
                            u->GetCombatStrength()),
         Txt("unitpanel_strength_hint"));
  hint.clear();
  ok = u->GetStrengthIconHint(&hint);
  SetIcon(kReplacements, ok, hint);
  SetBox(kEffectiveness, WFormat(L"%i%%", u->effectiveness), u->GetEffectivenessHint());

  // Undo of the last move.
  const cSelection& sel = gGra->selection;
  if (sel.undoUnit == nullptr)
    SetIcon(kUndo, false, Txt("unitpanel_undo_move_icon_hint_no_undo_possible"));
  else if (sel.undoUnit != u)
    SetIcon(kUndo, false, Txt("unitpanel_undo_move_icon_hint_wrong_unit_selected"));
  else if (u->contactFlag != 0)
    SetIcon(kUndo, false, Txt("unitpanel_undo_move_icon_hint_enemy_unit_discovered"));
  else
    SetIcon(kUndo, true, Txt("unitpanel_undo_move_icon_hint"));

  struct sHinted {
    int id;
    bool (cJednostka::*hint)(std::wstring*);
  };
  const sHinted hinted[] = {{kStrategicMove, &cJednostka::GetStrategicMoveIconHint},
                            {kAirborneAssault, &cJednostka::GetAirborneAssaultIconHint},
                            {kSeaTransport, &cJednostka::GetSeaTransportIconHint},
                            {kAmphibious, &cJednostka::GetAmphibiousTransportIconHint},
                            {kAirFight, &cJednostka::GetAirFightIconHint},
                            {kBombardment, &cJednostka::GetBombardmentIconHint},
                            {kNuclear, &cJednostka::GetNuclearIconHint},
                            {kRecon, &cJednostka::GetReconIconHint}};
  for (const sHinted& h : hinted) {
    hint.clear();
    ok = (u->*h.hint)(&hint);
    SetIcon(h.id, ok, hint);
  }
  SetIcon(kDisband, true, Txt("unitpanel_disband_icon_hint"));

  if (!own) {
    supplyX_ = supplyY_ = -1;
    for (int id : kActionIcons) SetIcon(id, false, Txt("unitpanel_not_owned_unit"));
  }
}

// ---- actions -------------------------------------------------------------------

void cUnitPanel::RemoveFromAssaultPlan() {
  if (shown_ == nullptr || gGra == nullptr) return;
  cSelection& s = gGra->selection;
  if (s.attack == nullptr || !s.attack->HasAttacker(shown_)) return;
  s.attack->RemoveAttacker(shown_);
  if (s.attack->CountAttackers() == 0) {
    LogLine(L"Player action: Last unit removed from assault plan / assault plan canceled");
    s.ClearAttack();
  }
  FrontEnd().RefreshAttackPanel();
}

void cUnitPanel::OpenDialog(cDialog* dialog, int pending) {
  if (dialog == nullptr) return;
  pending_ = pending;
  PushDialog(dialog, 0);
  if (gCurrentDialog == dialog) dialog->SetAnswerTarget(this);
}

void cUnitPanel::OnEvent(UINT, int controlId, CFWControl*) {
  if (gGra == nullptr) return;
  cSelection& sel = gGra->selection;
  cMapa* map = gGra->map;
  // Answers of the dialogs the panel opened.
  switch (controlId) {
    case cDialogPobraniaTekstu::kOk:
      if (pending_ != kRenamePending) return;
      pending_ = kNone;
      if (shown_ != nullptr) shown_->SetName(gEnteredText);
      Refresh();
      return;
    case cDialogPobraniaTekstu::kCancel:
    case cDialogPotwierdzenia::kNo:
      pending_ = kNone;
      return;
    case cDialogPotwierdzenia::kYes:
      if (pending_ == kDisbandPending) Disband();
      return;
    case cDialogDowodcow::kExit:
      if (pending_ != kCommandersPending) return;
      pending_ = kNone;
      Refresh();
      return;
    case cDialogUzupelnien::kOk:
    case cDialogUzupelnien::kCancel:
      if (pending_ != kReplacementsPending) return;
      pending_ = kNone;
      if (controlId == cDialogUzupelnien::kOk) {
        sel.mapAction = kMapActionNone;
        if (map != nullptr) map->ClearMarks(kMarkAllTargets, true);
      }
      Refresh();
      return;
    default:
      break;
  }
  if (std::find(std::begin(kActionIcons), std::end(kActionIcons), controlId) == std::end(kActionIcons)) return;
  cJednostka* u = shown_;
  if (u == nullptr) return;
  const bool free = pending_ == kNone;
  auto startPick = [&](int mode) {
    RemoveFromAssaultPlan();
    if (map != nullptr) map->ClearMarks(kMarkAllTargets, true);
    sel.mapAction = mode;
  };
  auto* air = dynamic_cast<cJednostkaLotnicza*>(u);
  switch (controlId) {
    case kRename:
      if (!free) return;
      OpenDialog(new (std::nothrow) cDialogPobraniaTekstu(
                     Txt("rename_title"), WFormat(Txt("rename_label_%s").c_str(), u->name.c_str()), u->name),
                 kRenamePending);
      break;
    case kUpgrade:
      u->UpgradeToCorps();
      RemoveFromAssaultPlan();
      Refresh();
      break;
    case kLevelUp:
      u->LevelUp();
      RemoveFromAssaultPlan();
      Refresh();
      break;
    case kSupplySource:
      if (supplyX_ != -1 && supplyY_ != -1 && map != nullptr) {
        const int x = supplyX_, y = supplyY_;
        map->CenterAtHex(x, y);
        sel.SelectHex(x, y);
      }
      break;
    case kCommanders:
      if (!free) return;
      RemoveFromAssaultPlan();
      OpenDialog(new (std::nothrow) cDialogDowodcow(u), kCommandersPending);
      break;
    case kReplacements:
      if (!free) return;
      RemoveFromAssaultPlan();
      OpenDialog(new (std::nothrow) cDialogUzupelnien(u), kReplacementsPending);
      break;
    case kDisband:
      if (!free) return;
      OpenDialog(new (std::nothrow) cDialogPotwierdzenia(
                     Txt("disband_title"), WFormat(Txt("disband_question_%s").c_str(), u->name.c_str()),
                     Txt("disband_yes"), Txt("disband_yes_hint"), Txt("disband_no"), Txt("disband_no_hint")),
                 kDisbandPending);
      break;
    case kUndo:
      RemoveFromAssaultPlan();
      UndoLastMove(u);
      if (sel.currentCountry != nullptr) sel.currentCountry->RecalculateUnitsVisibility(sel.currentCountry->id);
      break;
    case kStrategicMove:
      startPick(kMapActionStrategicMove);
      MarkStrategicMoveTargets(*u);
      break;
    case kAirborneAssault:
      if (!free) return;
      if (auto* land = dynamic_cast<cJednostkaLadowa*>(u)) {
        startPick(kMapActionAirborneAssault);
        land->MarkAirborneAssaultHexes();
      }
      break;
    case kAirFight:
    case kBombardment:
    case kNuclear:
    case kRecon:
      if (!free || air == nullptr) return;
      if (controlId == kAirFight) {
        startPick(kMapActionAirFight);
        air->MarkAirFightTargets(true);
      } else if (controlId == kBombardment) {
        startPick(kMapActionBombardment);
        air->MarkBombardmentTargets(true);
      } else if (controlId == kNuclear) {
        startPick(kMapActionNuclearStrike);
        air->MarkNuclearTargets(true);
      } else {
        startPick(kMapActionRecon);
        air->MarkReconTargets(true);
      }
      break;
    case kSeaTransport:
    case kAmphibious:
      if (!free) return;
      LoadOntoShip(controlId == kSeaTransport ? kTypeCargo : kTypeAmphibious);
      break;
    default:
      break;
  }
}

void cUnitPanel::Disband() {
  RemoveFromAssaultPlan();
  pending_ = kNone;
  cJednostka* u = shown_;
  if (u == nullptr || gGra == nullptr) return;
  const cPanstwo* current = gGra->selection.currentCountry;
  double refund = 0.0;
  if (current != nullptr) {
    if (u->category == kCategoryLand || u->category == kCategoryAir)
      refund = u->GetStrengthValue() * 0.5 * ReplacementCostFactor(current->consts, *u);
  }
  if (cPanstwo* owner = u->GetCountry()) owner->ChangeProductionPoints(refund);
  shown_ = nullptr;
  u->Kill();
  gGra->selection.ClearUnit();
}

void cUnitPanel::LoadOntoShip(int shipType) {
  auto* land = dynamic_cast<cJednostkaLadowa*>(shown_);
  if (land == nullptr || gGra == nullptr) return;
  cGra& g = *gGra;
  RemoveFromAssaultPlan();
  if (g.map != nullptr) g.map->ClearMarks(kMarkEmbarkPort, true);
  // The port and its sea node come first: a failed loading costs nothing.
  int px = -1, py = -1;
  if (!land->FindEmbarkPort(px, py)) {
    LogLine(L"ERROR! Unit tries to load into transport but isn't in or near friendle port");
    return;
  }
  const int node = g.seaGraph.FindSeaNodeAtHex(px, py);
  if (node == -1) {
    LogF(L"ERROR! While loading unit to transporter or amphibious, there is no port at coordinates %i %i", px, py);
    return;
  }
  cPanstwo* owner = land->GetCountry();
  cPanstwo* current = g.selection.currentCountry;
  if (owner != nullptr) {
    if (shipType == kTypeCargo) owner->ChangeSTP(-naval_values::SeaTransportCost(owner->consts, land->type));
    else owner->ChangeAIP(-naval_values::AmphibiousCost(owner->consts, land->type));
  }
  auto* ship = new cJednostkaMorska();
  ship->unitId = g.NextNavalUnitId();
  ship->countryId = current != nullptr ? current->id : land->countryId;
  ship->carriedUnit = land;
  ship->commander = nullptr;
  ship->assignedCommanderId = -1;
  ship->inReserve = 0;
  ship->shoreBombardmentDone = 0;
  ship->airstrikeDone = 0;
  ship->reconDone = 0;
  ship->canBeRepaired = 1;
  ship->availableInTurns = 0;
  ship->SetType(shipType);
  ship->SetName(WFormat(Txt(shipType == kTypeCargo ? "transport_#%i" : "landing_task_force_#%i").c_str(), ship->unitId));
  const sConsts& k = current != nullptr ? current->consts : owner->consts;
  ship->hitPoints = ship->maxHitPoints = naval_values::ShipHitPoints(k, shipType);
  g.navalUnits.push_back(ship);

  sFlota* fleet = current != nullptr ? g.FindMovedFleetAt(node, current->id) : nullptr;
  if (fleet != nullptr) {
    LogLine(L"Loading unit: transport will be added to existing fleet");
    fleet->ships.push_back(ship);
  } else {
    LogLine(L"Loading unit: new fleet will be created");
    fleet = new sFlota();
    fleet->id = ++g.nextFleetNumber;
    fleet->countryId = land->countryId;
    fleet->seaNode = node;
    fleet->SetName(WFormat(Txt("fleet_#%i").c_str(), fleet->id));
    fleet->hasMoved = 1;
    fleet->ships.push_back(ship);
    g.fleets.push_back(fleet);
  }
  ship->fleet = fleet;

  if (sHex* hex = g.map != nullptr ? g.map->GetHex(land->x, land->y) : nullptr; hex != nullptr && hex->unit == land)
    hex->unit = nullptr;
  land->x = land->y = -1;
  land->transport = ship;
  g.landUnits.remove(land);
  (shipType == kTypeCargo ? g.transportedUnits : g.amphibiousUnits).push_back(land);
  shown_ = nullptr;
  g.selection.ClearUnit();
  if (current != nullptr) g.seaGraph.RecalculateNavalVisibility(current->id, false);
}
