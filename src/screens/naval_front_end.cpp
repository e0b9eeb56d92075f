// The UI front end's part for the fleets, units manager and convoys dialogs
// and for the sea-battle screen.
#include "core/console.h"
#include "core/game_lock.h"
#include "core/text.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/fleets_dialog.h"
#include "dialogs/units_manager_dialog.h"
#include "framework/traced_sleep.h"
#include "screens/menu.h"
#include "screens/sea_battle_screen.h"
#include "rules/worker_thread.h"
#include "screens/ui_front_end.h"
#include "world/game.h"

namespace {
constexpr int kSeaBattlePollMs = 200;

cDialogFlot* TopFleetsDialog() {
  return gCurrentDialog != nullptr && gCurrentDialog->Id() == kDialogFleets ? dynamic_cast<cDialogFlot*>(gCurrentDialog)
                                                                            : nullptr;
}
}  // namespace

cUnit* cUiFrontEnd::UnitToDeploy() {
  cGameLockGuard lock(__FILE__, __LINE__);
  return FindDialogById(kDialogUnitsManager) != nullptr ? gUnitsMgrSelectedUnit : nullptr;
}

FrontEndHandle cUiFrontEnd::ShowFleetsDialog(int seaNodeId) {
  return ShowDialog("cDialogFlot", [seaNodeId] { return new cDialogFlot(seaNodeId); });
}

bool cUiFrontEnd::FleetsDialogSelection(std::vector<sFlota*>& fleets, std::vector<cJednostkaMorska*>& ships) {
  cGameLockGuard lock(__FILE__, __LINE__);
  fleets.clear();
  ships.clear();
  const cDialogFlot* d = TopFleetsDialog();
  if (d == nullptr) return false;
  fleets = d->SelectedFleets();
  ships = d->SelectedShips();
  return true;
}

void cUiFrontEnd::DropFleetFromFleetsDialog(const sFlota* fleet) {
  cGameLockGuard lock(__FILE__, __LINE__);
  if (cDialogFlot* d = TopFleetsDialog()) d->DeselectFleet(fleet);
}

void cUiFrontEnd::CreateConvoyFromPicks(int fromSeaNode, int toSeaNode) {
  OnMainThread([fromSeaNode, toSeaNode] {
    cDialogDispatch dispatch;
    if (gCurrentDialog == nullptr || gCurrentDialog->Id() != kDialogConvoys) return;
    auto* d = dynamic_cast<cDialogKonwojow*>(gCurrentDialog);
    if (d == nullptr) return;
    gConvoyDepartureNode = fromSeaNode;
    gConvoyDestinationNode = toSeaNode;
    d->CreateConvoyFromPicks();
    d->Gui().SetVisible(true);
    // The list shows the convoy its controls now stand for: the new one.
    d->FillList(gSelectedConvoyId != 0 ? gSelectedConvoyId : -1);
    if (gGra != nullptr) gGra->selection.ClearUnit();
  });
}

FrontEndHandle cUiFrontEnd::OpenSeaBattleScreen(cSeaBattle& battle, const std::function<void()>&) {
  cGameLockGuard lock(__FILE__, __LINE__);
  const FrontEndHandle h = NewHandle();
  seaBattleScreens_[h] = nullptr;
  cSeaBattle* b = &battle;
  OnMainThread([this, h, b] {
    cGameLockGuard inner(__FILE__, __LINE__);
    cMenuDispatch dispatch;
    auto* screen = new cSeaBattleMenu(*b);
    gCurrentMenu = screen;
    seaBattleScreens_[h] = screen;
    screen->StartAutoEndIfFlagged();
  });
  return h;
}

void cUiFrontEnd::WaitForSeaBattleScreenClosed(FrontEndHandle screen, const char* file, int line) {
  // The player fights on the main thread, which needs the lock; a game that
  // ends meanwhile ends the wait.
  cGameLockWait wait;
  for (;;) {
    if (WorkerMustStop()) return;
    {
      cGameLockGuard lock(__FILE__, __LINE__);
      auto it = seaBattleScreens_.find(screen);
      if (it == seaBattleScreens_.end()) return;
      // Built and no longer the current menu: the player has closed it.
      if (it->second != nullptr && static_cast<const void*>(gCurrentMenu) != it->second) {
        seaBattleScreens_.erase(it);
        return;
      }
    }
    gConsole.AddFormatted(L"WSB:%s:%d", Utf8ToWide(RelativeSourceName(file)).c_str(), line);
    TracedSleep(kSeaBattlePollMs, __FILE__, __LINE__);
  }
}

void cUiFrontEnd::ClearSeaBattleGridUnit(int x, int y) {
  OnMainThread([x, y] {
    if (cSeaBattleMenu* s = CurrentSeaBattleMenu()) s->ClearGridUnit(x, y);
  });
}

void cUiFrontEnd::EnableSeaBattleCloseOnly() {
  OnMainThread([] {
    if (cSeaBattleMenu* s = CurrentSeaBattleMenu()) s->EnableCloseOnly();
  });
}
