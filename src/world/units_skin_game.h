#pragma once
// What loading a units skin needs of the running game: its countries'
// counter sheets and colours, the folder it was loaded from and the map zoom.
#include "core/units_skin_data.h"

class cGra;

sUnitsSkinGame UnitsSkinGameOf(cGra& game);
