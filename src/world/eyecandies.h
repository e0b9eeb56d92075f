#pragma once
// The scenario's decorations that stand on single hexes of the map.
#include <string>

class cMapa;

// Reads "<folder>\eyecandies.csv", or "<folder>\eyecandies_<language>.csv"
// when a language is given, into the map's decoration records after
// clearing them; false (and a log line) when the file cannot be opened.
bool LoadEyecandies(cMapa& map, const std::wstring& folder, const std::wstring* language);
// The scenario's decorations of the running game: the language's file,
// else the plain one.
void LoadScenarioEyecandies(cMapa& map, const std::wstring& scenarioName, const std::wstring& language);
