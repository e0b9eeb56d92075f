#include "framework/fw_timer.h"

#include "platform/clock.h"

CFWTimer::CFWTimer() {
  int64_t freq = 0;
  if (PlatformClock().QueryFrequency(freq) && freq > 0) {
    usingQPF_ = true;
    qpfTicksPerSec_ = freq;
  }
}

int64_t CFWTimer::AdjustedCurrentTime() { return stopTime_ != 0 ? stopTime_ : PlatformClock().Now(); }

void CFWTimer::Reset() {
  if (!usingQPF_) return;
  const int64_t now = AdjustedCurrentTime();
  baseTime_ = now;
  lastElapsedTime_ = now;
  stopTime_ = 0;
  timerStopped_ = false;
}

void CFWTimer::Start() {
  if (!usingQPF_) return;
  const int64_t now = PlatformClock().Now();
  if (timerStopped_) baseTime_ += now - stopTime_;
  stopTime_ = 0;
  lastElapsedTime_ = now;
  timerStopped_ = false;
}

void CFWTimer::Stop() {
  if (!usingQPF_ || timerStopped_) return;
  const int64_t now = PlatformClock().Now();
  stopTime_ = now;
  lastElapsedTime_ = now;
  timerStopped_ = true;
}

double CFWTimer::GetAbsoluteTime() {
  if (!usingQPF_) return -1.0;
  return static_cast<double>(AdjustedCurrentTime()) / static_cast<double>(qpfTicksPerSec_);
}

double CFWTimer::GetTime() {
  if (!usingQPF_) return -1.0;
  return static_cast<double>(AdjustedCurrentTime() - baseTime_) / static_cast<double>(qpfTicksPerSec_);
}

double CFWTimer::GetElapsedTime() {
  if (!usingQPF_) return -1.0;
  const int64_t now = AdjustedCurrentTime();
  const double elapsed = static_cast<double>(now - lastElapsedTime_) / static_cast<double>(qpfTicksPerSec_);
  lastElapsedTime_ = now;
  return elapsed;
}

CFWTimer* FWGetGlobalTimer() {
  static CFWTimer timer;
  return &timer;
}
