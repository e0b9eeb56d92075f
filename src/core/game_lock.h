#pragma once
// The process-wide game lock that keeps the main thread and the worker
// thread from changing what is on screen at the same time. Recursive; every
// acquire and release may leave a trace line in the console log.
#include <cstdint>

void CreateGameLock();
void DeleteGameLock();
void AcquireGameLock(const char* file, int line);
void ReleaseGameLock(const char* file, int line);
// Holds not yet released, over all threads.
int32_t GameLockHoldCount();
bool GameLockEnabled();

#define GAME_LOCK() AcquireGameLock(__FILE__, __LINE__)
#define GAME_UNLOCK() ReleaseGameLock(__FILE__, __LINE__)

// Holds the lock for a scope.
class cGameLockGuard {
 public:
  cGameLockGuard(const char* file, int line) : file_(file), line_(line) { AcquireGameLock(file_, line_); }
  ~cGameLockGuard() { ReleaseGameLock(file_, line_); }
  cGameLockGuard(const cGameLockGuard&) = delete;
  cGameLockGuard& operator=(const cGameLockGuard&) = delete;

 private:
  const char* file_;
  int line_;
};
