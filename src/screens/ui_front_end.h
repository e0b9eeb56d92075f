#pragma once
// The front end of the running program: the game core's requests of the
// screen, handed to the dialog stack, the menus, the sound and the
// textures. Whatever touches the screen, sound or textures runs on the main
// thread: a request from the worker thread is queued here and done by the
// main thread's next frame. Requests for screens that do not exist yet
// answer as the quiet front end does.
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/front_end.h"

class cDialog;
class cTexture;

class cUiFrontEnd : public cQuietFrontEnd {
 public:
  // The main thread is the one that builds it.
  cUiFrontEnd();
  ~cUiFrontEnd() override;

  // Runs the work now on the main thread, else queues it for the next frame.
  void OnMainThread(std::function<void()> work);
  // The main thread's part, once a frame: runs what was queued (under the
  // game lock), then shows the message boxes that other threads wait for
  // (without it).
  void RunQueuedWork();
  bool IsMainThread() const { return std::this_thread::get_id() == mainThread_; }

  void Shutdown() override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  int MaxTextureWidth() override;
  void MessageBox(const std::wstring& text, const std::wstring& title, eMessageBoxIcon icon) override;
  sScreenRect LayoutRect(int id) override;
  sCursorState CursorState() override;
  void ClearDragEnded() override;
  void SetHoverObject(cHoverable* object) override;
  void DrawHoverBox(int x, int y, const std::vector<std::wstring>& lines, bool friendly) override;

  void SetLoadingProgress(int percent) override;
  void FinishLoading() override;

  FrontEndHandle LoadTexture(const std::wstring& file, int kind, int mode) override;
  FrontEndHandle CreateBlankTexture(int width, int height) override;
  void ReleaseTexture(FrontEndHandle texture) override;
  bool TextureSize(FrontEndHandle texture, int& width, int& height) override;
  void WriteTexturePixels(FrontEndHandle texture, int width, int height, const std::vector<uint32_t>& argb) override;
  // The picture behind a handle, null for none (the screens draw it). Main
  // thread.
  cTexture* TextureOf(FrontEndHandle texture);

  void PlaySound(const std::wstring& file) override;
  bool PlayCountryMusic(int countryId) override;
  void StopMusic() override;

  bool IsCtrlHeld() override;
  bool DialogHasMouse() override;
  void ClearMapInputLatches() override;

  FrontEndHandle ShowTextDialog(const std::wstring& text, const std::wstring& title, int layout) override;
  // Dialogs of a fight's result (none for a delay of 0), of the convoys of
  // the turn and of a scenario event; from the worker they are built and
  // pushed by the next frame, and the worker waits without the game lock.
  FrontEndHandle ShowCombatResult(const sWynikWalki& result, float delay) override;
  FrontEndHandle ShowConvoyResults(int countryId) override;
  FrontEndHandle ShowEventDialog(const sZdarzenie& event) override;

  // The game screen's panels, its move animation and the new-turn dialog
  // (screens/game/game_front_end.cpp).
  void CreateHudPanels() override;
  // The skins of the map and the units, and their choice by the map's scale.
  bool LoadMapSkin(const std::wstring& name) override;
  bool LoadUnitsSkin(const std::wstring& name) override;
  void SelectFontsByScale() override;
  void SelectCityAppearanceByZoom() override;
  void RefreshInfoPanel() override;
  void RefreshHexPanel() override;
  void RefreshUnitPanel() override;
  void RefreshDiplomacyPanel() override;
  void RefreshAttackPanel() override;
  void SetInfoMessage(const std::wstring& text) override;
  void RefreshMinimapDate() override;
  void SetMinimapRect(const sScreenRect& rect) override;
  void EnableInfoPanelControls() override;
  void RestorePanelFolding() override;
  void CenterMapOn(int x, int y) override;
  void AnimateMove(const std::function<bool()>& advance) override;
  FrontEndHandle ShowNewTurnDialog(int countryId) override;
  void WaitForDialogClosed(FrontEndHandle dialog, const char* file, int line) override;
  int TopDialogId() override;
  void ResumeTopDialog(int dialogId) override;
  void CloseTopDialog(int dialogId) override;
  // The dialogs shown through the front end that are still kept for a
  // waiter: those not built yet and those still on the stack.
  size_t ShownDialogCount();
  void Delay(int milliseconds, const char* file, int line) override;
  void DropGameWork() override;

  // The fleets, units manager and convoys dialogs' part of the map picks,
  // and the sea-battle screen (screens/naval_front_end.cpp).
  cUnit* UnitToDeploy() override;
  FrontEndHandle ShowFleetsDialog(int seaNodeId) override;
  bool FleetsDialogSelection(std::vector<sFlota*>& fleets, std::vector<cJednostkaMorska*>& ships) override;
  void DropFleetFromFleetsDialog(const sFlota* fleet) override;
  void CreateConvoyFromPicks(int fromSeaNode, int toSeaNode) override;
  FrontEndHandle OpenSeaBattleScreen(cSeaBattle& battle, const std::function<void()>& fightWithoutScreen) override;
  void WaitForSeaBattleScreenClosed(FrontEndHandle screen, const char* file, int line) override;
  void ClearSeaBattleGridUnit(int x, int y) override;
  void EnableSeaBattleCloseOnly() override;

 private:
  struct sShownDialog {
    std::string className;    // known before the dialog exists
    cDialog* dialog = nullptr;  // set once the main thread has pushed it; compared only
    bool pushed = false;
  };
  // Handles are counted under the game lock: both threads ask for them.
  FrontEndHandle NewHandle();
  // A texture holder of the registry's numbering, and its end (game lock).
  FrontEndHandle NewTextureHolder();
  void DropTextureHolder(FrontEndHandle texture);
  // Builds the dialog on the main thread and pushes it; the handle follows it.
  FrontEndHandle ShowDialog(const std::string& className, std::function<cDialog*()> build);
  // Forgets the pushed dialogs that have left the stack: nobody waited for
  // them, and a late wait for one returns at once (game lock).
  void DropClosedDialogs();

  // A message box that another thread asked for and waits for.
  struct sAskedBox {
    std::wstring text;
    std::wstring title;
    eMessageBoxIcon icon = eMessageBoxIcon::kNone;
    bool closed = false;  // guarded by queueMutex_
  };

  std::thread::id mainThread_;
  std::mutex queueMutex_;
  std::deque<std::function<void()>> queue_;
  std::deque<std::shared_ptr<sAskedBox>> boxes_;  // guarded by queueMutex_
  std::condition_variable boxClosed_;
  std::map<FrontEndHandle, sShownDialog> dialogs_;  // guarded by the game lock
  std::map<FrontEndHandle, std::unique_ptr<cTexture>> textures_;  // changed under the game lock
  // The sea-battle screens asked for, compared only: null until the main
  // thread has built the screen (game lock).
  std::map<FrontEndHandle, const void*> seaBattleScreens_;
};

// The installed UI front end, null before start-up made one.
cUiFrontEnd* UiFrontEnd();
// Makes the front end and installs it; DropUiFrontEnd puts the quiet one back.
void InstallUiFrontEnd();
void DropUiFrontEnd();
