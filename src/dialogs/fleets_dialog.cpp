#include "dialogs/fleets_dialog.h"

#include <algorithm>

#include "core/console.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/commanders_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/question_dialogs.h"
#include "framework/texture.h"
#include "gui/fw_listbox.h"
#include "gui/gui_layout.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/sea_graph.h"

namespace {
constexpr int kMapActionAirStrike = 8, kMapActionRecon = 11, kMapActionFleetMove = 13, kMapActionUnload = 16,
              kMapActionBombard = 17;

void Log(const wchar_t* text) { gConsole.AddFormatted(L"%ls", text); }

bool IsBombardShip(const cJednostkaMorska* s) { return s->type == kTypeBattleship || s->type == kTypeCruiser; }

sFlota* FleetById(int id) {
  if (gGra == nullptr) return nullptr;
  for (sFlota* f : gGra->fleets)
    if (f->id == id) return f;
  return nullptr;
}
}  // namespace

cDialogFlot::cDialogFlot(int seaNodeId)
    : cDialog(kDialogFleets, GuiRect(kDialogFleets).x, GuiRect(kDialogFleets).y, GuiRect(kDialogFleets).w,
              GuiRect(kDialogFleets).h),
      picture_(std::make_unique<cTexture>()) {
  if (gGra != nullptr) node_ = gGra->seaGraph.FindNode(seaNodeId);
  CFWStatic* s = nullptr;
  m_GuiDialog.AddStatic(kTitle, WFormat(Txt("fleets_title").c_str(), node_ != nullptr ? node_->name.c_str() : L"").c_str(),
                        &s);
  if (s != nullptr) {
    s->m_iTextElement = 1;
    s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  }
  // The picture keeps the 2:1 shape of the unit pictures inside its row.
  const sGuiRect pr = GuiRect(kPicture);
  m_GuiDialog.AddImage(kPicture, nullptr, 0, 0, 256, 128, pr.x, pr.y, pr.w, pr.h);
  m_GuiDialog.AddStatic(kFleetsLabel, Txt("fleets_fleets_list").c_str());
  CFWListBox* fleets = nullptr;
  m_GuiDialog.AddListBox(kFleets, 0, &fleets);
  if (fleets != nullptr) {
    fleets->SetStyle(CFWListBox::kMultiSelection);
    fleets->SetColumns(7, Txt("fleets_list_fleets_columns").c_str(), 30, 5, 20, 15, 15, 13, 2);
    fleets->SetColumnSortTypes(7, 1, 3, 4, 5, 1, 1, 1);
  }
  m_GuiDialog.AddButton(kRenameFleet, Txt("fleets_rename_fleet").c_str(), Txt("fleets_rename_fleet_hint").c_str());
  m_GuiDialog.AddButton(kMoveFleet, Txt("fleets_move_fleet").c_str(), Txt("fleets_move_fleet_hint").c_str());
  m_GuiDialog.AddCheckBox(kActive, Txt("fleets_active").c_str(), Txt("fleets_active_hint").c_str(), false);
  m_GuiDialog.AddStatic(kFormationLabel, Txt("fleets_formation").c_str());
  const sGuiRect r560 = GuiRect(kRegular), r561 = GuiRect(kRaiders);
  m_GuiDialog.AddRadioButton(kRegular, 1, Txt("fleets_regular").c_str(), r560.x, r560.y, r560.w, r560.h, false);
  m_GuiDialog.AddRadioButton(kRaiders, 1, Txt("fleets_raiders").c_str(), r561.x, r561.y, r561.w, r561.h, false);
  m_GuiDialog.AddStatic(kShipsLabel, Txt("fleets_units_list").c_str());
  m_GuiDialog.AddStatic(kShipsHint, Txt("fleets_units_list_hint").c_str(), &s);
  if (s != nullptr) s->m_dwTextFormat = DT_RIGHT | DT_VCENTER;
  CFWListBox* ships = nullptr;
  m_GuiDialog.AddListBox(kShips, CFWListBox::kMultiSelection, &ships);
  if (ships != nullptr) {
    ships->SetColumns(5, Txt("fleets_list_units_columns").c_str(), 40, 20, 15, 23, 2);
    ships->SetColumnSortTypes(5, 1, 4, 5, 1, 1);
  }
  const std::pair<int, const char*> buttons[] = {
      {kNewFleet, "fleets_create_fleet"},       {kMoveGroup, "fleets_move_group"},
      {kRenameShip, "fleets_rename_group"},     {kCommander, "fleets_group_commander"},
      {kRepair, "fleets_repair_group"},         {kDisband, "fleets_disband_group"},
      {kUnload, "fleets_unload"},               {kAirStrike, "fleets_attack_hex"},
      {kBombard, "fleets_shore_bombardment"},   {kRecon, "fleets_recon"}};
  for (const auto& [id, key] : buttons) {
    const std::string hint = id == kUnload ? "fleets_unload_group_hint" : std::string(key) + "_hint";
    m_GuiDialog.AddButton(id, Txt(key).c_str(), Txt(hint).c_str());
  }
  m_GuiDialog.AddStatic(kCargoLabel, Txt("fleets_transported").c_str());
  m_GuiDialog.AddStatic(kCargo, Txt("fleets_transported_none").c_str());
  m_GuiDialog.AddButton(kClose, Txt("fleets_close").c_str(), Txt("fleets_close_hint").c_str());
  FillFleetList(-1);
}

cDialogFlot::~cDialogFlot() = default;

int cDialogFlot::CountryId() const {
  return gGra != nullptr && gGra->selection.currentCountry != nullptr ? gGra->selection.currentCountry->id : 0;
}

void cDialogFlot::SetButton(int id, bool enabled, const char* hint) {
  if (CFWControl* c = m_GuiDialog.GetControl(id)) {
    c->SetEnabled(enabled);
    c->SetHint(Txt(hint).c_str());
  }
}

int cDialogFlot::FillFleetList(int restoreSelection) {
  auto* list = m_GuiDialog.Get<CFWListBox>(kFleets, FWCONTROL_LISTBOX);
  if (list == nullptr) return 0;
  list->RemoveAllItems();
  if (gGra != nullptr && node_ != nullptr) {
    const int country = CountryId();
    for (sFlota* f : gGra->fleets) {
      if (f->seaNode != node_->id || f->countryId != country) continue;
      f->UnmarkShips();
      const int hp = f->SumHp();
      int maxHp = f->SumMaxHp();
      if (maxHp == 0) maxHp = 1;
      const std::wstring row =
          WFormat(L"%s;%i;%i%% (%i/%i);%.1f;%s;%s;%c", f->name.c_str(), static_cast<int>(f->ships.size()),
                  hp * 100 / maxHp, hp, maxHp, static_cast<double>(f->SumStrength()),
                  Txt(f->formation == 0 ? "regular" : "raider").c_str(), Txt(f->isActive ? "active" : "passive").c_str(),
                  f->GetBestCommander() != nullptr ? L'+' : L' ');
      list->AddItem(row.c_str(), f);
      if (restoreSelection == -1 && std::find(fleets_.begin(), fleets_.end(), f) != fleets_.end())
        list->GetItem(list->GetSize() - 1)->bSelected = true;
    }
  }
  ShowFleet();
  return list->GetSize();
}

void cDialogFlot::ShowFleet() {
  Log(L"-- Selecting fleet");
  auto* list = m_GuiDialog.Get<CFWListBox>(kFleets, FWCONTROL_LISTBOX);
  for (sFlota* f : fleets_) f->UnmarkShips();
  fleets_.clear();
  if (list == nullptr) return;
  for (int i = 0; i < list->GetSize(); ++i)
    if (list->GetItem(i)->bSelected) fleets_.push_back(static_cast<sFlota*>(list->GetItem(i)->pData));
  if (fleets_.empty() && list->GetSize() > 0) {
    list->SelectItem(0, false);
    list->GetItem(0)->bSelected = true;
    fleets_.push_back(static_cast<sFlota*>(list->GetItem(0)->pData));
  }
  auto* regular = m_GuiDialog.Get<CFWRadioButton>(kRegular, FWCONTROL_RADIOBUTTON);
  auto* raiders = m_GuiDialog.Get<CFWRadioButton>(kRaiders, FWCONTROL_RADIOBUTTON);
  auto* active = m_GuiDialog.Get<CFWCheckBox>(kActive, FWCONTROL_CHECKBOX);
  if (!fleets_.empty() && regular != nullptr && raiders != nullptr && active != nullptr) {
    Log(L"FORMATION");
    for (CFWRadioButton* r : {regular, raiders}) {
      r->SetEnabled(true);
      r->SetCheckedInternal(false, false, false, false);
    }
    bool anyRegular = false, anyRaider = false, regularActive = true;
    for (const sFlota* f : fleets_) {
      if (f->formation == 0) {
        anyRegular = true;
        regularActive = regularActive && f->isActive != 0;
      } else {
        anyRaider = true;
      }
    }
    if (anyRaider && !anyRegular) {
      raiders->SetCheckedInternal(true, false, false, false);
      active->SetEnabled(false);
      active->SetCheckedInternal(false, false, false);
      active->SetHint(Txt("fleets_passive_hint").c_str());
    } else {
      if (!anyRaider) regular->SetCheckedInternal(true, false, false, false);
      active->SetEnabled(true);
      active->SetCheckedInternal(regularActive, false, false);
      active->SetHint(Txt(regularActive ? "fleets_active_hint" : "fleets_passive_hint").c_str());
    }
    Log(L"MOVE");
    const bool moved = std::any_of(fleets_.begin(), fleets_.end(), [](const sFlota* f) { return f->hasMoved != 0; });
    if (moved) {
      SetButton(kMoveFleet, false, "fleets_move_fleet_hint_already_moved");
    } else {
      std::vector<int32_t> common;
      for (size_t i = 0; i < fleets_.size(); ++i) {
        fleets_[i]->FindReachableNodes();
        if (i == 0) {
          common = fleets_[0]->reachableNodes;
          continue;
        }
        const std::vector<int32_t>& own = fleets_[i]->reachableNodes;
        std::erase_if(common, [&](int32_t n) { return std::find(own.begin(), own.end(), n) == own.end(); });
        fleets_[i]->reachableNodes = common;
      }
      if (common.empty()) SetButton(kMoveFleet, false, "fleets_move_fleet_hint_no_destination_available");
      else SetButton(kMoveFleet, true, "fleets_move_fleet_hint");
    }
    Log(L"RENAME");
    if (fleets_.size() == 1) SetButton(kRenameFleet, true, "fleets_rename_fleet_hint");
    else SetButton(kRenameFleet, false, "fleets_rename_fleet_hint_multiple_selection");
  } else {
    for (CFWRadioButton* r : {regular, raiders})
      if (r != nullptr) {
        r->SetCheckedInternal(false, false, false, false);
        r->SetEnabled(false);
      }
    if (active != nullptr) {
      active->SetEnabled(false);
      active->SetCheckedInternal(false, false, false);
    }
    SetButton(kMoveFleet, false, "fleets_no_selection");
    SetButton(kRenameFleet, false, "fleets_no_selection");
  }
  ReloadUnits();
  Log(L"-- Selecting fleet done");
}

void cDialogFlot::ReloadUnits() {
  Log(L"-- Reloading units");
  auto* list = m_GuiDialog.Get<CFWListBox>(kShips, FWCONTROL_LISTBOX);
  if (list == nullptr) return;
  list->RemoveAllItems();
  if (fleets_.size() == 1) {
    for (cJednostkaMorska* ship : fleets_[0]->ships) {
      Log(L"Adding unit to list");
      const int maxHp = std::max(ship->maxHitPoints, 1);
      list->AddItem(WFormat(L"%s;%i%% (%i/%i);%.1f;%s;%c", ship->name.c_str(), ship->hitPoints * 100 / maxHp,
                            ship->hitPoints, ship->maxHitPoints, static_cast<double>(ship->GetCombatValue()),
                            cJednostka::GetSubtypeName(ship->type).c_str(), ship->commander != nullptr ? L'+' : L' ')
                        .c_str(),
                    ship);
    }
  }
  ShowUnit();
}

void cDialogFlot::LoadPicture(const cJednostkaMorska& ship) {
  Log(L"Loading image");
  std::wstring own = ship.name;
  std::replace(own.begin(), own.end(), L' ', L'_');
  const std::wstring names[] = {own + L".png", WFormat(L"%i_1_%i.png", ship.type, ship.countryId),
                                WFormat(L"%i_1.png", ship.type), WFormat(L"%i.png", ship.type), L"default.png"};
  for (const std::wstring& n : names) {
    if (gGra != nullptr && !gGra->pathTemplate.empty()) {
      const std::wstring path = WFormat(gGra->pathTemplate.c_str(), (L"Units images\\" + n).c_str());
      if (SUCCEEDED(picture_->Load(path.c_str(), kTextureFromFile, 1)) && picture_->Texture() != nullptr) return;
    }
    const std::wstring path = L"data\\gfx\\Units images\\" + n;
    if (SUCCEEDED(picture_->Load(path.c_str(), kTextureFromFile, 1)) && picture_->Texture() != nullptr) return;
  }
  picture_->Release();
}

void cDialogFlot::ShowUnit() {
  Log(L"Selecting unit");
  ships_.clear();
  Log(L"Passengers");
  std::wstring passengers;
  auto* list = m_GuiDialog.Get<CFWListBox>(kShips, FWCONTROL_LISTBOX);
  if (list == nullptr) return;
  bool carrier = false, bombardShip = false;
  auto take = [&](cJednostkaMorska* ship) {
    ships_.push_back(ship);
    ship->transferMark = 1;
    if (ship->type == kTypeCarrier) carrier = true;
    if (IsBombardShip(ship)) bombardShip = true;
    if ((ship->type == kTypeCargo || ship->type == kTypeAmphibious) && ship->carriedUnit != nullptr) {
      if (!passengers.empty()) passengers += L", ";
      passengers += ship->carriedUnit->name;
    }
  };
  if (fleets_.size() == 1) {
    for (int i = 0; i < list->GetSize(); ++i) {
      auto* ship = static_cast<cJednostkaMorska*>(list->GetItem(i)->pData);
      if (list->GetItem(i)->bSelected) take(ship);
      else ship->transferMark = 0;
    }
    if (ships_.empty() && list->GetSize() > 0) {
      list->SelectItem(0, false);
      list->GetItem(0)->bSelected = true;
      take(static_cast<cJednostkaMorska*>(list->GetItem(0)->pData));
    }
  }
  if (ships_.empty()) {
    for (int id : {kNewFleet, kMoveGroup, kRenameShip, kRepair, kCommander, kDisband, kUnload, kAirStrike, kBombard,
                   kRecon})
      SetButton(id, false, "fleets_no_unit_selected");
    return;
  }
  cJednostkaMorska* first = ships_[0];
  const bool one = ships_.size() == 1;
  auto* image = m_GuiDialog.Get<CFWImage>(kPicture, FWCONTROL_IMAGE);
  if (one) {
    LoadPicture(*first);
    if (image != nullptr) {
      image->SetTexture(picture_->Texture());
      image->SetVisible(true);
    }
  } else if (image != nullptr) {
    image->SetVisible(false);
  }
  Log(L"NEW FLEET");
  SetButton(kNewFleet, true, "fleets_create_fleet_hint");
  Log(L"MOVE");
  auto* fleetList = m_GuiDialog.Get<CFWListBox>(kFleets, FWCONTROL_LISTBOX);
  int others = 0;
  for (int i = 0; fleetList != nullptr && i < fleetList->GetSize(); ++i) {
    auto* f = static_cast<sFlota*>(fleetList->GetItem(i)->pData);
    if (f != fleets_[0] && f->hasMoved == 0) ++others;
  }
  if (fleets_[0]->hasMoved) SetButton(kMoveGroup, false, "fleets_move_group_hint_fleet_already_moved");
  else if (others == 0) SetButton(kMoveGroup, false, "fleets_move_group_hint_no_possible_destination_fleets");
  else SetButton(kMoveGroup, true, "fleets_move_group_hint");
  Log(L"RENAME");
  if (one) SetButton(kRenameShip, true, "fleets_rename_group_hint");
  else SetButton(kRenameShip, false, "fleets_rename_group_hint_multiple_selection");
  Log(L"COMMANDER");
  if (one) SetButton(kCommander, true, "fleets_group_commander_hint");
  else SetButton(kCommander, false, "fleets_group_commander_hint_multiple_selection");
  Log(L"REPAIR");
  const cPanstwo* owner = first->GetCountry();
  const int t = std::clamp(first->type - 40, 0, 5);
  if (!one) SetButton(kRepair, false, "fleets_repair_group_hint_multiple_selection");
  else if (node_ == nullptr || node_->seaZone != 0) SetButton(kRepair, false, "fleets_repair_group_hint_move_to_port");
  else if (first->hitPoints >= first->maxHitPoints) SetButton(kRepair, false, "fleets_repair_group_hint_full_hp");
  else if (first->canBeRepaired == 0) SetButton(kRepair, false, "fleets_repair_group_hint_already_repaired");
  else if (owner == nullptr || owner->consts.c122[t] > owner->productionPoints)
    SetButton(kRepair, false, "fleets_repair_group_hint_not_enough_pp");
  else if (node_->currentSize < owner->consts.c123[t])
    SetButton(kRepair, false, "fleets_repair_group_hint_port_to_small");
  else SetButton(kRepair, true, "fleets_repair_group_hint");
  Log(L"DISBAND");
  SetButton(kDisband, true, "fleets_disband_group_hint");
  Log(L"UNLOAD");
  auto* cargo = m_GuiDialog.Get<CFWStatic>(kCargo, FWCONTROL_STATIC);
  auto setCargo = [&](const std::wstring& text) {
    if (cargo != nullptr) cargo->SetText(text.c_str());
  };
  if (!one) {
    SetButton(kUnload, false, "fleets_unload_hint_multiple_selection");
    setCargo(passengers);
  } else if (first->type != kTypeCargo && first->type != kTypeAmphibious) {
    SetButton(kUnload, false, "fleets_unload_hint_not_a_transport_unit");
    setCargo(Txt("fleets_transported_none"));
  } else if (first->carriedUnit == nullptr) {
    setCargo(Txt("fleets_transported_none"));
    SetButton(kUnload, false, "fleets_unload_hint_no_unit_aboard");
  } else {
    const cJednostkaLadowa* u = first->carriedUnit;
    const std::wstring boss = u->commander != nullptr ? WFormat(L"commander: %s", u->commander->name.c_str())
                                                      : std::wstring(L"no commander");
    setCargo(WFormat(L"%s (strength: %.2f, level %d, %s)", u->name.c_str(),
                     static_cast<double>(first->carriedUnit->GetStrengthValue()), u->level, boss.c_str()));
    if (first->MarkUnloadHexes(false) > 0) {
      SetButton(kUnload, true, "fleets_unload_hint");
    } else {
      const sWezelGrafuMorz* at = first->fleet != nullptr ? first->fleet->GetSeaNode() : nullptr;
      const bool port = at != nullptr && at->seaZone == 0;
      if (first->type == kTypeCargo && port) SetButton(kUnload, false, "fleets_unload_hint_move_to_sea_zone");
      else if (first->type == kTypeAmphibious && at != nullptr && !port)
        SetButton(kUnload, false, "fleets_unload_hint_move_to_port");
      else SetButton(kUnload, false, "fleets_unload_hint_no_hex_available");
    }
  }
  Log(L"HEX ATTACK");
  if (!one) SetButton(kAirStrike, false, "fleets_attack_hex_hint_multiple_selection");
  else if (first->type != kTypeCarrier) SetButton(kAirStrike, false, "fleets_attack_hex_hint_not_a_carrier_unit");
  else if (owner != nullptr && first->hitPoints < owner->consts.carrierMinHitPoints)
    SetButton(kAirStrike, false, "fleets_attack_hex_hint_hp_to_low");
  else if (first->airstrikeDone) SetButton(kAirStrike, false, "fleets_attack_hex_hint_already_attacked_using_planes");
  else if (fleets_[0]->MarkAirStrikeTargets(false) == 0)
    SetButton(kAirStrike, false, "fleets_attack_hex_hint_no_target_hexes_in_range");
  else SetButton(kAirStrike, true, "fleets_attack_hex_hint");
  Log(L"SHORE BOMBARDMENT");
  const bool bombardReady = std::any_of(ships_.begin(), ships_.end(), [](const cJednostkaMorska* s) {
    return IsBombardShip(s) && s->shoreBombardmentDone == 0;
  });
  if (!bombardShip) SetButton(kBombard, false, "fleets_shorebombardment_hint_no_battleship_or_cruiser_selected");
  else if (!bombardReady)
    SetButton(kBombard, false, "fleets_shorebombardment_hint_all_selected_battleships_and_cruisers_already_bombed");
  else if (first->fleet == nullptr || first->fleet->MarkShoreBombardmentTargets(false) < 1)
    SetButton(kBombard, false, "fleets_shorebombardment_hint_no_target_hexes_in_range");
  else SetButton(kBombard, true, "fleets_shorebombardment_hint");
  Log(L"RECON");
  const bool reconReady = std::any_of(ships_.begin(), ships_.end(), [](const cJednostkaMorska* s) {
    return s->type == kTypeCarrier && s->reconDone == 0;
  });
  if (!carrier) SetButton(kRecon, false, "fleets_recon_hint_no_aircraft_carrier_selected");
  else if (!reconReady) SetButton(kRecon, false, "fleets_recon_hint_all_selected_aircraft_carriers_already_used_recon");
  else if (first->fleet == nullptr || first->fleet->MarkReconTargets(false) < 1)
    SetButton(kRecon, false, "fleets_recon_hint_no_target_hexes_in_range");
  else SetButton(kRecon, true, "fleets_recon_hint");
}

sFlota* cDialogFlot::GetSelectedFleet(unsigned index) const {
  if (fleets_.empty()) return nullptr;
  return fleets_[std::min<size_t>(index, fleets_.size() - 1)];
}

cJednostkaMorska* cDialogFlot::GetSelectedShip(unsigned index) const {
  if (ships_.empty()) return nullptr;
  return ships_[std::min<size_t>(index, ships_.size() - 1)];
}

void cDialogFlot::DeselectFleet(const sFlota* fleet) {
  auto it = std::find(fleets_.begin(), fleets_.end(), fleet);
  if (it != fleets_.end()) fleets_.erase(it);
}

void cDialogFlot::Split() {
  sFlota* source = fleets_[0];
  sFlota* split = sFlota::SplitFrom(*source);
  gGra->fleets.push_back(split);
  source->RemoveMarkedShips();
  ships_.clear();
  if (source->ships.empty()) {
    fleets_.clear();
    source->Delete();
    fleets_.push_back(split);
  }
  gGra->seaGraph.RecalculateNavalVisibility(CountryId(), false);
  FillFleetList(-1);
}

void cDialogFlot::Disband() {
  const std::wstring question = ships_.size() == 1
                                    ? WFormat(Txt("disband_question_%s").c_str(), ships_[0]->name.c_str())
                                    : WFormat(Txt("disband_question_multiple_units").c_str());
  auto* d = new cDialogPotwierdzenia(Txt("disband_title"), question, Txt("disband_yes"), Txt("disband_yes_hint"),
                                     Txt("disband_no"), Txt("disband_no_hint"));
  d->SetAnswerTarget(this);
  PushDialog(d, 0);
}

void cDialogFlot::DisbandConfirmed() {
  if (fleets_.empty() || ships_.empty()) return;
  // The fleet goes with its last ship.
  if (ships_.size() == fleets_[0]->ships.size()) fleets_.clear();
  std::vector<cJednostkaMorska*> doomed;
  doomed.swap(ships_);
  for (cJednostkaMorska* ship : doomed) ship->Kill(true);
  if (gGra != nullptr) gGra->seaGraph.RecalculateNavalVisibility(CountryId(), false);
  FillFleetList(fleets_.empty() ? -1 : fleets_[0]->id);
}

void cDialogFlot::OnEvent(UINT, int controlId, CFWControl*) {
  const bool oneFleet = fleets_.size() == 1, anyFleet = !fleets_.empty(), anyShip = !ships_.empty();
  auto hideAndPick = [&](int pending, int state) {
    m_GuiDialog.SetVisible(false);
    pending_ = pending;
    if (gGra != nullptr) gGra->selection.mapAction = state;
  };
  switch (controlId) {
    case kFleets: ShowFleet(); break;
    case kShips: ShowUnit(); break;
    case kRenameFleet:
      if (!oneFleet) break;
      pending_ = kRenameFleetAnswer;
      {
        auto* d = new cDialogPobraniaTekstu(Txt("fleet_rename_title"), Txt("fleet_rename_name"), fleets_[0]->name);
        d->SetAnswerTarget(this);
        PushDialog(d, 0);
      }
      break;
    case kMoveFleet:
      if (!anyFleet) break;
      m_GuiDialog.SetVisible(false);
      fleets_[0]->MarkReachableNodes();
      if (gGra != nullptr) gGra->selection.mapAction = kMapActionFleetMove;
      break;
    case kActive:
      if (!anyFleet) break;
      if (auto* box = m_GuiDialog.Get<CFWCheckBox>(kActive, FWCONTROL_CHECKBOX))
        for (sFlota* f : fleets_)
          if (f->formation == 0) f->isActive = box->GetChecked() ? 1 : 0;
      FillFleetList(-1);
      break;
    case kRegular:
    case kRaiders:
      if (!anyFleet) break;
      for (sFlota* f : fleets_) {
        f->formation = controlId == kRegular ? 0 : 1;
        if (controlId == kRaiders) f->isActive = 0;
      }
      FillFleetList(-1);
      break;
    case kNewFleet:
      if (oneFleet && anyShip && gGra != nullptr) Split();
      break;
    case kMoveGroup:
      if (!oneFleet || !anyShip) break;
      pending_ = kMoveShipsAnswer;
      {
        auto* d = new cDialogPobraniaListy(Txt("fleets_move_group_title"), Txt("fleets_move_group_list"));
        auto* fleetList = m_GuiDialog.Get<CFWListBox>(kFleets, FWCONTROL_LISTBOX);
        d->List()->SetColumns(1, Txt("fleets_move_group_list").c_str(), 100);
        // The answer carries fleet ids: a fleet may be gone by the time it
        // comes back.
        for (int i = 0; fleetList != nullptr && i < fleetList->GetSize(); ++i) {
          auto* f = static_cast<sFlota*>(fleetList->GetItem(i)->pData);
          if (f != fleets_[0] && f->hasMoved == 0)
            d->List()->AddItem(f->name.c_str(), reinterpret_cast<void*>(static_cast<intptr_t>(f->id)));
        }
        if (d->List()->GetSize() > 0) d->List()->SelectItem(0, false);
        d->SetAnswerTarget(this);
        PushDialog(d, 0);
      }
      break;
    case kCommander:
      if (ships_.size() != 1) break;
      m_GuiDialog.SetVisible(false);
      pending_ = kCommanderAnswer;
      PushDialog(new cDialogDowodcow(ships_[0]), 0);
      break;
    case kRenameShip:
      if (!oneFleet || ships_.size() != 1) break;
      pending_ = kRenameShipAnswer;
      {
        auto* d = new cDialogPobraniaTekstu(Txt("fleets_rename_group_title"), Txt("fleets_rename_group_name"),
                                            ships_[0]->name);
        d->SetAnswerTarget(this);
        PushDialog(d, 0);
      }
      break;
    case kRepair: {
      CFWControl* b = m_GuiDialog.GetControl(kRepair);
      if (b == nullptr || !b->GetEnabled() || !anyShip) break;
      cJednostkaMorska* ship = ships_[0];
      ship->ChangeLevelClamped(1);
      ship->canBeRepaired = 0;
      if (cPanstwo* owner = ship->GetCountry())
        owner->ChangeProductionPoints(-static_cast<double>(owner->consts.c122[std::clamp(ship->type - 40, 0, 5)]));
      ReloadUnits();
      break;
    }
    case kDisband:
      if (oneFleet && anyShip) Disband();
      break;
    case cDialogPotwierdzenia::kYes: DisbandConfirmed(); break;
    case cDialogPobraniaTekstu::kCancel:
    case cDialogPobraniaListy::kCancel:
      // A cancelled rename or choice changes nothing.
      pending_ = kNone;
      break;
    case kUnload:
      if (!oneFleet || !anyShip) break;
      hideAndPick(kUnloadPick, kMapActionUnload);
      ships_[0]->MarkUnloadHexes(true);
      break;
    case kAirStrike:
      if (!oneFleet || ships_.size() != 1) break;
      hideAndPick(kAirStrikePick, kMapActionAirStrike);
      fleets_[0]->MarkAirStrikeTargets(true);
      break;
    case kBombard:
      if (!oneFleet || !anyShip) break;
      hideAndPick(kBombardPick, kMapActionBombard);
      fleets_[0]->MarkShoreBombardmentTargets(true);
      break;
    case kRecon:
      if (!oneFleet || !anyShip) break;
      hideAndPick(kReconPick, kMapActionRecon);
      fleets_[0]->MarkReconTargets(true);
      break;
    case kClose: CloseDialogs(1); break;
    default: break;
  }
}

void cDialogFlot::OnKeyboard(UINT key, bool keyDown, bool) {
  if (keyDown && (key == 13 || key == 27)) PressButton(kClose);
}

void cDialogFlot::OnResume() {
  const bool oneFleet = fleets_.size() == 1;
  if (pending_ == kRenameFleetAnswer && oneFleet) {
    fleets_[0]->SetName(gEnteredText);
  } else if (pending_ == kRenameShipAnswer && !fleets_.empty() && !ships_.empty()) {
    ships_[0]->SetName(gEnteredText);
  } else if (pending_ == kMoveShipsAnswer && oneFleet && !ships_.empty()) {
    sFlota* target = gChosenItems.empty() ? nullptr : FleetById(gChosenItems[0]);
    if (target != nullptr && target != fleets_[0]) {
      sFlota* source = fleets_[0];
      source->MoveMarkedShipsTo(*target);
      ships_.clear();
      if (source->ships.empty()) {
        fleets_.clear();
        source->Delete();
      }
      if (gGra != nullptr) gGra->seaGraph.RecalculateNavalVisibility(CountryId(), false);
    }
  } else if (pending_ == kCommanderAnswer && !ships_.empty()) {
    if (ships_[0]->fleet != nullptr)
      if (sWezelGrafuMorz* at = ships_[0]->fleet->GetSeaNode()) at->AssignBestCommander(ships_[0]->countryId);
  }
  pending_ = kNone;
  if (FillFleetList(-1) > 0) {
    m_nCountdownStopped = 0;
    m_nCountdownAction = kCountdownShow;
    m_fCountdownSeconds = delayValues[DELAY_HUMAN_RECON_AFTER] / 1000.0f;
  } else {
    CloseDialogs(1);
  }
}
