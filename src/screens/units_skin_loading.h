#pragma once
// The UI front end's side of the units skin: loads it with the running
// game's countries (or none), and picks the zoom groups for the map's scale.
#include <string>

// cFrontEnd::LoadUnitsSkin: the skin with the countries of gGra, when a game
// is loaded.
bool LoadGameUnitsSkin(const std::wstring& name);
// cFrontEnd::SelectFontsByScale (the units' half): the groups for the map's
// current scale.
void SelectUnitsSkinGroupsForMapScale();
