#pragma once
// The clock and the sleep of the platform: a monotonic tick counter with its
// frequency, and a sleep in milliseconds. Tests install a clock of their own
// so that timing and frame sleeps can be checked without waiting.
#include <cstdint>
#include <vector>

class cPlatformClock {
 public:
  virtual ~cPlatformClock() = default;
  // False when no high-resolution counter exists.
  virtual bool QueryFrequency(int64_t& ticksPerSecond) = 0;
  virtual int64_t Now() = 0;
  virtual void SleepMs(uint32_t ms) = 0;
};

// The installed clock (the system one until something else is set).
cPlatformClock& PlatformClock();
// Installs a clock (not owned); null restores the system clock.
void SetPlatformClock(cPlatformClock* clock);

// Shorthands over the installed clock.
void Sleep(uint32_t ms);
// Milliseconds since an arbitrary start, wrapping as a 32-bit count.
uint32_t GetTickCount();

// A clock that moves only when told to or when slept on; it records the sleeps.
class cManualClock : public cPlatformClock {
 public:
  bool QueryFrequency(int64_t& ticksPerSecond) override {
    ticksPerSecond = frequency;
    return available;
  }
  int64_t Now() override { return ticks; }
  void SleepMs(uint32_t ms) override {
    sleeps.push_back(ms);
    ticks += static_cast<int64_t>(ms) * frequency / 1000;
  }
  void AdvanceMs(int64_t ms) { ticks += ms * frequency / 1000; }

  int64_t frequency = 1000000000;  // as the system clock, so timers made under either agree
  int64_t ticks = 0;
  bool available = true;
  std::vector<uint32_t> sleeps;
  uint32_t TotalSlept() const {
    uint32_t t = 0;
    for (uint32_t v : sleeps) t += v;
    return t;
  }
};
