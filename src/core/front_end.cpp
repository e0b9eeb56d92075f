#include "core/front_end.h"

#include <cstdlib>

#include "core/console.h"

namespace {
cQuietFrontEnd gQuietFrontEnd;
cFrontEnd* gFrontEnd = &gQuietFrontEnd;
DestroyGameFn gDestroyGame = nullptr;
}  // namespace

void cQuietFrontEnd::AnimateMove(const std::function<bool()>& advance) {
  // A runaway step function must not hang a headless game.
  for (int guard = 0; guard < 1000000 && advance(); ++guard) {
  }
}

int cRecordingFrontEnd::Count(const std::string& name) const {
  int n = 0;
  for (const sCall& c : calls)
    if (c.name == name) ++n;
  return n;
}

cFrontEnd& FrontEnd() { return *gFrontEnd; }

void SetFrontEnd(cFrontEnd* fe) { gFrontEnd = fe != nullptr ? fe : &gQuietFrontEnd; }

void SetDestroyGameHook(DestroyGameFn fn) { gDestroyGame = fn; }

void DestroyGameIfAny() {
  if (gDestroyGame != nullptr) gDestroyGame();
}

void FatalExit(const std::wstring& logLine, int exitCode, bool destroyGame) {
  if (!logLine.empty()) gConsole.AddLine(logLine);
  if (destroyGame) DestroyGameIfAny();
  gFrontEnd->Shutdown();
  gConsole.Close();
  // The log is unbuffered, so nothing is lost by skipping static teardown,
  // which could race with a worker thread still running.
  std::_Exit(exitCode);
}
