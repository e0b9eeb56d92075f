#pragma once
// What an end-of-turn phase tells about one country: a headline and a body,
// both built from string-base texts, shown and stored by the phase.
#include <string>

struct sPhaseReport {
  std::wstring headline;
  std::wstring body;
};
