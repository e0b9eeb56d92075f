#include "screens/game/game_screen.h"

#include <cstdint>
#include <mutex>

#include "core/console.h"
#include "core/game_lock.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/message_dialog.h"
#include "dialogs/new_turn_dialog.h"
#include "events/event_manager.h"
#include "gui/cursor.h"
#include "framework/fw_state.h"
#include "framework/music_manager.h"
#include "framework/shared_draw.h"
#include "gui/gui_layout.h"
#include "persistence/saver.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "rules/player_actions.h"
#include "rules/start_checks.h"
#include "rules/worker_thread.h"
#include "screens/game/panels/attack_panel.h"
#include "screens/game/panels/diplomacy_panel.h"
#include "screens/game/panels/hex_panel.h"
#include "screens/game/panels/info_panel.h"
#include "screens/game/panels/unit_panel.h"
#include "gui/gui_builders.h"
#include "screens/game/panels/minimap_panel.h"
#include "screens/game/panels/panel_ids.h"
#include "screens/map_frame.h"
#include "screens/main_menu.h"
#include "screens/pause_menu.h"
#include "screens/menu.h"
#include "units/unit.h"
#include "dialogs/cheat_dialog.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/purchases_dialog.h"
#include "dialogs/reports_dialog.h"
#include "dialogs/research_dialog.h"
#include "dialogs/units_manager_dialog.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/play_order.h"

cInfoPanel* gInfoPanel = nullptr;
cPanel* gUnitPanel = nullptr;
cPanel* gAttackPanel = nullptr;
cPanel* gDiplomacyPanel = nullptr;
cPanel* gHexPanel = nullptr;
cMinimapPanel* gMinimapPanel = nullptr;
std::atomic<bool>& gEndTurnRequest = gPbemEventsEndTurnRequest;
uint8_t gScrollKeys = 0;

namespace {

constexpr float kEdgeScrollSpeed = 1000.0f;
constexpr int kLeftKey = 37, kUpKey = 38, kRightKey = 39, kDownKey = 40;

double gLastFrameTime = 0.0;
uint32_t gLastMoveStep = 0;
std::mutex gAnimationMutex;
std::function<bool()> gMoveAnimation;

// A move the player is being shown is walked to its end at once, so that
// the unit stands on its last hex before a menu or a dialog takes the game.
void FinishShownMove() {
  if (gGra == nullptr || gGra->GetState() != kStateHumanMoveShown) return;
  std::function<bool()> advance;
  {
    std::lock_guard<std::mutex> g(gAnimationMutex);
    advance.swap(gMoveAnimation);
  }
  while (advance && advance()) {
  }
  gGra->selection.movingUnit = nullptr;
}

template <class Visit>
void ForEachFoldingPanel(Visit visit) {
  for (cPanel* p : {gHexPanel, gUnitPanel, gAttackPanel, gDiplomacyPanel})
    if (p != nullptr) visit(*p);
}

// A dialog opened by a button of the info panel or by a key, one row each.
int CurrentCountryId() {
  return gGra != nullptr && gGra->selection.currentCountry != nullptr ? gGra->selection.currentCountry->id : 0;
}
struct sDialogButton {
  int buttonId;
  int dialogId;
  cDialog* (*make)();
};
const sDialogButton kDialogButtons[] = {
    {kGsPurchases, 740, []() -> cDialog* { return new cDialogZakupow(); }},
    {kGsUnitsManager, 480, []() -> cDialog* { return new cDialogJednostek(CurrentCountryId()); }},
    {kGsResearch, 790, []() -> cDialog* { return new cDialogResearchu(); }},
    {kGsReports, 810, []() -> cDialog* { return new cDialogStatystyk(); }},
    {kGsConvoys, 940, []() -> cDialog* { return new cDialogKonwojow(); }},
    {kGsHotKeys, 667, &MakeHotKeysDialog},
};
// Keys that open a dialog: F1 settings, F12 cheats.
struct sKeyDialog {
  UINT key;
  cDialog* (*make)();
};
const sKeyDialog kKeyDialogs[] = {
    {123, []() -> cDialog* { return new cDialogCheatow(); }},  // F12: cheat dialog
    {112, &MakeSettingsDialog},                                // F1: settings dialog
};
// Esc and the pause button.
void (*kOpenPauseMenu)() = &OpenPauseMenu;

// Closes the dialog with everything above it when it is open, else opens it.
void ToggleOrOpen(const sDialogButton& b) {
  if (FindDialogById(b.dialogId) != nullptr) {
    CloseDialogsDownTo(b.dialogId);
    return;
  }
  if (cDialog* d = b.make()) PushDialog(d, 0);
}

// The screen's own input callbacks: a visible top dialog takes the input first.
void OnScreenKeyboard(UINT key, bool keyDown, bool altDown) {
  if (DialogKeyboard(key, keyDown, altDown)) return;
  GameScreenOnKeyboard(key, keyDown, altDown);
}

// A press that a dialog took (and that may have closed it) is not the map's
// click when the button comes up over the map.
bool gLeftPressOnDialog = false;

void OnScreenMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) {
  gCursor.OnMouseButtons(left, right, x, y);
  if (DialogMouse(left, right, middle, side1, side2, wheelDelta, x, y)) {
    if (left) gLeftPressOnDialog = true;
    return;
  }
  if (gLeftPressOnDialog && !left) {
    gLeftPressOnDialog = false;
    if (gCursor.leftReleasedNow) return;
  }
  GameScreenOnMouse(left, right, middle, side1, side2, wheelDelta, x, y);
}

void StoreSetting(const char* key, bool value) { gSettings.SetBool(key, value); }
void StoreSetting(const char* key, int value) { gSettings.SetInt(key, value); }

void CycleBorderMode() {
  int& m = gProgramSettings.borderMode;
  if (m >= 0 && m <= 2) m = (m + 1) % 3;
  StoreSetting("Border/Mode", m);
}
void CycleOwnershipMode() {
  int& m = gProgramSettings.mapOwnershipMode;
  if (m >= 0 && m <= 3) m = (m + 1) % 4;
  StoreSetting("MapDisplay/OwnershipMode", m);
}
void CycleMapMode() {
  int& m = gProgramSettings.mapMode;
  if (m >= 0 && m <= 2) m = (m + 1) % 3;
  StoreSetting("MapDisplay/Mode", m);
}

void Zoom(int step) {
  if (gGra != nullptr && gGra->map != nullptr) gGra->map->ZoomAtScreenPoint(step, 0, 0);
}

void TogglePanel(cPanel* panel) {
  if (panel != nullptr) panel->SetFolded(!panel->IsFolded());
}

// Tab: the next land unit of the current country with action points left.
void SelectNextUnit() {
  cGra& g = *gGra;
  if (g.landUnits.empty() || g.selection.currentCountry == nullptr) return;
  const int country = g.selection.currentCountry->id;
  auto start = g.landUnits.begin();
  bool fromSelected = false;
  if (const sHex* hex = g.selection.selectedHex;
      hex != nullptr && hex->unit != nullptr && hex->unit->category == kCategoryLand && hex->unit->countryId == country) {
    start = std::find(g.landUnits.begin(), g.landUnits.end(), hex->unit);
    if (start == g.landUnits.end()) {
      LogLine(L"Jednostka z heksa zaznaczonego nie jest na liscie jednostek ladowych, TAB problem");
      return;
    }
    fromSelected = true;
  }
  auto it = start;
  for (size_t n = 0; n < g.landUnits.size(); ++n) {
    if (fromSelected || n > 0) {
      ++it;
      if (it == g.landUnits.end()) it = g.landUnits.begin();
      if (it == start && fromSelected) return;
    }
    cJednostkaLadowa* u = *it;
    if (u->countryId == country && u->actionPoints > 0 && g.map->IsInside(u->x, u->y)) {
      g.map->CenterAtHex(u->x, u->y);
      g.selection.SelectHex(u->x, u->y);
      u->MarkAttackTargets(false);
      g.selection.mapAction = kMapActionLandMove;
      return;
    }
  }
}

bool PanelHasMouse() {
  for (cDialog* p : std::initializer_list<cDialog*>{gUnitPanel, gAttackPanel, gHexPanel, gInfoPanel, gDiplomacyPanel,
                                                   gMinimapPanel})
    if (p != nullptr && !static_cast<cPanel*>(p)->IsFolded() && p->Gui().MouseOverControl() != nullptr) return true;
  return false;
}

// A click on a panel is the panel's: the map beneath it must not take it
// as well (the information bar, its command icons, the minimap and the
// unfolded unit, hex, attack and diplomacy panels).
bool PanelCoversPoint(int x, int y) {
  const std::pair<cPanel*, int> panels[] = {{gInfoPanel, 292},   {gInfoPanel, 335},   {gMinimapPanel, 310},
                                            {gUnitPanel, 351},   {gHexPanel, 401},    {gAttackPanel, 451},
                                            {gDiplomacyPanel, 601}};
  for (const auto& [panel, frame] : panels) {
    if (panel == nullptr || panel->IsFolded()) continue;
    const sGuiRect r = GuiRect(frame);
    if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return true;
  }
  return false;
}

// Keys that only look at the map: scrolling, zoom, the display options and
// the settings.
bool LooksAtTheMap(UINT key) {
  return (key >= kLeftKey && key <= kDownKey) || key == 107 || key == 109 || (key >= 112 && key <= 119);
}

// Icons of the same kind: the minimap, its zoom and its display modes.
bool LooksAtTheMapIcon(int controlId) {
  return controlId == kGsMinimap || controlId == kGsZoomIn || controlId == kGsZoomOut || controlId == kGsBorderMode ||
         controlId == kGsOwnershipMode || controlId == kGsMapMode;
}

void EdgeScroll(double time) {
  cMapa* map = gGra->map;
  const int x = gCursor.MouseX(), y = gCursor.MouseY();
  const int w = gProgramSettings.resolutionX, h = gProgramSettings.resolutionY;
  if (x < 0 || y < 0 || x >= w || y >= h) return;
  const sGuiRect t = GuiRect(kGsEdgeScrollRow);
  const float step = kEdgeScrollSpeed * static_cast<float>(time - gLastFrameTime) / gCurrentMapScale;
  float dx = 0.0f, dy = 0.0f;
  if (x >= t.w || (gScrollKeys & 4) != 0) dx = step;
  else if (x <= t.x || (gScrollKeys & 1) != 0) dx = -step;
  if (y >= t.h || (gScrollKeys & 8) != 0) dy = step;
  else if (y <= t.y || (gScrollKeys & 2) != 0) dy = -step;
  if (dx != 0.0f || dy != 0.0f) map->MoveCamera(dx, dy, 1.0f);
}

}  // namespace

// ---- panels ------------------------------------------------------------------------

void DestroyHudPanels() {
  SetGuiPanelMoveHandler(nullptr);
  SetGuiPanelHeads({});
  delete gInfoPanel;
  gInfoPanel = nullptr;
  delete gMinimapPanel;
  gMinimapPanel = nullptr;
  for (cPanel** p : {&gUnitPanel, &gAttackPanel, &gDiplomacyPanel, &gHexPanel}) {
    delete *p;
    *p = nullptr;
  }
}

namespace {
// The unit, attack, diplomacy and hex panels start folded.
template <class P>
P* MakeFoldedPanel() {
  P* p = new (std::nothrow) P();
  if (p != nullptr) p->SetFolded(true);
  return p;
}

// A toggle icon moved on the info panel takes its panel along.
void MovePanelWithIcon(int panelId, int dx, int dy) {
  switch (panelId) {
    case kGuiUnitPanelId:
      if (gUnitPanel != nullptr) static_cast<cUnitPanel*>(gUnitPanel)->Move(dx, dy);
      break;
    case kGuiHexPanelId:
      if (gHexPanel != nullptr) static_cast<cHexPanel*>(gHexPanel)->Move(dx, dy);
      break;
    case kGuiAttackPanelId:
      if (gAttackPanel != nullptr) static_cast<cAttackPanel*>(gAttackPanel)->Move(dx, dy);
      break;
    case kGuiDiplomacyPanelId:
      if (gDiplomacyPanel != nullptr) static_cast<cDiplomacyPanel*>(gDiplomacyPanel)->Move(dx, dy);
      break;
    default:
      break;
  }
}
}  // namespace

void CreateHudPanels() {
  DestroyHudPanels();
  gInfoPanel = new (std::nothrow) cInfoPanel();
  gUnitPanel = MakeFoldedPanel<cUnitPanel>();
  gAttackPanel = MakeFoldedPanel<cAttackPanel>();
  gDiplomacyPanel = MakeFoldedPanel<cDiplomacyPanel>();
  gHexPanel = MakeFoldedPanel<cHexPanel>();
  SetGuiPanelHeads({kGuiPanelHeadIds.begin(), kGuiPanelHeadIds.end()});
  SetGuiPanelMoveHandler(&MovePanelWithIcon);
  gMinimapPanel = new (std::nothrow) cMinimapPanel();
}

void RenderMap(cPlatformDevice* device, float elapsed) {
  (void)elapsed;
  if (gGra == nullptr || gGra->map == nullptr) return;
  DrawGameMap(device, gSprite);
  if (device == nullptr) return;
  // The minimap's frame and the info bar's corner are opaque: no map shows
  // through them. The device keeps no depth between sprite batches (each
  // batch sorts its own), so nothing of the map's depths is left to clear.
  const RECT margin{gMapFrameRect.x, gMapFrameRect.y, gMapFrameRect.w, gMapFrameRect.h};
  device->ClearRect(margin, 0xFF000000u);
  const sGuiRect corner = GuiRect(kGsClearedCorner);
  device->ClearRect(RECT{corner.x, corner.y, corner.x + corner.w, corner.y + corner.h}, 0xFF000000u);
}

void RenderPanels(float elapsed) {
  if (gMinimapPanel != nullptr) gMinimapPanel->Render(elapsed);
  for (cPanel* p : {gHexPanel, gUnitPanel, gAttackPanel, gDiplomacyPanel})
    if (p != nullptr) p->Render(elapsed);
  if (gInfoPanel != nullptr) gInfoPanel->Render(elapsed);
}

bool PanelsMsgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  for (cDialog* p : std::initializer_list<cDialog*>{gDiplomacyPanel, gHexPanel, gUnitPanel, gAttackPanel,
                                                   gMinimapPanel, gInfoPanel}) {
    if (p == nullptr) continue;
    if (auto* panel = static_cast<cPanel*>(p); panel->IsFolded()) continue;
    if (p->Gui().MsgProc(hwnd, msg, wParam, lParam)) return true;
  }
  return false;
}

void PanelsGuiEvent(UINT event, int controlId, CFWControl* control) {
  for (cPanel* p : {gUnitPanel, gHexPanel, gAttackPanel, gDiplomacyPanel})
    if (p != nullptr) p->OnEvent(event, controlId, control);
}

void LockGamePanels() {
  if (gInfoPanel != nullptr) {
    gInfoPanel->Refresh();
    gInfoPanel->DisableControls();
  }
  if (gMinimapPanel != nullptr) gMinimapPanel->RefreshDate();
  ForEachFoldingPanel([](cPanel& p) {
    p.savedFolded = p.IsFolded();
    p.SetFolded(true);
  });
  if (gCurrentDialog != nullptr) CloseDialogs(-1);
  if (gGra != nullptr) gGra->SetState(kStateComputerPlays);
}

void RestoreGamePanels() {
  if (gInfoPanel != nullptr) {
    gInfoPanel->Refresh();
    gInfoPanel->EnableControls();
  }
  if (gMinimapPanel != nullptr) gMinimapPanel->RefreshDate();
  FrontEnd().RefreshUnitPanel();
  ForEachFoldingPanel([](cPanel& p) { p.SetFolded(p.savedFolded); });
  if (gGra != nullptr) gGra->SetState(kStateHumanPlays);
}

// ---- start and callbacks --------------------------------------------------------------

void SetStatePaused() {
  if (gGra != nullptr) {
    // Nothing steps a move while the game is paused: the unit is put on
    // its last hex first, and the game resumes from there.
    cGameLockGuard lock(__FILE__, __LINE__);
    FinishShownMove();
    gGra->SetState(kStateScreenStarted);
  }
  FWSetCallbackMouse(&OnMenuMouse, true);
  FWSetCallbackKeyboard(&OnMenuKeyboard);
  FWSetCallbackFrameMove(nullptr);
}

void SetStateWithCallbacks() {
  // The settings may have changed the minimap's ownership colours; a right
  // button released over a menu is no drag of the map.
  if (gGra != nullptr && gGra->map != nullptr) gGra->map->RedrawMinimapTexture();
  gCursor.rightReleased = false;
  FWSetCallbackMouse(&OnScreenMouse, true);
  FWSetCallbackKeyboard(&OnScreenKeyboard);
  FWSetCallbackFrameMove(&OnGameFrameMove);
  if (gGra != nullptr) gGra->SetState(kStateHumanPlays);
}

void StartGameScreen() {
  if (gGra == nullptr) return;
  cGra& g = *gGra;
  gPauseWallpaper.Release();
  gPauseWallpaper.Load(L"data\\gfx\\wallpaper_pause.png", kTextureFromFile, 1);
  LogLine(L"============== Starting game ==============");
  if (cPanstwo* first = g.selection.BuildCountryOrder(g.countries)) first->RecalculateUnitsVisibility(first->id);
  LogLine(L"Updating units appearance");
  FrontEnd().SelectFontsByScale();
  LogLine(L"Updating cities appearance");
  FrontEnd().SelectCityAppearanceByZoom();
  LogLine(L"Updating minimapr 2nd layer");
  if (g.map != nullptr) g.map->RedrawMinimapTexture();
  g.selection.ClearUnit();
  LogLine(L"Initializing music");
  g.StartHumanCountryMusic();
  LogLine(L"Closing menu");
  {
    cGameLockGuard lock(__FILE__, 467);
    DestroyAllMenus();
    LogLine(L"Setting callbacks");
    FWSetCallbackMouse(&OnScreenMouse, true);
    FWSetCallbackKeyboard(&OnScreenKeyboard);
    FWSetCallbackFrameMove(&OnGameFrameMove);
  }
  gCursor.rightReleased = false;
  LogLine(L"============== Enjoy your game :)");
  FrontEnd().SelectFontsByScale();
  FrontEnd().SelectCityAppearanceByZoom();
  SetEndTurnHandler(&EndTurn);
  cPanstwo* current = g.selection.currentCountry;
  const bool eventsFirst = current != nullptr && current->countryTypeSpecialFlags == 1;
  if (eventsFirst) RequestEventsCheck();
  else g.selection.CenterOnUnit(true);
  if (current != nullptr && current->humanControlled) {
    g.selection.lastShownCountry = current;
    RestoreGamePanels();
    FrontEnd().SelectFontsByScale();
    FrontEnd().SelectCityAppearanceByZoom();
    if (eventsFirst) RequestEventsCheck();
    else g.selection.CenterOnUnit(g.loadMode != 1);
  } else {
    if (g.selection.lastShownCountry == nullptr)
      for (cPanstwo* c : g.countries)
        if (c->humanControlled) {
          g.selection.lastShownCountry = c;
          break;
        }
    if (cPanstwo* viewer = g.selection.lastShownCountry) viewer->RecalculateUnitsVisibility(viewer->id);
    LockGamePanels();
  }
  if (g.loadMode == 1) g.selection.ResetView();
}

void OnGameFrameMove(cPlatformDevice*, double time, float elapsed) {
  if (gGra == nullptr) return;
  const bool active = FWIsActive() && !FWIsRenderingPaused();
  if (!FWIsRenderingPaused() && gMusicManager != nullptr) gMusicManager->PlayNextTrack();
  const int state = gGra->GetState();
  if (active && (state == kStateHumanPlays || state == kStateHumanMoveShown)) {
    const bool dialogHasMouse =
        gCurrentDialog != nullptr && gCurrentDialog->IsVisible() && gCurrentDialog->Gui().MouseOverControl() != nullptr;
    if (!dialogHasMouse && !PanelHasMouse() && !gCursor.rightHeld) {
      EdgeScroll(time);
      UpdateStatusBarHint();
    }
  }
  gLastFrameTime = time;
  {
    cGameLockGuard lock(nullptr, 0);  // every frame: untraced
    if (gGra->map != nullptr) gGra->map->UpdateCamera(elapsed);
    StepUnitMoveAnimation();
    UpdateCurrentDialogCountdown(elapsed);
  }
  // Served once the worker has handed the game back: after its playing pass
  // (state 7) or after the events check that a turn's end asked of it.
  const int now = gGra->GetState();
  if ((now == kStateHumanPlays || now == kStateEndOfImpulse) && gCheckEventsRequest.load() == 0 &&
      gEndTurnRequest.exchange(false))
    EndTurn();
  if (now == kStateEndOfImpulse && gGra->pbemHandOverRequest.exchange(false)) SendPbemTurnOfCurrentCountry();
}

void UpdateStatusBarHint() {
  static const char* const kHints[19] = {"statusbar_hint_no_action",
                                         "statusbar_hint_deploy_land_air_destination_hex",
                                         "statusbar_hint_deploy_land_air_destination_hex",
                                         "statusbar_hint_deploy_naval_destination_port",
                                         "statusbar_hint_move_destination_hex",
                                         "statusbar_hint_strategic_move_destination_hex",
                                         "statusbar_hint_paradrop_target_hex",
                                         "statusbar_hint_planning_attack",
                                         "statusbar_hint_bombardment_target_hex",
                                         "statusbar_hint_air_fight_target_hex",
                                         "statusbar_hint_nuclear_bombardment_target_hex",
                                         "statusbar_hint_recon_hex",
                                         "statusbar_hint_rebase_destination_hex",
                                         "statusbar_hint_fleet_move_destination_hex",
                                         "statusbar_hint_convoy_source_port",
                                         "statusbar_hint_convoy_destination_port",
                                         "statusbar_hint_invasion_target_port",
                                         "statusbar_hint_shore_bombardment_hex",
                                         "statusbar_hint_recon_from_sea_hex"};
  if (gGra == nullptr) return;
  const int mode = gGra->selection.mapAction;
  ShowInfoPanelMessage(Txt(kHints[mode >= 0 && mode <= 18 ? mode : 0]));
}

void QueueMoveAnimation(std::function<bool()> advance) {
  std::lock_guard<std::mutex> g(gAnimationMutex);
  gMoveAnimation = std::move(advance);
  gLastMoveStep = 0;
}

void DropMoveAnimation() {
  std::lock_guard<std::mutex> g(gAnimationMutex);
  gMoveAnimation = nullptr;
  gLastMoveStep = 0;
}

bool MoveAnimationPending() {
  std::lock_guard<std::mutex> g(gAnimationMutex);
  return static_cast<bool>(gMoveAnimation);
}

void StepUnitMoveAnimation() {
  if (gGra == nullptr) return;
  const int state = gGra->GetState();
  if (state != kStateHumanMoveShown && state != kStateComputerMoveShown) return;
  std::function<bool()> advance;
  {
    std::lock_guard<std::mutex> g(gAnimationMutex);
    advance = gMoveAnimation;
  }
  if (!advance) return;
  const cJednostkaLadowa* unit = gGra->selection.movingUnit;
  const bool human = unit != nullptr && unit->GetCountry() != nullptr && unit->GetCountry()->humanControlled != 0;
  const float delay = delayValues[human ? DELAY_HUMAN_MOVE_BETWEEN : DELAY_AI_MOVE_BETWEEN];
  const uint32_t now = GetTickCount();
  if (gLastMoveStep != 0 && static_cast<float>(now - gLastMoveStep) <= delay) return;
  gLastMoveStep = now;
  if (!advance()) {
    std::lock_guard<std::mutex> g(gAnimationMutex);
    gMoveAnimation = nullptr;
    gGra->selection.movingUnit = nullptr;
  }
}

// ---- input -----------------------------------------------------------------------

bool WorkerHasTheGame() {
  if (gGra == nullptr) return false;
  const int s = gGra->GetState();
  return s == kStateEndOfImpulse || s == kStateSeaBattles || s == kStateComputerPlays || s == kStateComputerMoveShown;
}

void GameScreenOnGuiEvent(UINT, int controlId, CFWControl*) {
  if (gGra == nullptr) return;
  // The worker moves the camera and hands the game back under the lock: the
  // icons that work during its turn take it as the keys do.
  cGameLockGuard lock(__FILE__, __LINE__);
  if (WorkerHasTheGame() && !LooksAtTheMapIcon(controlId)) return;
  cMapa* map = gGra->map;
  for (const sDialogButton& b : kDialogButtons)
    if (b.buttonId == controlId) {
      ToggleOrOpen(b);
      return;
    }
  switch (controlId) {
    case kGsMinimap:
      if (map != nullptr) map->CenterAtMinimapCursor();
      break;
    case kGsZoomIn:
      Zoom(1);
      break;
    case kGsZoomOut:
      Zoom(-1);
      break;
    case kGsBorderMode:
      CycleBorderMode();
      break;
    case kGsOwnershipMode:
      CycleOwnershipMode();
      break;
    case kGsMapMode:
      CycleMapMode();
      break;
    case kGsPause:
      // The menu would close an event's dialog that waits for the player's
      // pick, and the check would go on without it.
      if (kOpenPauseMenu != nullptr && gCheckEventsRequest.load() == 0) {
        SetStatePaused();
        kOpenPauseMenu();
      }
      break;
    case kGsEndTurn:
      // Only the player's own impulse can be ended: the key works during the
      // computer's turn too, and during an events check that may be waiting
      // for the player's pick.
      if (gGra->GetState() != kStateHumanPlays || gCheckEventsRequest.load() != 0) break;
      if (gProgramSettings.skipEndTurnConfirmation) {
        EndTurn();
      } else if (FindDialogById(cDialogPotwKoncaTury::kDialog) == nullptr) {
        PushDialog(new (std::nothrow) cDialogPotwKoncaTury(), 0);
      }
      break;
    case kGsFoldUnitPanel:
      FrontEnd().RefreshUnitPanel();
      TogglePanel(gUnitPanel);
      break;
    case kGsFoldHexPanel:
      TogglePanel(gHexPanel);
      break;
    case kGsFoldAttackPanel:
      TogglePanel(gAttackPanel);
      break;
    case kGsFoldDiplomacyPanel:
      TogglePanel(gDiplomacyPanel);
      break;
    default:
      break;
  }
}

void GameScreenOnKeyboard(UINT key, bool keyDown, bool) {
  static bool ctrlHeld = false;
  if (gGra == nullptr) return;
  if (key == 17) {
    ctrlHeld = keyDown;
    return;
  }
  if (!keyDown) {
    if (key >= kLeftKey && key <= kDownKey) gScrollKeys &= static_cast<uint8_t>(~(1u << (key - kLeftKey)));
    return;
  }
  // The worker hands the game back under the lock: a key sees it before or
  // after the hand-back, never half-way through.
  cGameLockGuard lock(__FILE__, __LINE__);
  if (WorkerHasTheGame() && !LooksAtTheMap(key)) return;
  auto press = [](int id) {
    if (gInfoPanel != nullptr) gInfoPanel->PressIcon(id);
  };
  cMapa* map = gGra->map;
  for (const sKeyDialog& k : kKeyDialogs)
    if (k.key == key) {
      if (k.make != nullptr)
        if (cDialog* d = k.make()) PushDialog(d, 0);
      return;
    }
  switch (key) {
    case 9:
      SelectNextUnit();
      break;
    case 27: {
      const int state = gGra->GetState();
      // During a dialog's map pick Esc cancels the pick and gives the dialog back.
      if (state == kStateHumanPlays && CancelDialogPick(*gGra)) break;
      if ((state == kStateHumanPlays || state == kStateHumanMoveShown) && kOpenPauseMenu != nullptr) kOpenPauseMenu();
      break;
    }
    case 32:
      gProgramSettings.showUnits = !gProgramSettings.showUnits;
      StoreSetting("UnitsDisplay/ShowUnit", gProgramSettings.showUnits);
      break;
    case kLeftKey:
    case kUpKey:
    case kRightKey:
    case kDownKey:
      gScrollKeys |= static_cast<uint8_t>(1u << (key - kLeftKey));
      break;
    case 'A':
      press(kGsFoldAttackPanel);
      break;
    case 'D':
      press(kGsFoldDiplomacyPanel);
      break;
    case 'H':
      press(kGsFoldHexPanel);
      break;
    case 'C':
      press(kGsConvoys);
      break;
    case 'I':
      press(kGsHotKeys);
      break;
    case 'P':
      press(kGsPurchases);
      break;
    case 'Q':
      press(kGsEndTurn);
      break;
    case 'R':
      press(kGsReports);
      break;
    case 'T':
      press(kGsResearch);
      break;
    case 'U':
      press(kGsUnitsManager);
      break;
    case 107:
      Zoom(1);
      break;
    case 109:
      Zoom(-1);
      break;
    case 113:
      gProgramSettings.showGrid = !gProgramSettings.showGrid;
      StoreSetting("MapDisplay/ShowGrid", gProgramSettings.showGrid);
      break;
    case 114:
      gProgramSettings.showWeather = !gProgramSettings.showWeather;
      StoreSetting("MapDisplay/ShowWeather", gProgramSettings.showWeather);
      break;
    case 115:
      gProgramSettings.showCityNames = !gProgramSettings.showCityNames;
      StoreSetting("MapDisplay/ShowCityName", gProgramSettings.showCityNames);
      break;
    case 116:
      gProgramSettings.showUnitNames = !gProgramSettings.showUnitNames;
      StoreSetting("UnitsDisplay/ShowName", gProgramSettings.showUnitNames);
      break;
    case 117:
      CycleBorderMode();
      break;
    case 118:
      CycleOwnershipMode();
      break;
    case 119:
      gProgramSettings.showActionPointsLeft = !gProgramSettings.showActionPointsLeft;
      break;
    default:
      if (key >= '0' && key <= '9' && map != nullptr) {
        const int slot = static_cast<int>(key - '0');
        if (ctrlHeld) {
          map->SetViewBookmark(slot, static_cast<int>(map->cameraX / 83.0f), static_cast<int>(map->cameraY / 98.0f));
        } else {
          const sHexPoint p = map->GetViewBookmark(slot);
          if (p.x > -1 && p.y > -1) map->CenterAtHex(p.x, p.y);
        }
      }
      break;
  }
}

void GameScreenOnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) {
  if (gGra == nullptr) return;
  // A finished left click, not a held button, acts on the map. The right
  // button drags the map; the map view takes its short drag as the click
  // that puts the selection down.
  const bool click =
      gCursor.leftReleasedNow && IsMapClickDrag(gCursor.leftDragX, gCursor.leftDragY) && !PanelCoversPoint(x, y);
  (void)left;
  (void)right;
  cGameLockGuard lock(__FILE__, __LINE__);
  gGra->HandlePlayerAction(click, false, middle, side1 || side2, wheelDelta, x, y);
}

// ---- end of turn ---------------------------------------------------------------------

void CheckHexOccupancy() {
  if (gGra == nullptr || gGra->map == nullptr) return;
  cMapa& map = *gGra->map;
  for (int y = 0; y < map.height; ++y)
    for (int x = 0; x < map.width; ++x) {
      const sHex& hex = *map.GetHex(x, y);
      if (hex.unit == nullptr) continue;
      std::wstring line;
      if (hex.IsSea()) {
        line = WFormat(L"DBGINF: sea hex (%d, %d) is occupied by unit", x, y);
      } else if (hex.unit->x != x || hex.unit->y != y) {
        const cPanstwo* owner = hex.unit->GetCountry();
        line = WFormat(L"DBGINF: hex (%d, %d) is occupied by unit %s owned by %s which location field is different: "
                       L"(%d, %d)",
                       x, y, hex.unit->name.c_str(), owner != nullptr ? owner->name.c_str() : L"-", hex.unit->x,
                       hex.unit->y);
      }
      if (line.empty()) continue;
      LogLine(line);
      FrontEnd().MessageBox(line, L"DBG WARNING", eMessageBoxIcon::kWarning);
    }
}

void Autosave() {
  cZapisGry saver;
  saver.SaveGame(Txt("autosave"), true);
}

namespace {

// "Your turn is saved": this machine's part of the PBEM game is over, so
// closing the message ends the game to the title screen, as Abort does.
class cPbemTurnSavedDialog : public cDialogTekstowy {
 public:
  using cDialogTekstowy::cDialogTekstowy;
  void OnEvent(UINT event, int controlId, CFWControl* control) override {
    const bool ok = controlId == LayoutBase() + kOk;
    cDialogTekstowy::OnEvent(event, controlId, control);
    // Closed above: nothing of this dialog is touched from here on.
    if (!ok) return;
    CloseDialogs(-1);
    DestroyGame();
    gCurrentMenu = new cMainMenu();
  }
};

// A land unit that spent no action points this turn is one turn further
// from its last airborne drop; any other starts counting again.
void CountTurnsFromLastParadrop(cGra& g, const cPanstwo* country) {
  if (country == nullptr) return;
  for (cJednostkaLadowa* u : g.landUnits) {
    if (u == nullptr || u->countryId != country->id) continue;
    if (u->actionPoints != u->startingActionPoints) u->turnsFromLastParadrop = 0;
    else if (u->turnsFromLastParadrop < INT32_MAX) ++u->turnsFromLastParadrop;
  }
}

// The game is saved for the PBEM player of `to`, who plays next; this
// machine's part ends with the message.
void SendPbemTurn(cGra& g, const cPanstwo& to) {
  // The player whose turn it now is: the one the opening of the save
  // compares with.
  WritePbemRepoEntry(static_cast<uint32_t>(to.pbemPlayerId), g.pbemGameName);
  cZapisGry().SavePbemGame(g.pbemGameName);
  // The record is found by its number: numbers need not follow the rows.
  const sPbemPlayer* player = FindPbemPlayer(g.pbemPlayers, to.pbemPlayerId);
  const std::wstring name = player != nullptr ? player->name : L"?";
  const std::wstring email = player != nullptr ? player->email : L"?";
  if (player == nullptr) LogF(L"WARNING: no PBEM player record numbered %i", to.pbemPlayerId);
  const std::wstring text = WFormat(Txt("pbem_turn_end_message").c_str(), g.pbemGameName.c_str(), name.c_str(),
                                    email.c_str(), to.name.c_str());
  PushDialog(new (std::nothrow) cPbemTurnSavedDialog(text, Txt("pbem_turn_end_title"), kMessageLayoutBase), 0);
}

}  // namespace

void SendPbemTurnOfCurrentCountry() {
  if (gGra == nullptr || gGra->selection.currentCountry == nullptr) return;
  SendPbemTurn(*gGra, *gGra->selection.currentCountry);
}

void EndTurn() {
  // The worker's events check goes over this turn: ended under it, its
  // dialog would close before the player's pick and the check run on into
  // the next turn.
  if (gGra == nullptr || gCheckEventsRequest.load() != 0) return;
  cGra& g = *gGra;
  {
    // A move still being shown ends on its hex first; a map pick ends with
    // the turn, and so does the dialog that asked for it, whoever plays next.
    // A move of an ended turn cannot be taken back in a later one.
    cGameLockGuard lock(__FILE__, __LINE__);
    FinishShownMove();
    if (g.selection.mapAction != kMapActionNone && gCurrentDialog != nullptr) CloseDialogs(-1);
    g.selection.mapAction = kMapActionNone;
    ClearUndoHistory();
  }
  CheckHexOccupancy();
  g.SetState(kStateEndOfImpulse);
  if (g.map != nullptr) g.map->RedrawMinimapTexture();
  cPanstwo* current = g.selection.currentCountry;
  if (current != nullptr && g.map != nullptr) current->StoreCameraView(g.map->cameraX, g.map->cameraY, gCurrentMapScale);
  g.selection.lastShownCountry = current;
  gConsole.Reopen();
  Autosave();
  CountTurnsFromLastParadrop(g, g.selection.lastShownCountry);
  g.selection.ClearUnit();
  if (g.map != nullptr) g.map->ClearMarks(~0u, true);
  if (current != nullptr) current->finishedTurn = 1;
  cPanstwo* next = DetermineCurrentCountry(g.countries);
  cPanstwo* nextHuman = g.selection.BuildCountryOrder(g.countries);
  // The placeholder's turn closes the impulse of a PBEM game: the worker
  // ends the impulse as it does in any game, plays the computer countries at
  // the head of the next one and gives the game to the first human country,
  // sending it on when that is another player's.
  if (g.pbem && next == nullptr && IsPlaceholderCountry(current)) {
    // The player at this keyboard, not the placeholder, watches the end of
    // the impulse and reads his countries' convoy results.
    const int64_t player = ReadPbemRepoEntry(g.pbemGameName);
    for (cPanstwo* c : g.countries)
      if (c->humanControlled != 0 && !IsPlaceholderCountry(c) && c->pbemPlayerId == player) {
        g.selection.lastShownCountry = c;
        c->RecalculateUnitsVisibility(c->id);
        break;
      }
    LockGamePanels();
    return;
  }
  // The turn goes to another PBEM player. The placeholder country that ends
  // the impulse is no player's: the game is not sent to it.
  if (g.pbem && nextHuman != nullptr && current != nullptr && nextHuman->pbemPlayerId != current->pbemPlayerId &&
      nextHuman->countryTypeSpecialFlags != 1) {
    SendPbemTurn(g, *nextHuman);
    return;
  }
  if (next == nullptr) {
    LogLine(Txt("error:_end_of_turn_from_main_thread._no_dummy_country?"));
    FatalExit(Txt("error:_end_of_turn_from_main_thread._no_dummy_country?"), 1);
  }
  g.selection.SetCurrentCountry(next);
  if (next->humanControlled) {
    if (next->countryTypeSpecialFlags == 1 && g.pbem) {
      RequestEventsCheck();
      return;
    }
    next->RecalculateUnitsVisibility(next->id);
    RestoreGamePanels();
    float x = 0.0f, y = 0.0f, scale = 0.0f;
    next->GetCameraView(x, y, scale);
    if (scale >= 0.0f && g.map != nullptr) g.map->ScrollCameraToPoint(x, y, true);
    else g.selection.CenterOnUnit(true);
    if (g.selection.currentCountry != nullptr && g.selection.currentCountry->humanControlled)
      PushDialog(new (std::nothrow) cDialogNowejTury(g.selection.currentCountry->id), 0);
  } else {
    LockGamePanels();
  }
}
