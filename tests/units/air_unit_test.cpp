// Air units: ranges and the new turn's action points, the target searches,
// reconnaissance, rebasing, the nuclear strike, level-up and the hints.
#include <gtest/gtest.h>

#include "core/front_end.h"
#include "core/random.h"
#include "core/settings.h"
#include "support/log_capture.h"
#include "support/recording_front_end.h"
#include "support/unit_fixtures.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/hex_map.h"

using namespace world_test;
using namespace unit_test;

namespace {

// Country 1 flies; 2 is at war with it, 3 is its ally, 4 neutral.
class AirUnits : public ::testing::Test {
 protected:
  AirUnits() : g(14, 14, 0) {
    for (int a : {1, 2, 4, 0}) {
      cPanstwo* c = g.AddCountry(a);
      c->name = L"Country " + std::to_wstring(c->id);
      sConsts& k = c->consts;
      k.c008[0] = 2, k.c008[1] = 3, k.c008[2] = 4;     // action points by type
      k.c014[0] = 10, k.c014[1] = 12, k.c014[2] = 16;  // cost and full strength
      k.c047[0] = 4, k.c047[1] = 6, k.c047[2] = 2, k.c047[3] = 3;
      for (int i = 0; i < 5; ++i) k.airRangeTechFactor[i] = 1.0f + 0.5f * static_cast<float>(i);
      k.c145 = 2;  // naval air range
      k.c128 = 10, k.c177[0] = 50, k.c177[1] = 50, k.c177[2] = 50;  // rebase needs supply 5
      k.c080[0] = 0.5f, k.c080[2] = 0.25f, k.c082 = 20;
      k.c059[0] = 3;
      k.nuclearStrike[1] = 1, k.nuclearStrike[2] = 30, k.c175 = 15;
      k.c060 = 6;
      c->techLevels[3] = 1;
    }
    g.SetWar(1, 2);
    g.game->selection.currentCountry = g.game->countries[0];
    for (int y = 0; y < 14; ++y) g.hex(13, y).terrain = kTerrainSea, g.hex(13, y).seaZone = 1;
    g.game->seaGraph.nodes.resize(1);
    g.game->seaGraph.nodes[0].id = 1;
    g.game->seaGraph.nodes[0].name = L"East Sea";
    LoadShippedStrings();
  }
  cPanstwo& Country(int id) { return *g.game->countries[static_cast<size_t>(id) - 1]; }
  cJednostkaLotnicza* Air(int country, int x, int y, int type = kTypeFighter, int strength = 8) {
    cJednostkaLotnicza* u = PlaceAir(g, country, x, y, strength);
    u->SetType(type);
    u->supply = 20;
    u->actionPoints = u->startingActionPoints = 2;
    u->spottedLevel = 6;
    return u;
  }
  // Brute force over the whole map.
  template <class Pred>
  int CountWithin(const cUnit& u, int range, Pred pred) {
    int n = 0;
    for (sHex& h : g.map().hexes)
      if (HexDistance(u.x, u.y, h.x, h.y) <= range && pred(h)) ++n;
    return n;
  }

  GameFixture g;
  LogCapture log;
};

TEST_F(AirUnits, RangesAndActionPointsFollowTypeTechnologyAndSupply) {
  struct sCase {
    int type, tech, operational, rebase, ap;
  };
  const sCase cases[] = {
      {kTypeFighter, 0, 4, 2, 2},  // technology 0 flies as 1
      {kTypeFighter, 1, 4, 2, 2},
      {kTypeFighter, 3, 8, 4, 2},
      {kTypeTacticalBomber, 2, 6, 3, 3},
      {kTypeStrategicBomber, 2, 9, 4, 4},  // truncate(6 x 1.5), truncate(3 x 1.5)
      {kTypeStrategicBomber, 5, 18, 9, 4},
  };
  cJednostkaLotnicza* u = Air(1, 3, 3);
  for (const sCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " tech " << c.tech);
    u->SetType(c.type);
    Country(1).techLevels[3] = c.tech;
    EXPECT_EQ(u->GetOperationalRange(), c.operational);
    EXPECT_EQ(u->GetRebaseRange(), c.rebase);
    u->supply = 7;
    EXPECT_EQ(u->ResetActionPoints(), c.ap);
    EXPECT_EQ(u->startingActionPoints, c.ap);
    EXPECT_EQ(u->GetUnitCost(), static_cast<float>(Country(1).consts.c014[c.type - 20]));
    u->supply = 0;  // no supply, no flight
    EXPECT_EQ(u->ResetActionPoints(), 0);
    EXPECT_EQ(u->startingActionPoints, 0);
  }
}

TEST_F(AirUnits, TargetSearchesCountWhatLiesInRangeEvenAtTheEdge) {
  for (sHex& h : g.map().hexes)
    if (h.IsLand()) h.controller = static_cast<uint8_t>((h.x + h.y) % 3 == 0 ? 2 : 1);
  for (auto [x, y] : {std::pair{0, 0}, {6, 6}, {12, 13}}) {
    SCOPED_TRACE(testing::Message() << x << "," << y);
    cJednostkaLotnicza* u = Air(1, x, y);
    const int range = u->GetOperationalRange();
    auto enemyLand = [](const sHex& h) { return h.IsLand() && h.controller == 2; };
    EXPECT_EQ(u->MarkNuclearTargets(false), CountWithin(*u, range, enemyLand));
    const bool seaInReach = CountWithin(*u, range, [](const sHex& h) { return h.IsSea(); }) > 0;
    EXPECT_EQ(u->MarkReconTargets(false), CountWithin(*u, range, enemyLand) + (seaInReach ? 1 : 0));
    EXPECT_EQ(u->IsSeaNodeInNavalRange(1), CountWithin(*u, 2, [](const sHex& h) { return h.IsSea(); }) > 0);
      u->Kill();
  }

  // Marking: the count and the marks agree.
  cJednostkaLotnicza* u = Air(1, 11, 6);
  const int n = u->MarkReconTargets(true);
  int marked = 0;
  for (const sHex& h : g.map().hexes) marked += (h.marks & kMarkReconLand) != 0 ? 1 : 0;
  EXPECT_EQ(marked + 1, n);
  EXPECT_NE(g.hex(13, 0).marks & kMarkReconSea, 0u);  // the whole node, also out of range
  u->reconDone = 1;
  EXPECT_EQ(u->MarkReconTargets(false), 0);
  u->actionPoints = 0;
  EXPECT_EQ(u->MarkNuclearTargets(false), 0);
}

TEST_F(AirUnits, RebaseDestinationsAreFreeFriendlyLandForAUnitThatHasNotActed) {
  for (sHex& h : g.map().hexes) h.controller = 1;
  g.hex(6, 5).controller = 3;  // the ally's hex counts
  g.hex(5, 5).controller = 2;  // the enemy's does not
  g.hex(7, 7).terrain = kTerrainSea;
  cJednostkaLotnicza* u = Air(1, 6, 6);
  Air(1, 6, 7);  // an occupied hex
  // Rebase range 2: 19 hexes, less the unit's own, the occupied, the
  // enemy's and the sea hex.
  EXPECT_EQ(u->MarkRebaseTargets(false), 15);
  EXPECT_EQ(u->MarkAttackTargets(false), 15);
  EXPECT_NE(g.hex(0, 0).marks & kMarkBit24, 0u);  // fog over the rest of the map
  EXPECT_EQ(g.hex(6, 5).marks & kMarkBit24, 0u);
  EXPECT_NE(g.hex(6, 5).marks & kMarkRebase, 0u);
  EXPECT_EQ(g.hex(5, 5).marks & kMarkRebase, 0u);

  u->supply = 4;  // below 10 x 50 / 100
  EXPECT_EQ(u->MarkRebaseTargets(false), 0);
  u->supply = 5;
  u->AddActionPoints(-1);  // it has acted
  EXPECT_EQ(u->MarkRebaseTargets(false), 0);
}

TEST_F(AirUnits, AirFightAndBombardmentTargetsAreSpottedEnemies) {
  for (sHex& h : g.map().hexes) h.controller = 1;
  cJednostkaLotnicza* u = Air(1, 6, 6);
  cJednostkaLotnicza* enemyAir = Air(2, 8, 6);
  enemyAir->spottedLevel = 3;
  Air(2, 4, 6)->spottedLevel = 2;  // not spotted enough
  Air(3, 6, 8);                   // an ally
  EXPECT_EQ(u->MarkAirFightTargets(true), 1);
  EXPECT_NE(g.hex(8, 6).marks & kMarkAirFight, 0u);

  u->SetType(kTypeTacticalBomber);
  ValuedLandUnit* enemyLand = PlaceLand(g, 2, 7, 4);
  enemyLand->spottedLevel = 4;
  PlaceLand(g, 2, 5, 4)->spottedLevel = 1;
  AddCity(g, 4, 6, kCityRegular, 2, L"Enemy city");
  AddCity(g, 9, 9, kCityRegular, 3, L"Allied city");
  EXPECT_EQ(u->MarkBombardmentTargets(false), 2);
  // Ships at a sea node in naval air range count once, whatever the hexes.
  enemyLand->Kill();
  cJednostkaLotnicza* coast = Air(1, 11, 6, kTypeTacticalBomber);
  g.game->seaGraph.nodes[0].shipCounters[kSpottedEnemyShips][3] = 2;
  EXPECT_EQ(coast->MarkBombardmentTargets(true), 1);
  EXPECT_NE(g.hex(13, 13).marks & kMarkBombardmentSea, 0u);
  coast->actionPoints = 0;
  EXPECT_EQ(coast->MarkBombardmentTargets(false), 0);
}

TEST_F(AirUnits, HintsTellWhatTheUnitMayDoNow) {
  for (sHex& h : g.map().hexes) h.controller = 1;
  cJednostkaLotnicza* u = Air(1, 6, 6);
  std::wstring text;
  auto hint = [&](bool (cJednostkaLotnicza::*fn)(std::wstring*), const char* key, bool possible) {
    SCOPED_TRACE(key);
    EXPECT_EQ((u->*fn)(&text), possible);
    EXPECT_EQ(text, Txt(key));
    EXPECT_EQ((u->*fn)(nullptr), possible);
  };

  // Level-up.
  Country(1).techLevels[3] = 4;
  Country(1).productionPoints = 0.5;
  u->level = 5;
  hint(&cJednostkaLotnicza::GetLevelUpHint, "unitpanel_levelup_hint_max_level", false);
  u->level = 4;
  EXPECT_FALSE(u->GetLevelUpHint(&text));
  EXPECT_EQ(text, WFormat(Txt("unitpanel_levelup_hint_no_technology").c_str(), Txt("research_aircraft").c_str()));
  u->level = 3;
  u->actionPoints = 1;
  hint(&cJednostkaLotnicza::GetLevelUpHint, "unitpanel_levelup_hint_not_full_ap_or_frozen", false);
  u->actionPoints = 2;
  hint(&cJednostkaLotnicza::GetLevelUpHint, "unitpanel_levelup_hint_not_enough_pp", false);
  Country(1).productionPoints = 1.0;
  EXPECT_TRUE(u->GetLevelUpHint(&text));
  // The offer names its price.
  EXPECT_EQ(text, WFormat(Txt("unitpanel_levelup_icon_hint").c_str(), static_cast<double>(u->GetLevelUpCost())));
  EXPECT_NE(text.find(L" 1 "), std::wstring::npos);

  // Replacements.
  u->strength = 10;
  hint(&cJednostkaLotnicza::GetStrengthIconHint, "unitpanel_strength_icon_hint_max_strength", false);
  u->strength = 7;
  hint(&cJednostkaLotnicza::GetStrengthIconHint, "unitpanel_strength_icon_hint", true);
  u->turnsWithoutSupply = 1;
  hint(&cJednostkaLotnicza::GetStrengthIconHint, "unitpanel_strength_icon_hint_no_supply", false);
  u->actionPoints = u->startingActionPoints = 0;
  hint(&cJednostkaLotnicza::GetStrengthIconHint, "unitpanel_strength_icon_hint_other_action_performed_or_no_ap", false);

  // Strategic move.
  hint(&cJednostkaLotnicza::GetStrategicMoveIconHint,
       "unitpanel_strategic_move_icon_hint_no_supply_source_or_peace-time_supply", false);
  u->supplySourceX = u->supplySourceY = 2;
  hint(&cJednostkaLotnicza::GetStrategicMoveIconHint, "unitpanel_strategic_move_icon_out_of_supply", false);
  u->turnsWithoutSupply = 0;
  u->startingActionPoints = 2;
  hint(&cJednostkaLotnicza::GetStrategicMoveIconHint, "unitpanel_strategic_move_icon_hint_not_full_ap_or_frozen",
       false);
  u->actionPoints = 2;
  Country(1).strategicMovementPoints = 2;
  hint(&cJednostkaLotnicza::GetStrategicMoveIconHint, "unitpanel_strategic_move_icon_hint_no_smp", false);
  Country(1).strategicMovementPoints = 3;
  hint(&cJednostkaLotnicza::GetStrategicMoveIconHint, "unitpanel_strategic_move_icon_hint", true);

  // Actions.
  hint(&cJednostkaLotnicza::GetAirFightIconHint, "unitpanel_airfight_icon_hint_no_target", false);
  Air(2, 7, 6);
  hint(&cJednostkaLotnicza::GetAirFightIconHint, "unitpanel_airfight_icon_hint", true);
  hint(&cJednostkaLotnicza::GetBombardmentIconHint, "unitpanel_bombardment_icon_hint_not_bomber_unit", false);
  hint(&cJednostkaLotnicza::GetNuclearIconHint, "unitpanel_nuclear_icon_hint_not_strategic_bomber", false);
  u->SetType(kTypeStrategicBomber);
  hint(&cJednostkaLotnicza::GetAirFightIconHint, "unitpanel_airfight_icon_hint_not_airfighter_unit", false);
  hint(&cJednostkaLotnicza::GetBombardmentIconHint, "unitpanel_bombardment_icon_hint_no_target", false);
  hint(&cJednostkaLotnicza::GetNuclearIconHint, "unitpanel_nuclear_icon_hint_no_nuclear_bomb", false);
  Country(1).nuclearBombs = 1;
  hint(&cJednostkaLotnicza::GetNuclearIconHint, "unitpanel_nuclear_icon_hint_no_target", false);
  g.hex(9, 9).controller = 2;
  hint(&cJednostkaLotnicza::GetNuclearIconHint, "unitpanel_nuclear_icon_hint", true);
  hint(&cJednostkaLotnicza::GetBombardmentIconHint, "unitpanel_bombardment_icon_hint_no_target", false);
  AddCity(g, 9, 9, kCityRegular, 2);
  hint(&cJednostkaLotnicza::GetBombardmentIconHint, "unitpanel_bombardment_icon_hint", true);
  hint(&cJednostkaLotnicza::GetReconIconHint, "unitpanel_recon_icon_hint", true);
  u->reconDone = 1;
  hint(&cJednostkaLotnicza::GetReconIconHint, "unitpanel_recon_icon_hint_already_performed", false);
  u->actionPoints = 0;
  hint(&cJednostkaLotnicza::GetReconIconHint, "unitpanel_recon_icon_hint_not_enough_ap", false);
  hint(&cJednostkaLotnicza::GetAirFightIconHint, "unitpanel_airfight_icon_hint_not_airfighter_unit", false);
  hint(&cJednostkaLotnicza::GetBombardmentIconHint, "unitpanel_bombardment_icon_hint_not_enough_ap_or_frozen", false);
  hint(&cJednostkaLotnicza::GetNuclearIconHint, "unitpanel_nuclear_icon_hint_not_enough_ap_or_frozen", false);
  hint(&cJednostkaLotnicza::GetAirborneAssaultIconHint, "unitpanel_airborne_assault_icon_hint_not_airborne", false);
}

TEST_F(AirUnits, LevelUpCostsTheStepBetweenTwoLevels) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  delayValues[DELAY_AI_REPLACEMENT_BEFORE] = 300;
  delayValues[DELAY_AI_REPLACEMENT_AFTER] = 400;
  Country(1).productionPoints = 10.0;
  cJednostkaLotnicza* u = Air(1, 6, 6, kTypeStrategicBomber);
  u->SetName(L"Lancer");
  // base = 16 x 0.25 = 4; (4 + 20 x 4 x 2 / 100) - (4 + 20 x 4 x 1 / 100) = 0.8
  u->level = 2;
  // In floats, as the rule computes it: 5.6 - 4.8 is a shade under 0.8.
  EXPECT_EQ(u->GetLevelUpCost(), 5.6f - 4.8f);
  EXPECT_TRUE(u->LevelUp());
  EXPECT_EQ(u->level, 3);
  EXPECT_EQ(u->actionPoints, 0);
  EXPECT_NEAR(Country(1).productionPoints, 9.2, 1e-6);

  g.game->selection.showActions = 0;
  u->AiLevelUp();
  EXPECT_EQ(u->level, 4);
  EXPECT_TRUE(log.Has(L"[AI]: Country 1 - upgrading Lancer (level up)"));
  std::vector<int> delays;
  for (const auto& c : fe.calls)
    if (c.name == "Delay") delays.push_back(c.value);
  EXPECT_EQ(delays, (std::vector<int>{300, 400}));
  EXPECT_NEAR(Country(1).productionPoints, 8.4, 1e-5);
  EXPECT_EQ(fe.Count("CenterMapOn"), 0);  // the computer's actions are not shown
}

TEST_F(AirUnits, RebaseMovesTheUnitAndTheComputerShowsItWhenSeen) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  for (int i = 0; i < kDelayCount; ++i) delayValues[static_cast<size_t>(i)] = static_cast<float>(100 * i);
  cJednostkaLotnicza* u = Air(1, 2, 2);
  EXPECT_EQ(u->Rebase(3, 4), &g.hex(3, 4));
  EXPECT_EQ(g.hex(2, 2).unit, nullptr);
  EXPECT_EQ(g.hex(3, 4).unit, u);
  EXPECT_EQ(u->actionPoints, 0);
  EXPECT_EQ(fe.calls.back().text, L"data\\sound\\PlaneFlying.wav");
  EXPECT_EQ(u->Rebase(30, 4), nullptr);
  EXPECT_EQ(g.hex(3, 4).unit, u);

  fe.calls.clear();
  g.game->selection.showActions = 1;
  u->AiRebase(5, 5);
  std::vector<std::pair<std::string, int>> seq;
  for (const auto& c : fe.calls)
    if (c.name == "Delay" || c.name == "CenterMapOn") seq.emplace_back(c.name, c.name == "Delay" ? c.value : c.value * 100 + c.value2);
  const std::vector<std::pair<std::string, int>> want = {
      {"CenterMapOn", 304},
      {"Delay", 100 * DELAY_AI_MOVE_BEFORE},
      {"Delay", 100 * DELAY_AI_MOVE_BETWEEN},
      {"CenterMapOn", 505},
      {"Delay", 100 * DELAY_AI_MOVE_BETWEEN},
      {"Delay", 100 * DELAY_AI_MOVE_AFTER}};
  EXPECT_EQ(seq, want);
  EXPECT_EQ(g.hex(5, 5).unit, u);
  EXPECT_EQ(g.hex(3, 4).unit, nullptr);

  fe.calls.clear();
  u->spottedLevel = 0;  // an unseen unit rebases at once
  u->AiRebase(6, 5);
  EXPECT_EQ(fe.Count("Delay") + fe.Count("CenterMapOn"), 0);
  EXPECT_EQ(g.hex(6, 5).unit, u);
}

TEST_F(AirUnits, TheComputerFindsBasesAndWeakTargets) {
  for (sHex& h : g.map().hexes) h.controller = 1;
  cJednostkaLotnicza* u = Air(1, 2, 2);  // rebase range 2: cities at distance 0 only
  Country(1).techLevels[3] = 5;          // rebase range 6: cities closer than 4
  AddCity(g, 4, 2, kCityRegular, 1);
  AddCity(g, 2, 4, kCityResources, 1);
  AddCity(g, 9, 9, kCityRegular, 1);  // too far
  g.hex(4, 1).unit = u;                // a taken neighbour
  std::vector<sRebaseCandidate> bases;
  u->AiListRebaseBases(bases);
  EXPECT_EQ(bases.size(), 6u);  // the city and five free neighbours
  for (const sRebaseCandidate& b : bases) EXPECT_LE(HexDistance(4, 2, b.x, b.y), 1);
  g.hex(4, 1).unit = nullptr;

  cJednostkaLotnicza* strong = Air(2, 3, 3, kTypeFighter, 9);
  cJednostkaLotnicza* weak = Air(2, 4, 4, kTypeFighter, 3);
  Air(2, 5, 5, kTypeTacticalBomber, 1);  // another type
  Air(3, 2, 5, kTypeFighter, 1);         // not an enemy
  EXPECT_EQ(u->FindWeakestEnemyAirUnitInRange(kTypeFighter), weak);
  weak->strength = 20;
  EXPECT_EQ(u->FindWeakestEnemyAirUnitInRange(kTypeFighter), strong);
  EXPECT_EQ(u->FindWeakestEnemyAirUnitInRange(kTypeStrategicBomber), nullptr);
}

// ---- reconnaissance --------------------------------------------------------------

TEST_F(AirUnits, ReconSpotsUnitsAroundTheTargetUnlessIntercepted) {
  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  for (sHex& h : g.map().hexes) h.controller = 2;
  Country(1).techLevels[3] = 2;  // reach 2 around the target
  cJednostkaLotnicza* u = Air(1, 2, 2);
  ValuedLandUnit* near = PlaceLand(g, 2, 7, 6);
  ValuedLandUnit* edge = PlaceLand(g, 2, 7, 9);
  ValuedLandUnit* far = PlaceLand(g, 2, 7, 10);
  ValuedLandUnit* seen = PlaceLand(g, 2, 6, 6);
  seen->spottedLevel = 5;
  near->spottedLevel = 4;

  sWynikWalki r;
  u->ReconHex(7, 7, r);
  EXPECT_EQ(r.resultCode, sWynikWalki::kRecon);
  EXPECT_EQ(u->actionPoints, 1);
  EXPECT_EQ(u->reconDone, 1);
  EXPECT_EQ(near->spottedLevel, 4);
  EXPECT_EQ(edge->spottedLevel, 3);
  EXPECT_EQ(far->spottedLevel, 0);
  EXPECT_EQ(seen->spottedLevel, 5);
  const std::list<cUnit*>& s = Country(1).airReconSightings;
  EXPECT_EQ(std::vector<cUnit*>(s.begin(), s.end()), (std::vector<cUnit*>{near, edge}));
  EXPECT_EQ(fe.Count("PlaySound"), 1);
  EXPECT_TRUE(log.Has(L"Searching for interceptor finished, no interceptor found"));

  // A strong enemy fighter in reach stops the next flight.
  far->spottedLevel = 0;
  cJednostkaLotnicza* interceptor = Air(2, 8, 8, kTypeFighter, 40);
  interceptor->level = 5;
  u->reconDone = 0;
  for (auto& row : Country(1).consts.airCombatTableA) for (int& v : row) v = 0;
  for (auto& row : Country(1).consts.airCombatTableB) for (int& v : row) v = 3;
  sWynikWalki r2;
  u->ReconHex(7, 8, r2);
  EXPECT_EQ(r2.resultCode, sWynikWalki::kInterception);
  EXPECT_EQ(r2.intercepted, 1);
  EXPECT_EQ(far->spottedLevel, 0);
  EXPECT_EQ(u->actionPoints, 0);
}

TEST(AirRaidInterceptors, TheStrongestFighterAtWarInReachIsFound) {
  GameFixture g(10, 10, 3);
  g.SetWar(1, 2);
  g.SetWar(1, 3);
  for (cPanstwo* c : g.game->countries) {
    c->consts.c047[0] = 3;
    c->consts.airRangeTechFactor[0] = 1.0f;
    c->consts.c060 = 4;  // more than 2 strength needed
  }
  LogCapture log;
  EXPECT_EQ(g.hex(5, 5).FindInterceptor(1), nullptr);
  EXPECT_EQ(log.Lines().back(), L"Searching for interceptor finished, no interceptor found");

  cJednostkaLotnicza* a = PlaceAir(g, 2, 5, 2, 5);   // power 0 + 1 + 5
  cJednostkaLotnicza* b = PlaceAir(g, 3, 6, 6, 5);   // equal: the first stays
  PlaceAir(g, 2, 5, 9, 50);                          // out of range
  PlaceAir(g, 2, 4, 5, 2);                           // too weak
  PlaceAir(g, 1, 5, 4, 50);                          // the attacker's own
  a->SetName(L"A");
  b->SetName(L"B");
  log.Clear();
  EXPECT_EQ(g.hex(5, 5).FindInterceptor(1), a);
  EXPECT_TRUE(log.Has(L"Searching for interceptor while attacking hex (5, 5 / land)"));
  EXPECT_TRUE(log.Has(L"Possible interceptor: B, power: 6"));
  EXPECT_EQ(log.CountContaining(L"best so far"), 1);
  EXPECT_EQ(log.Lines().back(), L"Searching for interceptor finished");
  b->level = 2;
  EXPECT_EQ(g.hex(5, 5).FindInterceptor(1), b);
  // The supply bonus is the scenario's, not the fighter's country's.
  g.game->consts.supplyTable[sConsts::kInterceptionBonusTable][0] = 3;
  g.game->countries[2]->consts.supplyTable[sConsts::kInterceptionBonusTable][0] = 50;
  log.Clear();
  EXPECT_EQ(g.hex(5, 5).FindInterceptor(1), b);
  EXPECT_TRUE(log.Has(L"Possible interceptor: A, power: 9"));
  EXPECT_TRUE(log.Has(L"Possible interceptor: B, power: 10"));
}

// ---- nuclear strike ----------------------------------------------------------------

TEST_F(AirUnits, ANuclearStrikeDestroysUnitsThenCitiesThenRaisesUnrest) {
  // Radius 1 around (6, 6): hexes of countries 2 (at war) and 4 (neutral);
  // country 3 is allied with neither, a fifth country is allied with 2.
  cPanstwo* friendOf2 = g.AddCountry(5);
  friendOf2->name = L"Friend of 2";
  for (sHex& h : g.map().hexes) h.controller = 1;
  g.hex(6, 6).controller = 2;
  g.hex(6, 5).controller = 2;
  g.hex(7, 6).controller = 4;
  g.hex(6, 7).controller = 0;  // nobody's: untouched
  Country(2).socialUnrest = 90.0f;
  Country(4).socialUnrest = 5.0f;
  friendOf2->socialUnrest = 95.0f;
  Country(1).nuclearBombs = 2;

  cJednostkaLotnicza* bomber = Air(1, 6, 5, kTypeStrategicBomber);
  bomber->SetName(L"Bomber");
  ValuedLandUnit* target = PlaceLand(g, 2, 6, 6, 10.0f, L"Guard");
  cJednostkaLotnicza* neutralAir = Air(4, 7, 6);
  neutralAir->SetName(L"Bystander");
  ValuedLandUnit* spared = PlaceLand(g, 2, 6, 7, 10.0f, L"Lucky");
  cMiasto* city = AddCity(g, 6, 6, kCityRegular, 2, L"Target city");
  city->productionPoints = 40.0f;
  Country(1).consts.nuclearStrike[0] = 50;

  cRecordingFrontEnd fe;
  cFrontEndScope scope(&fe);
  sWynikWalki r;
  bomber->NuclearStrike(r, 6, 6);
  (void)target;
  (void)neutralAir;

  EXPECT_EQ(r.resultCode, sWynikWalki::kNuclearStrike);
  EXPECT_EQ(r.attackerCountry, 1);
  EXPECT_EQ(r.defenderCountry, 2);
  EXPECT_EQ(r.defenderDestroyed, 1);
  EXPECT_EQ(g.game->landUnits.size(), 1u);  // only the unit on nobody's hex
  EXPECT_EQ(g.game->landUnits.front(), spared);
  EXPECT_EQ(g.game->airUnits.size(), 1u);  // the bomber itself survives
  EXPECT_EQ(g.game->airUnits.front(), bomber);
  EXPECT_FLOAT_EQ(city->productionPoints, 20.0f);
  EXPECT_EQ(Country(1).nuclearBombs, 1);
  EXPECT_FLOAT_EQ(Country(2).socialUnrest, 100.0f);
  EXPECT_FLOAT_EQ(Country(4).socialUnrest, 35.0f);
  EXPECT_FLOAT_EQ(friendOf2->socialUnrest, 100.0f);
  EXPECT_FLOAT_EQ(Country(1).socialUnrest, 30.0f);  // its own hexes lie in the radius too
  EXPECT_FLOAT_EQ(Country(3).socialUnrest, 15.0f);  // allied with country 1

  // The report keeps the order of the effects.
  const std::wstring& t = r.generalText;
  const std::vector<std::wstring> parts = {
      Txt("report_nuclear_affected_units"),
      L" Guard (Country 2)\n",
      L" Bystander (Country 4)\n",
      Txt("report_nuclear_affected_cities"),
      WFormat(Txt("report_nuclear_on_city_pp_decreased").c_str(), L"Target city", 20.0),
      WFormat(Txt("report_nuclear_social_unrest_results_direct").c_str(), 30),
      L" Country 1\n",
      L" Country 2\n",
      L" Country 4\n",
      WFormat(Txt("report_nuclear_social_unrest_results_allies").c_str(), 15),
      L" Country 3\n",
      L" Friend of 2\n"};
  size_t at = 0;
  for (const std::wstring& p : parts) {
    const size_t found = t.find(p, at);
    ASSERT_NE(found, std::wstring::npos) << WideToUtf8(p) << " after " << at << " in\n" << WideToUtf8(t);
    at = found + p.size();
  }
  EXPECT_EQ(t.find(L"Guard", t.find(L"Guard") + 1), std::wstring::npos);
}

}  // namespace
