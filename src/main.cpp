// The program entry: the whole run is the game's start-up sequence.
#include "app/app.h"
#include "core/console.h"

int main() {
  // A crash must not lose the log lines still gathered in memory.
  gConsole.FlushOnCrash();
  return RunGame();
}
