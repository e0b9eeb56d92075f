#pragma once
// The program's only log, "ConsoleOut.txt" in the per-user folder: UTF-16LE,
// each line followed by CR LF, written at once by both game threads.
// Lines are gathered in memory and written in blocks: a full block, a line
// that finds the oldest gathered line near a second old, a helper thread
// that looks every tenth of a second, Flush, Close and a crash's signal each
// write what is gathered.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

class cConsole {
 public:
  // Creates "ConsoleOut.txt" in the per-user folder anew, without a byte-order mark.
  cConsole();
  // Same, at an explicit path (tests keep their logs apart this way).
  explicit cConsole(std::string path);
  ~cConsole();
  cConsole(const cConsole&) = delete;
  cConsole& operator=(const cConsole&) = delete;

  void AddLine(std::wstring_view text);
  // Formats with the wide formatter, then adds the line.
  void AddFormatted(const wchar_t* fmt, ...);
  // Truncates the file and starts it again with the byte-order mark FF FE.
  void Reopen();
  // Writes every line gathered so far.
  void Flush();
  // Writes what is gathered and closes the file; later lines are dropped.
  void Close();
  // A crash (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) writes this log's
  // gathered lines before the process dies of it. One log at a time.
  void FlushOnCrash();

  bool enabled = true;
  const std::string& Path() const { return path_; }

  // Every line also goes to the listener when one is set (tests read the
  // log through it instead of the file).
  using Listener = std::function<void(const std::wstring&)>;
  void SetListener(Listener l);

  // A fork copies the writers' flag and the helper's mutex as they stand,
  // but not the thread that may hold them: the fork waits until this
  // thread holds both, and both parent and child let them go.
  static void PrepareFork();
  static void AfterFork();

 private:
  void Create(bool withBom);
  // Both with the writers' flag held.
  void WritePending();
  void StartFlusher();
  void StopFlusher();
  void ForgetFlusherOfParent();
  static void OnCrash(int sig);

  std::string path_;
  int fd_ = -1;
  Listener listener_;
  std::string pending_;
  // When the oldest line of pending_ came.
  std::chrono::steady_clock::time_point firstPending_{};
  std::thread flusher_;
  std::mutex flusherMutex_;
  std::condition_variable flusherWake_;
  bool stopFlusher_ = false;
  int flusherPid_ = 0;
};

extern cConsole gConsole;

// Shorthands for the common case of one formatted line.
void LogLine(std::wstring_view text);
void LogF(const wchar_t* fmt, ...);
