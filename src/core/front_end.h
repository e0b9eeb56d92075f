#pragma once
// The one narrow way in which the game core reaches the screen, dialogs,
// sound, music, textures, loading progress, move animation, delays and the
// fatal exit. The UI installs its implementation at start-up; tests and
// computer-only games use the quiet or the recording one.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/message_box_icon.h"
#include "core/shared_records.h"

class cHoverable;
class cJednostkaMorska;
class cSeaBattle;
class cUnit;
struct sFlota;
struct sZdarzenie;

// Identifies a texture, a dialog or a screen handed out by the front end; 0 is none.
using FrontEndHandle = int;

// The ids by which the game recognises the dialog on top of the dialog stack.
enum eDialogId : int {
  kNoDialog = 0,
  kUnitsManagerDialog = 480,  // also places new units on the map
  kFleetsDialog = 550,
  kConvoysDialog = 940,
};

// A rectangle on the screen, in pixels.
struct sScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// What the map view reads of the mouse: the pointer and the drag of the map.
struct sCursorState {
  int x = 0;
  int y = 0;
  bool dragging = false;   // the map is being dragged
  bool dragEnded = false;  // a drag has just ended; the map clears it
  int dragDx = 0;          // offset of the pointer from where the drag began
  int dragDy = 0;
};

class cFrontEnd {
 public:
  virtual ~cFrontEnd() = default;

  // Framework.
  virtual void Shutdown() = 0;  // closes the window and releases devices
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  virtual int MaxTextureWidth() = 0;
  // A modal box with an OK button: the thread that asks for it waits until
  // it is closed (the worker without the game lock, and no longer than its
  // game). The callers log what it says.
  virtual void MessageBox(const std::wstring& text, const std::wstring& title, eMessageBoxIcon icon) = 0;
  // A rectangle of the screen layout table, by its id.
  virtual sScreenRect LayoutRect(int id) = 0;

  // Mouse cursor.
  virtual sCursorState CursorState() = 0;
  virtual void ClearDragEnded() = 0;
  // The map object (a sea node) under the mouse that describes itself in the
  // hint box; null for none.
  virtual void SetHoverObject(cHoverable* object) = 0;
  // Draws a map object's hint box at a screen point: its lines of text in a
  // frame of the friendly colour or of the other one.
  virtual void DrawHoverBox(int x, int y, const std::vector<std::wstring>& lines, bool friendly) = 0;

  // Loading screen.
  virtual void SetLoadingProgress(int percent) = 0;
  virtual void FinishLoading() = 0;
  virtual void CreateHudPanels() = 0;

  // Skins, textures, sounds and music.
  virtual bool LoadMapSkin(const std::wstring& name) = 0;
  virtual bool LoadUnitsSkin(const std::wstring& name) = 0;
  virtual FrontEndHandle LoadTexture(const std::wstring& file, int kind, int mode) = 0;
  virtual FrontEndHandle CreateBlankTexture(int width, int height) = 0;
  virtual void ReleaseTexture(FrontEndHandle texture) = 0;
  // The size of a loaded texture; false for none.
  virtual bool TextureSize(FrontEndHandle texture, int& width, int& height) = 0;
  // Replaces the texels of a blank texture, row by row, A8R8G8B8.
  virtual void WriteTexturePixels(FrontEndHandle texture, int width, int height, const std::vector<uint32_t>& argb) = 0;
  // Fonts and city pictures follow the map scale; called after it changed.
  virtual void SelectFontsByScale() = 0;
  virtual void SelectCityAppearanceByZoom() = 0;
  virtual void InitSounds() = 0;
  // Stops, rewinds and plays a sound effect by its file name; unknown or
  // unloaded sounds are skipped.
  virtual void PlaySound(const std::wstring& file) = 0;
  virtual bool PlayCountryMusic(int countryId) = 0;
  virtual void StopMusic() = 0;

  // Panels of the game screen.
  virtual void RefreshInfoPanel() = 0;
  virtual void SetInfoMessage(const std::wstring& text) = 0;
  virtual void RefreshHexPanel() = 0;
  virtual void RefreshUnitPanel() = 0;
  virtual void RefreshDiplomacyPanel() = 0;
  virtual void RefreshAttackPanel() = 0;
  virtual void RefreshMinimapDate() = 0;
  // The minimap picture's place on the screen, fitted to the map's shape.
  virtual void SetMinimapRect(const sScreenRect& rect) = 0;
  // Giving the screen back to the player after the computer's turn: the info
  // bar's controls, and the panels folded as they were before that turn.
  virtual void EnableInfoPanelControls() = 0;
  virtual void RestorePanelFolding() = 0;

  // Map input of the game screen.
  // Ctrl is held: a drag of the map scrolls twice as far.
  virtual bool IsCtrlHeld() = 0;
  // A dialog has captured the mouse, so the map takes no wheel or hover.
  virtual bool DialogHasMouse() = 0;
  // After a map action: the screen's input latches are cleared and any drag
  // of a dialog control is cancelled.
  virtual void ClearMapInputLatches() = 0;
  // The unit that the player is placing on the map, null for none.
  virtual cUnit* UnitToDeploy() = 0;
  // Centres the map view on a hex, to show the computer's actions.
  virtual void CenterMapOn(int x, int y) = 0;

  // Dialogs. Each Show returns the handle of the pushed dialog.
  virtual FrontEndHandle ShowTextDialog(const std::wstring& text, const std::wstring& title, int layout) = 0;
  virtual FrontEndHandle ShowCombatResult(const sWynikWalki& result, float delay) = 0;
  virtual FrontEndHandle ShowNewTurnDialog(int countryId) = 0;
  virtual FrontEndHandle ShowConvoyResults(int countryId) = 0;
  // The player chooses one of the event's options in it (the dialog keeps a copy).
  virtual FrontEndHandle ShowEventDialog(const sZdarzenie& event) = 0;
  virtual FrontEndHandle ShowFleetsDialog(int seaNodeId) = 0;
  // Waits until the dialog has left the dialog stack; never holds the game
  // lock while sleeping.
  virtual void WaitForDialogClosed(FrontEndHandle dialog, const char* file, int line) = 0;
  // The id of the dialog on top of the dialog stack (eDialogId), 0 when none is open.
  virtual int TopDialogId() = 0;
  // The fleets and ships selected in the fleets dialog on top of the stack;
  // false (both empty) when that dialog is not on top.
  virtual bool FleetsDialogSelection(std::vector<sFlota*>& fleets, std::vector<cJednostkaMorska*>& ships) = 0;
  // A fleet is about to be freed: the fleets dialog on top forgets it.
  virtual void DropFleetFromFleetsDialog(const sFlota* fleet) = 0;
  // The dialog on top, when it has this id, takes over again after a map
  // pick it asked for, or closes.
  virtual void ResumeTopDialog(int dialogId) = 0;
  virtual void CloseTopDialog(int dialogId) = 0;
  // A short drag of the map ended as a click: the top dialog hears of it.
  virtual void SendMapClickToTopDialog() = 0;
  // The two ports of a new convoy were picked on the map: the convoys dialog
  // on top creates the convoy and refills its list.
  virtual void CreateConvoyFromPicks(int fromSeaNode, int toSeaNode) = 0;

  // The sea-battle screen, for a battle with a human player's ships. It is
  // shown until the player closes it; a front end without a screen fights
  // the battle with fightWithoutScreen before Open returns.
  virtual FrontEndHandle OpenSeaBattleScreen(cSeaBattle& battle, const std::function<void()>& fightWithoutScreen) = 0;
  // Waits until the sea-battle screen has closed; never holds the game lock
  // while sleeping.
  virtual void WaitForSeaBattleScreenClosed(FrontEndHandle screen, const char* file, int line) = 0;
  // A ship has left the battle grid; cells outside the grid are ignored.
  virtual void ClearSeaBattleGridUnit(int x, int y) = 0;
  // The battle is over: only the screen's close button stays enabled.
  virtual void EnableSeaBattleCloseOnly() = 0;

  // A unit's move is shown step by step: advance is called once per move
  // delay until it returns false.
  virtual void AnimateMove(const std::function<bool()>& advance) = 0;
  // A traced pause: the delay preferences and the polling waits of the
  // worker thread.
  virtual void Delay(int milliseconds, const char* file, int line) = 0;
  // The game has ended and its worker has stopped: what the worker asked of
  // the screen and was not done yet, and the move being shown, belonged to
  // that game and are dropped.
  virtual void DropGameWork() = 0;
};

// Answers at once, sleeps never, shows nothing; moves are run synchronously.
class cQuietFrontEnd : public cFrontEnd {
 public:
  void Shutdown() override {}
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return 768; }
  int MaxTextureWidth() override { return 4096; }
  void MessageBox(const std::wstring&, const std::wstring&, eMessageBoxIcon) override {}
  // Not empty, so that headless layout arithmetic never divides by zero.
  sScreenRect LayoutRect(int) override { return {0, 0, 128, 128}; }
  sCursorState CursorState() override { return {}; }
  void ClearDragEnded() override {}
  void SetHoverObject(cHoverable*) override {}
  void DrawHoverBox(int, int, const std::vector<std::wstring>&, bool) override {}
  void SetLoadingProgress(int) override {}
  void FinishLoading() override {}
  void CreateHudPanels() override {}
  bool LoadMapSkin(const std::wstring&) override { return true; }
  bool LoadUnitsSkin(const std::wstring&) override { return true; }
  FrontEndHandle LoadTexture(const std::wstring&, int, int) override { return ++lastHandle_; }
  FrontEndHandle CreateBlankTexture(int, int) override { return ++lastHandle_; }
  void ReleaseTexture(FrontEndHandle) override {}
  bool TextureSize(FrontEndHandle texture, int& width, int& height) override;
  void WriteTexturePixels(FrontEndHandle, int, int, const std::vector<uint32_t>&) override {}
  void SelectFontsByScale() override {}
  void SelectCityAppearanceByZoom() override {}
  void InitSounds() override {}
  void PlaySound(const std::wstring&) override {}
  bool PlayCountryMusic(int) override { return false; }
  void StopMusic() override {}
  void RefreshInfoPanel() override {}
  void SetInfoMessage(const std::wstring&) override {}
  void RefreshHexPanel() override {}
  void RefreshUnitPanel() override {}
  void RefreshDiplomacyPanel() override {}
  void RefreshAttackPanel() override {}
  void RefreshMinimapDate() override {}
  void SetMinimapRect(const sScreenRect&) override {}
  void EnableInfoPanelControls() override {}
  void RestorePanelFolding() override {}
  bool IsCtrlHeld() override { return false; }
  bool DialogHasMouse() override { return false; }
  void ClearMapInputLatches() override {}
  cUnit* UnitToDeploy() override { return nullptr; }
  void CenterMapOn(int, int) override {}
  FrontEndHandle ShowTextDialog(const std::wstring&, const std::wstring&, int) override { return ++lastHandle_; }
  FrontEndHandle ShowCombatResult(const sWynikWalki&, float) override { return ++lastHandle_; }
  FrontEndHandle ShowNewTurnDialog(int) override { return ++lastHandle_; }
  FrontEndHandle ShowConvoyResults(int) override { return ++lastHandle_; }
  FrontEndHandle ShowEventDialog(const sZdarzenie&) override { return ++lastHandle_; }
  FrontEndHandle ShowFleetsDialog(int) override { return ++lastHandle_; }
  void WaitForDialogClosed(FrontEndHandle, const char*, int) override {}
  // Dialogs close as soon as they are shown: none is ever on top.
  int TopDialogId() override { return kNoDialog; }
  bool FleetsDialogSelection(std::vector<sFlota*>& fleets, std::vector<cJednostkaMorska*>& ships) override;
  void DropFleetFromFleetsDialog(const sFlota*) override {}
  void ResumeTopDialog(int) override {}
  void CloseTopDialog(int) override {}
  void SendMapClickToTopDialog() override {}
  void CreateConvoyFromPicks(int, int) override {}
  // The battle is fought at once, without a screen.
  FrontEndHandle OpenSeaBattleScreen(cSeaBattle& battle, const std::function<void()>& fightWithoutScreen) override;
  void WaitForSeaBattleScreenClosed(FrontEndHandle, const char*, int) override {}
  void ClearSeaBattleGridUnit(int, int) override {}
  void EnableSeaBattleCloseOnly() override {}
  void AnimateMove(const std::function<bool()>& advance) override;
  void Delay(int, const char*, int) override {}
  void DropGameWork() override {}

 protected:
  FrontEndHandle lastHandle_ = 0;
};

// The installed front end (the quiet one until something else is set).
cFrontEnd& FrontEnd();
// Installs fe (not owned); null restores the quiet one.
void SetFrontEnd(cFrontEnd* fe);
// Releases a texture the front end handed out, when there is one, and
// forgets it.
void ReleaseTextureHandle(FrontEndHandle& texture);

// The game object's teardown, set by the world model so that fatal paths
// can destroy a running game first.
using DestroyGameFn = void (*)();
void SetDestroyGameHook(DestroyGameFn fn);
void DestroyGameIfAny();

// A fatal error: writes the log line, destroys the game when asked, shuts
// the front end down and ends the process with the exit code (data errors 1).
[[noreturn]] void FatalExit(const std::wstring& logLine, int exitCode = 1, bool destroyGame = false);
