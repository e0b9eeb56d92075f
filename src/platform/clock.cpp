#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace {
class cSystemClock : public cPlatformClock {
 public:
  bool QueryFrequency(int64_t& ticksPerSecond) override {
    ticksPerSecond = 1000000000;
    return true;
  }
  int64_t Now() override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  void SleepMs(uint32_t ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

cSystemClock gSystemClock;
cPlatformClock* gClock = &gSystemClock;
}  // namespace

cPlatformClock& PlatformClock() { return *gClock; }
void SetPlatformClock(cPlatformClock* clock) { gClock = clock != nullptr ? clock : &gSystemClock; }

void Sleep(uint32_t ms) { gClock->SleepMs(ms); }

uint32_t GetTickCount() {
  int64_t freq = 1000;
  if (!gClock->QueryFrequency(freq) || freq <= 0) freq = 1000;
  return static_cast<uint32_t>(static_cast<uint64_t>(gClock->Now() / (freq / 1000 > 0 ? freq / 1000 : 1)));
}
