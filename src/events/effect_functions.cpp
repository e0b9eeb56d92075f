// The effect functions. Those of the first list act on the world; those of
// the second change nothing by design.
#include "core/console.h"
#include "events/effect_table.h"
#include "events/event_manager.h"

namespace {

// An effect whose change is not written yet says so in the log.
void NotApplied(const sEfekt& effect) {
  LogF(L"WARNING: effect %s at line %i changes nothing yet", effect.method.c_str(), effect.line);
}

}  // namespace

#define BRENNMARK_EFFECT_PENDING(A, B, N, S, IDS) \
  void Effect##A##_##B(const sEfekt& effect) { NotApplied(effect); }
BRENNMARK_EFFECTS_WITH_CHANGES(BRENNMARK_EFFECT_PENDING)
#undef BRENNMARK_EFFECT_PENDING

#define BRENNMARK_EFFECT_NONE(A, B, N, S, IDS) \
  void Effect##A##_##B(const sEfekt&) {}
BRENNMARK_EFFECTS_WITHOUT_CHANGES(BRENNMARK_EFFECT_NONE)
#undef BRENNMARK_EFFECT_NONE
