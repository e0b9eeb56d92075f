#pragma once
// The whole program in-process under the dummy drivers: a game folder of its
// own (the built game's data linked, the small test scenario copied, a
// Settings.ini of the chosen size without delays), started as the program
// starts but without the intro, then driven frame by frame with the
// player's clicks and keys, with screenshots saved as PNG files.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/app.h"
#include "core/console.h"
#include "core/game_lock.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "dialogs/dialog_stack.h"
#include "gui/cursor.h"
#include "gui/fw_resource_manager.h"
#include "framework/fw_main.h"
#include "framework/fw_state.h"
#include "framework/map_skin.h"
#include "framework/units_skin.h"
#include "framework/sound.h"
#include "framework/texture.h"
#include "gui/gui_layout.h"
#include "platform/device.h"
#include "platform/window.h"
#include "rules/worker_thread.h"
#include "screens/intro_menu.h"
#include "screens/main_menu.h"
#include "screens/menu.h"
#include "screens/ui_front_end.h"
#include "world/game.h"

namespace ui_test {

class cGameUiHarness {
 public:
  static constexpr uint32_t kWorkerSeed = 20240601;

  // With shippedScenarios the built game's scenarios are linked in place of
  // the small test scenario.
  cGameUiHarness(int width, int height, const std::string& name, bool shippedScenarios = false)
      : width_(width),
        height_(height),
        before_(std::filesystem::current_path()),
        settingsBefore_(gProgramSettings),
        delaysBefore_(delayValues) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    PlatformUseSoftwareRenderer(true);
    namespace fs = std::filesystem;
    folder_ = fs::temp_directory_path() / ("brennmark_ui_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "data");
    if (!shippedScenarios) fs::create_directories(folder_ / "data" / "scenarios");
    const fs::path game(BRENNMARK_GAME_DIR);
    fs::create_symlink(game / "lang_ENG.db", folder_ / "lang_ENG.db");
    for (const auto& e : fs::directory_iterator(game / "data")) {
      const std::string n = e.path().filename().string();
      // No movies: the road starts at the title screen.
      if ((n == "scenarios" && !shippedScenarios) || n == "save" || n == "pbem" || e.path().extension() == ".avi")
        continue;
      fs::create_symlink(e.path(), folder_ / "data" / n);
    }
    if (!shippedScenarios)
      fs::copy(fs::path(BRENNMARK_TEST_DATA_DIR) / "TwoShores1939", folder_ / "data" / "scenarios" / "TwoShores1939",
               fs::copy_options::recursive);
    {
      std::ofstream ini(folder_ / "Settings.ini", std::ios::binary);
      ini << "[Main]\r\nResolutionX=" << width << "\r\nResolutionY=" << height << "\r\nFullscreen=0\r\n[Delay]\r\n";
      for (const sDelaySetting& d : delaySettings) ini << (std::string(d.iniKey).substr(6)) << "=0\r\n";
    }
    artefacts_ = game.parent_path() / "artifacts" / name;
    fs::create_directories(artefacts_);
    fs::current_path(folder_);
    // The computer's dice: the same turn every run.
    SetWorkerSeed(kWorkerSeed);

    // The program's start-up, as far as the title screen.
    CreateGameLock();
    LoadSettings();
    LoadGuiLayout();
    DestroyAllMenus();
    ResetDialogStack();
    InstallUiFrontEnd();
    InstallFrameworkCallbacks();
    // The dialogs' resources follow the device only when registered before
    // it: an earlier test's reset unregistered them.
    GetGlobalDialogResourceManager()->ClearForTests();
    FWSetCursorSettings(true, true);
    FWInit();
    FWCreateWindow(L"Brennmark test", nullptr, nullptr, nullptr, CW_USEDEFAULT, CW_USEDEFAULT);
    FWCreateDevice(0, true, width, height);
    InitSounds();
    gStringTable.Load("lang_LANGID.db", true);
    gTextures[kCursorTextureHolder].Load(L"data\\gfx\\cur.png", kTextureFromFile, 1);
    gCursor.Init(20, 20, 16, 40, 0, nullptr);
    gTextures[kConsoleTextureHolder].Load(L"data\\gfx\\console.png", kTextureFromFile, 1);
    gUnknownFlagTexture.Load(L"data\\gfx\\Flags\\unknown.png", kTextureFromFile, 1);
    gTextures[kGuiTextureHolder].Load(L"data\\gfx\\GUI.png", kTextureFromFile, 1);
    gCurrentMenu = new cMainMenu();
    Frames(3);
  }

  ~cGameUiHarness() {
    // The game's end stops the worker within its budget, or ends the test
    // program: a stuck worker fails the run instead of hanging it.
    if (gGra != nullptr) DestroyGameAndPictures();
    ClearWorkerSeed();
    DestroyAllMenus();
    ResetDialogStack();
    // The skins' fonts outlive a game; a second run in this process must
    // not find the first one's fonts after the font library was shut down.
    ReleaseMapSkinFonts();
    ReleaseUnitsSkinFonts();
    FWShutdown();
    DropUiFrontEnd();
    PlatformQuitVideo();
    DeleteGameLock();
    std::filesystem::current_path(before_);
    gProgramSettings = settingsBefore_;
    delayValues = delaysBefore_;
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  // Handles what is queued, then draws one frame; n times.
  void Frames(int n = 1) {
    for (int i = 0; i < n; ++i) {
      MSG m;
      while (PeekMessage(&m, PM_REMOVE)) {
        if (m.message == WM_QUIT) return;
        TranslateMessage(&m);
        DispatchMessage(&m);
      }
      FWRender3DEnvironment();
    }
  }

  // Frames until the condition holds; false when it never did. A
  // sanitizer's build, with its longer time limits, waits more frames.
  bool WaitFor(const std::function<bool()>& done, int maxFrames = 2000) {
    for (int i = 0; i < maxFrames * BRENNMARK_TEST_TIME_SCALE; ++i) {
      if (done()) return true;
      Frames(1);
      SDL_Delay(2);
    }
    return done();
  }

  static void Push(SDL_Event e) { SDL_PushEvent(&e); }

  void MoveTo(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    Push(e);
    Frames(1);
  }

  // One press or release of a mouse button where the cursor stands.
  void Button(bool down, int x, int y, uint8_t which = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = which;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    Push(e);
    Frames(1);
  }

  // Notches of the mouse wheel (away from the player is positive) at a point.
  void Wheel(int notches, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = notches;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    Push(e);
    Frames(1);
  }

  void Click(int x, int y, uint8_t which = SDL_BUTTON_LEFT) {
    MoveTo(x, y);
    Button(true, x, y, which);
    Button(false, x, y, which);
  }

  // The centre of a layout rectangle.
  void ClickLayout(int id) {
    const sGuiRect r = GuiRect(id);
    Click(r.x + r.w / 2, r.y + r.h / 2);
  }

  // One press or release of a key, queued for the next frame.
  static void PushKey(SDL_Keycode sym, bool down, uint16_t mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    e.key.keysym.mod = mod;
    Push(e);
  }

  void Key(SDL_Keycode sym) {
    for (bool down : {true, false}) {
      PushKey(sym, down);
      Frames(1);
    }
  }

  // Draws a frame and saves it as <step>.png among the artefacts; true when
  // it was saved and shows a picture (not one flat colour or a few).
  bool Screenshot(const std::string& step) {
    Frames(1);
    cPlatformDevice* device = FWGetD3DDevice();
    std::vector<uint32_t> px;
    int w = 0, h = 0;
    if (device == nullptr || !device->ReadPixels(px, w, h)) return false;
    // The back buffer's alpha is not the picture's: every pixel is opaque.
    for (uint32_t& p : px) p |= 0xFF000000u;
    changed_ = 0;
    if (previous_.size() == px.size())
      for (size_t i = 0; i < px.size(); ++i) changed_ += previous_[i] != px[i] ? 1 : 0;
    std::unordered_set<uint32_t> colours(px.begin(), px.end());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(px.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return false;
    const bool ok = IMG_SavePNG(s, (artefacts_ / (step + ".png")).string().c_str()) == 0;
    SDL_FreeSurface(s);
    previous_ = std::move(px);
    return ok && colours.size() >= kPictureColours;
  }
  // The last screenshot's pixels, row by row, and how many of them differ
  // from the screenshot before it.
  const std::vector<uint32_t>& LastShot() const { return previous_; }
  int ChangedPixels() const { return changed_; }
  // The pixels of a rectangle of the last screenshot, clipped to it.
  std::vector<uint32_t> ShotRegion(int x, int y, int w, int h) const {
    std::vector<uint32_t> out;
    for (int r = std::max(y, 0); r < std::min(y + h, height_); ++r)
      for (int c = std::max(x, 0); c < std::min(x + w, width_); ++c)
        out.push_back(previous_[static_cast<size_t>(r) * static_cast<size_t>(width_) + static_cast<size_t>(c)]);
    return out;
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::filesystem::path& Artefacts() const { return artefacts_; }

 private:
  int width_;
  int height_;
  std::filesystem::path before_;
  // The run's Settings.ini is its own: later tests see the settings as before.
  sProgramSettings settingsBefore_;
  std::array<float, kDelayCount> delaysBefore_;
  std::filesystem::path folder_;
  std::filesystem::path artefacts_;
  // Fewer colours than this is a blank or failed frame.
  static constexpr size_t kPictureColours = 16;
  std::vector<uint32_t> previous_;
  int changed_ = 0;
};

}  // namespace ui_test
