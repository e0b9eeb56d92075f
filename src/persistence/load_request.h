#pragma once
// What the scenario menu asks the loader to load.
#include <cstdint>
#include <string>

struct sLoadRequest {
  // A format with one "%s" for the file name, such as the folder followed by "\%s".
  std::wstring pathTemplate;
  // 0 a scenario, 2 a saved or PBEM game.
  int32_t loadMode = 0;
};
