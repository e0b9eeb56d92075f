#pragma once
// The unit class tree: land, air and naval units.
#include <cstdint>
#include <string>

class cUnit {
 public:
  virtual ~cUnit() = default;

  // Removes the unit from the game; nothing at this level.
  virtual void Kill() {}

  bool IsInReserve() const { return inReserve != 0; }

  // 0 land, 1 air, 2 naval.
  int32_t category = 0;
  int32_t type = 0;
  std::wstring name;
  int32_t countryId = 0;
  int32_t unitId = 0;
  int32_t x = -1;
  int32_t y = -1;
  uint8_t inReserve = 0;
  // 0 unseen up to 6; 5 and 6 mean fully spotted.
  int32_t spottedLevel = 0;
};

// A unit that acts by action points.
class cJednostka : public cUnit {
 public:
  // The unit's worth: cost times strength for land units, strength for air units.
  virtual float GetStrengthValue() const = 0;
};

class cJednostkaMorska;

class cJednostkaLadowa : public cJednostka {
 public:
  // The unit carries the id of a transport ship.
  bool HasTransportShipId() const { return transportShipId != -1; }

  cJednostkaMorska* transport = nullptr;
  int32_t transportShipId = -1;
  // Percent added to effectiveness by scenario events.
  int32_t eventsEffect = 0;
};

class cJednostkaLotnicza : public cJednostka {};

class cJednostkaMorska : public cUnit {
 public:
  int32_t hitPoints = 0;
  int32_t fleetId = 0;
};
