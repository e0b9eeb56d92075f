// The effects that change nothing by design. The others live by what they
// act on: effects_country, effects_map, effects_creation, effects_units
// and effects_ai.
#include "events/effect_table.h"
#include "events/event_manager.h"

#define BRENNMARK_EFFECT_NONE(A, B, N, S, IDS) \
  void Effect##A##_##B(const sEfekt&) {}
BRENNMARK_EFFECTS_WITHOUT_CHANGES(BRENNMARK_EFFECT_NONE)
#undef BRENNMARK_EFFECT_NONE
