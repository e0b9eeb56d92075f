#pragma once
// A fleet: naval units of one country on one node of the sea graph.
#include <cstdint>
#include <list>

class cJednostkaMorska;

struct sFlota {
  virtual ~sFlota() = default;

  int32_t id = 0;
  int32_t countryId = 0;
  int32_t seaNode = 0;
  uint8_t hasMoved = 0;
  // The ships of the fleet, in fleet order; owned by the game's naval-unit list.
  std::list<cJednostkaMorska*> ships;
};
