#include "core/units_skin_data.h"

sUnitsSkin gUnitsSkin;
