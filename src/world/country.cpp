#include "world/country.h"

#include <algorithm>
#include <iterator>

#include "core/console.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/game.h"

namespace {

// The alliance a code belongs to: 1 allies, 2 axis, 3 comintern, 0 none.
int AllianceSide(int code) { return code >= 1 && code <= 6 ? (code - 1) % 3 + 1 : 0; }

// The side an orientation leans to, 0 for an unknown orientation.
int OrientationSide(int orientation) { return orientation >= 0 && orientation <= 5 ? orientation % 3 + 1 : 0; }

std::wstring Truncated(const std::wstring& s) { return s.substr(0, cPanstwo::kMaxNameLength); }

const char* SideKey(int side, bool second) {
  switch (side) {
    case 1: return second ? "allies2" : "allies";
    case 2: return second ? "axis2" : "axis";
    case 3: return second ? "comintern2" : "comintern";
    default: return nullptr;
  }
}

}  // namespace

int NamePartSlot(int key) {
  if (key >= 0 && key <= 6) return key;
  if (key >= 20 && key <= 22) return 7 + (key - 20);
  if (key >= 40 && key <= 45) return 10 + (key - 40);
  if (key == 60) return 16;
  return -1;
}

// ---- identity and graphics -----------------------------------------------

void cCountryTexture::Reset(FrontEndHandle handle) {
  ReleaseTextureHandle(handle_);
  handle_ = handle;
}

void cPanstwo::SetGraphicsNames(const std::wstring& newName) {
  name = Truncated(newName);
  skinName = name;
  LoadUnitsTexture(gProgramSettings.unitsSkin);
}

void cPanstwo::SetSecondGraphicsName(const std::wstring& newSkinName) {
  skinName = Truncated(newSkinName);
  LoadUnitsTexture(gProgramSettings.unitsSkin);
}

void cPanstwo::LoadUnitsTexture(const std::wstring& unitsSkin) {
  const std::wstring path = WFormat(L"data\\gfx\\[UnitsSkin]%s\\units_%s.png", unitsSkin.c_str(), skinName.c_str());
  unitsTexture_.Reset(0);
  if (!FileExists(path)) {
    // The counters then come from the skin's shared sheet.
    LogF(L"WARNING: units picture %s not found, the skin's shared units.png is used", path.c_str());
    return;
  }
  const int mode = FrontEnd().MaxTextureWidth() > 1024 ? 3 : 1;
  unitsTexture_.Reset(FrontEnd().LoadTexture(path, 1, mode));
}

void cPanstwo::LoadFlagTexture(const std::wstring& scenario) {
  flagTexture_.Reset(0);
  const std::wstring own = WFormat(L"data\\scenarios\\%s\\Flags\\%s.png", scenario.c_str(), name.c_str());
  if (FileExists(own)) flagTexture_.Reset(FrontEnd().LoadTexture(own, 1, 1));
  if (flagTexture_.Get() != 0) return;
  const std::wstring common = WFormat(L"data\\gfx\\Flags\\%s.png", name.c_str());
  if (FileExists(common)) flagTexture_.Reset(FrontEnd().LoadTexture(common, 1, 1));
  if (flagTexture_.Get() != 0) return;
  // The country shows the game's default flag; it is loaded once, for the
  // first country that needs it.
  LogF(L"WARNING: no flag for %s, \"unknown.png\" is shown", name.c_str());
  const wchar_t* unknown = L"data\\gfx\\Flags\\unknown.png";
  if (gGra != nullptr && gGra->textures[cGra::kDefaultFlagTexture] == 0 && FileExists(unknown))
    gGra->textures[cGra::kDefaultFlagTexture] = FrontEnd().LoadTexture(unknown, 1, 1);
}

FrontEndHandle cPanstwo::GetFlagTexture() const {
  if (flagTexture_.Get() != 0) return flagTexture_.Get();
  return gGra != nullptr ? gGra->textures[cGra::kDefaultFlagTexture] : 0;
}

const wchar_t* cPanstwo::GetNamePart(int key) const {
  const int slot = NamePartSlot(key);
  if (slot < 0) return L"Unknown";
  return nameParts[static_cast<size_t>(slot)] ? nameParts[static_cast<size_t>(slot)]->c_str() : nullptr;
}

void cPanstwo::SetNamePart(int slot, const std::wstring& text) {
  if (slot < 0 || slot >= kNamePartSlots) return;
  nameParts[static_cast<size_t>(slot)] = text;
}

void cPanstwo::StoreCameraView(float x, float y, float scale) {
  cameraX = x;
  cameraY = y;
  cameraScale = scale;
}

void cPanstwo::GetCameraView(float& x, float& y, float& scale) const {
  x = cameraX;
  y = cameraY;
  scale = cameraScale;
}

// ---- alliance and orientation --------------------------------------------

bool cPanstwo::IsInAlliance(int a) const {
  if (alliance == 0) return false;
  if (alliance == a) return true;
  return a < 4 ? alliance == a + 3 : alliance == a - 3;
}

bool cPanstwo::IsAlly(int otherId) const {
  // Id 0 is nobody (the controller of an uncontrolled hex), nobody's ally;
  // a negative id is a fault of the caller.
  if (otherId == 0) return false;
  if (otherId < 0) FatalExit(L"ERROR: Country ID parameter was 0 while checking alliance!");
  const cPanstwo* other = gGra != nullptr ? gGra->GetCountry(otherId) : nullptr;
  if (other == nullptr) return false;
  const int side = AllianceSide(alliance);
  return side != 0 && side == AllianceSide(other->alliance);
}

bool cPanstwo::IsInAnyAlliance() const {
  bool seen[4] = {};
  if (gGra != nullptr)
    for (const cPanstwo* c : gGra->countries) seen[AllianceSide(c->alliance)] = true;
  const int side = AllianceSide(alliance);
  return side != 0 && seen[side];
}

int cPanstwo::GetAllianceGroup() const {
  switch (AllianceSide(alliance)) {
    case 1: return 2;
    case 2: return 1;
    case 3: return 3;
    default: return 4;
  }
}

bool cPanstwo::HasSameOrientationAs(const cPanstwo& other) const {
  const int side = OrientationSide(orientation);
  return side != 0 && side == OrientationSide(other.orientation);
}

bool cPanstwo::OrientationMatchesZoneOfInfluence() const {
  const int side = OrientationSide(orientation);
  return side != 0 && side == zoneOfInfluence;
}

int cPanstwo::GetTargetAlliance() const {
  const int side = OrientationSide(orientation);
  if (side == 0) FatalExit(Txt("error_in_returning_target_alliance:_orientation_not_specified"));
  return side;
}

bool cPanstwo::IsAtWarWith(int otherId) const { return gGra != nullptr && gGra->relations.IsAtWar(id, otherId); }

bool cPanstwo::IsAtWarWithAnyone() const {
  if (gGra == nullptr) return false;
  const int n = static_cast<int>(gGra->countries.size());
  for (int other = 1; other <= n; ++other)
    if (IsAtWarWith(other)) return true;
  return false;
}

// ---- display names -------------------------------------------------------

void cPanstwo::GetAllianceDisplayName(std::wstring& out, bool second) const {
  const char* key = SideKey(AllianceSide(alliance), second);
  out = Txt(key != nullptr ? key : (second ? "neutral_countries2" : "neutral_countries"));
}

void cPanstwo::FormatOrientationAllianceName(std::wstring& out, bool second) const {
  const char* key = SideKey(OrientationSide(orientation), second);
  out = Txt(key != nullptr ? key : "hey,_error!");
}

void cPanstwo::GetRegimeName(std::wstring& out, bool second) const {
  switch (orientation) {
    case 0: out = Txt(second ? "firm_democracy2" : "firm_democracy"); break;
    case 1: out = Txt(second ? "nationalist_regime2" : "nationalist_regime"); break;
    case 2: out = Txt(second ? "communist_regime2" : "communist_regime"); break;
    case 3: out = second ? L"Pro-allied" : L"pro-allied"; break;
    case 4: out = second ? L"Pro-axis" : L"pro-axis"; break;
    case 5: out = second ? L"Pro-communist" : L"pro-communist"; break;
    default: break;
  }
}

void cPanstwo::GetZoneOfInfluenceName(std::wstring& out, bool second) const {
  switch (zoneOfInfluence) {
    case 0: out = Txt(second ? "none2" : "none"); break;
    case 1: out = Txt(second ? "allied2" : "allied"); break;
    case 2: out = Txt(second ? "axis2" : "axis"); break;
    case 3: out = Txt(second ? "comintern2" : "comintern"); break;
    default: break;
  }
}

// ---- points --------------------------------------------------------------

void cPanstwo::ChangeProductionPoints(double amount) {
  productionPoints += amount;
  FrontEnd().RefreshInfoPanel();
}

void cPanstwo::ChangeDiplomaticPoints(int amount) {
  diplomaticPoints += amount;
  FrontEnd().RefreshInfoPanel();
}

void cPanstwo::ChangeSMP(int amount) {
  strategicMovementPoints += amount;
  FrontEnd().RefreshInfoPanel();
}

void cPanstwo::ChangeSTP(int amount) {
  seaTransportPoints += amount;
  FrontEnd().RefreshInfoPanel();
}

void cPanstwo::ChangeAIP(int amount) {
  amphibiousPoints += amount;
  FrontEnd().RefreshInfoPanel();
}

void cPanstwo::ChangeAllianceEntry(int delta) {
  // In 64 bits, so that a large delta cannot wrap around.
  const int64_t entry = static_cast<int64_t>(allianceEntry) + delta;
  allianceEntry = static_cast<int32_t>(entry < 0 ? 0 : entry > 100 ? 100 : entry);
}

void cPanstwo::ChangeSocialUnrest(float delta) {
  const float unrest = socialUnrest + delta;
  socialUnrest = unrest < 0.0f ? 0.0f : unrest > 100.0f ? 100.0f : unrest;
}

// ---- computer-player parameters ------------------------------------------

int cPanstwo::FindListPairValue(int key) const {
  for (const auto& [k, v] : ai.seaZonesToPatrol)
    if (k == key) return v;
  return 0;
}

bool cPanstwo::IsExtraCityToGarrison(const cMiasto* city) const {
  return std::find(ai.extraCitiesToGarrison.begin(), ai.extraCitiesToGarrison.end(), city) !=
         ai.extraCitiesToGarrison.end();
}

void cPanstwo::RemoveDoNotAttackCity(int x, int y) {
  auto it = std::find_if(ai.doNotAttackCities.begin(), ai.doNotAttackCities.end(),
                         [x, y](const cMiasto* c) { return c != nullptr && c->x == x && c->y == y; });
  if (it == ai.doNotAttackCities.end()) return;
  const cMiasto* city = *it;
  ai.doNotAttackCities.remove_if([city](const cMiasto* c) { return c == city; });
}

void cPanstwo::KillAllAirUnits() {
  if (gGra == nullptr) return;
  // Each kill takes one unit off the list, so the list's size bounds the
  // loop even if a kill ever left its entry behind.
  for (size_t left = gGra->airUnits.size(); left > 0 && gGra->KillFirstAirUnitOfCountry(id); --left) {
  }
}

void cPanstwo::KillAllLandUnits() {
  if (gGra == nullptr) return;
  // Units aboard ships go down with their ships. Every call empties at least
  // one entry of its list, so the list's size bounds each loop.
  for (size_t left = gGra->landUnits.size(); left > 0 && gGra->KillFirstLandUnitOfCountry(id); --left) {
  }
  for (size_t left = gGra->transportedUnits.size(); left > 0 && gGra->KillFirstTransportedUnitOfCountry(id); --left) {
  }
  for (size_t left = gGra->amphibiousUnits.size(); left > 0 && gGra->KillFirstAmphibiousUnitOfCountry(id); --left) {
  }
}

void cPanstwo::KillAllNavalUnits() {
  if (gGra == nullptr) return;
  for (size_t left = gGra->navalUnits.size(); left > 0 && gGra->KillFirstNavalUnitOfCountry(id); --left) {
  }
}

void cPanstwo::UnFreezeAllUnits() {
  if (gGra == nullptr) return;
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->countryId == id && u->freezeTime > 0) u->Unfreeze();
}

void cPanstwo::SetFreezeLevelForAllFreezedUnits(int level) {
  if (gGra == nullptr) return;
  for (cJednostkaLadowa* u : gGra->landUnits)
    if (u->countryId == id && u->freezeTime >= 1) u->freezeTime = level;
}

cMiasto* cPanstwo::GetMainCity() const {
  if (gGra == nullptr || gGra->map == nullptr) return nullptr;
  cMiasto* bestSupply = nullptr;
  cMiasto* bestOther = nullptr;
  for (cMiasto* c : gGra->cities) {
    if (!gGra->map->IsInside(c->x, c->y) || gGra->map->GetHex(c->x, c->y)->controller != id) continue;
    if (c->type == 0 || c->type == 2) {
      if (bestSupply == nullptr || c->productionPoints > bestSupply->productionPoints) bestSupply = c;
    } else if (c->type == 1 || c->type == 3) {
      if (bestOther == nullptr || c->productionPoints > bestOther->productionPoints) bestOther = c;
    }
  }
  return bestSupply != nullptr ? bestSupply : bestOther;
}

void cPanstwo::TakeBuildTimesFromConsts() {
  std::copy(consts.c154, consts.c154 + 7, landBuildTime);
  std::copy(consts.c154 + 7, consts.c154 + 10, airBuildTime);
  std::copy(std::begin(consts.c154Second), std::end(consts.c154Second), navalBuildTime);
}

int cPanstwo::GetTechLevel(int category) const {
  if (category < 0 || category >= 7) return 0;
  return techLevels[category];
}
