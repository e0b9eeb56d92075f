#include "core/game_lock.h"

#include <atomic>
#include <mutex>

#include "core/console.h"
#include "core/text.h"

namespace {
std::recursive_mutex* gLock = nullptr;
std::atomic<bool> gEnabled{false};
std::atomic<int32_t> gHolds{0};
}  // namespace

void CreateGameLock() {
  if (gLock == nullptr) gLock = new std::recursive_mutex;
  gEnabled = true;
}

void DeleteGameLock() {
  gEnabled = false;
  delete gLock;
  gLock = nullptr;
}

void AcquireGameLock(const char* file, int line) {
  if (!gEnabled || gLock == nullptr) return;
  if (file != nullptr) gConsole.AddFormatted(L"AC:%s:%d", WidenAscii(file).c_str(), line);
  gLock->lock();
  gHolds.fetch_add(1);
}

void ReleaseGameLock(const char* file, int line) {
  if (!gEnabled || gLock == nullptr) return;
  if (file != nullptr) gConsole.AddFormatted(L"RC:%s:%d", WidenAscii(file).c_str(), line);
  if (gHolds.load() <= 0) {
    // Leaving a lock nobody holds would corrupt it; log and do nothing.
    gConsole.AddLine(L"LCS przy C<=0");
    return;
  }
  gHolds.fetch_sub(1);
  gLock->unlock();
}

int32_t GameLockHoldCount() { return gHolds.load(); }
bool GameLockEnabled() { return gEnabled.load(); }
