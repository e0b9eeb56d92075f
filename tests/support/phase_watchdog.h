#pragma once
// A watchdog over the phases of a game played on the worker thread: the
// worker says which phase of which country begins, a watching thread asks
// whether the running phase has gone past its bound. It keeps the longest
// phase seen, so that a run can tell how close it came.
#include <chrono>
#include <mutex>
#include <string>

class cPhaseWatchdog {
 public:
  using Clock = std::chrono::steady_clock;

  explicit cPhaseWatchdog(Clock::duration bound) : bound_(bound) {}

  // A phase of the country begins; the one before it ends.
  void Begin(const std::string& phase, const std::string& country, Clock::time_point now = Clock::now()) {
    std::lock_guard<std::mutex> lock(mutex_);
    CloseRunning(now);
    phase_ = phase;
    country_ = country;
    started_ = now;
    running_ = true;
  }
  // No phase runs: the game is handed back or over.
  void Idle(Clock::time_point now = Clock::now()) {
    std::lock_guard<std::mutex> lock(mutex_);
    CloseRunning(now);
    running_ = false;
  }
  // The running phase past its bound, named with its country; empty while
  // every phase keeps within it.
  std::string Overrun(Clock::time_point now = Clock::now()) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!running_ || now - started_ <= bound_) return {};
    return "the phase " + phase_ + " of " + country_ + " has run for " + std::to_string(Milliseconds(now - started_)) +
           " ms, beyond the bound of " + std::to_string(Milliseconds(bound_)) + " ms";
  }
  // The longest phase that ended, as "phase of country: n ms".
  std::string Longest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (longestPhase_.empty()) return "none";
    return longestPhase_ + " of " + longestCountry_ + ": " + std::to_string(Milliseconds(longest_)) + " ms";
  }
  Clock::duration LongestDuration() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return longest_;
  }

 private:
  static long long Milliseconds(Clock::duration d) {
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
  }
  void CloseRunning(Clock::time_point now) {
    if (!running_ || now - started_ < longest_) return;
    longest_ = now - started_;
    longestPhase_ = phase_;
    longestCountry_ = country_;
  }

  const Clock::duration bound_;
  mutable std::mutex mutex_;
  bool running_ = false;
  std::string phase_;
  std::string country_;
  Clock::time_point started_{};
  Clock::duration longest_{};
  std::string longestPhase_;
  std::string longestCountry_;
};
