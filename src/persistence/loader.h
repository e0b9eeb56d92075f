#pragma once
// Loading a scenario or a saved game into a new running game.
struct sLoadRequest;

#include <cstdint>

// The month of the last monthly update of a game that has had none: the
// next end of impulse runs the monthly part.
inline constexpr int32_t kNoMonthlyUpdate = -666;

// The key of Info.ini that carries the month of the last monthly update of
// a saved game.
inline constexpr const char* kLastMonthlyUpdateKey = "Save/LastMonthlyUpdate";

// Builds the game of the request (copied first), runs the post-load checks
// and the new-game or saved-game work of its load mode, installs it as gGra
// in state 1 and lets the front end finish loading. Returns 0.
int LoadNewScenario(const sLoadRequest& request);
