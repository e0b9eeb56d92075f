// The computer player's state and turn driver: the phases in their order
// at war and at peace, and the unit lists the state is rebuilt with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ai/ai.h"
#include "support/log_capture.h"
#include "support/unit_fixtures.h"
#include "world/fleet.h"

namespace {

using world_test::GameFixture;

std::vector<std::string>* gPhases = nullptr;
void RecordPhase(const char* phase) { gPhases->push_back(phase); }

class AiTurn : public ::testing::Test {
 protected:
  AiTurn() : g(8, 3, 4) {
    unit_test::LoadShippedStrings();
    for (cPanstwo* c : g.game->countries) c->name = L"C" + std::to_wstring(c->id);
    CreateComputerPlayers(*g.game);
    gPhases = &phases;
    SetAiPhaseObserver(&RecordPhase);
  }
  ~AiTurn() override { SetAiPhaseObserver(nullptr); }
  cAI& Play(int id) {
    g.game->selection.currentCountry = g.game->countries[static_cast<size_t>(id) - 1];
    cAI& ai = *g.game->computerPlayers[static_cast<size_t>(id) - 1];
    ai.PlayTurn();
    return ai;
  }

  GameFixture g;
  std::vector<std::string> phases;
  cLogCapture log;
};

TEST_F(AiTurn, EveryCountryGetsAStateHumanOrNot) {
  g.game->countries[0]->humanControlled = 1;
  CreateComputerPlayers(*g.game);
  ASSERT_EQ(g.game->computerPlayers.size(), 4u);
  for (cAI* ai : g.game->computerPlayers) {
    ASSERT_NE(ai, nullptr);
    EXPECT_EQ(ai->country, nullptr);
  }
}

TEST_F(AiTurn, AtPeaceOnlyPurchasesDeploymentFleetsAndConvoysRun) {
  cAI& ai = Play(2);
  EXPECT_EQ(ai.country, g.game->countries[1]);
  const std::vector<std::string> expected = {
      "ApplyDoNotAttackCities", "DiplomacyActions", "BuildUnitLists", "PurchaseUnits", "DeployLandUnits",
      "DeployAirUnits",         "DeployNewUnits",   "BuildUnitLists", "FleetsActions", "ConvoysActions"};
  EXPECT_EQ(phases, expected);
  EXPECT_TRUE(log.Has(L"[AI] C2: NEW TURN"));
  EXPECT_TRUE(log.Has(L"[AI]: C2 nie ma wojny"));
  EXPECT_LT(log.IndexOf(L"[AI]: C2 - Deploying new units"), log.IndexOf(L"[AI]: Ending turn"));
}

TEST_F(AiTurn, AtWarEveryPhaseRunsInItsOrder) {
  g.SetWar(1, 3);
  Play(1);
  const std::vector<std::string> expected = {
      "ApplyDoNotAttackCities", "DiplomacyActions", "BuildUnitLists", "DeclareWars", "BuildUnitLists",
      "ComputeNodeStrengths", "UpdateFronts", "RateFronts", "AssignCommanders", "Replacements",
      "LandReplacements", "RepairShips", "SavePoorlyDefendedFronts", "PatchFronts", "RebaseAirUnits",
      "ScenarioAirRebase", "PurchaseUnits", "DeployLandUnits", "DeployAirUnits", "DeployNewUnits", "AirFights",
      "PlanMultiDirectionAttacks", "PlanOneSideAttacks", "ComputeNodeStrengths", "UpdateFronts", "RateFronts",
      // No front needs a line of defence.
      // The planning starts from fresh unit lists.
      "AssignOperationalOrders", "BuildUnitLists", "BuildUpInvasionForces", "TacticalAirStrikes", "NavalAirStrikes",
      "ChooseInvasionTarget", "ExecuteOperationalMoves", "MoveUnitsToDefenceLine",
      // No sea transport: the flag is clear.
      // The bombardments always end with fresh unit lists.
      "StrategicBombardments", "BuildUnitLists", "ParatroopsActions", "FleetsActions", "AssignIdleUnitTargets",
      // No idle unit found a target: no second execution of moves.
      "ConvoysActions", "Replacements", "LandReplacements"};
  EXPECT_EQ(phases, expected);
  EXPECT_TRUE(log.Has(L"[AI]: C1 ma wojne"));
  EXPECT_TRUE(log.Has(L"[AI]: C1 - Planning sea transport of units to front..."));
  EXPECT_FALSE(log.Has(L"[AI]: C1 - Calculating line of defence..."));
  const std::vector<std::wstring> markers = {L"bu 1", L"bu 2", L"bu 3", L"bu 4", L"bu 5", L"bu 6",
                                             L"Strategic bombardments", L"Paratroops actions", L"Fleets actions",
                                             L"Convoys actions", L"Units reinforce", L"[AI]: Ending turn"};
  int last = -1;
  for (const std::wstring& m : markers) {
    EXPECT_GT(log.IndexOf(m), last) << WideToUtf8(m);
    last = log.IndexOf(m);
  }
}

TEST_F(AiTurn, SeaTransportRunsOnlyForCountriesThatShipToFronts) {
  g.SetWar(1, 3);
  g.game->countries[0]->ai.transportsUnitsToFrontsBySea = 1;
  Play(1);
  EXPECT_EQ(std::count(phases.begin(), phases.end(), "TransportUnitsToFronts"), 1);
}

TEST_F(AiTurn, ALineOfDefenceIsDrawnOnlyForAThreatenedFront) {
  g.SetWar(1, 3);
  cAI& ai = *g.game->computerPlayers[0];
  for (int state : {0, 3, 1, 2}) {
    ai.fronts.clear();
    ai.fronts.emplace_back();
    ai.fronts.back().state = state;
    EXPECT_EQ(ai.NeedsLineOfDefence(), state == 1 || state == 2) << state;
  }
}

TEST_F(AiTurn, UnitListsSortUnitsByTheirCountrysStanding) {
  // 1 and 2 allies, 1 at war with 3, 4 neutral.
  g.game->countries[0]->alliance = 1;
  g.game->countries[1]->alliance = 4;
  g.SetWar(1, 3);
  auto* own = unit_test::PlaceLand(g, 1, 0, 0);
  auto* allied = unit_test::PlaceLand(g, 2, 1, 0);
  auto* enemy = unit_test::PlaceLand(g, 3, 2, 0);
  // Next to the AI's units, but neither allied nor at war.
  auto* neutral = unit_test::PlaceLand(g, 4, 1, 1);
  auto* aboard = new cJednostkaLadowa();
  aboard->countryId = 1;
  cJednostkaMorska ship;
  aboard->transport = &ship;
  g.game->landUnits.push_back(aboard);
  cJednostkaLotnicza* ownAir = unit_test::PlaceAir(g, 1, 3, 0);
  cJednostkaLotnicza* enemyAir = unit_test::PlaceAir(g, 3, 4, 0);
  auto* ownShip = new cJednostkaMorska();
  ownShip->countryId = 1;
  auto* enemyShip = new cJednostkaMorska();
  enemyShip->countryId = 3;
  g.game->navalUnits.push_back(ownShip);
  g.game->navalUnits.push_back(enemyShip);

  cAI& ai = *g.game->computerPlayers[0];
  ai.country = g.game->countries[0];
  ai.ownLandUnits.push_back(neutral);  // stale contents are dropped
  ai.BuildUnitLists();
  EXPECT_EQ(ai.ownLandUnits, std::list<cJednostkaLadowa*>{own});
  EXPECT_EQ(ai.alliedLandUnits, std::list<cJednostkaLadowa*>{allied});
  EXPECT_EQ(ai.enemyLandUnits, std::list<cJednostkaLadowa*>{enemy});
  EXPECT_EQ(ai.neutralLandUnits, std::list<cJednostkaLadowa*>{neutral});
  EXPECT_EQ(ai.ownAirUnits, std::list<cJednostkaLotnicza*>{ownAir});
  EXPECT_EQ(ai.enemyAirUnits, std::list<cJednostkaLotnicza*>{enemyAir});
  EXPECT_TRUE(ai.alliedAirUnits.empty());
  EXPECT_EQ(ai.ownNavalUnits, std::list<cJednostkaMorska*>{ownShip});
  aboard->transport = nullptr;
}

TEST_F(AiTurn, AStateWithoutACountryToPlayDoesNothing) {
  g.game->selection.currentCountry = nullptr;
  g.game->computerPlayers[0]->PlayTurn();
  EXPECT_TRUE(phases.empty());
}

}  // namespace
