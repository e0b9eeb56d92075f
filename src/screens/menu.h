#pragma once
// The base of every full-screen menu. Exactly one menu is current; it takes
// the framework's menu callbacks and draws itself each frame. Constructing a
// menu retires the current one: the old menu is destroyed at once, or, when
// the switch happens inside one of its own handlers, when that handler has
// returned.
#include <string>

#include "gui/fw_dialog.h"

class cPlatformDevice;
class cTexture;

class cMenu : public CFWDialog {
 public:
  cMenu();
  virtual ~cMenu();

  virtual void OnEvent(UINT event, int controlId, CFWControl* control);
  virtual void OnKeyboard(UINT key, bool keyDown, bool altDown);
  virtual void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y);
  virtual void OnFrameMove(cPlatformDevice* device, double time, float elapsed);
  virtual void OnRender(float elapsed);

 protected:
  // The wallpaper scaled to the screen from layout area 1, then the dialog.
  void RenderWithWallpaper(cTexture& wallpaper, float elapsed, bool withDialog = true);
  // The version label at the bottom left of the screen.
  void AddVersionLabel(int id);
};

// The current menu, null during the logos and while the game screen runs.
extern cMenu* gCurrentMenu;

// The menus' wallpapers and the scenario preview: global holders, released
// by their menus before a switch.
extern cTexture gMainMenuWallpaper;
extern cTexture gScenarioMenuWallpaper;
extern cTexture gLoadingWallpaper;
// Loaded when a game screen starts; released with the game's pictures.
extern cTexture gPauseWallpaper;
extern cTexture gScenarioPreviewTexture;

// Ends the running game with its pictures and the skins' fonts.
void EndGameAndReleasePictures();

// "Brennmark v0.10", or with " [build 501]" for a build that is not a
// multiple of 100.
std::wstring VersionText(const wchar_t* title, double version, int build);

// While one of these lives, retired menus wait; the outermost one ends by
// destroying them. Every call into a menu goes through one.
class cMenuDispatch {
 public:
  cMenuDispatch();
  ~cMenuDispatch();
  cMenuDispatch(const cMenuDispatch&) = delete;
  cMenuDispatch& operator=(const cMenuDispatch&) = delete;
};
// Destroys the current menu and every retired one (end of the program, tests).
void DestroyAllMenus();

// The framework callbacks of the menu screens.
void OnMenuGuiEvent(UINT event, int controlId, CFWControl* control);
// A visible top dialog takes the key first.
void OnMenuKeyboard(UINT key, bool keyDown, bool altDown);
void OnMenuMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y);
void OnMenuFrameMove(cPlatformDevice* device, double time, float elapsed);
// The frame of every screen, menus and game alike (the game's side of the
// framework defines it).
void OnMenuFrameRender(cPlatformDevice* device, double time, float elapsed);

// Handles the window's pending messages while a movie blocks the main loop,
// so that the keys the movie loop asks for are seen. False once the program
// is asked to quit (the quit stays pending for the main loop).
bool PumpMessagesDuringMovie();
