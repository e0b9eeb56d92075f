// Airborne assault: the drop targets and the drop against the air situation
// over the target hex.
#include <gtest/gtest.h>

#include "core/random.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "world/city.h"

using namespace world_test;
using unit_test::PlaceAir;
using unit_test::PlaceLand;
using unit_test::ValuedLandUnit;

namespace {

float gRatio = -1.0f;
float ScriptedRatio(const cPanstwo&, int, int) { return gRatio; }

uint32_t SeedForDie(int die) {
  for (uint32_t seed = 1;; ++seed) {
    SeedRandom(seed);
    if (RandomInRange(1, 6) == die) return seed;
  }
}

// Country 1 drops; 2 is its ally, 3 its enemy, 4 a neutral.
class Airborne : public ::testing::Test {
 protected:
  Airborne() : g(12, 10, 0), scope(&fe) {
    unit_test::LoadShippedStrings();
    g.AddCountry(1);
    g.AddCountry(1);
    g.AddCountry(2);
    g.AddCountry(0);
    g.SetWar(1, 3);
    g.game->selection.currentCountry = g.game->GetCountry(1);
    cPanstwo& c = *g.game->GetCountry(1);
    c.consts.airRangeTechFactor[0] = 1.5f;
    c.consts.c047[4] = 2;
    const int losses[6] = {0, 10, 33, 50, 66, 80};
    std::copy(losses, losses + 6, g.game->consts.paratroopLosses);
    para = PlaceLand(g, 1, 5, 5, 10.0f, L"Paras");
    para->SetType(kTypeAirborne);
    para->spottedLevel = 6;
    para->actionPoints = 3;
    SetAirSuperiorityRatioSource(&ScriptedRatio);
  }
  ~Airborne() override { SetAirSuperiorityRatioSource(nullptr); }

  GameFixture g;
  cRecordingFrontEnd fe;
  cFrontEndScope scope;
  ValuedLandUnit* para = nullptr;
};

TEST_F(Airborne, DropTargetsAreTheEnterableHexesWithinTheRange) {
  // Range: truncate(1.5 x 2) = 3, 37 hexes with the unit's own.
  g.hex(5, 3).terrain = kTerrainMountain;
  g.hex(6, 6).terrain = kTerrainSea;
  g.hex(4, 5).controller = 4;                          // a neutral's land
  PlaceLand(g, 3, 5, 4)->spottedLevel = 6;             // a seen enemy
  PlaceLand(g, 3, 7, 5)->spottedLevel = 0;             // a hidden one does not close its hex
  g.hex(5, 1).controller = 3;                          // four away
  EXPECT_EQ(para->MarkAirborneAssaultHexes(), 37 - 5);
  EXPECT_EQ(g.hex(5, 2).marks & 4u, 4u);
  EXPECT_EQ(g.hex(7, 5).marks & 4u, 4u);
  EXPECT_EQ(g.hex(5, 2).markValue, -1);
  for (sHexPoint p : {sHexPoint{5, 3}, {6, 6}, {4, 5}, {5, 4}, {5, 5}, {5, 1}, {9, 5}})
    EXPECT_EQ(g.hex(p.x, p.y).marks & 4u, 0u) << p.x << "," << p.y;

  // With a last action point the other mark.
  g.map().ClearMarks(~0u, false);
  para->actionPoints = 1;
  EXPECT_EQ(para->MarkAirborneAssaultHexes(), 32);
  EXPECT_EQ(g.hex(5, 2).marks & (4u | 16u), 16u);
}

TEST_F(Airborne, TheAirSituationModifiesTheActivityDieAndTheActivityGivesTheLosses) {
  struct sCase {
    float ratio;
    int modifier;
    const wchar_t* situation;
  };
  const sCase cases[] = {
      {0.2f, 2, L"The enemy has total air superiority over the target hex.\n"},
      {1.0f / 3.0f, 1, L"The enemy has air superiority over the target hex.\n"},
      {0.49f, 1, L"The enemy has air superiority over the target hex.\n"},
      {0.5f, 0, L"Neither side has air superiority over the target hex.\n"},
      {1.99f, 0, L"Neither side has air superiority over the target hex.\n"},
      {2.0f, -1, L"You have air superiority over the target hex.\n"},
      {2.99f, -1, L"You have air superiority over the target hex.\n"},
      {3.0f, -2, L"You have total air superiority over the target hex.\n"},
  };
  const wchar_t* activityWord[6] = {L"none", L"very low", L"low", L"medium", L"high", L"very high"};
  // Losses 0, 10, 33, 50, 66, 80 by activity.
  const wchar_t* lossWord[6] = {L"none", L"light", L"medium", L"medium", L"high", L"high"};
  for (const sCase& c : cases) {
    for (int die = 1; die <= 6; ++die) {
      SCOPED_TRACE(testing::Message() << c.ratio << " die " << die);
      para->strength = 100;
      para->actionPoints = 3;
      para->Teleport(5, 5);
      g.hex(6, 5).controller = 3;
      gRatio = c.ratio;
      const int activity = std::clamp(die + c.modifier, 1, 6);
      const int losses = g.game->consts.paratroopLosses[activity - 1];
      std::wstring text = L"Before. ";
      int landed = -1;
      SeedRandom(SeedForDie(die));
      EXPECT_TRUE(para->AirborneAssault(6, 5, text, &landed));
      EXPECT_EQ(text, std::wstring(L"Before. ") + c.situation + L"Enemy air activity: " + activityWord[activity - 1] +
                          L"\nParatroop losses: " + lossWord[activity - 1] + L"\nThe troops have landed.");
      EXPECT_EQ(landed, 1);
      EXPECT_EQ(para->strength, 100 - losses);
      EXPECT_EQ(g.hex(6, 5).unit, para);
      EXPECT_EQ(g.hex(5, 5).unit, nullptr);
      EXPECT_EQ(g.hex(6, 5).controller, 1);
      EXPECT_EQ(para->actionPoints, 2);
    }
  }
}

TEST_F(Airborne, ADropThatLeavesNothingEliminatesTheUnitWhereItStood) {
  para->strength = 80;
  gRatio = 0.1f;
  std::wstring text;
  int landed = -1;
  SeedRandom(SeedForDie(5));  // 5 + 2: activity 6, 80 lost
  EXPECT_TRUE(para->AirborneAssault(6, 5, text, &landed));
  EXPECT_EQ(landed, 0);
  EXPECT_EQ(para->strength, 0);
  EXPECT_EQ(g.hex(5, 5).unit, para);
  EXPECT_EQ(g.hex(6, 5).unit, nullptr);
  EXPECT_EQ(para->actionPoints, 3);
  EXPECT_NE(text.find(L"Paratroop losses: high\nThe airborne unit was eliminated."), std::wstring::npos);
}

TEST_F(Airborne, WithoutEnemyAirForcesTheDropAlwaysLandsForOneActionPoint) {
  SetAirSuperiorityRatioSource(nullptr);
  PlaceAir(g, 2, 8, 8);  // an allied fighter is no enemy air defence
  g.hex(7, 5).controller = 2;
  std::wstring text;
  int landed = -1;
  EXPECT_TRUE(para->AirborneAssault(7, 5, text, &landed));
  EXPECT_EQ(text, L"The enemy has no air forces over this hex.\nThe landing was successful.\n");
  EXPECT_EQ(landed, 1);
  EXPECT_EQ(para->strength, 100);
  EXPECT_EQ(para->actionPoints, 2);
  EXPECT_EQ(g.hex(7, 5).unit, para);
  EXPECT_EQ(g.hex(7, 5).controller, 2);  // an ally's hex stays the ally's
  EXPECT_EQ(fe.Count("PlaySound"), 1);

  // Once landed the unit looks around: an unseen enemy near it is seen.
  ValuedLandUnit* enemy = PlaceLand(g, 3, 9, 5);
  enemy->spottedLevel = 0;
  para->spottedLevel = 0;  // unseen paratroopers jump without the sound
  EXPECT_TRUE(para->AirborneAssault(8, 5, text, nullptr));
  EXPECT_EQ(enemy->spottedLevel, 6);
  EXPECT_EQ(para->contactFlag, 1);
  EXPECT_EQ(fe.Count("PlaySound"), 1);
}

TEST_F(Airborne, AHexTakenByAHiddenUnitIsRefusedAndNothingChanges) {
  ValuedLandUnit* hidden = PlaceLand(g, 3, 6, 5);
  hidden->spottedLevel = 0;
  std::wstring text;
  int landed = -1;
  EXPECT_FALSE(para->AirborneAssault(6, 5, text, &landed));
  EXPECT_FALSE(para->AirborneAssault(20, 5, text, &landed));
  EXPECT_EQ(landed, 1);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(g.hex(6, 5).unit, hidden);
  EXPECT_EQ(g.hex(5, 5).unit, para);
  EXPECT_EQ(para->actionPoints, 3);
}

}  // namespace
