#pragma once
// Builds maps whose every file field varies, for the map file tests and
// benchmarks. Uses its own generator so the game's dice stay untouched.
#include <cstdint>

#include "world/hex_map.h"

namespace world_test {

class FieldDice {
 public:
  explicit FieldDice(uint32_t seed) : state_(seed) {}
  uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  uint8_t Byte() { return static_cast<uint8_t>(Next()); }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t state_;
};

// Fills a map of the given size. Rivers are then carried to the sea and sea
// cells lose their owners, as a map reader does, so that the cells are
// exactly what reading their own file gives back.
inline void GenerateMap(cMapa& map, int width, int height, uint32_t seed) {
  FieldDice dice(seed);
  map.Create(width, height);
  for (sHex& h : map.hexes) {
    const int t = dice.Below(20);
    h.terrain = static_cast<uint8_t>(t < 6 ? 0 : t < 19 ? 1 + (t % 7) : 8 + dice.Below(248));
    h.fileByte1 = dice.Byte();
    h.rivers = h.IsSea() ? 0 : static_cast<uint8_t>(dice.Below(64));
    h.seaZone = static_cast<uint16_t>(dice.Next());
    h.tileVariant = dice.Byte();
    h.controller = dice.Byte();
    h.owner = dice.Byte();
    h.originalOwner = dice.Byte();
    h.fort = dice.Byte();
    for (int m = 0; m < 12; ++m) {
      h.mudChance[m] = dice.Byte();
      h.winterChance[m] = dice.Byte();
    }
    h.weather = static_cast<uint32_t>(dice.Below(3));
    h.coastal = static_cast<uint8_t>(dice.Below(2));
    h.weatherApplies = static_cast<uint8_t>(dice.Below(2));
  }
  map.PropagateRivers();
}

}  // namespace world_test
