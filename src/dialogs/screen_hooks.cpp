#include "dialogs/screen_hooks.h"

namespace {
sScreenHooks gHooks;
}

void SetScreenHooks(const sScreenHooks& hooks) { gHooks = hooks; }
const sScreenHooks& ScreenHooks() { return gHooks; }
