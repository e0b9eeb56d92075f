// The program entry: the whole run is the game's start-up sequence.
#include "app/app.h"

int main() { return RunGame(); }
