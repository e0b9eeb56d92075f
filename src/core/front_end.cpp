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

bool cQuietFrontEnd::TextureSize(FrontEndHandle texture, int& width, int& height) {
  // Every texture handed out stands for a picture of one fixed size.
  width = texture != 0 ? 256 : 0;
  height = texture != 0 ? 256 : 0;
  return texture != 0;
}

bool cQuietFrontEnd::FleetsDialogSelection(std::vector<sFlota*>& fleets, std::vector<cJednostkaMorska*>& ships) {
  fleets.clear();
  ships.clear();
  return false;
}

FrontEndHandle cQuietFrontEnd::OpenSeaBattleScreen(cSeaBattle&, const std::function<void()>& fightWithoutScreen) {
  if (fightWithoutScreen) fightWithoutScreen();
  return ++lastHandle_;
}

cFrontEnd& FrontEnd() { return *gFrontEnd; }

void SetFrontEnd(cFrontEnd* fe) { gFrontEnd = fe != nullptr ? fe : &gQuietFrontEnd; }

void ReleaseTextureHandle(FrontEndHandle& texture) {
  if (texture != 0) gFrontEnd->ReleaseTexture(texture);
  texture = 0;
}

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
