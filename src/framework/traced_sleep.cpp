#include "framework/traced_sleep.h"

#include <string>

#include "core/console.h"
#include "core/game_lock.h"
#include "core/text.h"
#include "platform/clock.h"

void TraceSleep(int milliseconds, const char* file, int line) {
  // A caller asking for more than 11 seconds is probably stuck.
  if (milliseconds > 11000) gConsole.AddLine(L"Oj chyba b\u0119dzie zwis");
  std::string name = RelativeSourceName(file);
  if (name.size() > 255) name.resize(255);
  gConsole.AddFormatted(L"S: %s : %d : %d ms", Utf8ToWide(name).c_str(), line, milliseconds);
}

void TracedSleep(int milliseconds, const char* file, int line) {
  TraceSleep(milliseconds, file, line);
  Sleep(static_cast<uint32_t>(milliseconds > 0 ? milliseconds : 0));
}
