#pragma once
// The program's only log, "ConsoleOut.txt" in the per-user folder: UTF-16LE,
// each line followed by CR LF, written at once by both game threads.
#include <functional>
#include <string>
#include <string_view>

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
  void Close();

  bool enabled = true;
  const std::string& Path() const { return path_; }

  // Every line also goes to the listener when one is set (tests read the
  // log through it instead of the file).
  using Listener = std::function<void(const std::wstring&)>;
  void SetListener(Listener l);

 private:
  void Create(bool withBom);
  std::string path_;
  int fd_ = -1;
  Listener listener_;
};

extern cConsole gConsole;

// Shorthands for the common case of one formatted line.
void LogLine(std::wstring_view text);
void LogF(const wchar_t* fmt, ...);
