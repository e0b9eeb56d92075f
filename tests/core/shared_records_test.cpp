#include "core/shared_records.h"

#include <gtest/gtest.h>

namespace {

void ExpectEmpty(const sWynikWalki& r) {
  EXPECT_EQ(r.resultCode, sWynikWalki::kLandBattle);
  EXPECT_EQ(r.attackerLosses, 0.0f);
  EXPECT_EQ(r.defenderLosses, 0.0f);
  EXPECT_TRUE(r.generalText.empty());
  EXPECT_TRUE(r.lossText.empty());
  EXPECT_TRUE(r.attackerInfo.empty());
  EXPECT_TRUE(r.defenderInfo.empty());
  // No side is named yet; 0 would name "nobody" as a country.
  EXPECT_EQ(r.attackerCountry, -1);
  EXPECT_EQ(r.defenderCountry, -1);
  for (uint8_t flag : {r.attackerDestroyed, r.defenderDestroyed, r.defenderSurrendered, r.defenderRetreated,
                       r.intercepted, r.missionStopped, r.portDamaged, r.cityDamaged, r.shipsHit, r.navalUnitsDestroyed})
    EXPECT_EQ(flag, 0);
}

TEST(CombatResultRecord, StartsEmptyWithNoSidesNamed) { ExpectEmpty(sWynikWalki{}); }

TEST(CombatResultRecord, ClearEmptiesEveryFieldForTheNextFight) {
  sWynikWalki r;
  r.resultCode = sWynikWalki::kCarrierStrikeOnSeaZone;
  r.attackerLosses = 2.5f;
  r.defenderLosses = 1.0f;
  r.generalText = L"Air strike";
  r.lossText = L"Land combat: 1.0\n";
  r.attackerInfo = L"x";
  r.defenderInfo = L"y";
  r.attackerCountry = 3;
  r.defenderCountry = 0;
  r.attackerDestroyed = r.defenderDestroyed = r.defenderSurrendered = r.defenderRetreated = 1;
  r.intercepted = r.missionStopped = r.portDamaged = r.cityDamaged = r.shipsHit = r.navalUnitsDestroyed = 1;
  r.Clear();
  ExpectEmpty(r);
}

TEST(LandAttackRecord, SlotsOutsideTheSixSidesAreIgnored) {
  sAtak a;
  EXPECT_EQ(a.CountAttackers(), 0);
  cJednostka* u = reinterpret_cast<cJednostka*>(&a);  // only compared, never used
  a.SetAttacker(u, 0);
  a.SetAttacker(u, 5);
  a.SetAttacker(u, -1);
  a.SetAttacker(u, 6);
  EXPECT_EQ(a.CountAttackers(), 2);
  a.SetAttacker(nullptr, 0);
  EXPECT_EQ(a.CountAttackers(), 1);
  EXPECT_EQ(a.attackers[5], u);
}

}  // namespace
