#pragma once
// A city on a land hex: production, victory points and supply, possibly a
// port with its node in the sea graph. Who holds it is the controller, owner
// and original owner of its hex.
#include <cstdint>
#include <string>
#include <vector>

#include "core/shared_records.h"
#include "world/hex_map.h"

class cDrawTarget;
class cPanstwo;
struct sMapDisplay;
struct sHex;
class cUnit;

// City types.
enum : int32_t {
  kCitySupply = 0,
  kCityRegular = 1,
  kCitySupplyPort = 2,
  kCityPort = 3,
  kCityResources = 4,
};

class cMiasto {
 public:
  static constexpr size_t kMaxNameLength = 99;

  cMiasto() = default;
  // Copies the record as the cities table filled it; the per-country tables
  // and the hop counts start empty.
  cMiasto(const cMiasto& other);
  cMiasto& operator=(const cMiasto&) = delete;
  virtual ~cMiasto() = default;

  // Holder queries: the city hex's controller, owner and original owner;
  // 0 when the city lies off the map.
  const std::wstring& GetName() const { return name; }
  std::wstring GetTypeName() const;
  int GetController() const;
  int GetOwner() const;
  int GetOriginalOwner() const;
  bool IsPort() const { return type == kCitySupplyPort || type == kCityPort; }
  // The hex of the city; null without a map or off the map.
  sHex* GetHex() const;
  // The sea node of a port city; a port without one ends the program.
  int GetSeaNode() const;

  // The city hex when it is free and held by the country or an ally, else
  // the first free land neighbour so held; (-1, -1) when there is none.
  sHexPoint FindFreeHexForCountry(int country) const;
  bool HasNoFreeNeighbourHex() const;
  // A unit stands on the city and at least two neighbours hold units at war
  // with the city's controller, with no friendly unit and no empty land
  // hex around it.
  bool IsBesieged() const;

  // Hops over the land links of the cities diagram from this city to every
  // city, by the other city's diagram index; -1 when unreachable.
  void ComputeHops();
  int GetHopsTo(const cMiasto& other) const;

  // The per-country tables (by country id - 1); 0 and false where a table
  // has not been sized for the country.
  int GetSupplyFor(int country) const;
  bool IsCutOffFor(int country) const;

  // Strategic bombardment of the city by an air unit or a ship. The result
  // record gets the texts, the attacker's and the city's losses and, when
  // the attacker was destroyed, the attacker-destroyed bit; the caller
  // removes a destroyed attacker.
  void StrategicBombardment(sWynikWalki& result, cUnit* attacker, const sHex* cityHex);
  // The production a nuclear strike of the record's attacker destroys.
  void NuclearStrike(sWynikWalki& record);
  // One end-of-turn siege check of a besieged city; out receives the report.
  void CheckSiege(std::wstring& out);

  // The city on the map with the hex picture's top left at (x, y), by the
  // map skin's current appearance row; nothing where the hex hides the city
  // layer.
  void Draw(cDrawTarget& target, const sMapDisplay& display, float x, float y, bool shown, int parity,
            const sHex& hex) const;

  int32_t x = 0;
  int32_t y = 0;
  std::wstring name;
  int32_t type = kCityRegular;
  int32_t victoryPoints = 0;
  float productionPoints = 0.0f;
  // The city's supply value; it also lowers the chance of a siege.
  int32_t supply = 0;
  // Per-country supply values, computed by the supply calculation.
  std::vector<int32_t> supplyInfo;
  // Per-country convoy flags: the city is cut off for that country.
  std::vector<uint8_t> convoyInfo;
  // Production lost to strategic bombardment, in total.
  int32_t bombardmentLosses = 0;
  int32_t diagramIndex = -1;
  std::vector<int32_t> hops;
  // Work mark of the searches over the cities.
  uint8_t searchMark = 0;
  // The computer player's marks: a permitted attack target, the state of
  // the front the city lies on (3: none) and a work value.
  uint8_t aiMayBeAttacked = 1;
  int32_t aiFrontState = 3;
  float aiWorkValue = 0.0f;
};

// The air-superiority ratio of a country at a hex: its fighter strength in
// reach over the enemy's air defence there, -1.0 when the enemy has none
// (cPanstwo::GetAirSuperiorityRatio). Tests may install another source;
// null restores the country's own computation.
using AirSuperiorityRatioFn = float (*)(const cPanstwo& country, int x, int y);
void SetAirSuperiorityRatioSource(AirSuperiorityRatioFn fn);
float AirSuperiorityRatio(const cPanstwo& country, int x, int y);
