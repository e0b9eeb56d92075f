// The naval and economy screens as a player meets them on the small test
// scenario: a sea battle fought on its screen and checked against the same
// shots fought headless; fleets split, merged and sent to bombard; a convoy
// made and removed; research, a purchase deployed from the units manager,
// the reports browsed and an event fired from the cheat dialog. Every step
// leaves a screenshot.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <thread>

#include "app/app.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/string_table.h"
#include "dialogs/cheat_dialog.h"
#include "dialogs/commanders_dialog.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/fleets_dialog.h"
#include "dialogs/purchases_dialog.h"
#include "dialogs/question_dialogs.h"
#include "dialogs/reports_dialog.h"
#include "dialogs/research_dialog.h"
#include "dialogs/units_manager_dialog.h"
#include "events/event_manager.h"
#include "gui/fw_editbox.h"
#include "persistence/load_request.h"
#include "persistence/loader.h"
#include "rules/sea_battle.h"
#include "screens/sea_battle_screen.h"
#include "support/game_road_helpers.h"
#include "support/log_capture.h"
#include "units/unit.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/relations.h"
#include "world/sea_graph.h"

namespace {

using ui_test::cGameUiHarness;

constexpr uint32_t kBattleSeed = 4242;

// A screenshot once the dialogs have faded in.
bool Shot(cGameUiHarness& h, const std::string& step) {
  for (int i = 0; i < 12; ++i) {
    h.Frames(1);
    SDL_Delay(15);
  }
  return h.Screenshot(step);
}

// Pixels of the frame near the colour inside a control of the dialog.
int PixelsOfColour(cDialog& d, int id, uint32_t colour) {
  const CFWControl* c = d.Gui().GetControl(id);
  std::vector<uint32_t> px;
  int w = 0, h = 0;
  if (c == nullptr || !FWGetD3DDevice()->ReadPixels(px, w, h)) return 0;
  const int x0 = d.Gui().m_x + c->m_x, y0 = d.Gui().m_y + c->m_y;
  int n = 0;
  for (int y = std::max(y0, 0); y < std::min(y0 + c->m_height, h); ++y)
    for (int x = std::max(x0, 0); x < std::min(x0 + c->m_width, w); ++x) {
      bool near = true;
      for (int s : {0, 8, 16})
        near &= std::abs(static_cast<int>((px[static_cast<size_t>(y * w + x)] >> s) & 0xFF) -
                         static_cast<int>((colour >> s) & 0xFF)) <= 6;
      n += near ? 1 : 0;
    }
  return n;
}

// The ships of a fleet by its id, in fleet order.
std::vector<cJednostkaMorska*> FleetShips(int fleetId) {
  for (sFlota* f : gGra->fleets)
    if (f->id == fleetId) return {f->ships.begin(), f->ships.end()};
  return {};
}

cJednostkaMorska* Ship(int id) {
  for (cJednostkaMorska* s : gGra->navalUnits)
    if (s->unitId == id) return s;
  return nullptr;
}

// Every ship ready for the first battle turn, the first side to move: what
// the opening stages leave behind when nothing happened in them.
void ReadyForBattle(cSeaBattle& b) {
  for (auto* side : {b.firstSide, b.secondSide})
    for (cJednostkaMorska* s : *side) {
      s->mayFire = 1;
      s->exchangeFlag = 0;
      s->battleMarker = 1;
    }
  b.firstSideMoves = 1;
  b.reportText = L"Sea battle\n";
}

// Nordmark's home fleet against the Sudland squadron, both played by humans.
void MeetFleets() {
  for (int id : {1, 2}) gGra->GetCountry(id)->humanControlled = 1;
  gGra->relations.SetWar(1, 2, true);
  gGra->relations.SetWar(2, 1, true);
}

// The ships' hit points after the battle, by id (sunk ships are missing).
std::map<int, int> Survivors() {
  std::map<int, int> out;
  for (const cJednostkaMorska* s : gGra->navalUnits) out[s->unitId] = s->hitPoints;
  return out;
}

POINT BattleCell(const cGameUiHarness& h, const cSeaBattleMenu& m, int c, int r) {
  const float px = 83.0f * static_cast<float>(c) + 45.0f;
  const float py = 98.0f * static_cast<float>(r) + 49.0f + (c % 2 == 0 ? 49.0f : 0.0f);
  return POINT{static_cast<int>((px - static_cast<float>(m.CurrentX()) + 30.0f) * gCurrentMapScale) + h.Width() / 2,
               static_cast<int>((py - static_cast<float>(m.CurrentY()) + 36.0f) * gCurrentMapScale) + h.Height() / 2};
}

TEST(NavalRoad, ASeaBattleOnItsScreenEndsAsTheSameShotsDoHeadless) {
  cLogCapture log;
  cGameUiHarness h(1024, 768, "naval_battle");
  ui_test::StartSmallScenario(h, {1, 2});
  ASSERT_FALSE(HasFatalFailure());
  MeetFleets();
  std::vector<cJednostkaMorska*> first = FleetShips(1), second = FleetShips(4);
  ASSERT_EQ(first.size(), 3u);
  ASSERT_EQ(second.size(), 2u);

  SeedRandom(kBattleSeed);
  cSeaBattle battle(first, second);
  ReadyForBattle(battle);
  // The worker's part: open the screen under the game lock, wait without it.
  std::thread worker([&battle] {
    FrontEndHandle screen = 0;
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      screen = FrontEnd().OpenSeaBattleScreen(battle, [] {});
    }
    FrontEnd().WaitForSeaBattleScreenClosed(screen, __FILE__, __LINE__);
    if (battle.finished == 0) battle.Finish();
  });
  ASSERT_TRUE(h.WaitFor([] { return CurrentSeaBattleMenu() != nullptr; }));
  cSeaBattleMenu& m = *CurrentSeaBattleMenu();
  EXPECT_EQ(gGra->GetState(), kStateSeaBattleScreen);
  EXPECT_TRUE(log.Has(L"----- Sea Battle Screen -----"));
  // The single shot has a hint of its own, not the whole turn's.
  const std::wstring shotHint = Txt("seabattle_execute_shot_hint");
  EXPECT_FALSE(shotHint.empty());
  EXPECT_EQ(std::wstring(m.GetControl(cSeaBattleMenu::kExecuteShot)->GetHint()), shotHint);
  // Places: the carrier on column 3, the line ships from column 13 and 17.
  cJednostkaMorska *adler = Ship(1), *falke = Ship(2), *sperber = Ship(3), *mowe = Ship(6), *boat = Ship(7);
  EXPECT_EQ((std::pair{adler->x, adler->y}), (std::pair{3, 16}));
  EXPECT_EQ((std::pair{falke->x, falke->y}), (std::pair{13, 16}));
  EXPECT_EQ((std::pair{sperber->x, sperber->y}), (std::pair{13, 14}));
  EXPECT_EQ((std::pair{mowe->x, mowe->y}), (std::pair{17, 16}));
  EXPECT_EQ((std::pair{boat->x, boat->y}), (std::pair{17, 14}));
  EXPECT_TRUE(Shot(h, "01_sea_battle"));

  auto click = [&](int c, int r) {
    const POINT p = BattleCell(h, m, c, r);
    h.Click(p.x, p.y);
  };
  // Sperber moves: selected, then a marked cell of its half.
  click(13, 14);
  EXPECT_EQ(m.Stage(), 1);
  EXPECT_NE(m.Cell(11, 13).marks & cSeaBattleMenu::kMarkMoveTarget, 0u);
  EXPECT_TRUE(Shot(h, "02_ship_selected"));
  click(11, 13);
  EXPECT_EQ((std::pair{sperber->x, sperber->y}), (std::pair{11, 13}));
  EXPECT_EQ(sperber->exchangeFlag, 1);
  EXPECT_EQ(m.Stage(), 0);
  // Falke fires at Mowe: shooter, target, target again.
  click(13, 16);
  click(17, 16);
  EXPECT_EQ(m.Stage(), 2);
  EXPECT_EQ(battle.secondSideSelection, mowe);
  EXPECT_TRUE(Shot(h, "03_target_chosen"));
  click(17, 16);
  EXPECT_EQ(m.Stage(), 0);
  EXPECT_EQ(falke->mayFire, 0);
  // Sudland's turn: the landing boat tries to get away.
  ASSERT_EQ(battle.firstSideMoves, 0);
  click(17, 14);
  EXPECT_TRUE(m.GetControl(cSeaBattleMenu::kRetreat)->GetEnabled());
  h.Key(SDLK_r);
  EXPECT_NE(battle.reportText.find(L"tried to retreat"), std::wstring::npos);
  EXPECT_FALSE(m.GetControl(cSeaBattleMenu::kRetreat)->GetEnabled());
  EXPECT_TRUE(Shot(h, "04_retreat"));
  // The rest to the end by itself; only Close is left.
  h.Key(SDLK_e);
  ASSERT_TRUE(h.WaitFor([&battle] { return battle.finished != 0; }, 3000));
  h.Frames(2);
  EXPECT_TRUE(m.GetControl(cSeaBattleMenu::kClose)->GetEnabled());
  EXPECT_FALSE(m.GetControl(cSeaBattleMenu::kExecuteShot)->GetEnabled());
  EXPECT_TRUE(Shot(h, "05_battle_over"));
  const std::wstring report = battle.reportText;
  h.Key(SDLK_c);
  worker.join();
  EXPECT_EQ(gCurrentMenu, nullptr);
  EXPECT_EQ(CurrentSeaBattleMenu(), nullptr);
  EXPECT_FLOAT_EQ(gCurrentMapScale, gTargetMapScale);
  gGra->SetState(kStateHumanPlays);
  EXPECT_TRUE(Shot(h, "06_back_on_the_map"));
  const std::map<int, int> onScreen = Survivors();

  // The same game headless, the same choices made through the battle alone.
  DestroyGameAndPictures();
  ASSERT_EQ(LoadNewScenario(ScenarioLoadRequest(L"TwoShores1939")), 0);
  MeetFleets();
  first = FleetShips(1);
  second = FleetShips(4);
  SeedRandom(kBattleSeed);
  cSeaBattle headless(first, second);
  ReadyForBattle(headless);
  Ship(3)->mayFire = 0;  // Sperber's move
  Ship(3)->exchangeFlag = 1;
  ASSERT_TRUE(headless.SelectFirstSideShip(2));
  ASSERT_TRUE(headless.SelectSecondSideShip(6));
  headless.Step();
  headless.SelectSecondSideShip(7);
  headless.TryRetreat(*Ship(7));
  for (int guard = 0; guard < 500 && headless.finished == 0 && headless.battleTurnsLeft > 0; ++guard) headless.Step();
  if (headless.finished == 0) headless.Finish();
  EXPECT_EQ(Survivors(), onScreen);
  EXPECT_EQ(headless.reportText, report);
}

}  // namespace

namespace {

using ui_test::cGameUiHarness;

// Clicks the middle of a control of a dialog on the stack.
void ClickControl(cGameUiHarness& h, cDialog& d, int id) {
  CFWControl* c = d.Gui().GetControl(id);
  ASSERT_NE(c, nullptr) << id;
  ASSERT_TRUE(c->GetEnabled()) << id << " is disabled: " << WideToUtf8(c->GetHint() ? c->GetHint() : L"");
  h.Click(d.Gui().m_x + c->m_x + c->m_width / 2, d.Gui().m_y + c->m_y + c->m_height / 2);
}

template <class T>
T* Top() {
  return dynamic_cast<T*>(gCurrentDialog);
}

// The first clickable hex carrying one of the mark bits.
bool MarkedHex(const cGameUiHarness& h, uint32_t bits, sHexPoint& out, sHexPoint skip = {-1, -1}) {
  for (const sHex& hex : gGra->map->hexes)
    if ((hex.marks & bits) != 0 && ui_test::Clickable(h, hex.x, hex.y) && !(hex.x == skip.x && hex.y == skip.y)) {
      out = {hex.x, hex.y};
      return true;
    }
  return false;
}

TEST(NavalRoad, FleetsConvoysResearchPurchasesReportsAndCheats) {
  cLogCapture log;
  cGameUiHarness h(1024, 768, "naval_dialogs");
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  cPanstwo* nordmark = gGra->GetCountry(1);
  ASSERT_EQ(gGra->selection.currentCountry, nordmark);
  nordmark->productionPoints = 500.0;

  // Research: one level invested in artillery.
  h.ClickLayout(kGsResearch);
  auto* research = Top<cDialogResearchu>();
  ASSERT_NE(research, nullptr);
  EXPECT_TRUE(Shot(h, "01_research"));
  const int invested = nordmark->techInvestments[0];
  const float price = research->Price(0);
  ClickControl(h, *research, cDialogResearchu::kInvest);
  EXPECT_EQ(nordmark->techInvestments[0], invested + 1);
  EXPECT_NEAR(nordmark->productionPoints, 500.0 - price, 1e-3);
  h.Key(SDLK_ESCAPE);
  EXPECT_EQ(gCurrentDialog, nullptr);

  // Purchases: an infantry division bought into the reserve.
  h.ClickLayout(kGsPurchases);
  auto* shop = Top<cDialogZakupow>();
  ASSERT_NE(shop, nullptr);
  EXPECT_TRUE(Shot(h, "02_purchases"));
  // The preview is the selected unit's counter, its box in the owner's colour.
  EXPECT_GT(PixelsOfColour(*shop, cDialogZakupow::kImage, nordmark->colors[0]), 300);
  const size_t reserveBefore = gGra->reserve.size();
  ClickControl(h, *shop, cDialogZakupow::kBuy);
  ASSERT_EQ(gGra->reserve.size(), reserveBefore + 1);
  cJednostka* recruit = gGra->reserve.back();
  EXPECT_EQ(recruit->countryId, 1);
  h.Key(SDLK_RIGHT);
  h.Key(SDLK_RIGHT);
  EXPECT_TRUE(Shot(h, "03_purchases_naval"));
  EXPECT_GT(PixelsOfColour(*shop, cDialogZakupow::kImage, nordmark->colors[0]), 300);
  h.Key(SDLK_ESCAPE);
  // The build time has passed.
  recruit->availableInTurns = 0;

  // The units manager deploys it on a marked hex.
  h.ClickLayout(kGsUnitsManager);
  auto* manager = Top<cDialogJednostek>();
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(Shot(h, "04_units_manager_on_map"));
  h.Key(SDLK_d);
  EXPECT_EQ(gUnitsMgrMode, 1);
  CFWListBox* units = manager->List();
  int row = -1;
  for (int i = 0; i < units->GetSize(); ++i)
    if (units->GetItem(i)->pData == recruit) row = i;
  ASSERT_GE(row, 0);
  h.Frames(1);
  ui_test::ClickRowAt(h, units, row);
  ASSERT_EQ(gUnitsMgrSelectedUnit, recruit);
  EXPECT_TRUE(Shot(h, "05_units_manager_to_deploy"));
  ClickControl(h, *manager, cDialogJednostek::kAction);
  EXPECT_FALSE(manager->IsVisible());
  EXPECT_EQ(gGra->selection.mapAction, 1);
  sHexPoint where;
  ASSERT_TRUE(MarkedHex(h, ~0u & ~1u, where));
  ui_test::ClickHex(h, where.x, where.y);
  EXPECT_EQ((std::pair{recruit->x, recruit->y}), (std::pair{where.x, where.y}));
  EXPECT_FALSE(recruit->IsInReserve());
  EXPECT_TRUE(Shot(h, "06_deployed"));
  gUnitsMgrMode = 0;
  while (gCurrentDialog != nullptr) h.Key(SDLK_ESCAPE);

  // Convoys: one made between two picked ports, then removed. Ostmark joins
  // Nordmark's alliance, so that its port is open to Nordmark's convoys.
  gGra->GetCountry(3)->alliance = kAllianceAxis;
  std::vector<sKonwoj>& convoys = gGra->convoys->convoys[0];
  const size_t convoysBefore = convoys.size();
  h.ClickLayout(kGsConvoys);
  auto* convoyDialog = Top<cDialogKonwojow>();
  ASSERT_NE(convoyDialog, nullptr);
  EXPECT_TRUE(Shot(h, "07_convoys"));
  ClickControl(h, *convoyDialog, cDialogKonwojow::kNew);
  EXPECT_FALSE(convoyDialog->IsVisible());
  sHexPoint from, to;
  ASSERT_TRUE(MarkedHex(h, ~0u & ~1u, from));
  ui_test::ClickHex(h, from.x, from.y);
  ASSERT_TRUE(MarkedHex(h, ~0u & ~1u, to, from));
  ui_test::ClickHex(h, to.x, to.y);
  ASSERT_EQ(convoys.size(), convoysBefore + 1);
  EXPECT_TRUE(convoyDialog->IsVisible());
  EXPECT_EQ(gGra->selection.mapAction, 0);
  ASSERT_NE(convoyDialog->SelectedConvoy(), nullptr);
  EXPECT_EQ(convoyDialog->SelectedConvoy()->id, convoys.back().id);
  EXPECT_TRUE(Shot(h, "08_convoy_created"));
  auto* convoyList = convoyDialog->Gui().Get<CFWListBox>(cDialogKonwojow::kList, FWCONTROL_LISTBOX);
  ui_test::ClickRowAt(h, convoyList, static_cast<int>(convoysBefore));
  ASSERT_NE(convoyDialog->SelectedConvoy(), nullptr);
  ClickControl(h, *convoyDialog, cDialogKonwojow::kDelete);
  EXPECT_EQ(convoys.size(), convoysBefore);
  ClickControl(h, *convoyDialog, cDialogKonwojow::kExit);
  EXPECT_EQ(gCurrentDialog, nullptr);

  // The reports: every type of both main tabs.
  h.ClickLayout(kGsReports);
  auto* reports = Top<cDialogStatystyk>();
  ASSERT_NE(reports, nullptr);
  EXPECT_EQ(reports->Kind(), cDialogStatystyk::kGeneralSummary);
  EXPECT_TRUE(Shot(h, "09_reports"));
  auto* mainTabs = reports->Gui().Get<CFWTabFrame>(cDialogStatystyk::kMainTabs, FWCONTROL_TABFRAME);
  auto* types = reports->Gui().Get<CFWListBox>(cDialogStatystyk::kTypes, FWCONTROL_LISTBOX);
  int browsed = 0;
  for (int tab = 0; tab < 2; ++tab) {
    reports->Gui().EnableNonUserEvents(true);
    mainTabs->SetActiveTab(tab, true);
    h.Frames(1);
    for (int i = 0; i < types->GetSize(); ++i) {
      ui_test::ClickRowAt(h, types, i);
      EXPECT_EQ(reports->Kind(), static_cast<int>(reinterpret_cast<intptr_t>(types->GetItem(i)->pData)));
      EXPECT_TRUE(Shot(h, "10_reports_" + std::to_string(tab) + "_" + std::to_string(i)));
      ++browsed;
    }
  }
  EXPECT_EQ(browsed, 20);
  h.Key(SDLK_ESCAPE);

  // The cheat dialog fires event 1 by its id.
  h.Key(SDLK_F12);
  auto* cheat = Top<cDialogCheatow>();
  ASSERT_NE(cheat, nullptr);
  ClickControl(h, *cheat, cDialogCheatow::kEventId);
  for (int i = 0; i < 6; ++i) h.Key(SDLK_BACKSPACE);
  SDL_Event typed{};
  typed.type = SDL_TEXTINPUT;
  typed.text.text[0] = '1';
  cGameUiHarness::Push(typed);
  h.Frames(1);
  EXPECT_EQ(gCheatEventId, 1);
  EXPECT_TRUE(Shot(h, "11_cheat"));
  ClickControl(h, *cheat, cDialogCheatow::kFire);
  EXPECT_EQ(gGra->events->currentEvent.eventID, 1);
  std::vector<sRaport> filed;
  gGra->reports->CollectReports(filed, 1, 30);
  ASSERT_FALSE(filed.empty());
  EXPECT_EQ(filed.back().text, L"Fired event 1");
  ClickControl(h, *cheat, cDialogCheatow::kClose);
  gCheatEventId = 1000;

  // The fleets at Nordmark's home port: a ship split off and merged back,
  // then the fleet sent to bombard.
  const sWezelGrafuMorz* port = gGra->seaGraph.FindNode(3);
  ASSERT_NE(port, nullptr);
  if (ui_test::Clickable(h, port->playerUnitX, port->playerUnitY)) ui_test::ClickHex(h, port->playerUnitX, port->playerUnitY);
  else FrontEnd().ShowFleetsDialog(3);
  h.Frames(1);
  auto* fleets = Top<cDialogFlot>();
  ASSERT_NE(fleets, nullptr);
  EXPECT_TRUE(Shot(h, "12_fleets"));
  auto* fleetList = fleets->Gui().Get<CFWListBox>(cDialogFlot::kFleets, FWCONTROL_LISTBOX);
  auto* shipList = fleets->Gui().Get<CFWListBox>(cDialogFlot::kShips, FWCONTROL_LISTBOX);
  ASSERT_EQ(fleetList->GetSize(), 1);
  ASSERT_EQ(shipList->GetSize(), 3);
  ui_test::ClickRowAt(h, shipList, 2);
  ASSERT_EQ(fleets->SelectedShips().size(), 1u);
  // The one selected ship's commander: the commanders dialog over the
  // hidden fleets dialog, which comes back when it closes.
  ClickControl(h, *fleets, cDialogFlot::kCommander);
  ASSERT_NE(Top<cDialogDowodcow>(), nullptr);
  EXPECT_FALSE(fleets->IsVisible());
  h.Key(SDLK_ESCAPE);
  h.Frames(2);
  ASSERT_EQ(Top<cDialogFlot>(), fleets);
  ASSERT_TRUE(h.WaitFor([fleets] { return fleets->IsVisible(); }, 50));
  ui_test::ClickRowAt(h, shipList, 2);
  ASSERT_EQ(fleets->SelectedShips().size(), 1u);
  cJednostkaMorska* sperber = fleets->SelectedShips()[0];
  ClickControl(h, *fleets, cDialogFlot::kNewFleet);
  ASSERT_EQ(fleetList->GetSize(), 2);
  EXPECT_EQ(fleets->SelectedFleets().size(), 1u);
  EXPECT_TRUE(Shot(h, "13_fleet_split"));
  sFlota* split = sperber->fleet;
  ASSERT_NE(split->id, 1);
  // The new fleet's ship joins the home fleet again.
  for (int i = 0; i < fleetList->GetSize(); ++i)
    if (fleetList->GetItem(i)->pData == split) ui_test::ClickRowAt(h, fleetList, i);
  ASSERT_EQ(fleets->GetSelectedFleet(0), split);
  ClickControl(h, *fleets, cDialogFlot::kMoveGroup);
  ASSERT_NE(Top<cDialogPobraniaListy>(), nullptr);
  EXPECT_TRUE(Shot(h, "14_fleet_merge_choice"));
  h.Key(SDLK_RETURN);
  h.Frames(2);
  ASSERT_EQ(Top<cDialogFlot>(), fleets);
  EXPECT_EQ(fleetList->GetSize(), 1);
  EXPECT_EQ(sperber->fleet->id, 1);
  EXPECT_EQ(sperber->fleet->ships.size(), 3u);
  // The fleet sails out of port to a sea zone it can reach.
  sFlota* home = sperber->fleet;
  ClickControl(h, *fleets, cDialogFlot::kMoveFleet);
  EXPECT_EQ(gGra->selection.mapAction, 13);
  sHexPoint sea;
  ASSERT_TRUE(MarkedHex(h, kMarkFleetReachable, sea));
  ui_test::ClickHex(h, sea.x, sea.y);
  ASSERT_NE(home->seaNode, 3);
  EXPECT_EQ(home->hasMoved, 1);
  while (gCurrentDialog != nullptr) h.Key(SDLK_ESCAPE);
  EXPECT_TRUE(Shot(h, "15_fleet_moved"));
  // A Sudland unit stands on the coast of the zone. The small scenario marks
  // no land hex as the coast of a zone: the one beside the zone's hex is.
  const sWezelGrafuMorz* zone = gGra->seaGraph.FindNode(home->seaNode);
  sHex* shore = nullptr;
  for (sHex& n : gGra->map->hexes)
    if (n.IsLand() && n.unit == nullptr && n.city == nullptr && ui_test::Clickable(h, n.x, n.y) &&
        (shore == nullptr || HexDistance(n.x, n.y, zone->mainX, zone->mainY) <
                                 HexDistance(shore->x, shore->y, zone->mainX, zone->mainY)))
      shore = &n;
  ASSERT_NE(shore, nullptr);
  shore->seaZone = static_cast<uint16_t>(home->seaNode);
  gGra->map->RebuildZoneIndex();
  cJednostka* target = nullptr;
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->countryId == 2) target = u;
  ASSERT_NE(target, nullptr);
  for (const sHexPoint& p : gGra->map->GetCoastalHexesOfZone(home->seaNode)) {
    sHex* n = gGra->map->GetHex(p.x, p.y);
    if (n == nullptr || !n->IsLand() || n->unit != nullptr || n->city != nullptr || !ui_test::Clickable(h, n->x, n->y))
      continue;
    gGra->map->GetHex(target->x, target->y)->unit = nullptr;
    target->x = n->x;
    target->y = n->y;
    n->unit = target;
    target->spottedLevel = 6;
    break;
  }
  ASSERT_EQ(gGra->map->GetHex(target->x, target->y)->unit, target);
  FrontEnd().ShowFleetsDialog(home->seaNode);
  h.Frames(1);
  fleets = Top<cDialogFlot>();
  ASSERT_NE(fleets, nullptr);
  shipList = fleets->Gui().Get<CFWListBox>(cDialogFlot::kShips, FWCONTROL_LISTBOX);
  // Falke bombards it.
  ui_test::ClickRowAt(h, shipList, 1);
  cJednostkaMorska* falke = fleets->GetSelectedShip(0);
  ASSERT_EQ(falke->type, kTypeBattleship);
  EXPECT_TRUE(Shot(h, "16_fleet_bombard_ready"));
  ClickControl(h, *fleets, cDialogFlot::kBombard);
  EXPECT_EQ(gGra->selection.mapAction, 17);
  EXPECT_FALSE(fleets->IsVisible());
  sHexPoint coast;
  ASSERT_TRUE(MarkedHex(h, ~0u & ~1u, coast));
  ui_test::ClickHex(h, coast.x, coast.y);
  EXPECT_EQ(falke->shoreBombardmentDone, 1);
  EXPECT_TRUE(Shot(h, "17_bombarded"));
  while (gCurrentDialog != nullptr && Top<cDialogFlot>() == nullptr) h.Key(SDLK_RETURN);
  ASSERT_TRUE(h.WaitFor([fleets] { return fleets->IsVisible(); }, 50));
  EXPECT_TRUE(Shot(h, "18_fleets_again"));
  h.Key(SDLK_ESCAPE);
  EXPECT_EQ(gCurrentDialog, nullptr);
}

}  // namespace

namespace {

// Every dialog of this work at the large resolution: opened from its button
// or key, wholly on the screen, with a screenshot.
TEST(NavalRoad, TheDialogsAtFullHd) {
  cGameUiHarness h(1920, 1080, "naval_dialogs_1920");
  ui_test::StartSmallScenario(h, {1});
  ASSERT_FALSE(HasFatalFailure());
  struct sOpen {
    const char* name;
    std::function<void()> open;
    int id;
  } opens[] = {
      {"01_research", [&] { h.ClickLayout(kGsResearch); }, cDialogResearchu::kDialogId},
      {"02_purchases", [&] { h.ClickLayout(kGsPurchases); }, cDialogZakupow::kDialogId},
      {"03_units_manager", [&] { h.ClickLayout(kGsUnitsManager); }, kDialogUnitsManager},
      {"04_convoys", [&] { h.ClickLayout(kGsConvoys); }, kDialogConvoys},
      {"05_reports", [&] { h.ClickLayout(kGsReports); }, kDialogReports},
      {"06_cheat", [&] { h.Key(SDLK_F12); }, kDialogCheat},
      {"07_fleets", [&] { FrontEnd().ShowFleetsDialog(3); }, kDialogFleets},
  };
  for (const sOpen& o : opens) {
    o.open();
    h.Frames(1);
    ASSERT_NE(gCurrentDialog, nullptr) << o.name;
    EXPECT_EQ(gCurrentDialog->Id(), o.id) << o.name;
    const CFWControl* frame = gCurrentDialog->Gui().GetControl(o.id);
    ASSERT_NE(frame, nullptr) << o.name;
    EXPECT_GE(frame->m_x, 0) << o.name;
    EXPECT_GE(frame->m_y, 0) << o.name;
    EXPECT_LE(frame->m_x + frame->m_width, h.Width()) << o.name;
    EXPECT_LE(frame->m_y + frame->m_height, h.Height()) << o.name;
    EXPECT_TRUE(Shot(h, o.name));
    // The convoys and cheat dialogs have no keys: their Close buttons close them.
    if (o.id == kDialogConvoys) ClickControl(h, *gCurrentDialog, cDialogKonwojow::kExit);
    else if (o.id == kDialogCheat) ClickControl(h, *gCurrentDialog, cDialogCheatow::kClose);
    else h.Key(SDLK_ESCAPE);
    EXPECT_EQ(gCurrentDialog, nullptr) << o.name;
  }
}

}  // namespace
