// Start-up of the program. The window, menus and game screen come with the
// framework; until then the program starts its core services and reports.
#include <cstdio>
#include <ctime>

#include "core/console.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "core/version.h"

int main() {
  CreateGameLock();
  gConsole.AddFormatted(L"Running %s v%.2f", kProgramTitleW, kProgramVersion);
  SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
  LoadSettings();
  gStringTable.Load("lang_LANGID.db", true);
  std::printf("%s v%.2f: core services started, %zu texts loaded.\n", WideToUtf8(kProgramTitleW).c_str(), kProgramVersion,
              gStringTable.Size());
  std::printf("There is no game screen yet. The log is %s\n", gConsole.Path().c_str());
  DeleteGameLock();
  gConsole.Close();
  return 0;
}
