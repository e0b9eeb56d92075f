// The sea-battle screen over a small world without a window: where it
// places the ships, and the faults it guards against (a retreat without a
// ship, a target side with no selection, the first frame's scroll).
#include <gtest/gtest.h>

#include "core/game_lock.h"
#include "core/random.h"
#include "dialogs/dialog_stack.h"
#include "rules/sea_battle.h"
#include "screens/sea_battle_screen.h"
#include "support/unit_fixtures.h"
#include "world/fleet.h"
#include "world/map_view.h"

namespace {

using world_test::GameFixture;

class SeaBattleScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    unit_test::LoadShippedStrings();
    CreateGameLock();
    g.game->GetCountry(1)->humanControlled = 1;
    g.game->GetCountry(2)->humanControlled = 1;
    for (int side = 0; side < 2; ++side) {
      auto* f = new sFlota();
      f->id = side + 1;
      f->countryId = side + 1;
      g.game->fleets.push_back(f);
      // 23 line ships and one carrier on the first side, two ships on the second.
      const int count = side == 0 ? 24 : 2;
      for (int i = 0; i < count; ++i) {
        auto* s = new cJednostkaMorska();
        s->unitId = side * 100 + i + 1;
        s->countryId = side + 1;
        s->SetType(side == 0 && i == 5 ? kTypeCarrier : kTypeCruiser);
        s->hitPoints = s->maxHitPoints = 8;
        s->fleet = f;
        s->mayFire = s->battleMarker = 1;
        f->ships.push_back(s);
        g.game->navalUnits.push_back(s);
        (side == 0 ? first : second).push_back(s);
      }
    }
    SeedRandom(7);
    battle = std::make_unique<cSeaBattle>(first, second);
    battle->firstSideMoves = 1;
    gCurrentMenu = screen = new cSeaBattleMenu(*battle);
  }
  void TearDown() override {
    DestroyAllMenus();
    ResetDialogStack();
  }

  GameFixture g{8, 8, 2};
  std::vector<cJednostkaMorska*> first, second;
  std::unique_ptr<cSeaBattle> battle;
  cSeaBattleMenu* screen = nullptr;
};

TEST_F(SeaBattleScreen, ShipsBeyondTheLinePlacesStayOffTheGrid) {
  EXPECT_EQ((std::pair{first[5]->x, first[5]->y}), (std::pair{3, 16}));  // the carrier
  EXPECT_EQ((std::pair{first[0]->x, first[0]->y}), (std::pair{13, 16}));
  EXPECT_EQ((std::pair{first[22]->x, first[22]->y}), (std::pair{13, 22}));  // the 22nd line ship
  EXPECT_EQ((std::pair{first[23]->x, first[23]->y}), (std::pair{-1, -1}));  // the 23rd
  EXPECT_EQ(screen->ShipAt(17, 16), second[0]);
  EXPECT_FLOAT_EQ(gCurrentMapScale, 0.4f);
}

// Retreat is offered only for a ship on the selected cell, and a retreat
// without one changes nothing.
TEST_F(SeaBattleScreen, RetreatNeedsAShipOnTheSelectedCell) {
  screen->ClickCell(13, 16);
  EXPECT_TRUE(screen->GetControl(cSeaBattleMenu::kRetreat)->GetEnabled());
  screen->ClickCell(1, 1);  // empty and no move target
  EXPECT_FALSE(screen->GetControl(cSeaBattleMenu::kRetreat)->GetEnabled());
  const std::wstring before = battle->reportText;
  screen->OnEvent(0x101, cSeaBattleMenu::kRetreat, nullptr);
  EXPECT_EQ(battle->reportText, before);
  EXPECT_EQ(first.size(), 24u);
}

// With no ship chosen on the target side the click chooses one, as when
// the chosen one is a warship.
TEST_F(SeaBattleScreen, AMissingTargetSelectionIsNoTransport) {
  screen->ClickCell(13, 16);
  ASSERT_EQ(screen->Stage(), 1);
  battle->secondSideSelection = nullptr;
  screen->ClickCell(17, 16);
  EXPECT_EQ(screen->Stage(), 2);
  EXPECT_EQ(battle->secondSideSelection, second[0]);
  // An amphibious shooter may not pick a target at all.
  second[1]->SetType(kTypeAmphibious);
  battle->firstSideSelection = second[1];
  screen->ClickCell(17, 14);
  EXPECT_EQ(battle->secondSideSelection, second[0]);
}

// The first frame starts the scroll clocks at its own time: a cursor resting
// on the edge scrolls by one frame's worth, not by the age of the program.
TEST_F(SeaBattleScreen, TheFirstFrameDoesNotJump) {
  const int x = screen->CurrentX();
  screen->OnFrameMove(nullptr, 5000.0, 0.0f);
  EXPECT_EQ(screen->CurrentX(), x);
  screen->OnFrameMove(nullptr, 5000.1, 0.1f);
  // A tenth of a second at the edge: 1000 pixels a second at scale 0.4.
  EXPECT_NE(screen->CurrentX(), x);
  EXPECT_LE(std::abs(screen->CurrentX() - x), 250);
}

}  // namespace
