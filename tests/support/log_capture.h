#pragma once
// Test helpers around the console log and the front end: a collector of log
// lines, the death-test hook that echoes the log to stderr, and a scope that
// installs a front end.
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/text.h"

// Collects the log lines written while it lives; safe for writers on two threads.
class cLogCapture {
 public:
  cLogCapture() {
    gConsole.SetListener([this](const std::wstring& l) {
      std::lock_guard<std::mutex> g(mutex_);
      lines.push_back(l);
    });
  }
  ~cLogCapture() { gConsole.SetListener(nullptr); }
  cLogCapture(const cLogCapture&) = delete;
  cLogCapture& operator=(const cLogCapture&) = delete;

  // A copy taken under the lock, for tests with a second thread.
  std::vector<std::wstring> Lines() const {
    std::lock_guard<std::mutex> g(mutex_);
    return lines;
  }
  void Clear() {
    std::lock_guard<std::mutex> g(mutex_);
    lines.clear();
  }
  bool Has(const std::wstring& line) const { return IndexOf(line) >= 0; }
  bool HasPrefix(const std::wstring& prefix) const {
    for (const auto& l : Lines())
      if (l.rfind(prefix, 0) == 0) return true;
    return false;
  }
  int CountContaining(const std::wstring& part) const {
    int n = 0;
    for (const auto& l : Lines())
      if (l.find(part) != std::wstring::npos) ++n;
    return n;
  }
  int IndexOf(const std::wstring& line) const {
    const std::vector<std::wstring> all = Lines();
    for (size_t i = 0; i < all.size(); ++i)
      if (all[i] == line) return static_cast<int>(i);
    return -1;
  }

  std::vector<std::wstring> lines;

 private:
  mutable std::mutex mutex_;
};

// In a death test: every log line also goes to stderr, where the matcher
// of EXPECT_EXIT reads it.
inline void LogToStderr() {
  gConsole.SetListener([](const std::wstring& l) { std::fprintf(stderr, "%s\n", WideToUtf8(l).c_str()); });
}

// Installs a front end for the scope, then the quiet one again.
class cFrontEndScope {
 public:
  explicit cFrontEndScope(cFrontEnd* fe) { SetFrontEnd(fe); }
  ~cFrontEndScope() { SetFrontEnd(nullptr); }
  cFrontEndScope(const cFrontEndScope&) = delete;
  cFrontEndScope& operator=(const cFrontEndScope&) = delete;
};
