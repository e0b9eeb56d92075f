#include "core/console.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
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

cConsole::cConsole() : path_(WideToUtf8(GetUserDataFolder()) + "ConsoleOut.txt") { Create(false); }

cConsole::cConsole(std::string path) : path_(std::move(path)) { Create(false); }

cConsole::~cConsole() { Close(); }

void cConsole::Create(bool withBom) {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ >= 0 && withBom) WriteAll(fd_, "\xFF\xFE", 2);
}

void cConsole::AddLine(std::wstring_view text) {
  if (!enabled) return;
  size_t nul = text.find(L'\0');
  if (nul != std::wstring_view::npos) text = text.substr(0, nul);
  Listener l;
  {
    cConsoleBusy busy;
    if (fd_ >= 0) {
      // One write a line: the log is written by the line all game long.
      std::string bytes = WideToUtf16Le(text);
      bytes.append("\r\0\n\0", 4);
      WriteAll(fd_, bytes.data(), bytes.size());
    }
    l = listener_;
  }
  // Called outside the flag, so that a listener may log in turn.
  if (l) l(std::wstring(text));
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
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  Create(true);
}

void cConsole::Close() {
  // A writer of the other thread may be in the middle of its line.
  cConsoleBusy busy;
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
