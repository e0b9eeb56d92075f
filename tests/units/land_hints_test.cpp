// The unit panel's hints of a land unit: for each hint, the conditions in
// their order, each failing alone on a unit that passes all the others, with
// the text the panel shows; and the effectiveness breakdown worked by hand.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/string_table.h"
#include "core/text.h"
#include "support/unit_fixtures.h"
#include "units/land_tables.h"
#include "units/unit.h"
#include "world/country.h"

using namespace world_test;
using namespace unit_test;

namespace {

enum eHint { kStrength, kStrategic, kAirborne, kSea, kAmph, kUpgrade, kLevelUp, kAirFight, kBomb, kNuke, kRecon };

struct sHintCase {
  const char* label;
  eHint hint;
  std::function<void(cJednostkaLadowa&, cPanstwo&, GameFixture&)> change;
  bool possible;
  std::function<std::wstring()> text;
};

std::function<std::wstring()> Key(const char* key) {
  return [key] { return Txt(key); };
}

// Country 1 holds the unit's hex (2, 2) and a port next to it at (2, 3);
// the unit passes every check of every hint unless a case changes it.
class LandHints : public ::testing::Test {
 protected:
  LandHints() : g(6, 6, 1) {
    LoadShippedStrings();
    owner = g.game->countries[0];
    owner->name = L"Country 1";
    sConsts& k = owner->consts;
    k.levelUpCostTable[0][0] = 10, k.levelUpCostTable[1][0] = 20, k.levelUpCostTable[0][1] = 25;
    k.levelUpCostTable[0][6] = 12;
    k.c090[0] = 1.0f, k.c090[1] = 1.5f, k.c090[6] = 1.0f;
    k.c148 = 1.0f;
    k.c068[0] = 2, k.c068[6] = 2;
    k.reserveSupplyLevel = 9;  // drops and landings need 9 x 0.66 = 5
    k.initialTurnsSinceDrop = 3;
    k.seaTransportCost[0] = 4, k.seaTransportCost[6] = 4;
    k.amphibiousTransportCost[0] = 6, k.amphibiousTransportCost[6] = 6;
    owner->productionPoints = 100.0;
    owner->strategicMovementPoints = 5;
    owner->seaTransportPoints = 10;
    owner->amphibiousPoints = 10;
    owner->techLevels[0] = 3;  // artillery
    owner->techLevels[1] = 1;  // tanks
    g.hex(2, 2).owner = g.hex(2, 2).controller = 1;
    AddCity(g, 2, 3, 3, 1, L"Port");
  }

  cJednostkaLadowa* Unit() {
    auto* u = new cJednostkaLadowa();
    u->countryId = 1;
    u->SetName(L"Rifles");
    u->SetType(0);
    u->x = u->y = 2;
    u->level = 1;
    u->strength = 80;
    u->actionPoints = u->startingActionPoints = 3;
    u->supply = 6;
    u->turnsWithoutSupply = 0;
    u->supplySourceX = u->supplySourceY = 1;
    u->turnsFromLastParadrop = 3;
    g.hex(2, 2).unit = u;
    g.game->landUnits.push_back(u);
    return u;
  }

  GameFixture g;
  cPanstwo* owner;
};

bool Ask(cJednostkaLadowa& u, eHint h, std::wstring* text) {
  switch (h) {
    case kStrength: return u.GetStrengthIconHint(text);
    case kStrategic: return u.GetStrategicMoveIconHint(text);
    case kAirborne: return u.GetAirborneAssaultIconHint(text);
    case kSea: return u.GetSeaTransportIconHint(text);
    case kAmph: return u.GetAmphibiousTransportIconHint(text);
    case kUpgrade: return u.GetUpgradeHint(text);
    case kLevelUp: return u.GetLevelUpHint(text);
    case kAirFight: return u.GetAirFightIconHint(text);
    case kBomb: return u.GetBombardmentIconHint(text);
    case kNuke: return u.GetNuclearIconHint(text);
    case kRecon: return u.GetReconIconHint(text);
  }
  return false;
}

using U = cJednostkaLadowa;
using C = cPanstwo;
using G = GameFixture;
auto Same = [](U&, C&, G&) {};
auto Airborne = [](U& u, C&, G&) { u.SetType(kTypeAirborne); };

TEST_F(LandHints, EachConditionFailsInTurnWithItsText) {
  const std::vector<sHintCase> cases = {
      // Replacements.
      {"strength: has acted", kStrength, [](U& u, C&, G&) { u.actionPoints = 1; }, false,
       Key("unitpanel_strength_icon_hint_other_action_performed_or_frozen")},
      {"strength: full", kStrength, [](U& u, C&, G&) { u.strength = 100; }, false,
       Key("unitpanel_strength_icon_hint_max_strength")},
      {"strength: supply 0", kStrength, [](U& u, C&, G&) { u.supply = 0; }, false,
       Key("unitpanel_strength_icon_hint_no_supply")},
      {"strength: a turn without supply", kStrength, [](U& u, C&, G&) { u.turnsWithoutSupply = 1; }, false,
       Key("unitpanel_strength_icon_hint_no_supply")},
      {"strength: possible", kStrength, Same, true, Key("unitpanel_strength_icon_hint")},
      // Strategic move: the points are asked first.
      {"strategic: points short, acted too", kStrategic, [](U& u, C& c, G&) { c.strategicMovementPoints = 1; u.actionPoints = 0; },
       false, Key("unitpanel_strategic_move_icon_hint_no_smp")},
      {"strategic: frozen", kStrategic, [](U& u, C&, G&) { u.freezeTime = 2; }, false,
       Key("unitpanel_strategic_move_icon_hint_not_full_ap_or_frozen")},
      {"strategic: no supply source", kStrategic, [](U& u, C&, G&) { u.supplySourceY = -1; }, false,
       Key("unitpanel_strategic_move_icon_hint_no_supply_source_or_peace-time_supply")},
      {"strategic: out of supply", kStrategic, [](U& u, C&, G&) { u.supply = 0; }, false,
       Key("unitpanel_strategic_move_icon_out_of_supply")},
      {"strategic: exactly the cost", kStrategic, [](U&, C& c, G&) { c.strategicMovementPoints = 2; }, true,
       Key("unitpanel_strategic_move_icon_hint")},
      // Airborne assault.
      {"airborne: infantry", kAirborne, Same, false, Key("unitpanel_airborne_assault_icon_hint_not_airborne")},
      {"airborne: has moved", kAirborne, [](U& u, C& c, G& g) { Airborne(u, c, g); u.actionPoints = 2; }, false,
       Key("unitpanel_airborne_assault_hint_not_full_ap_or_frozen")},
      {"airborne: supply below two thirds", kAirborne, [](U& u, C& c, G& g) { Airborne(u, c, g); u.supply = 4; }, false,
       Key("unitpanel_airborne_assault_hint_supply_too_low")},
      {"airborne: one turn from the last drop", kAirborne,
       [](U& u, C& c, G& g) { Airborne(u, c, g); u.turnsFromLastParadrop = 1; }, false,
       [] { return WFormat(Txt("unitpanel_airborne_assault_hint_not_prepared").c_str(), 2); }},
      {"airborne: ready at supply 5", kAirborne, [](U& u, C& c, G& g) { Airborne(u, c, g); u.supply = 5; }, true,
       Key("unitpanel_airborne_assault_icon_hint")},
      // Sea transport.
      {"sea: no port near", kSea, [](U&, C&, G& g) { g.hex(2, 3).controller = 0; }, false,
       Key("unitpanel_sea_transport_icon_hint_not_in_or_near_friendly_port")},
      {"sea: no action points", kSea, [](U& u, C&, G&) { u.actionPoints = 0; }, false,
       Key("unitpanel_sea_transport_hint_not_enough_ap_or_frozen")},
      {"sea: points short", kSea, [](U&, C& c, G&) { c.seaTransportPoints = 3; }, false,
       [] { return WFormat(Txt("unitpanel_sea_transport_icon_hint_not_enough_sea_transport_points").c_str(), 4); }},
      {"sea: moved but still able", kSea, [](U& u, C&, G&) { u.actionPoints = 1; }, true,
       [] { return WFormat(Txt("unitpanel_sea_transport_icon_hint").c_str(), 4); }},
      // Amphibious transport.
      {"amph: frozen", kAmph, [](U& u, C&, G&) { u.freezeTime = 1; }, false,
       Key("unitpanel_amph_transport_hint_not_enough_ap_or_frozen")},
      {"amph: points short", kAmph, [](U&, C& c, G&) { c.amphibiousPoints = 5; }, false,
       [] { return WFormat(Txt("unitpanel_amph_transport_icon_hint_not_enough_sea_invasion_points").c_str(), 6); }},
      {"amph: supply too low", kAmph, [](U& u, C&, G&) { u.supply = 4; }, false,
       Key("unitpanel_amph_transport_icon_hint_not_enough_supply")},
      {"amph: possible", kAmph, Same, true,
       [] { return WFormat(Txt("unitpanel_amph_transport_icon_hint").c_str(), 6); }},
      // Upgrade to corps: 1.5 x (25 - 10) + 8 (its worth) x (1.5 - 1) = 26.5, truncated 26.
      {"upgrade: harbour", kUpgrade, [](U& u, C&, G&) { u.type = kTypeMulberry; }, false,
       Key("unitpanel_upgrade_hint_mulberry")},
      {"upgrade: airborne", kUpgrade, Airborne, false, Key("unitpanel_upgrade_hint_airborne_division")},
      {"upgrade: corps", kUpgrade, [](U& u, C&, G&) { u.SetType(3); }, false, Key("unitpanel_upgrade_hint_already_corp")},
      {"upgrade: hex owned by another", kUpgrade, [](U&, C&, G& g) { g.hex(2, 2).owner = 0; }, false,
       Key("unitpanel_upgrade_hint_not_in_owned_hex")},
      {"upgrade: frozen with full points", kUpgrade, [](U& u, C&, G&) { u.freezeTime = 1; }, false,
       Key("unitpanel_upgrade_hint_not_full_ap_or_frozen")},
      {"upgrade: no points at all", kUpgrade, [](U& u, C&, G&) { u.actionPoints = u.startingActionPoints = 0; }, false,
       Key("unitpanel_upgrade_hint_not_full_ap_or_frozen")},
      {"upgrade: one point short", kUpgrade, [](U&, C& c, G&) { c.productionPoints = 25.0; }, false,
       Key("unitpanel_upgrade_hint_not_enough_pp")},
      {"upgrade: exactly the cost", kUpgrade, [](U&, C& c, G&) { c.productionPoints = 26.0; }, true,
       [] {
         return WFormat(Txt("unitpanel_upgrade_hint").c_str(), cJednostka::GetSubtypeName(0).c_str(),
                        cJednostka::GetSubtypeName(1).c_str(), 26.0);
       }},
      // Level-up: cost 20 - 10 = 10.
      {"level: harbour", kLevelUp, [](U& u, C&, G&) { u.type = kTypeMulberry; }, false,
       Key("unitpanel_levelup_hint_mulberry")},
      {"level: at 5", kLevelUp, [](U& u, C&, G&) { u.level = 5; }, false, Key("unitpanel_levelup_hint_max_level")},
      {"level: armour needs tanks", kLevelUp, [](U& u, C&, G&) { u.SetType(4); }, false,
       [] { return WFormat(Txt("unitpanel_levelup_hint_no_technology").c_str(), Txt("research_tanks").c_str(), 1); }},
      {"level: infantry at the artillery level", kLevelUp, [](U& u, C&, G&) { u.level = 3; }, false,
       [] { return WFormat(Txt("unitpanel_levelup_hint_no_technology").c_str(), Txt("research_artillery").c_str(), 3); }},
      {"level: has moved", kLevelUp, [](U& u, C&, G&) { u.actionPoints = 2; }, false,
       Key("unitpanel_levelup_hint_not_full_ap_or_frozen")},
      {"level: points short", kLevelUp, [](U&, C& c, G&) { c.productionPoints = 9.5; }, false,
       Key("unitpanel_levelup_hint_not_enough_pp")},
      {"level: possible", kLevelUp, Same, true,
       [] { return WFormat(Txt("unitpanel_levelup_icon_hint").c_str(), 10.0); }},
      // Never for land units.
      {"air fight", kAirFight, Same, false, Key("unitpanel_airfight_icon_hint_not_airfighter_unit")},
      {"bombardment", kBomb, Same, false, Key("unitpanel_bombardment_icon_hint_not_bomber_unit")},
      {"nuclear", kNuke, Same, false, Key("unitpanel_nuclear_icon_hint_not_strategic_bomber")},
      {"recon", kRecon, Same, false, Key("unitpanel_recon_icon_hint_not_air_unit")},
  };
  for (const sHintCase& c : cases) {
    SCOPED_TRACE(c.label);
    cJednostkaLadowa* u = Unit();
    c.change(*u, *owner, g);
    std::wstring text = L"untouched";
    EXPECT_EQ(Ask(*u, c.hint, &text), c.possible);
    const std::wstring expected = c.text();
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(text, expected);
    // Without a buffer only the answer comes back.
    EXPECT_EQ(Ask(*u, c.hint, nullptr), c.possible);
    // The next case starts again from a unit and a map that pass.
    g.hex(2, 2).unit = nullptr;
    g.game->landUnits.remove(u);
    delete u;
    g.hex(2, 2).owner = g.hex(2, 2).controller = 1;
    g.hex(2, 3).controller = 1;
    owner->productionPoints = 100.0;
    owner->strategicMovementPoints = 5;
    owner->seaTransportPoints = owner->amphibiousPoints = 10;
  }
}

TEST_F(LandHints, EffectivenessBreakdownByHand) {
  sConsts& k = owner->consts;
  k.c018 = 5;  // per doctrine level
  owner->techLevels[2] = 2;
  k.c137 = 4;  // turns without supply to exhaustion
  cJednostkaLadowa* u = Unit();
  u->turnsWithoutSupply = 1;
  u->shoreBombardmentEffect = 7.0f;
  u->eventsEffect = -3;
  const double supply = land_tables::SupplyEffectiveness(*owner, u->supply) - 100.0;
  // One turn of four is a quarter lost, not the 0 of 1 / 4 in integers.
  EXPECT_EQ(u->GetEffectivenessHint(),
            WFormat(Txt("unitpanel_effectiveness_land_hint").c_str(), 10.0, 0.0, supply, -25.0, -7.0, -3.0));
  EXPECT_NE(u->GetEffectivenessHint().find(L"-25%"), std::wstring::npos);
}

}  // namespace
