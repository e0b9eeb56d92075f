#pragma once
// A city on a hex. Who holds it is the controller, owner and original owner
// of its hex.
#include <cstdint>
#include <string>

class cMiasto {
 public:
  virtual ~cMiasto() = default;

  bool IsPort() const { return type == 2 || type == 3; }

  int32_t x = -1;
  int32_t y = -1;
  std::wstring name;
  // 0 supply, 1 regular, 2 supply and port, 3 port, 4 resources.
  int32_t type = 1;
  int32_t victoryPoints = 0;
  float productionPoints = 0.0f;
  // Work mark of the searches over the cities diagram.
  uint8_t searchMark = 0;
};
