#pragma once
// The ids that head the four movable game panels in the layout table. The
// game screen hands them to the toolkit (SetGuiPanelHeads), which keeps a
// dragged panel on the screen and leaves its moving to the screen.
#include <array>

constexpr int kGuiUnitPanelId = 350;
constexpr int kGuiHexPanelId = 400;
constexpr int kGuiAttackPanelId = 450;
constexpr int kGuiDiplomacyPanelId = 600;

inline constexpr std::array<int, 4> kGuiPanelHeadIds = {kGuiUnitPanelId, kGuiHexPanelId, kGuiAttackPanelId,
                                                        kGuiDiplomacyPanelId};
