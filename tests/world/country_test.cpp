// Countries: alliance and orientation queries, display names, name parts,
// points, textures and their ownership, the computer-player parameters.
#include "world/country.h"

#include <gtest/gtest.h>

#include "core/front_end.h"
#include "support/recording_front_end.h"
#include "support/temp_dir.h"
#include "support/unit_fixtures.h"
#include "world/city.h"
#include "world_test_support.h"

using namespace world_test;
using unit_test::LoadShippedStrings;

namespace {

// Runs a test inside a folder of its own holding the picture files.
class InFolder {
 public:
  InFolder() : dir_("country"), before_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.Path());
  }
  ~InFolder() { std::filesystem::current_path(before_); }
  void Picture(const std::string& path) const { dir_.Write(path, "png"); }

 private:
  cTempDir dir_;
  std::filesystem::path before_;
};

// A recording front end whose texture loads fail for file names holding "bad".
class PickyFrontEnd : public cRecordingFrontEnd {
 public:
  FrontEndHandle LoadTexture(const std::wstring& file, int kind, int mode) override {
    const FrontEndHandle h = cRecordingFrontEnd::LoadTexture(file, kind, mode);
    return file.find(L"bad") != std::wstring::npos ? 0 : h;
  }
  int MaxTextureWidth() override { return maxTextureWidth; }
  int maxTextureWidth = 4096;
};

using FrontEndScope = cFrontEndScope;

// ---- alliance and orientation --------------------------------------------

TEST(CountryAlliance, AlliesShareOneOfTheThreeSides) {
  GameFixture g(1, 1);
  cPanstwo* neutral = g.AddCountry(0);
  cPanstwo* member = g.AddCountry(1);
  cPanstwo* leader = g.AddCountry(4);
  cPanstwo* axis = g.AddCountry(2);
  cPanstwo* axisLeader = g.AddCountry(5);
  cPanstwo* comintern = g.AddCountry(3);
  EXPECT_FALSE(neutral->IsAlly(neutral->id));
  EXPECT_TRUE(leader->IsAlly(member->id));
  EXPECT_TRUE(member->IsAlly(leader->id));
  EXPECT_TRUE(member->IsAlly(member->id));
  EXPECT_TRUE(axis->IsAlly(axisLeader->id));
  EXPECT_FALSE(axis->IsAlly(member->id));
  EXPECT_FALSE(comintern->IsAlly(leader->id));
  EXPECT_FALSE(member->IsAlly(neutral->id));
}

TEST(CountryAlliance, MembershipFoldsLeadersAndMembers) {
  GameFixture g(1, 1);
  cPanstwo* neutral = g.AddCountry(0);
  cPanstwo* member = g.AddCountry(1);
  cPanstwo* leader = g.AddCountry(4);
  cPanstwo* axis = g.AddCountry(2);
  EXPECT_TRUE(member->IsInAlliance(4));
  EXPECT_TRUE(member->IsInAlliance(1));
  EXPECT_TRUE(leader->IsInAlliance(1));
  EXPECT_FALSE(member->IsInAlliance(2));
  EXPECT_TRUE(axis->IsInAlliance(5));
  for (int code = 0; code <= 6; ++code) EXPECT_FALSE(neutral->IsInAlliance(code)) << code;
  EXPECT_TRUE(member->IsInAnyAlliance());
  EXPECT_TRUE(leader->IsInAnyAlliance());
  EXPECT_FALSE(neutral->IsInAnyAlliance());

  const int groups[8] = {4, 2, 1, 3, 2, 1, 3, 4};
  for (int code = 0; code <= 7; ++code) {
    cPanstwo c;
    c.alliance = code;
    EXPECT_EQ(c.GetAllianceGroup(), groups[code]) << code;
  }
}

TEST(CountryAlliance, OrientationPairs) {
  auto with = [](int orientation, int zone = 0) {
    cPanstwo c;
    c.orientation = orientation;
    c.zoneOfInfluence = zone;
    return c;
  };
  EXPECT_TRUE(with(0).HasSameOrientationAs(with(3)));
  EXPECT_TRUE(with(4).HasSameOrientationAs(with(1)));
  EXPECT_TRUE(with(5).HasSameOrientationAs(with(2)));
  EXPECT_FALSE(with(0).HasSameOrientationAs(with(1)));
  EXPECT_FALSE(with(6).HasSameOrientationAs(with(6)));
  EXPECT_TRUE(with(3, 1).OrientationMatchesZoneOfInfluence());
  EXPECT_TRUE(with(1, 2).OrientationMatchesZoneOfInfluence());
  EXPECT_TRUE(with(5, 3).OrientationMatchesZoneOfInfluence());
  EXPECT_FALSE(with(2, 1).OrientationMatchesZoneOfInfluence());
  EXPECT_FALSE(with(0, 0).OrientationMatchesZoneOfInfluence());
  EXPECT_EQ(with(3).GetTargetAlliance(), 1);
  EXPECT_EQ(with(4).GetTargetAlliance(), 2);
  EXPECT_EQ(with(2).GetTargetAlliance(), 3);
}

TEST(CountryAlliance, WarWithCountriesAndWithNobody) {
  GameFixture g(1, 1);
  cPanstwo* a = g.AddCountry(1);
  cPanstwo* b = g.AddCountry(2);
  cPanstwo* c = g.AddCountry(0);
  EXPECT_FALSE(a->IsAtWarWithAnyone());
  g.SetWar(a->id, b->id);
  EXPECT_TRUE(a->IsAtWarWith(b->id));
  EXPECT_TRUE(b->IsAtWarWith(a->id));
  EXPECT_FALSE(a->IsAtWarWith(c->id));
  EXPECT_FALSE(a->IsAtWarWith(0));
  EXPECT_TRUE(a->IsAtWarWithAnyone());
  EXPECT_FALSE(c->IsAtWarWithAnyone());
}

TEST(CountryAlliance, NobodyIsNobodysAlly) {
  GameFixture g(1, 1);
  EXPECT_FALSE(g.AddCountry(1)->IsAlly(0));
  EXPECT_FALSE(g.AddCountry(0)->IsAlly(0));
  // An id past the last country names no country, so no ally either.
  EXPECT_FALSE(g.game->countries[0]->IsAlly(3));
}

TEST(CountryAllianceDeathTest, NegativeCountryIdInTheAllianceTestIsFatal) {
  EXPECT_EXIT(
      {
        LogToStderr();
        GameFixture g(1, 1);
        g.AddCountry(1)->IsAlly(-1);
      },
      ::testing::ExitedWithCode(1), "ERROR: Country ID parameter was 0 while checking alliance!");
}

TEST(CountryAllianceDeathTest, UnknownOrientationHasNoTargetAlliance) {
  LoadShippedStrings();
  EXPECT_EXIT(
      {
        LogToStderr();
        cPanstwo c;
        c.orientation = 6;
        c.GetTargetAlliance();
      },
      ::testing::ExitedWithCode(1), "Error in returning target alliance: orientation not specified");
}

// ---- names ---------------------------------------------------------------

TEST(CountryNames, AllianceOrientationRegimeAndZoneNames) {
  LoadShippedStrings();
  cPanstwo c;
  std::wstring s;
  const wchar_t* alliances[][2] = {{L"neutral countries", L"Neutral countries"}, {L"allies", L"Allies"},
                                   {L"axis", L"Axis"},          {L"comintern", L"Comintern"},
                                   {L"allies", L"Allies"},      {L"axis", L"Axis"},
                                   {L"comintern", L"Comintern"}, {L"neutral countries", L"Neutral countries"}};
  for (int code = 0; code <= 7; ++code) {
    c.alliance = code;
    c.GetAllianceDisplayName(s, false);
    EXPECT_EQ(s, alliances[code][0]) << code;
    c.GetAllianceDisplayName(s, true);
    EXPECT_EQ(s, alliances[code][1]) << code;
  }
  const wchar_t* regimes[][2] = {{L"firm democracy", L"Firm democracy"}, {L"nationalist regime", L"Nationalist regime"},
                                 {L"communist regime", L"Communist regime"}, {L"pro-allied", L"Pro-allied"},
                                 {L"pro-axis", L"Pro-axis"}, {L"pro-communist", L"Pro-communist"}};
  const wchar_t* sides[] = {L"allies", L"axis", L"comintern", L"allies", L"axis", L"comintern"};
  for (int o = 0; o <= 5; ++o) {
    c.orientation = o;
    c.GetRegimeName(s, false);
    EXPECT_EQ(s, regimes[o][0]);
    c.GetRegimeName(s, true);
    EXPECT_EQ(s, regimes[o][1]);
    c.FormatOrientationAllianceName(s, false);
    EXPECT_EQ(s, sides[o]);
  }
  c.orientation = 6;
  c.FormatOrientationAllianceName(s, false);
  EXPECT_EQ(s, L"hey, error!");
  s = L"kept";
  c.GetRegimeName(s, false);
  EXPECT_EQ(s, L"kept");

  const wchar_t* zones[][2] = {{L"none", L"None"}, {L"allied", L"Allied"}, {L"axis", L"Axis"}, {L"comintern", L"Comintern"}};
  for (int z = 0; z <= 3; ++z) {
    c.zoneOfInfluence = z;
    c.GetZoneOfInfluenceName(s, z % 2 == 1);
    EXPECT_EQ(s, zones[z][z % 2]);
  }
  c.zoneOfInfluence = 4;
  s = L"kept";
  c.GetZoneOfInfluenceName(s, false);
  EXPECT_EQ(s, L"kept");
}

TEST(CountryNames, NamePartsByUnitType) {
  cPanstwo c;
  const int keys[] = {0, 1, 2, 3, 4, 5, 6, 20, 21, 22, 40, 41, 42, 43, 44, 45, 60};
  for (int slot = 0; slot < cPanstwo::kNamePartSlots; ++slot) {
    EXPECT_EQ(c.GetNamePart(keys[slot]), nullptr);
    c.SetNamePart(slot, L"T" + std::to_wstring(keys[slot]));
  }
  for (int key : keys) EXPECT_STREQ(c.GetNamePart(key), (L"T" + std::to_wstring(key)).c_str());
  EXPECT_STREQ(c.GetNamePart(60), L"T60");
  for (int key : {7, 19, 23, 39, 46, 59, 61, -1}) EXPECT_STREQ(c.GetNamePart(key), L"Unknown") << key;
  c.SetNamePart(17, L"ignored");
  c.SetNamePart(-1, L"ignored");
  EXPECT_STREQ(c.GetNamePart(60), L"T60");
}

TEST(CountryNames, NamesAreCutToTheirBuffer) {
  InFolder folder;
  cPanstwo c;
  c.SetGraphicsNames(std::wstring(150, L'n'));
  EXPECT_EQ(c.name.size(), cPanstwo::kMaxNameLength);
  EXPECT_EQ(c.skinName, c.name);
  c.SetSecondGraphicsName(L"Other");
  EXPECT_EQ(c.skinName, L"Other");
  EXPECT_EQ(c.name.size(), cPanstwo::kMaxNameLength);
}

// ---- record, copy and textures -------------------------------------------

TEST(CountryRecord, NewCountryHasNoStoredView) {
  cPanstwo c;
  float x = 1, y = 1, scale = 1;
  c.GetCameraView(x, y, scale);
  EXPECT_EQ(x, 0.0f);
  EXPECT_EQ(y, 0.0f);
  EXPECT_EQ(scale, -100.0f);
  c.StoreCameraView(830, 392, 0.5f);
  c.GetCameraView(x, y, scale);
  EXPECT_EQ(x, 830.0f);
  EXPECT_EQ(y, 392.0f);
  EXPECT_EQ(scale, 0.5f);
  EXPECT_EQ(c.ai.maxFrontsForSeaInvasion, 2);
  EXPECT_EQ(c.ai.currentSeaInvasionTarget, -1);
  EXPECT_EQ(c.ai.newUnitPurchaseData[2].first, 99);
  EXPECT_EQ(c.ai.newUnitPurchaseData[2].second, -1.0f);
  EXPECT_EQ(c.ai.carrierTargetsPriorities[8], 10);
  EXPECT_EQ(c.ai.minRatioToPatchFront, 2.5f);
}

TEST(CountryRecord, CopyKeepsEveryFieldAndTheListsApart) {
  cPanstwo c;
  c.id = 3;
  c.name = L"Ruritania";
  c.techLevels[6] = 2;
  c.colors[3] = 0xFF00FF00u;
  c.productionPoints = 12.5;
  c.doctrineMonths[4] = 30;
  c.ai.shoreBombardmentSingleUse[0] = 0.25f;
  c.ai.shoreBombardmentSingleUse[1] = 0.75f;
  c.ai.purchaseQueue = {1, 2, 3};
  c.airAttackReports = {L"report"};
  c.SetNamePart(16, L"Harbour %i");
  c.consts.turnsPerMonth[5] = 4;
  c.StoreCameraView(1, 2, 3);
  cPanstwo copy(c);
  EXPECT_EQ(copy.id, 3);
  EXPECT_EQ(copy.name, L"Ruritania");
  EXPECT_EQ(copy.techLevels[6], 2);
  EXPECT_EQ(copy.colors[3], 0xFF00FF00u);
  EXPECT_EQ(copy.productionPoints, 12.5);
  EXPECT_EQ(copy.doctrineMonths[4], 30);
  EXPECT_EQ(copy.ai.shoreBombardmentSingleUse[0], 0.25f);
  EXPECT_EQ(copy.ai.shoreBombardmentSingleUse[1], 0.75f);
  EXPECT_EQ(copy.consts.turnsPerMonth[5], 4);
  EXPECT_EQ(copy.cameraScale, 3.0f);
  EXPECT_STREQ(copy.GetNamePart(60), L"Harbour %i");
  c.ai.purchaseQueue.push_back(4);
  c.SetNamePart(16, L"changed");
  EXPECT_EQ(copy.ai.purchaseQueue.size(), 3u);
  EXPECT_STREQ(copy.GetNamePart(60), L"Harbour %i");
}

TEST(CountryRecord, EachTextureBelongsToOneCountry) {
  InFolder folder;
  folder.Picture("data/gfx/Flags/Ruritania.png");
  cRecordingFrontEnd fe;
  FrontEndScope scope(&fe);
  GameFixture g(1, 1);
  g.game->textures[cGra::kDefaultFlagTexture] = 555;
  FrontEndHandle flag = 0;
  {
    cPanstwo record;
    record.name = L"Ruritania";
    record.LoadFlagTexture(L"Nowhere");
    flag = record.GetFlagTexture();
    ASSERT_NE(flag, 0);
    ASSERT_NE(flag, 555);
    {
      cPanstwo copy(record);
      EXPECT_EQ(copy.GetFlagTexture(), 555);  // the default flag, not the record's
    }
    EXPECT_TRUE(fe.releasedTextures.empty());
    cPanstwo* stored = new cPanstwo(std::move(record));
    EXPECT_EQ(stored->GetFlagTexture(), flag);
    EXPECT_EQ(record.GetFlagTexture(), 555);
    g.game->countries.push_back(stored);
  }
  // The temporary released nothing; the stored country releases its flag
  // once, when the game ends.
  EXPECT_TRUE(fe.releasedTextures.empty());
  g.game->textures[cGra::kDefaultFlagTexture] = 0;
  DestroyGame();
  EXPECT_EQ(fe.releasedTextures, (std::vector<FrontEndHandle>{flag}));
}

TEST(CountryRecord, UnitsTextureFromTheSkinFolder) {
  InFolder folder;
  folder.Picture("data/gfx/[UnitsSkin]Counters/units_Ruritania.png");
  folder.Picture("data/gfx/[UnitsSkin]Counters/units_Graustark.png");
  PickyFrontEnd fe;
  FrontEndScope scope(&fe);
  cPanstwo c;
  c.SetGraphicsNames(L"Ruritania");
  ASSERT_EQ(fe.Count("LoadTexture"), 1);
  EXPECT_EQ(fe.calls.back().text, L"data\\gfx\\[UnitsSkin]Counters\\units_Ruritania.png");
  EXPECT_EQ(fe.calls.back().value, 3);
  const FrontEndHandle first = c.GetUnitsTexture();
  EXPECT_NE(first, 0);
  // The second graphics name picks another sheet; the old one is released.
  fe.maxTextureWidth = 1024;
  c.SetSecondGraphicsName(L"Graustark");
  EXPECT_EQ(fe.calls.back().text, L"data\\gfx\\[UnitsSkin]Counters\\units_Graustark.png");
  EXPECT_EQ(fe.calls.back().value, 1);
  EXPECT_EQ(fe.releasedTextures, (std::vector<FrontEndHandle>{first}));
  // No file: no texture.
  c.SetSecondGraphicsName(L"Nowhere");
  EXPECT_EQ(c.GetUnitsTexture(), 0);
  EXPECT_EQ(fe.Count("LoadTexture"), 2);
}

TEST(CountryRecord, FlagFromTheScenarioThenTheCommonFolder) {
  InFolder folder;
  folder.Picture("data/scenarios/Spring/Flags/Ruritania.png");
  folder.Picture("data/gfx/Flags/Ruritania.png");
  folder.Picture("data/scenarios/Spring/Flags/badland.png");
  folder.Picture("data/gfx/Flags/badland.png");
  PickyFrontEnd fe;
  FrontEndScope scope(&fe);
  cPanstwo c;
  c.name = L"Ruritania";
  c.LoadFlagTexture(L"Spring");
  EXPECT_EQ(fe.calls.back().text, L"data\\scenarios\\Spring\\Flags\\Ruritania.png");
  EXPECT_EQ(fe.calls.back().value, 1);
  c.LoadFlagTexture(L"Autumn");
  EXPECT_EQ(fe.calls.back().text, L"data\\gfx\\Flags\\Ruritania.png");
  EXPECT_EQ(fe.releasedTextures.size(), 1u);
  // A scenario flag that does not load falls back to the common one, which
  // here fails too: no flag.
  c.name = L"badland";
  c.LoadFlagTexture(L"Spring");
  EXPECT_EQ(fe.Count("LoadTexture"), 4);
  EXPECT_EQ(c.GetFlagTexture(), 0);
}

// ---- points and parameters -----------------------------------------------

TEST(CountryPoints, ChangesAddWithoutBoundsAndRefreshTheBar) {
  cRecordingFrontEnd fe;
  FrontEndScope scope(&fe);
  cPanstwo c;
  c.ChangeProductionPoints(10.5);
  c.ChangeProductionPoints(-20.0);
  c.ChangeDiplomaticPoints(-3);
  c.ChangeSMP(4);
  c.ChangeSTP(-7);
  c.ChangeAIP(2);
  EXPECT_EQ(c.productionPoints, -9.5);
  EXPECT_EQ(c.diplomaticPoints, -3);
  EXPECT_EQ(c.strategicMovementPoints, 4);
  EXPECT_EQ(c.seaTransportPoints, -7);
  EXPECT_EQ(c.amphibiousPoints, 2);
  EXPECT_EQ(fe.Count("RefreshInfoPanel"), 6);
}

TEST(CountryParameters, PatrolPairsGarrisonsAndCitiesNotToAttack) {
  cPanstwo c;
  c.ai.seaZonesToPatrol = {{4, 1}, {7, 2}, {4, 9}};
  EXPECT_EQ(c.FindListPairValue(4), 1);
  EXPECT_EQ(c.FindListPairValue(7), 2);
  EXPECT_EQ(c.FindListPairValue(5), 0);

  cMiasto a, b, d;
  a.x = 1, a.y = 2;
  b.x = 3, b.y = 4;
  d.x = 1, d.y = 2;
  c.ai.extraCitiesToGarrison = {&b};
  EXPECT_TRUE(c.IsExtraCityToGarrison(&b));
  EXPECT_FALSE(c.IsExtraCityToGarrison(&a));

  c.ai.doNotAttackCities = {&b, &a, &d, &a};
  c.RemoveDoNotAttackCity(9, 9);
  EXPECT_EQ(c.ai.doNotAttackCities.size(), 4u);
  // The first city at (1, 2) is a; every entry of a goes, d stays.
  c.RemoveDoNotAttackCity(1, 2);
  EXPECT_EQ(c.ai.doNotAttackCities, (std::list<cMiasto*>{&b, &d}));
}

TEST(CountryUnits, AllAirUnitsKilledAndFrozenUnitsRefrozen) {
  GameFixture g(1, 1);
  cPanstwo* a = g.AddCountry(1);
  cPanstwo* b = g.AddCountry(2);
  int deaths = 0;
  for (int i = 0; i < 3; ++i) g.game->airUnits.push_back(new TestAirUnit(a->id, 10 + i, 0, &deaths));
  g.game->airUnits.insert(std::next(g.game->airUnits.begin()), new TestAirUnit(b->id, 20, 0, &deaths));
  a->KillAllAirUnits();
  EXPECT_EQ(deaths, 3);
  ASSERT_EQ(g.game->airUnits.size(), 1u);
  EXPECT_EQ(g.game->airUnits.front()->countryId, b->id);
  a->KillAllAirUnits();
  EXPECT_EQ(deaths, 3);

  auto land = [&](int country, int freeze) {
    auto* u = new TestLandUnit(country, static_cast<int>(g.game->landUnits.size()) + 1);
    u->freezeTime = freeze;
    g.game->landUnits.push_back(u);
    return u;
  };
  TestLandUnit* frozen = land(a->id, 3);
  TestLandUnit* barely = land(a->id, 1);
  TestLandUnit* thawed = land(a->id, 0);
  TestLandUnit* other = land(b->id, 2);
  a->SetFreezeLevelForAllFreezedUnits(7);
  EXPECT_EQ(frozen->freezeTime, 7);
  EXPECT_EQ(barely->freezeTime, 7);
  EXPECT_EQ(thawed->freezeTime, 0);
  EXPECT_EQ(other->freezeTime, 2);
  // Units carried by ships are not in the main list and keep their counter.
  TestLandUnit carried(a->id, 99);
  carried.freezeTime = 4;
  g.game->transportedUnits.push_back(&carried);
  a->SetFreezeLevelForAllFreezedUnits(1);
  EXPECT_EQ(carried.freezeTime, 4);
  EXPECT_EQ(frozen->freezeTime, 1);
  g.game->transportedUnits.clear();
}

TEST(CountryParameters, MainCityPrefersSupplyCities) {
  GameFixture g(6, 1);
  cPanstwo* c = g.AddCountry(1);
  auto city = [&](int x, int type, float pp, int controller) {
    auto* m = new cMiasto();
    m->x = x;
    m->y = 0;
    m->type = type;
    m->productionPoints = pp;
    g.hex(x, 0).controller = static_cast<uint8_t>(controller);
    g.game->cities.push_back(m);
    return m;
  };
  EXPECT_EQ(c->GetMainCity(), nullptr);
  city(0, 4, 100, c->id);                // resources never count
  EXPECT_EQ(c->GetMainCity(), nullptr);
  cMiasto* port = city(1, 3, 50, c->id);
  EXPECT_EQ(c->GetMainCity(), port);
  cMiasto* supply = city(2, 0, 5, c->id);
  cMiasto* tie = city(3, 2, 5, c->id);
  city(4, 2, 90, 0);  // held by nobody
  EXPECT_EQ(c->GetMainCity(), supply);
  tie->productionPoints = 6;
  EXPECT_EQ(c->GetMainCity(), tie);
  EXPECT_EQ(c->GetTechLevel(7), 0);
  c->techLevels[6] = 3;
  EXPECT_EQ(c->GetTechLevel(6), 3);
  EXPECT_EQ(c->GetTechLevel(-1), 0);
}

}  // namespace
