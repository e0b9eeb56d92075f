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

// The scenario the game ships and starts with when nothing else is chosen
// (its folder name under data\scenarios, made by tools/scenario).
inline constexpr const wchar_t* kDefaultScenario = L"AutumnStorm1939";

// The request that loads a scenario folder as a new game.
inline sLoadRequest ScenarioLoadRequest(const std::wstring& scenarioName) {
  return sLoadRequest{L"data\\scenarios\\" + scenarioName + L"\\%s", 0};
}
