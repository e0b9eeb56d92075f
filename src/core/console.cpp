#include "core/console.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <new>
#include <cstdarg>
#include <thread>

#include "core/paths.h"
#include "core/text.h"

namespace {
// Writers are kept apart by this flag with 25 ms sleeps, never by the game
// lock, so that logging cannot block on the lock.
std::atomic<bool> gConsoleBusy{false};

// Holds the flag for a scope.
class cConsoleBusy {
 public:
  cConsoleBusy() {
    while (gConsoleBusy.exchange(true, std::memory_order_acquire))
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  ~cConsoleBusy() { gConsoleBusy.store(false, std::memory_order_release); }
  cConsoleBusy(const cConsoleBusy&) = delete;
  cConsoleBusy& operator=(const cConsoleBusy&) = delete;
};

// A block this large is written at once.
constexpr size_t kBlockBytes = 64 * 1024;
// No line waits longer than this; the helper looks this often.
constexpr auto kFlushInterval = std::chrono::milliseconds(900);
constexpr auto kFlusherTick = std::chrono::milliseconds(100);

// The log whose lines a crash writes out.
std::atomic<cConsole*> gCrashConsole{nullptr};

void WriteAll(int fd, const char* data, size_t len) {
  while (len > 0) {
    ssize_t n = ::write(fd, data, len);
    if (n <= 0) return;
    data += n;
    len -= static_cast<size_t>(n);
  }
}
}  // namespace

cConsole gConsole;

void cConsole::PrepareFork() {
  while (gConsoleBusy.exchange(true, std::memory_order_acquire)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  gConsole.flusherMutex_.lock();
}

void cConsole::AfterFork() {
  gConsole.flusherMutex_.unlock();
  gConsoleBusy.store(false, std::memory_order_release);
}

namespace {
[[maybe_unused]] const int gForkHandlers = pthread_atfork(&cConsole::PrepareFork, &cConsole::AfterFork, &cConsole::AfterFork);
}  // namespace

cConsole::cConsole() : path_(WideToUtf8(GetUserDataFolder()) + "ConsoleOut.txt") { Create(false); }

cConsole::cConsole(std::string path) : path_(std::move(path)) { Create(false); }

cConsole::~cConsole() {
  Close();
  cConsole* self = this;
  gCrashConsole.compare_exchange_strong(self, nullptr);
}

void cConsole::Create(bool withBom) {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ >= 0 && withBom) WriteAll(fd_, "\xFF\xFE", 2);
}

void cConsole::WritePending() {
  if (fd_ >= 0 && !pending_.empty()) WriteAll(fd_, pending_.data(), pending_.size());
  pending_.clear();
}

void cConsole::StartFlusher() {
  if (flusher_.joinable() && flusherPid_ == ::getpid()) return;
  ForgetFlusherOfParent();
  stopFlusher_ = false;
  flusherPid_ = ::getpid();
  flusher_ = std::thread([this] {
    std::unique_lock<std::mutex> lock(flusherMutex_);
    while (!stopFlusher_) {
      flusherWake_.wait_for(lock, kFlusherTick);
      if (stopFlusher_) break;
      lock.unlock();
      {
        cConsoleBusy busy;
        if (!pending_.empty() && std::chrono::steady_clock::now() - firstPending_ >= kFlushInterval) WritePending();
      }
      lock.lock();
    }
  });
}

// A forked child has the parent's thread object but not its thread: the
// object is dropped unjoined, and the child starts a helper of its own.
void cConsole::ForgetFlusherOfParent() {
  if (flusher_.joinable() && flusherPid_ != ::getpid()) new (&flusher_) std::thread();
}

void cConsole::StopFlusher() {
  ForgetFlusherOfParent();
  if (!flusher_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(flusherMutex_);
    stopFlusher_ = true;
  }
  flusherWake_.notify_all();
  flusher_.join();
}

void cConsole::AddLine(std::wstring_view text) {
  if (!enabled) return;
  size_t nul = text.find(L'\0');
  if (nul != std::wstring_view::npos) text = text.substr(0, nul);
  Listener l;
  {
    cConsoleBusy busy;
    if (fd_ >= 0) {
      const auto now = std::chrono::steady_clock::now();
      if (pending_.empty()) firstPending_ = now;
      pending_ += WideToUtf16Le(text);
      pending_.append("\r\0\n\0", 4);
      if (pending_.size() >= kBlockBytes || now - firstPending_ >= kFlushInterval)
        WritePending();
      else
        StartFlusher();
    }
    l = listener_;
  }
  // Called outside the flag, so that a listener may log in turn.
  if (l) l(std::wstring(text));
}

void cConsole::Flush() {
  cConsoleBusy busy;
  WritePending();
}

void cConsole::FlushOnCrash() {
  gCrashConsole.store(this);
  static std::once_flag installed;
  std::call_once(installed, [] {
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
      struct sigaction action {};
      action.sa_handler = &cConsole::OnCrash;
      sigemptyset(&action.sa_mask);
      action.sa_flags = SA_RESETHAND;
      sigaction(sig, &action, nullptr);
    }
  });
}

void cConsole::OnCrash(int sig) {
  // No flag and no allocation here: a line being added at the moment of the
  // crash may be cut, every earlier one is written.
  cConsole* c = gCrashConsole.load();
  if (c != nullptr && c->fd_ >= 0 && !c->pending_.empty()) WriteAll(c->fd_, c->pending_.data(), c->pending_.size());
  ::raise(sig);
}

void cConsole::AddFormatted(const wchar_t* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::wstring s = WFormatV(fmt, args);
  va_end(args);
  AddLine(s);
}

void cConsole::Reopen() {
  cConsoleBusy busy;
  // What was gathered belongs to the file being started again.
  pending_.clear();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  Create(true);
}

void cConsole::Close() {
  // The helper takes the writers' flag: stopped first, without it.
  StopFlusher();
  // A writer of the other thread may be in the middle of its line.
  cConsoleBusy busy;
  WritePending();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void cConsole::SetListener(Listener l) {
  cConsoleBusy busy;
  listener_ = std::move(l);
}

void LogLine(std::wstring_view text) { gConsole.AddLine(text); }

void LogF(const wchar_t* fmt, ...) {
  // A switched-off log costs no formatting.
  if (!gConsole.enabled) return;
  va_list args;
  va_start(args, fmt);
  std::wstring s = WFormatV(fmt, args);
  va_end(args);
  gConsole.AddLine(s);
}
