#pragma once
// The process-wide game lock that keeps the main thread and the worker
// thread from changing what is on screen at the same time. Recursive; every
// acquire and release may leave a trace line in the console log.
#include <cstdint>

void CreateGameLock();
void DeleteGameLock();
// A null file leaves no trace (the per-frame acquires); a traced file name is
// written relative to the source tree.
void AcquireGameLock(const char* file, int line);
void ReleaseGameLock(const char* file, int line);
// Holds not yet released, over all threads.
int32_t GameLockHoldCount();
// Holds of the calling thread.
int32_t GameLockHeldByThisThread();
bool GameLockEnabled();

// A traced source file's name from the tree's root ("src/..."), never the
// build's absolute path.
const char* RelativeSourceName(const char* file);

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

// A wait of a thread that may hold the lock: every hold of the calling
// thread is given up for the scope and taken back at its end, so that the
// other thread can draw or step while this one waits. On the way back it
// lets a thread already waiting for the lock go first.
class cGameLockWait {
 public:
  cGameLockWait();
  ~cGameLockWait();
  cGameLockWait(const cGameLockWait&) = delete;
  cGameLockWait& operator=(const cGameLockWait&) = delete;

 private:
  int32_t held_;
};
