#include "app/game_view.h"

// The map view draws nothing yet: the frame keeps its black clear.
void RenderGameMap(cPlatformDevice*, float) {}

// No panels exist yet.
void RenderGamePanels(float) {}
