// The program's start-up and exit sequence.
#include <cstdio>
#include <ctime>

#include "app/app.h"
#include "core/console.h"
#include "core/game_lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "core/version.h"
#include "dialogs/dialog_stack.h"
#include "framework/fw_main.h"
#include "framework/music_manager.h"
#include "framework/sound.h"
#include "gui/gui_layout.h"
#include "platform/window.h"
#include "screens/intro_menu.h"
#include "screens/menu.h"
#include "screens/ui_front_end.h"
#include "world/game.h"

namespace {
// The system library the game once needed exists on every platform it
// runs on now.
bool StartupLibraryPresent() { return true; }

void StopWithoutLibrary() {
  gConsole.AddLine(Txt("unicows.dll_not_found,_cannot_start_application"));
  if (std::FILE* f = std::fopen("error.txt", "w")) {
    std::fputs("unicows.dll not found! cannot load game\r\n", f);
    std::fclose(f);
  }
}
}  // namespace

int RunGame() {
  CreateGameLock();
  gConsole.AddFormatted(L"Running %s v%.2f", kProgramTitleW, kProgramVersion);
  if (!StartupLibraryPresent()) {
    StopWithoutLibrary();
    DeleteGameLock();
    return 1;
  }
  SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
  LoadSettings();
  // Without "Settings.ini" the resolution is 0 x 0: start in a window of the
  // size whose layout table ships with the game.
  if (gProgramSettings.resolutionX <= 0 || gProgramSettings.resolutionY <= 0) {
    gProgramSettings.resolutionX = 1024;
    gProgramSettings.resolutionY = 768;
    gProgramSettings.windowed = true;
  }
  LoadGuiLayout();
  DestroyAllMenus();
  ResetDialogStack();
  InstallUiFrontEnd();

  InstallFrameworkCallbacks();
  FWSetCursorSettings(true, true);
  FWInit();
  const std::wstring title = VersionText(kProgramTitleW, kProgramVersion, kProgramBuild);
  FWCreateWindow(title.c_str(), nullptr, nullptr, nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
  FWCreateDevice(0, gProgramSettings.windowed, gProgramSettings.resolutionX, gProgramSettings.resolutionY);
  InitSounds();
  LoadMusicPlaylists();
  PlayIntroMovies();
  gStringTable.Load("lang_LANGID.db", true);
  FWMainLoop(nullptr);
  const int exitCode = FWGetExitCode();

  // Also after the window's close ended the game: its pictures go with it.
  DestroyGameAndPictures();
  DestroyAllMenus();
  ResetDialogStack();
  PlatformCheckLeaksBeforeVideoEnds();
  FWShutdown();
  DropUiFrontEnd();
  PlatformQuitVideo();
  DeleteGameLock();
  gConsole.Close();
  return exitCode;
}
