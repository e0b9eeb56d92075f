#pragma once
// The frame timer over the platform's high-resolution counter. Time does
// not advance while the timer is stopped.
#include <cstdint>

class CFWTimer {
 public:
  CFWTimer();
  void Reset();
  void Start();
  void Stop();
  // Seconds; -1.0 when there is no high-resolution counter.
  double GetAbsoluteTime();
  double GetTime();
  double GetElapsedTime();
  bool IsStopped() const { return timerStopped_; }

 private:
  // The counter now, or the stop time while stopped.
  int64_t AdjustedCurrentTime();

  bool usingQPF_ = false;
  bool timerStopped_ = true;
  int64_t qpfTicksPerSec_ = 0;
  int64_t stopTime_ = 0;
  int64_t lastElapsedTime_ = 0;
  int64_t baseTime_ = 0;
};

// The one timer of the framework and the GUI toolkit, made on first use.
CFWTimer* FWGetGlobalTimer();
