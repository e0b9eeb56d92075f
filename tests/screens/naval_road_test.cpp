// The naval and economy screens as a player meets them on the small test
// scenario: a sea battle fought on its screen and checked against the same
// shots fought headless; fleets split, merged and sent to bombard; a convoy
// made and removed; research, a purchase deployed from the units manager,
// the reports browsed and an event fired from the cheat dialog. Every step
// leaves a screenshot.
#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "app/app.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/string_table.h"
#include "dialogs/cheat_dialog.h"
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
  // Places: the carrier on column 3, the line ships from column 13 and 17.
  cJednostkaMorska *adler = Ship(1), *falke = Ship(2), *sperber = Ship(3), *mowe = Ship(6), *boat = Ship(7);
  EXPECT_EQ((std::pair{adler->x, adler->y}), (std::pair{3, 16}));
  EXPECT_EQ((std::pair{falke->x, falke->y}), (std::pair{13, 16}));
  EXPECT_EQ((std::pair{sperber->x, sperber->y}), (std::pair{13, 14}));
  EXPECT_EQ((std::pair{mowe->x, mowe->y}), (std::pair{17, 16}));
  EXPECT_EQ((std::pair{boat->x, boat->y}), (std::pair{17, 14}));
  EXPECT_TRUE(h.Screenshot("01_sea_battle"));

  auto click = [&](int c, int r) {
    const POINT p = BattleCell(h, m, c, r);
    h.Click(p.x, p.y);
  };
  // Sperber moves: selected, then a marked cell of its half.
  click(13, 14);
  EXPECT_EQ(m.Stage(), 1);
  EXPECT_NE(m.Cell(11, 13).marks & cSeaBattleMenu::kMarkMoveTarget, 0u);
  EXPECT_TRUE(h.Screenshot("02_ship_selected"));
  click(11, 13);
  EXPECT_EQ((std::pair{sperber->x, sperber->y}), (std::pair{11, 13}));
  EXPECT_EQ(sperber->exchangeFlag, 1);
  EXPECT_EQ(m.Stage(), 0);
  // Falke fires at Mowe: shooter, target, target again.
  click(13, 16);
  click(17, 16);
  EXPECT_EQ(m.Stage(), 2);
  EXPECT_EQ(battle.secondSideSelection, mowe);
  EXPECT_TRUE(h.Screenshot("03_target_chosen"));
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
  EXPECT_TRUE(h.Screenshot("04_retreat"));
  // The rest to the end by itself; only Close is left.
  h.Key(SDLK_e);
  ASSERT_TRUE(h.WaitFor([&battle] { return battle.finished != 0; }, 3000));
  h.Frames(2);
  EXPECT_TRUE(m.GetControl(cSeaBattleMenu::kClose)->GetEnabled());
  EXPECT_FALSE(m.GetControl(cSeaBattleMenu::kExecuteShot)->GetEnabled());
  EXPECT_TRUE(h.Screenshot("05_battle_over"));
  const std::wstring report = battle.reportText;
  h.Key(SDLK_c);
  worker.join();
  EXPECT_EQ(gCurrentMenu, nullptr);
  EXPECT_EQ(CurrentSeaBattleMenu(), nullptr);
  EXPECT_FLOAT_EQ(gCurrentMapScale, gTargetMapScale);
  gGra->SetState(kStateHumanPlays);
  EXPECT_TRUE(h.Screenshot("06_back_on_the_map"));
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
