// Start-up of the program. The window, menus and game screen come with the
// framework; until then the program starts its core services and reports.
#include <cstdio>

#include "core/console.h"

int main() {
  LogLine(L"Running Brennmark v0.10");
  std::printf("Brennmark v0.10: the game screen is not built yet.\n");
  return 0;
}
