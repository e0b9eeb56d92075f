#include "dialogs/purchases_dialog.h"

#include <cmath>

#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "framework/shared_draw.h"
#include "framework/sound.h"
#include "framework/sprite_draw_target.h"
#include "framework/texture.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/gui_builders.h"
#include "gui/gui_layout.h"
#include "platform/sprite.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/country_economy.h"
#include "world/game.h"

const int cDialogZakupow::kItems[kItemCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

namespace {
constexpr int kPictureRow = 57;  // the cells of the items' pictures inside GUI.png

int LandCategory(int type) { return (type == 4 || type == 5) ? kTechTanks : kTechArtillery; }

std::wstring NewUnitName(const cPanstwo& country, int type) {
  const wchar_t* part = country.GetNamePart(type);
  return WFormat(L"%d %ls", Rand() % 90 + 10, part != nullptr ? part : L"");
}
}  // namespace

float cDialogZakupow::LandPrice(const cPanstwo& c, int type, int level) {
  if (type < 0 || type > 6 || level < 1 || level > 5) return 0.0f;
  const int L = level - 1;
  // Constant 82: surcharge per level; 90: factor by type; 9-13: base cost.
  return (1.0f + static_cast<float>(c.consts.c082 * L) / 100.0f) * c.consts.c090[type] *
         c.consts.levelUpCostTable[L][type];
}

float cDialogZakupow::AirPrice(const cPanstwo& c, int type, int level) {
  const int t = type - 20;
  if (t < 0 || t > 2 || level < 1 || level > 5) return 0.0f;
  // Constant 83: the air surcharge per level; 14: strength by type; 81:
  // price per strength point.
  return (1.0f + static_cast<float>(c.consts.c083 * (level - 1)) / 100.0f) * static_cast<float>(c.consts.c014[t]) *
         c.consts.c081[t];
}

float cDialogZakupow::NavalPrice(const cPanstwo& c, int type) {
  const int t = type - 40;
  return (t >= 0 && t <= 3) ? c.consts.c085[t] : 0.0f;
}

float cDialogZakupow::PointsPrice(const cPanstwo& c, int item) {
  // Constants 86 and 87: the price step and the base price of each item.
  switch (item) {
    case 0: return static_cast<float>(c.strategicMovementCapacity) * c.consts.c086[0] + c.consts.c087[0];
    case 1: return static_cast<float>(c.GetTotalSTP() / 10) * c.consts.c086[1] + c.consts.c087[1];
    case 2: return static_cast<float>(c.amphibiousCapacity) * c.consts.c086[2] + c.consts.c087[2];
    default: return 0.0f;
  }
}

cDialogZakupow::cDialogZakupow()
    : cDialog(kDialogId, GuiRect(kDialogId).x, GuiRect(kDialogId).y, GuiRect(kDialogId).w, GuiRect(kDialogId).h) {
  if (gGra != nullptr) country_ = gGra->selection.currentCountry;
  {
    // The previews are no units of the game: they take no unit ids.
    const int32_t land = gGra != nullptr ? gGra->landUnitCounter : 0;
    const int32_t air = gGra != nullptr ? gGra->airUnitCounter : 0;
    landTemplate_ = std::make_unique<cJednostkaLadowa>();
    airTemplate_ = std::make_unique<cJednostkaLotnicza>();
    navalTemplate_ = std::make_unique<cJednostkaMorska>();
    if (gGra != nullptr) {
      gGra->landUnitCounter = land;
      gGra->airUnitCounter = air;
    }
  }
  CFWStatic* title = nullptr;
  m_GuiDialog.AddStatic(kTitle, Txt("purchase_title").c_str(), &title);
  if (title != nullptr) title->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  CFWTabFrame* tabs = nullptr;
  m_GuiDialog.AddTabFrame(kTabs, &tabs);
  if (tabs != nullptr)
    for (const char* key : {"purchase_tab_land_units", "purchase_tab_air_units", "purchase_tab_sea_units",
                            "purchase_tab_others"})
      tabs->AddTab(Txt(key).c_str(), nullptr, -1, -1);
  m_GuiDialog.AddStatic(kItemsLabel, Txt("purchase_items").c_str());
  CFWListBox* list = nullptr;
  m_GuiDialog.AddListBox(kList, 0, &list);
  if (list != nullptr) list->SetColumns(7, Txt("purchase_list_land_columns").c_str(), 40, 10, 10, 10, 10, 10, 10);
  AddEditBoxWithLabel(&m_GuiDialog, kCost, L"-", Txt("purchase_cost_hint").c_str(), kCostLabel,
                      Txt("purchase_cost").c_str());
  AddEditBoxWithLabel(&m_GuiDialog, kAvailable, L"-", Txt("purchase_available_hint").c_str(), kAvailableLabel,
                      Txt("purchase_available").c_str());
  m_GuiDialog.AddButton(kBuy, Txt("purchase_buy").c_str(), Txt("purchase_buy_hint").c_str());
  m_GuiDialog.AddButton(kExit, Txt("purchase_exit").c_str(), Txt("purchase_exit_hint").c_str());
  for (int i = 0; i < 5; ++i) {
    const std::string key = "purchase_level" + std::to_string(i + 1);
    m_GuiDialog.AddRadioButton(kLevel1 + i, 1, Txt(key).c_str(), Txt(key + "_hint").c_str(), false);
  }
  const sGuiRect r = GuiRect(kImage);
  m_GuiDialog.AddImage(kImage, gTextures[kGuiTextureHolder].Texture(), 0, 0, 0, 0, r.x + (r.w - r.h) / 2, r.y, r.h,
                       r.h);
  if (country_ != nullptr) {
    for (int t = 0; t < 7; ++t)
      for (int l = 1; l <= 5; ++l) land_[t][l - 1] = LandPrice(*country_, t, l);
    for (int t = 0; t < 3; ++t)
      for (int l = 1; l <= 5; ++l) air_[t][l - 1] = AirPrice(*country_, 20 + t, l);
    for (int t = 0; t < 4; ++t) naval_[t] = NavalPrice(*country_, 40 + t);
    for (int i = 0; i < 3; ++i) points_[i] = PointsPrice(*country_, i);
  }
  OnEvent(0x801, kTabs, tabs);
  OnEvent(0x702, kList, list);
}

cDialogZakupow::~cDialogZakupow() = default;

CFWListBox* cDialogZakupow::List() { return m_GuiDialog.Get<CFWListBox>(kList, FWCONTROL_LISTBOX); }

int cDialogZakupow::ItemTechLevel(int item) const {
  if (country_ == nullptr) return -1;
  if (item >= 0 && item <= 6) return country_->GetTechLevel(LandCategory(item));
  if (item >= 7 && item <= 9) return country_->GetTechLevel(kTechAircraft);
  return -1;
}

void cDialogZakupow::FillList() {
  CFWListBox* list = List();
  auto* tabs = m_GuiDialog.Get<CFWTabFrame>(kTabs, FWCONTROL_TABFRAME);
  if (list == nullptr || tabs == nullptr || country_ == nullptr) return;
  list->RemoveAllItems();
  const int tab = tabs->GetActiveTab();
  auto levelRow = [&](int item, int type, const float* prices, int category) {
    std::wstring row = WFormat(L"%ls;%i", cJednostka::GetSubtypeName(type).c_str(),
                               type <= 6 ? country_->landBuildTime[type] : country_->airBuildTime[type - 20]);
    const int tech = country_->GetTechLevel(category);
    for (int l = 1; l <= 5; ++l)
      row += tech >= l ? WFormat(L";%.2f", static_cast<double>(prices[l - 1])) : std::wstring(L";-");
    list->AddItem(row.c_str(), const_cast<int*>(&kItems[item]));
  };
  if (tab == 0) {
    list->SetColumns(7, Txt("purchase_list_land_columns").c_str(), 40, 10, 10, 10, 10, 10, 10);
    for (int t = 0; t < 7; ++t) levelRow(t, t, land_[t], LandCategory(t));
  } else if (tab == 1) {
    list->SetColumns(7, Txt("purchase_list_air_columns").c_str(), 40, 10, 10, 10, 10, 10, 10);
    for (int t = 0; t < 3; ++t) levelRow(7 + t, 20 + t, air_[t], kTechAircraft);
  } else if (tab == 2) {
    list->SetColumns(3, Txt("purchase_list_naval_columns").c_str(), 40, 10, 10);
    for (int t = 0; t < 4; ++t)
      list->AddItem(WFormat(L"%ls;%i;%.2f", cJednostka::GetSubtypeName(40 + t).c_str(), country_->navalBuildTime[t],
                            static_cast<double>(naval_[t]))
                        .c_str(),
                    const_cast<int*>(&kItems[10 + t]));
  } else {
    list->SetColumns(2, Txt("purchase_list_others_columns").c_str(), 40, 10);
    const char* keys[3] = {"strat_mov_pts", "sea_trans_pts", "amph_pts"};
    for (int i = 0; i < 3; ++i)
      list->AddItem(WFormat(L"%ls;%.2f", Txt(keys[i]).c_str(), static_cast<double>(points_[i])).c_str(),
                    const_cast<int*>(&kItems[14 + i]));
  }
}

void cDialogZakupow::UpdateLevelButtons(int n) {
  const int chosen = level_;
  for (int i = 1; i <= 5; ++i) {
    auto* b = m_GuiDialog.Get<CFWRadioButton>(kLevel1 + i - 1, FWCONTROL_RADIOBUTTON);
    if (b == nullptr) continue;
    b->SetVisible(n != -1);
    b->SetEnabled(i <= n);
    if (i <= chosen && i <= n) {
      b->SetCheckedInternal(true, true, false, false);
      level_ = i;
    }
  }
}

void cDialogZakupow::UpdateSelection() {
  if (country_ == nullptr || item_ == nullptr) return;
  const int item = *item_;
  const int tech = ItemTechLevel(item);
  UpdateLevelButtons(tech);
  ResetTemplate(item);
  if (item <= 6) price_ = land_[item][level_ - 1];
  else if (item <= 9) price_ = air_[item - 7][level_ - 1];
  else if (item <= 13) price_ = naval_[item - 10];
  else price_ = points_[item - 14];
  if (auto* image = m_GuiDialog.Get<CFWImage>(kImage, FWCONTROL_IMAGE)) {
    const sGuiRect r = GuiRect(kPictureRow);
    int x = r.x, y = r.y;
    if (item == 14) x += r.w;
    else if (item == 15) x += r.w, y += r.h;
    else if (item == 16) y += r.h;
    image->m_rcSource = RECT{x, y, x + r.w, y + r.h};
  }
  const std::wstring& pp = Txt("%.2f_pp");
  if (auto* e = m_GuiDialog.Get<CFWEditBox>(kCost, FWCONTROL_EDITBOX))
    e->SetText(WFormat(pp.c_str(), static_cast<double>(price_)).c_str());
  if (auto* e = m_GuiDialog.Get<CFWEditBox>(kAvailable, FWCONTROL_EDITBOX))
    e->SetText(WFormat(pp.c_str(), country_->productionPoints).c_str());
  // A level above the technology level shows "-" in its row: it cannot be
  // bought, even where the level buttons left an older choice standing.
  const bool levelAllowed = tech == -1 || level_ <= tech;
  const bool affordable = !std::isnan(price_) && static_cast<double>(price_) <= country_->productionPoints;
  if (CFWControl* buy = m_GuiDialog.GetControl(kBuy)) buy->SetEnabled(levelAllowed && affordable);
}

void cDialogZakupow::ResetTemplate(int item) {
  if (country_ == nullptr || item < 0 || item > 13) return;
  // Fields that only a unit on the map uses (position, orders, combat and
  // transport state) keep the values of a freshly made unit.
  auto reset = [this](auto& u, int type, int strength, int buildTime) {
    u.countryId = country_->id;
    u.SetName(NewUnitName(*country_, type));
    u.SetType(type);
    u.level = level_;
    u.strength = strength;
    u.actionPoints = 0;
    u.commander = nullptr;
    u.assignedCommanderId = -1;
    u.inReserve = 1;
    u.spottedLevel = 6;
    u.availableInTurns = buildTime;
    u.SetSupplyLevel(country_->consts.reserveSupplyLevel);
    u.UpdateEffectiveness();
  };
  if (item <= 6) {
    reset(*landTemplate_, item, 100, country_->landBuildTime[item]);
    return;
  }
  if (item <= 9) {
    reset(*airTemplate_, 20 + item - 7, country_->consts.c014[item - 7], 0);
    return;
  }
  cJednostkaMorska& s = *navalTemplate_;
  const int type = 40 + item - 10;
  s.countryId = country_->id;
  s.SetName(NewUnitName(*country_, type));
  s.SetType(type);
  s.inReserve = 1;
  s.hitPoints = s.maxHitPoints = country_->consts.shipHitPoints[item - 10];
  s.commander = nullptr;
  s.assignedCommanderId = -1;
  s.fleet = nullptr;
  s.shoreBombardmentDone = s.airstrikeDone = s.reconDone = 0;
  s.canBeRepaired = 1;
}

void cDialogZakupow::Buy() {
  if (country_ == nullptr || item_ == nullptr || gGra == nullptr) return;
  const int item = *item_;
  if (item <= 6) {
    auto* unit = new cJednostkaLadowa();  // takes the next land-unit id
    unit->countryId = country_->id;
    unit->SetType(item);
    unit->SetName(NewUnitName(*country_, item));
    unit->level = level_;
    unit->strength = 100;
    unit->inReserve = 1;
    unit->spottedLevel = 6;
    unit->availableInTurns = country_->landBuildTime[item];
    unit->SetSupplyLevel(country_->consts.reserveSupplyLevel);
    unit->UpdateEffectiveness();
    gGra->reserve.push_back(unit);
  } else if (item <= 9) {
    const int type = 20 + item - 7;
    auto* unit = new cJednostkaLotnicza();  // takes the next air-unit id
    unit->countryId = country_->id;
    unit->SetType(type);
    unit->SetName(NewUnitName(*country_, type));
    unit->level = level_;
    unit->strength = country_->consts.c014[item - 7];
    unit->inReserve = 1;
    unit->availableInTurns = country_->airBuildTime[item - 7];
    unit->spottedLevel = 6;
    unit->SetSupplyLevel(country_->consts.reserveSupplyLevel);
    unit->UpdateEffectiveness();
    gGra->reserve.push_back(unit);
  } else if (item <= 13) {
    const int type = 40 + item - 10;
    auto* ship = new cJednostkaMorska();
    ship->unitId = ++gGra->navalUnitCounter;
    ship->countryId = country_->id;
    ship->SetType(type);
    ship->SetName(NewUnitName(*country_, type));
    ship->hitPoints = ship->maxHitPoints = country_->consts.shipHitPoints[item - 10];
    ship->inReserve = 1;
    ship->availableInTurns = country_->navalBuildTime[item - 10];
    ship->canBeRepaired = 1;
    gGra->navalReserve.push_back(ship);
  } else if (item == 14) {
    ++country_->strategicMovementCapacity;
    country_->ChangeSMP(1);
  } else if (item == 15) {
    country_->ChangeSTP(10);
  } else {
    ++country_->amphibiousCapacity;
    country_->ChangeAIP(1);
  }
  country_->ChangeProductionPoints(-static_cast<double>(price_));
  PlayGameSound(L"data\\sound\\Buying.wav");
}

void cDialogZakupow::OnEvent(UINT, int controlId, CFWControl*) {
  CFWListBox* list = List();
  switch (controlId) {
    case kTabs:
      FillList();
      if (list != nullptr) {
        list->SelectItem(0, false);
        OnEvent(0x702, kList, list);
      }
      break;
    case kList:
      if (list == nullptr) break;
      if (list->GetSelectedIndex() < 0) list->SelectItem(0, false);
      if (void* data = list->GetSelectedData()) item_ = static_cast<const int*>(data);
      UpdateSelection();
      break;
    case kBuy:
      Buy();
      UpdateSelection();
      break;
    case kExit: CloseDialogs(1); break;
    default:
      if (controlId >= kLevel1 && controlId < kLevel1 + 5) {
        level_ = controlId - kLevel1 + 1;
        UpdateSelection();
      }
      break;
  }
}

void cDialogZakupow::OnKeyboard(UINT key, bool keyDown, bool) {
  if (!keyDown) return;
  CFWListBox* list = List();
  auto* tabs = m_GuiDialog.Get<CFWTabFrame>(kTabs, FWCONTROL_TABFRAME);
  m_GuiDialog.EnableNonUserEvents(true);
  if (key == 27) {
    m_GuiDialog.EnableNonUserEvents(false);
    PressButton(kExit);
    return;
  }
  if (key == 13) {
    CFWControl* buy = m_GuiDialog.GetControl(kBuy);
    m_GuiDialog.EnableNonUserEvents(false);
    if (buy != nullptr && buy->GetEnabled()) PressButton(kBuy);
    return;
  }
  if (list != nullptr && (key == 40 || key == 38)) {
    const int i = list->GetSelectedIndex();
    const int last = list->GetSize() - 1;
    list->SelectItem(key == 40 ? std::min(i + 1, last) : std::max(i - 1, 0), true);
  } else if (tabs != nullptr && (key == 37 || key == 39)) {
    const int i = tabs->GetActiveTab();
    tabs->SetActiveTab(key == 37 ? std::max(i - 1, 0) : std::min(i + 1, 3), true);
  } else if ((key >= 49 && key <= 53) || (key >= 97 && key <= 101)) {
    const int n = key >= 97 ? key - 96 : key - 48;
    auto* b = m_GuiDialog.Get<CFWRadioButton>(kLevel1 + n - 1, FWCONTROL_RADIOBUTTON);
    if (b != nullptr && b->GetEnabled()) b->SetCheckedInternal(true, true, false, true);
  }
  m_GuiDialog.EnableNonUserEvents(false);
}

void cDialogZakupow::Render(float elapsed) {
  cDialog::Render(elapsed);
  if (!m_GuiDialog.GetVisible() || item_ == nullptr || *item_ > 13 || gSprite == nullptr) return;
  CFWControl* image = m_GuiDialog.GetControl(kImage);
  if (image == nullptr) return;
  // The counter fills the preview square less a margin of 15 pixels.
  constexpr int kMargin = 15;
  const sDrawRect rect{m_GuiDialog.m_x + image->m_x + kMargin, m_GuiDialog.m_y + image->m_y + kMargin,
                       image->m_width - 2 * kMargin, image->m_height - 2 * kMargin};
  if (rect.w <= 0 || rect.h <= 0) return;
  cSpriteDrawTarget target(gSprite, gLine);
  gSprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_DEPTH_BACKTOFRONT);
  const int item = *item_;
  if (item <= 6) landTemplate_->DrawCounter(target, rect, 0.5f);
  else if (item <= 9) airTemplate_->DrawCounter(target, rect, 0.5f);
  else navalTemplate_->DrawCounterScaled(target, rect, 0.5f, kCounterOnMap);
  gSprite->End();
}
