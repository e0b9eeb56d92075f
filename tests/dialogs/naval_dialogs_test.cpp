// The research, purchases, units manager, convoys, reports and cheat
// dialogs over a small world of their own: the prices they compute, the
// state of their commands and the faults they guard against.
#include <gtest/gtest.h>

#include <cmath>

#include "core/game_lock.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/cheat_dialog.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/purchases_dialog.h"
#include "dialogs/reports_dialog.h"
#include "dialogs/research_dialog.h"
#include "dialogs/units_manager_dialog.h"
#include "gui/fw_editbox.h"
#include "gui/fw_listbox.h"
#include "gui/fw_memo.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/reports.h"

namespace {

using world_test::GameFixture;

class NavalDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    unit_test::LoadShippedStrings();
    CreateGameLock();
    ResetDialogStack();
    country = g.game->countries[0];
    g.game->selection.currentCountry = country;
  }
  void TearDown() override {
    ResetDialogStack();
    gGra = g.game;  // the fixture frees the game it finds in gGra
  }

  template <class T>
  T* Control(cDialog& d, int id, UINT type) {
    return d.Gui().Get<T>(id, type);
  }
  bool Enabled(cDialog& d, int id) { return d.Gui().GetControl(id)->GetEnabled(); }
  std::wstring Hint(cDialog& d, int id) {
    const wchar_t* h = d.Gui().GetControl(id)->GetHint();
    return h != nullptr ? h : L"";
  }
  std::wstring Row(cDialog& d, int list, int row) {
    const FWListBoxItem* item = Control<CFWListBox>(d, list, FWCONTROL_LISTBOX)->GetItem(row);
    std::wstring text;
    for (const std::wstring& t : item->Texts) text += t + L";";
    return text;
  }

  GameFixture g{12, 12, 3};
  cPanstwo* country = nullptr;
};

// Research: the price of an investment level is the part of the level still
// to research; a category that needs no points costs nothing instead of
// dividing by zero.
TEST_F(NavalDialogs, ResearchPricesAndTheReasonsAnInvestmentIsRefused) {
  sConsts& k = country->consts;
  for (int c = 0; c < 7; ++c) {
    k.c078[c] = 40.0f;
    k.c088[c] = 100;
    k.c089[c] = 5;
  }
  country->researchProgress[1] = 50;
  k.c088[3] = 0;  // a scenario that needs no research points for aircraft
  EXPECT_FLOAT_EQ(cDialogResearchu::InvestmentPrice(*country, 0), 40.0f);
  EXPECT_FLOAT_EQ(cDialogResearchu::InvestmentPrice(*country, 1), 20.0f);
  EXPECT_FLOAT_EQ(cDialogResearchu::InvestmentPrice(*country, 3), 0.0f);
  EXPECT_FLOAT_EQ(cDialogResearchu::InvestmentPrice(*country, 2), -1.0f);

  country->productionPoints = 40.0;
  country->techInvestments[4] = 3;  // submarines: full investment
  country->techLevels[5] = 5;       // warships: highest level
  auto* d = new cDialogResearchu();
  PushDialog(d, 0);
  for (int j = 0; j < cDialogResearchu::kRows; ++j) EXPECT_FALSE(std::isnan(d->Price(cDialogResearchu::kRowCategory[j])));
  EXPECT_TRUE(Enabled(*d, 1050));  // artillery: exactly the 40 points it costs
  EXPECT_EQ(Hint(*d, 1053), Txt("research_invest_hint_max_investment"));
  EXPECT_EQ(Hint(*d, 1054), Txt("research_invest_hint_max_level_reached"));
  EXPECT_EQ(Control<CFWEditBox>(*d, 1031, FWCONTROL_EDITBOX)->GetText(), L"50/100");
  // The level-2 picture is the level-0 rectangle two heights lower.
  const RECT level0 = Control<CFWImage>(*d, 1020, FWCONTROL_IMAGE)->m_rcSource;
  country->techInvestments[0] = 2;
  d->RefreshResearch();
  const RECT level2 = Control<CFWImage>(*d, 1020, FWCONTROL_IMAGE)->m_rcSource;
  EXPECT_EQ(level2.top - level0.top, 2 * (level0.bottom - level0.top));
  country->techInvestments[0] = 0;

  d->OnEvent(kGuiEventButtonClicked, 1050, nullptr);
  EXPECT_EQ(country->techInvestments[0], 1);
  EXPECT_DOUBLE_EQ(country->productionPoints, 0.0);
  EXPECT_FALSE(Enabled(*d, 1050));
  EXPECT_FALSE(Enabled(*d, 1051));
  EXPECT_TRUE(Enabled(*d, 1052));  // aircraft cost nothing here
}

// Purchases: the price tables, the levels the technology allows and what a
// purchase puts into the reserve.
TEST_F(NavalDialogs, PurchasePricesLevelsAndBuying) {
  sConsts& k = country->consts;
  k.c082 = 10;
  k.c090[0] = 1.0f;
  k.levelUpCostTable[2][0] = 20.0f;
  EXPECT_NEAR(cDialogZakupow::LandPrice(*country, 0, 3), 24.0f, 1e-4);
  // Aircraft take the air surcharge, not the land one.
  k.c083 = 50;
  k.c014[0] = 10;
  k.c081[0] = 2.0f;
  for (int level : {3, 4, 5})
    EXPECT_NEAR(cDialogZakupow::AirPrice(*country, 20, level), 20.0f * (1.0f + 0.5f * (level - 1)), 1e-4) << level;
  k.c086[1] = 2.0f;
  k.c087[1] = 10.0f;
  country->seaTransportPoints = 25;
  EXPECT_NEAR(cDialogZakupow::PointsPrice(*country, 1), 14.0f, 1e-4);

  for (int l = 0; l < 5; ++l) k.levelUpCostTable[l][0] = 10.0f + l;
  k.c087[0] = 5.0f;
  k.c086[0] = 3.0f;
  country->techLevels[0] = 2;
  country->productionPoints = 1000.0;
  auto* d = new cDialogZakupow();
  PushDialog(d, 0);
  EXPECT_EQ(d->SelectedItem(), 0);
  const std::wstring row = Row(*d, cDialogZakupow::kList, 0);
  EXPECT_NE(row.find(L";10.00;12.10;-;-;-;"), std::wstring::npos) << row;
  EXPECT_FALSE(Enabled(*d, 748));
  d->OnEvent(0, 747, nullptr);  // level 2
  EXPECT_EQ(d->SelectedLevel(), 2);
  EXPECT_NEAR(d->CurrentPrice(), 11.0f * 1.1f, 1e-4);

  const int before = g.game->landUnitCounter;
  d->OnEvent(kGuiEventButtonClicked, cDialogZakupow::kBuy, nullptr);
  ASSERT_EQ(g.game->reserve.size(), 1u);
  cJednostka* bought = g.game->reserve[0];
  EXPECT_EQ(bought->unitId, before + 1);
  EXPECT_EQ(bought->level, 2);
  EXPECT_EQ(bought->countryId, country->id);
  EXPECT_TRUE(bought->IsInReserve());
  EXPECT_NEAR(country->productionPoints, 1000.0 - 11.0 * 1.1, 1e-3);

  // Strategic movement points bought twice in one opening cost the same.
  auto* tabs = Control<CFWTabFrame>(*d, cDialogZakupow::kTabs, FWCONTROL_TABFRAME);
  tabs->SetActiveTab(3, false);
  d->OnEvent(0, cDialogZakupow::kTabs, tabs);
  EXPECT_EQ(d->SelectedItem(), 14);
  const double pp = country->productionPoints;
  d->OnEvent(kGuiEventButtonClicked, cDialogZakupow::kBuy, nullptr);
  d->OnEvent(kGuiEventButtonClicked, cDialogZakupow::kBuy, nullptr);
  EXPECT_NEAR(country->productionPoints, pp - 10.0, 1e-3);
  EXPECT_EQ(country->strategicMovementCapacity, 2);

  // Buy goes off once the next one cannot be paid.
  country->productionPoints = 6.0;
  d->OnEvent(kGuiEventButtonClicked, cDialogZakupow::kBuy, nullptr);
  EXPECT_FALSE(Enabled(*d, cDialogZakupow::kBuy));
}

// At technology level 0 every level shows "-": nothing of that kind can be
// bought, even though the level buttons leave level 1 selected.
TEST_F(NavalDialogs, PurchasesRefuseALevelAboveTheTechnology) {
  country->consts.levelUpCostTable[0][0] = 1.0f;
  country->consts.c090[0] = 1.0f;
  country->techLevels[0] = 0;
  country->productionPoints = 500.0;
  auto* d = new cDialogZakupow();
  PushDialog(d, 0);
  EXPECT_NE(Row(*d, cDialogZakupow::kList, 0).find(L";-;-;-;-;-;"), std::wstring::npos);
  EXPECT_LE(d->CurrentPrice(), 500.0f);
  EXPECT_FALSE(Enabled(*d, cDialogZakupow::kBuy));
  d->OnKeyboard(13, true, false);
  EXPECT_TRUE(g.game->reserve.empty());
  // Naval units have no levels and stay buyable.
  country->consts.c085[1] = 50.0f;
  auto* tabs = Control<CFWTabFrame>(*d, cDialogZakupow::kTabs, FWCONTROL_TABFRAME);
  tabs->SetActiveTab(2, false);
  d->OnEvent(0, cDialogZakupow::kTabs, tabs);
  EXPECT_TRUE(Enabled(*d, cDialogZakupow::kBuy));
}

// Aircraft and ships show their build times in the lists and wait that
// long in the reserve once bought.
TEST_F(NavalDialogs, BoughtAircraftAndShipsWaitTheirBuildTimes) {
  country->consts.c154[8] = 6;        // tactical bombers
  country->consts.c154Second[1] = 9;  // battleships
  country->TakeBuildTimesFromConsts();
  country->techLevels[3] = 1;  // aircraft
  country->productionPoints = 1000.0;
  auto* d = new cDialogZakupow();
  PushDialog(d, 0);
  auto* tabs = Control<CFWTabFrame>(*d, cDialogZakupow::kTabs, FWCONTROL_TABFRAME);
  auto* list = Control<CFWListBox>(*d, cDialogZakupow::kList, FWCONTROL_LISTBOX);
  struct sCase {
    int tab, row, turns;
  };
  for (const sCase& k : {sCase{1, 1, 6}, sCase{2, 1, 9}}) {
    tabs->SetActiveTab(k.tab, false);
    d->OnEvent(0, cDialogZakupow::kTabs, tabs);
    EXPECT_EQ(list->GetItem(k.row)->Texts[1], std::to_wstring(k.turns));
    list->SelectItem(k.row, false);
    d->OnEvent(0, cDialogZakupow::kList, list);
    d->OnEvent(kGuiEventButtonClicked, cDialogZakupow::kBuy, nullptr);
  }
  ASSERT_EQ(g.game->reserve.size(), 1u);
  EXPECT_EQ(g.game->reserve[0]->type, kTypeTacticalBomber);
  EXPECT_EQ(g.game->reserve[0]->availableInTurns, 6);
  ASSERT_EQ(g.game->navalReserve.size(), 1u);
  EXPECT_EQ(g.game->navalReserve[0]->type, kTypeBattleship);
  EXPECT_EQ(g.game->navalReserve[0]->availableInTurns, 9);
}

// The units manager: an empty class, a unit that is not ready, the filters.
TEST_F(NavalDialogs, UnitsManagerListsFiltersAndRefusesUnreadyUnits) {
  gUnitsMgrMode = 1;
  gUnitsMgrLandTypeMask = ~0u;
  auto* d = new cDialogJednostek(country->id);
  PushDialog(d, 0);
  EXPECT_EQ(d->List()->GetSize(), 0);
  EXPECT_FALSE(Enabled(*d, cDialogJednostek::kAction));
  EXPECT_EQ(Hint(*d, cDialogJednostek::kAction), Txt("units_mgr_select_hint_no_unit_selected"));
  CloseDialogs(1);

  auto* waiting = new cJednostkaLadowa();
  waiting->countryId = country->id;
  waiting->SetType(2);
  waiting->SetName(L"2 Mech");
  waiting->inReserve = 1;
  waiting->availableInTurns = 2;
  g.game->reserve.push_back(waiting);
  auto* other = new cJednostkaLadowa();
  other->countryId = 2;
  other->inReserve = 1;
  g.game->reserve.push_back(other);
  d = new cDialogJednostek(country->id);
  PushDialog(d, 0);
  ASSERT_EQ(d->List()->GetSize(), 1);
  EXPECT_EQ(gUnitsMgrSelectedUnit, waiting);
  EXPECT_NE(Row(*d, cDialogJednostek::kList, 0).find(WFormat(Txt("units_mgr_units_list_avail_in_%i_turns").c_str(), 2)),
            std::wstring::npos);
  EXPECT_FALSE(Enabled(*d, cDialogJednostek::kAction));
  EXPECT_EQ(Hint(*d, cDialogJednostek::kAction), Txt("units_mgr_deploy_hint_not_ready_to_deploy"));
  // Unchecking the mechanized box takes the unit off the list at once.
  auto* box = Control<CFWCheckBox>(*d, cDialogJednostek::kLandFirst + 2, FWCONTROL_CHECKBOX);
  EXPECT_EQ(box->GetText(), WFormat(L"%s (0+[1])", cJednostka::GetSubtypeName(2).c_str()));
  box->SetCheckedInternal(false, false, false);
  d->OnEvent(0, cDialogJednostek::kLandFirst + 2, box);
  EXPECT_EQ(d->List()->GetSize(), 0);
  EXPECT_EQ(gUnitsMgrLandTypeMask & 4u, 0u);
  // '5' on the air tab (three boxes) does nothing.
  Control<CFWTabFrame>(*d, cDialogJednostek::kClassTabs, FWCONTROL_TABFRAME)->SetActiveTab(1, false);
  const uint32_t air = gUnitsMgrAirTypeMask;
  d->OnKeyboard('5', true, false);
  EXPECT_EQ(gUnitsMgrAirTypeMask, air);
  gUnitsMgrLandTypeMask = ~0u;
  gUnitsMgrMode = 0;
  // Ships on the map sort by name as text, then by the types of the rest.
  auto* tabs = Control<CFWTabFrame>(*d, cDialogJednostek::kClassTabs, FWCONTROL_TABFRAME);
  tabs->SetActiveTab(2, false);
  d->OnEvent(0, cDialogJednostek::kClassTabs, tabs);
  std::vector<int> sorts;
  for (int i = 0; i < d->List()->ColumnCount(); ++i) sorts.push_back(d->List()->GetColumn(i)->nSortType);
  EXPECT_EQ(sorts, (std::vector<int>{1, 6, 3, 3, 1, 3}));
}

// Convoys: the selection follows the convoy, not its place in a vector that
// grows and shrinks under it.
TEST_F(NavalDialogs, ConvoySelectionSurvivesChangesOfTheList) {
  g.game->convoys = new cKonwoje();
  g.game->convoys->Resize(3);
  auto* a = unit_test::AddCity(g, 1, 1, 1, 1, L"Aport");
  auto* b = unit_test::AddCity(g, 5, 5, 1, 1, L"Bport");
  std::vector<sKonwoj>& list = g.game->convoys->convoys[0];
  for (int i = 0; i < 3; ++i) {
    sKonwoj c;
    c.id = 10 + i;
    c.countryId = 1;
    c.departure = a;
    c.destination = b;
    c.value = i;
    c.departurePortSize = 4;
    list.push_back(c);
  }
  country->consts.c163 = 3;
  country->consts.c164 = 2;
  auto* d = new cDialogKonwojow();
  PushDialog(d, 0);
  EXPECT_FALSE(Enabled(*d, cDialogKonwojow::kDelete));
  d->FillList(12);
  ASSERT_NE(d->SelectedConvoy(), nullptr);
  EXPECT_FALSE(Enabled(*d, cDialogKonwojow::kMoveDown));
  EXPECT_EQ(Hint(*d, cDialogKonwojow::kMoveDown), Txt("convoys_movedown_hint_is_bottommost"));

  // Many convoys appended (the vector moves) and the first one erased.
  for (int i = 0; i < 40; ++i) {
    sKonwoj c;
    c.id = 100 + i;
    list.push_back(c);
  }
  list.erase(list.begin());
  sKonwoj* selected = d->SelectedConvoy();
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->id, 12);
  EXPECT_EQ(gSelectedConvoyIndex, 1);

  d->OnEvent(0, cDialogKonwojow::kProduction, nullptr);
  EXPECT_EQ(list[1].kind, kConvoyResources);
  EXPECT_EQ(list[1].value, 12);
  d->OnEvent(0, cDialogKonwojow::kMoveUp, nullptr);
  EXPECT_EQ(list[0].id, 12);
  EXPECT_EQ(Hint(*d, cDialogKonwojow::kMoveUp), Txt("convoys_moveup_hint_is_topmost"));
  d->OnEvent(0, cDialogKonwojow::kDelete, nullptr);
  EXPECT_EQ(d->SelectedConvoy(), nullptr);
  EXPECT_EQ(list[0].id, 11);
  EXPECT_FALSE(Enabled(*d, cDialogKonwojow::kDelete));
}

// Reports: the dialog opens on the general summary; stored reports are
// browsed newest first.
TEST_F(NavalDialogs, ReportsOpenOnTheSummaryAndBrowseStoredReports) {
  country->name = L"Alpha";
  country->productionPoints = 123.0;
  auto* d = new cDialogStatystyk();
  PushDialog(d, 0);
  EXPECT_EQ(d->Kind(), cDialogStatystyk::kGeneralSummary);
  EXPECT_EQ(d->Country(), country);
  EXPECT_GT(Control<CFWListBox>(*d, cDialogStatystyk::kTable, FWCONTROL_LISTBOX)->GetSize(), 0);

  auto pick = [&](int mainTab, int kind) {
    auto* tabs = Control<CFWTabFrame>(*d, cDialogStatystyk::kMainTabs, FWCONTROL_TABFRAME);
    tabs->SetActiveTab(mainTab, false);
    d->OnEvent(0, cDialogStatystyk::kMainTabs, tabs);
    auto* types = Control<CFWListBox>(*d, cDialogStatystyk::kTypes, FWCONTROL_LISTBOX);
    for (int i = 0; i < types->GetSize(); ++i)
      if (reinterpret_cast<intptr_t>(types->GetItem(i)->pData) == kind) types->SelectItem(i, false);
    d->OnEvent(0, cDialogStatystyk::kTypes, types);
  };
  pick(1, 30);
  auto* counter = Control<CFWStatic>(*d, cDialogStatystyk::kCounter, FWCONTROL_STATIC);
  EXPECT_EQ(counter->GetText(), Txt("reports_count_no_reports"));
  EXPECT_FALSE(Enabled(*d, cDialogStatystyk::kSlider));

  cDialogCheatow::AddCheatReport(L"first");
  cDialogCheatow::AddCheatReport(L"second");
  pick(1, 30);
  EXPECT_EQ(counter->GetText(), WFormat(Txt("reports_count").c_str(), 2, 2));
  EXPECT_EQ(Control<CFWMemo>(*d, cDialogStatystyk::kMemo, FWCONTROL_MEMO)->GetText(), L"second");
  EXPECT_TRUE(Enabled(*d, cDialogStatystyk::kSlider));

  // Victory points by country leave out the last country of the vector.
  pick(0, 29);
  auto* sub = Control<CFWTabFrame>(*d, cDialogStatystyk::kSubTabs, FWCONTROL_TABFRAME);
  sub->SetActiveTab(1, false);
  d->OnEvent(0, cDialogStatystyk::kSubTabs, sub);
  EXPECT_EQ(Control<CFWListBox>(*d, cDialogStatystyk::kTable, FWCONTROL_LISTBOX)->GetSize(), 2);
}

// The cheat dialog files each change for every country before it makes it.
TEST_F(NavalDialogs, CheatChangesAreReportedToEveryCountry) {
  country->name = L"Alpha";
  country->productionPoints = 7.9;
  auto* d = new cDialogCheatow();
  PushDialog(d, 0);
  EXPECT_EQ(d->Country(), country);
  EXPECT_TRUE(g.game->reports->reports.empty());  // choosing a country reports nothing
  auto type = [&](int id, const wchar_t* text) {
    Control<CFWEditBox>(*d, id, FWCONTROL_EDITBOX)->SetText(text);
    d->OnEvent(0, id, nullptr);
  };
  type(cDialogCheatow::kProduction, L"2");
  type(cDialogCheatow::kProduction, L"25");
  type(cDialogCheatow::kProduction, L"250");
  EXPECT_DOUBLE_EQ(country->productionPoints, 250.0);
  ASSERT_EQ(g.game->reports->reports.size(), 9u);
  EXPECT_EQ(g.game->reports->reports.front().text, L"Alpha PP changed from 7 to 2 (-5 added)");
  EXPECT_EQ(g.game->reports->reports.back().countryId, 3);
  type(cDialogCheatow::kDiplomacy, L"");
  EXPECT_EQ(country->diplomaticPoints, 0);
  type(cDialogCheatow::kEventId, L"1234");
  EXPECT_EQ(gCheatEventId, 1234);
  d->OnEvent(0, cDialogCheatow::kHuman, nullptr);
  EXPECT_EQ(country->humanControlled, 1);
  EXPECT_EQ(g.game->reports->reports.back().text, L"Alpha controller changed to Human");
  gCheatEventId = 1000;
}

}  // namespace
