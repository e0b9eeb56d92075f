#include "core/game_lock.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "core/console.h"
#include "core/text.h"

namespace {
std::recursive_mutex* gLock = nullptr;
std::atomic<bool> gEnabled{false};
std::atomic<int32_t> gHolds{0};
// Threads blocked in an acquire.
std::atomic<int32_t> gWaiting{0};
thread_local int32_t tHeld = 0;
}  // namespace

// This file's place in the tree tells where the tree starts: a traced name
// is written from there on, never as the build's absolute path.
const char* RelativeSourceName(const char* file) {
  if (file == nullptr) return "";
  static const size_t rootLength = [] {
    const char* self = __FILE__;
    const char* tail = std::strstr(self, "src/core/game_lock.cpp");
    return tail != nullptr ? static_cast<size_t>(tail - self) : size_t{0};
  }();
  if (rootLength > 0 && std::strncmp(file, __FILE__, rootLength) == 0) return file + rootLength;
  if (file[0] == '/') {
    // Built elsewhere: the file's own name.
    const char* slash = std::strrchr(file, '/');
    return slash + 1;
  }
  return file;
}

namespace {

void Enter() {
  gWaiting.fetch_add(1);
  gLock->lock();
  gWaiting.fetch_sub(1);
  gHolds.fetch_add(1);
  ++tHeld;
}

void Leave() {
  --tHeld;
  gHolds.fetch_sub(1);
  gLock->unlock();
}
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
  if (file != nullptr) gConsole.AddFormatted(L"AC:%s:%d", WidenAscii(RelativeSourceName(file)).c_str(), line);
  Enter();
}

void ReleaseGameLock(const char* file, int line) {
  if (!gEnabled || gLock == nullptr) return;
  if (file != nullptr) gConsole.AddFormatted(L"RC:%s:%d", WidenAscii(RelativeSourceName(file)).c_str(), line);
  if (gHolds.load() <= 0 || tHeld <= 0) {
    // Leaving a lock this thread does not hold would corrupt it; log and do
    // nothing.
    gConsole.AddLine(L"LCS przy C<=0");
    return;
  }
  Leave();
}

int32_t GameLockHoldCount() { return gHolds.load(); }
int32_t GameLockHeldByThisThread() { return tHeld; }
bool GameLockEnabled() { return gEnabled.load(); }

cGameLockWait::cGameLockWait() : held_(gEnabled && gLock != nullptr ? tHeld : 0) {
  for (int32_t i = 0; i < held_; ++i) Leave();
}

cGameLockWait::~cGameLockWait() {
  if (held_ == 0 || !gEnabled || gLock == nullptr) return;
  // The mutex is not fair: a thread that gives it up and takes it straight
  // back would keep a waiting frame out for good.
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
  while (gWaiting.load() > 0 && std::chrono::steady_clock::now() < until) std::this_thread::yield();
  for (int32_t i = 0; i < held_; ++i) Enter();
}
