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
  while (gConsoleBusy.exchange(true, std::memory_order_acquire))
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  size_t nul = text.find(L'\0');
  if (nul != std::wstring_view::npos) text = text.substr(0, nul);
  if (fd_ >= 0) {
    std::string bytes = WideToUtf16Le(text);
    WriteAll(fd_, bytes.data(), bytes.size());
    WriteAll(fd_, "\r\0\n\0", 4);
  }
  Listener l = listener_;
  gConsoleBusy.store(false, std::memory_order_release);
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
  while (gConsoleBusy.exchange(true, std::memory_order_acquire))
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  Create(true);
  gConsoleBusy.store(false, std::memory_order_release);
}

void cConsole::Close() {
  // A writer of the other thread may be in the middle of its line.
  while (gConsoleBusy.exchange(true, std::memory_order_acquire))
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  gConsoleBusy.store(false, std::memory_order_release);
}

void cConsole::SetListener(Listener l) {
  while (gConsoleBusy.exchange(true, std::memory_order_acquire))
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  listener_ = std::move(l);
  gConsoleBusy.store(false, std::memory_order_release);
}

void LogLine(std::wstring_view text) { gConsole.AddLine(text); }

void LogF(const wchar_t* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::wstring s = WFormatV(fmt, args);
  va_end(args);
  gConsole.AddLine(s);
}
