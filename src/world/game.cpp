#include "world/game.h"

#include "ai/ai.h"
#include "core/console.h"
#include "core/saturate.h"
#include "core/settings.h"
#include "core/text.h"
#include "events/event_manager.h"
#include "persistence/auto_events.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/reports.h"

cGra* gGra = nullptr;

namespace {

StopWorkerThreadFn gStopWorkerThread = nullptr;

template <typename Container>
void DeleteAll(Container& c) {
  for (auto* p : c) delete p;
  c.clear();
}

template <typename T>
void DeleteOne(T*& p) {
  delete p;
  p = nullptr;
}

// A city whose hex has no controller cannot be counted; it is reported and
// left out rather than ending the game.
bool CityControllerKnown(const cMiasto* city, const sHex* hex, const wchar_t* counting) {
  if (hex->controller != 0) return true;
  LogLine(WFormat(L"WARNING: City %s is not controlled by any country (controller id = 0)! (%s) - city skipped",
                  city->name.c_str(), counting));
  return false;
}

}  // namespace

void SetStopWorkerThreadHook(StopWorkerThreadFn fn) { gStopWorkerThread = fn; }

cGra::cGra() {
  date.turn = 1;
  date.month = 9;
  date.year = 1939;
  autoEvents = new cAutoEventsRepository();
  events = new cZdarzenia();
  gGra = this;
  SetDestroyGameHook(&DestroyGame);
  reports = new cRaporty();
}

cGra::~cGra() {
  EndGame();
  DeleteAll(commanders);
  if (gGra == this) gGra = nullptr;
}

// The destructor runs the teardown and clears gGra.
void DestroyGame() { delete gGra; }

// ---- state and flags -----------------------------------------------------

// A game that is ending keeps its end state, whoever asks for another: the
// teardown and the worker's last step rely on it.
void cGra::SetState(int s) {
  int now = state.load();
  do {
    if (now == kStateEnding && s != kStateEnding) return;
  } while (!state.compare_exchange_weak(now, s));
  LogF(L"---- Game state = %i", s);
}

bool cGra::SetStateIf(int from, int to) {
  if (from == kStateEnding && to != kStateEnding) return false;
  if (!state.compare_exchange_strong(from, to)) return false;
  LogF(L"---- Game state = %i", to);
  return true;
}

bool cGra::HasHumanCountry() const {
  for (const cPanstwo* c : countries)
    if (c->active && c->humanControlled) return true;
  return false;
}

bool cGra::StartHumanCountryMusic() {
  FrontEnd().StopMusic();
  for (const cPanstwo* c : countries)
    if (c->humanControlled && FrontEnd().PlayCountryMusic(c->id)) return true;
  return FrontEnd().PlayCountryMusic(-1);
}

// ---- lookups -------------------------------------------------------------

sDowodca* cGra::GetCommander(int id) const {
  if (id < 0) return nullptr;
  for (sDowodca* c : commanders)
    if (c->id == id) return c;
  LogF(L"Commander with ID=%i not found", id);
  return nullptr;
}

cJednostkaMorska* cGra::FindNavalUnitById(int id) const {
  for (cJednostkaMorska* u : navalUnits)
    if (u->unitId == id) return u;
  return nullptr;
}

sFlota* cGra::FindMovedFleetAt(int seaNode, int country) const {
  for (sFlota* f : fleets)
    if (f->seaNode == seaNode && f->countryId == country && f->hasMoved) return f;
  return nullptr;
}

cPanstwo* cGra::FindCountryByAlliance(int code) const {
  if (code < 1 || code > 6) return nullptr;
  if (code <= 3) code += 3;
  for (cPanstwo* c : countries)
    if (c->alliance == code) return c;
  return nullptr;
}

cPanstwo* cGra::GetCountry(int id) const {
  if (id < 1 || static_cast<size_t>(id) > countries.size()) return nullptr;
  return countries[static_cast<size_t>(id) - 1];
}

bool cGra::IsLandUnitIdUsed(int id) const {
  for (const cJednostka* u : reserve)
    if (u->category == kCategoryLand && u->unitId == id) return true;
  for (const auto* list : {&landUnits, &transportedUnits, &amphibiousUnits})
    for (const cJednostkaLadowa* u : *list)
      if (u->unitId == id) return true;
  return false;
}

int cGra::NextNavalUnitId() {
  int32_t top = navalUnitCounter;
  for (const cJednostkaMorska* s : navalUnits) top = std::max(top, s->unitId);
  for (const cJednostkaMorska* s : navalReserve) top = std::max(top, s->unitId);
  navalUnitCounter = top + 1;
  return navalUnitCounter;
}

bool cGra::IsAirUnitIdUsed(int id) const {
  for (const cJednostka* u : reserve)
    if (u->category == kCategoryAir && u->unitId == id) return true;
  for (const cJednostkaLotnicza* u : airUnits)
    if (u->unitId == id) return true;
  return false;
}

int cGra::GetCountryVictoryPoints(int country) const {
  int sum = 0;
  if (map == nullptr) return 0;
  for (const cMiasto* c : cities) {
    const sHex* hex = map->GetHex(c->x, c->y);
    if (!CityControllerKnown(c, hex, L"Counting country VPs")) continue;
    if (hex->controller == country) sum += c->victoryPoints;
  }
  return sum;
}

int cGra::GetAllianceVictoryPoints(int code) const {
  if (code < 1 || code > 6) return -1;
  if (code > 3) code -= 3;
  int sum = 0;
  if (map == nullptr) return 0;
  for (const cMiasto* c : cities) {
    const sHex* hex = map->GetHex(c->x, c->y);
    if (!CityControllerKnown(c, hex, L"Counting alliance VPs")) continue;
    const cPanstwo* holder = GetCountry(hex->controller);
    if (holder == nullptr) continue;
    int a = holder->alliance;
    if (a > 3) a -= 3;
    if (a == code) sum += c->victoryPoints;
  }
  return sum;
}

int cGra::ComputeCountryScore(int country) const {
  float unitValues = 0.0f;
  for (const auto* list : {&landUnits, &transportedUnits, &amphibiousUnits})
    for (const cJednostkaLadowa* u : *list)
      if (u->countryId == country) unitValues += u->GetStrengthValue();
  for (const cJednostkaLotnicza* u : airUnits)
    if (u->countryId == country) unitValues += u->GetStrengthValue();
  for (const cJednostka* u : reserve)
    if (u->countryId == country) unitValues += u->GetStrengthValue();

  float shipHitPoints = 0.0f;
  for (const cJednostkaMorska* s : navalUnits)
    if (s->countryId == country) shipHitPoints += static_cast<float>(s->hitPoints);
  for (const cJednostkaMorska* s : navalReserve)
    if (s->countryId == country) shipHitPoints += static_cast<float>(s->hitPoints);

  float victoryPoints = 0.0f;
  float productionPoints = 0.0f;
  if (map != nullptr) {
    for (const cMiasto* c : cities) {
      const sHex* hex = map->GetHex(c->x, c->y);
      if (!CityControllerKnown(c, hex, L"Counting country VPs")) continue;
      if (hex->controller != country) continue;
      victoryPoints += static_cast<float>(c->victoryPoints);
      productionPoints += c->productionPoints;
    }
  }
  const float total = unitValues + shipHitPoints + victoryPoints + productionPoints;
  return SaturatedInt(total);
}

// ---- passes over the world -----------------------------------------------

void cGra::ClearCitySearchMarks() {
  for (cMiasto* c : cities) c->searchMark = 0;
}

void cGra::ValidateHexOwners() {
  if (map == nullptr) return;
  const int n = static_cast<int>(countries.size());
  auto valid = [n](int id) { return id >= 1 && id <= n; };
  bool failed = false;
  for (int x = 0; x < map->width; ++x) {
    for (int y = 0; y < map->height; ++y) {
      const sHex* hex = map->GetHex(x, y);
      if (!hex->IsLand()) continue;
      if (!valid(hex->controller)) {
        LogF(L"ERR: Hex (%d, %d) ma nieprawidlowego posiadacza (%d)", x, y, static_cast<int>(hex->controller));
        failed = true;
      }
      if (!valid(hex->owner)) {
        LogF(L"ERR: Hex (%d, %d) ma nieprawidlowego wlasciciela (%d)", x, y, static_cast<int>(hex->owner));
        failed = true;
      }
      if (!valid(hex->originalOwner)) {
        LogF(L"ERR: Hex (%d, %d) ma nieprawidlowego wlasciciela pierwotnego (%d)", x, y,
             static_cast<int>(hex->originalOwner));
        failed = true;
      }
    }
  }
  if (failed)
    FrontEnd().MessageBox(L"Logged invalid controllers/owners/orig owners of hexes", L"Invalid ctr ids on hexes",
                          eMessageBoxIcon::kInformation);
}

bool cGra::KillFirstLandUnitOfCountry(int country) {
  for (cJednostkaLadowa* u : landUnits) {
    if (u->countryId != country) continue;
    u->Kill();
    return true;
  }
  return false;
}

namespace {

// Sinks the ship with every land unit aboard: the one it names and any other
// that names it, so that no unit is left pointing at a freed ship.
void SinkWithEverythingAboard(cJednostkaMorska* ship) {
  std::vector<cJednostkaLadowa*> aboard;
  for (std::list<cJednostkaLadowa*>* list : {&gGra->transportedUnits, &gGra->amphibiousUnits})
    for (cJednostkaLadowa* u : *list)
      if (u->transport == ship && u != ship->carriedUnit) aboard.push_back(u);
  for (cJednostkaLadowa* u : aboard) u->Kill();
  ship->Kill(true);
}

bool SinkCarrierOfFirstUnit(std::list<cJednostkaLadowa*>& carried, int country) {
  for (cJednostkaLadowa* u : carried) {
    if (u->countryId != country) continue;
    if (u->transport != nullptr) {
      SinkWithEverythingAboard(u->transport);
    } else {
      // A unit listed aboard no ship still goes, and leaves the list.
      gGra->transportedUnits.remove(u);
      gGra->amphibiousUnits.remove(u);
      u->Kill();
    }
    return true;
  }
  return false;
}

}  // namespace

bool cGra::KillFirstTransportedUnitOfCountry(int country) { return SinkCarrierOfFirstUnit(transportedUnits, country); }

bool cGra::KillFirstAmphibiousUnitOfCountry(int country) { return SinkCarrierOfFirstUnit(amphibiousUnits, country); }

bool cGra::KillFirstNavalUnitOfCountry(int country) {
  for (cJednostkaMorska* s : navalUnits) {
    if (s->countryId != country) continue;
    SinkWithEverythingAboard(s);
    return true;
  }
  return false;
}

bool cGra::KillFirstAirUnitOfCountry(int country) {
  for (cJednostkaLotnicza* u : airUnits) {
    if (u->countryId != country) continue;
    u->Kill();
    return true;
  }
  return false;
}

void cGra::RetireCommandersOfCountry(int country) {
  for (sDowodca* c : commanders)
    if (c->countryId == country) c->state = 0;
}

void cGra::RemoveSupplySourcesOfCountry(int country) {
  if (map == nullptr) return;
  for (cMiasto* c : cities) {
    if (map->GetHex(c->x, c->y)->originalOwner != country) continue;
    if (c->type == 0)
      c->type = 1;
    else if (c->type == 2)
      c->type = 3;
  }
}

void cGra::ChangeEffectivityOfAllUnits(int country, int allianceGroup, int amount) {
  if (map == nullptr) return;
  for (cJednostkaLadowa* u : landUnits) {
    const cPanstwo* owner = GetCountry(u->countryId);
    if (owner == nullptr || owner->GetAllianceGroup() != allianceGroup) continue;
    if (!map->IsInside(u->x, u->y)) continue;
    // The country's land is where it started: the hexes it owned originally.
    const int originalOwner = map->GetHex(u->x, u->y)->originalOwner;
    if (originalOwner == 0 || originalOwner != country) continue;
    u->eventsEffect += amount;
  }
}

void cGra::ChangeAreaEffectivityOfAllUnits(int x1, int y1, int x2, int y2, int allianceGroup, int amount) {
  for (cJednostkaLadowa* u : landUnits) {
    const cPanstwo* owner = GetCountry(u->countryId);
    if (owner == nullptr || owner->GetAllianceGroup() != allianceGroup) continue;
    if (u->x < x1 || u->x > x2 || u->y < y1 || u->y > y2) continue;
    u->eventsEffect += amount;
  }
}

// ---- teardown ------------------------------------------------------------

void cGra::EndGame() {
  if (ended_) return;
  ended_ = true;
  LogLine(L"----- Ending game ----");
  SetState(kStateEnding);

  LogLine(L"Closing thread");
  if (gStopWorkerThread != nullptr) gStopWorkerThread();
  // None of this game's work may run in the next one.
  FrontEnd().DropGameWork();

  LogLine(L"Destroying textures");
  for (FrontEndHandle& t : textures) ReleaseTextureHandle(t);

  LogLine(L"Destroying fonts");

  LogLine(L"Saving settings");
  SaveZoomSetting();

  LogLine(L"Destroing map");
  DeleteOne(map);

  LogLine(L"Destroying cities");
  DeleteAll(cities);

  // Units waiting in the reserve pools are freed with their kind.
  LogLine(L"Destroying land units");
  DeleteAll(landUnits);
  DeleteAll(transportedUnits);
  DeleteAll(amphibiousUnits);
  std::erase_if(reserve, [](cJednostka* u) {
    if (u->category != kCategoryLand) return false;
    delete u;
    return true;
  });
  LogLine(L"Destroying air units");
  DeleteAll(airUnits);
  DeleteAll(reserve);
  LogLine(L"Destroying naval units");
  DeleteAll(navalUnits);
  DeleteAll(navalReserve);

  LogLine(L"Destroying fleets");
  DeleteAll(fleets);

  LogLine(L"Destroying countries");
  DeleteAll(countries);

  LogLine(L"Destroying AI");
  DeleteAll(computerPlayers);

  LogLine(L"Destroying events repository");
  DeleteOne(autoEvents);

  LogLine(L"Destroying strategic moves manager");
  DeleteOne(strategicMoves);

  LogLine(L"Destroying events manager");
  DeleteOne(events);

  LogLine(L"Destroying convoys manager");
  DeleteOne(convoys);

  LogLine(L"Destroying reports manager");
  DeleteOne(reports);

  LogLine(L"Destroying unit names");
  unitNames.clear();

  LogLine(L"---- Destroying done");
}
