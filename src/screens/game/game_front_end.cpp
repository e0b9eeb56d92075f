// The front end's side of the game screen: the game core's requests of the
// panels, the move animation and the new-turn dialog, done on the main thread.
#include "core/game_lock.h"
#include "framework/map_skin.h"
#include "dialogs/new_turn_dialog.h"
#include "screens/game/game_screen.h"
#include "screens/game/panels/attack_panel.h"
#include "screens/game/panels/diplomacy_panel.h"
#include "screens/game/panels/hex_panel.h"
#include "screens/game/panels/info_panel.h"
#include "screens/game/panels/unit_panel.h"
#include "screens/game/panels/minimap_panel.h"
#include "screens/map_frame.h"
#include "screens/ui_front_end.h"
#include "screens/units_skin_loading.h"
#include "world/game.h"
#include "world/hex_map.h"

void cUiFrontEnd::CreateHudPanels() {
  OnMainThread([] { ::CreateHudPanels(); });
}

void cUiFrontEnd::RefreshInfoPanel() {
  OnMainThread([] {
    if (gInfoPanel != nullptr) gInfoPanel->Refresh();
  });
}

void cUiFrontEnd::RefreshHexPanel() {
  OnMainThread([] {
    if (gHexPanel != nullptr) static_cast<cHexPanel*>(gHexPanel)->Refresh();
  });
}

void cUiFrontEnd::RefreshUnitPanel() {
  OnMainThread([] {
    if (gUnitPanel != nullptr) static_cast<cUnitPanel*>(gUnitPanel)->Refresh();
  });
}

void cUiFrontEnd::RefreshDiplomacyPanel() {
  OnMainThread([] {
    if (gDiplomacyPanel != nullptr) static_cast<cDiplomacyPanel*>(gDiplomacyPanel)->Refresh();
  });
}

void cUiFrontEnd::RefreshAttackPanel() {
  OnMainThread([] {
    if (gAttackPanel != nullptr) static_cast<cAttackPanel*>(gAttackPanel)->Refresh();
  });
}

void cUiFrontEnd::SetInfoMessage(const std::wstring& text) {
  OnMainThread([text] {
    if (gInfoPanel != nullptr) gInfoPanel->SetMessage(text);
  });
}

void cUiFrontEnd::RefreshMinimapDate() {
  OnMainThread([] {
    if (gMinimapPanel != nullptr) gMinimapPanel->RefreshDate();
  });
}

void cUiFrontEnd::SetMinimapRect(const sScreenRect& r) {
  OnMainThread([r] {
    if (gMinimapPanel != nullptr) gMinimapPanel->SetMapRect(r.x, r.y, r.width, r.height);
  });
}

void cUiFrontEnd::EnableInfoPanelControls() {
  OnMainThread([] {
    if (gInfoPanel != nullptr) {
      gInfoPanel->EnableControls();
      gInfoPanel->Refresh();
    }
    if (gMinimapPanel != nullptr) gMinimapPanel->RefreshDate();
  });
}

void cUiFrontEnd::RestorePanelFolding() {
  OnMainThread([] {
    for (cPanel* p : {gHexPanel, gUnitPanel, gAttackPanel, gDiplomacyPanel})
      if (p != nullptr) p->SetFolded(p->savedFolded);
  });
}

void cUiFrontEnd::CenterMapOn(int x, int y) {
  OnMainThread([x, y] {
    if (gGra != nullptr && gGra->map != nullptr) gGra->map->CenterAtHex(x, y);
  });
}

void cUiFrontEnd::AnimateMove(const std::function<bool()>& advance) {
  std::function<bool()> copy = advance;
  OnMainThread([copy] { QueueMoveAnimation(copy); });
}

FrontEndHandle cUiFrontEnd::ShowNewTurnDialog(int countryId) {
  return ShowDialog("cDialogNowejTury", [countryId] { return new cDialogNowejTury(countryId); });
}

bool cUiFrontEnd::LoadMapSkin(const std::wstring& name) {
  OnMainThread([name] { LoadGameMapSkin(name); });
  return true;
}

bool cUiFrontEnd::LoadUnitsSkin(const std::wstring& name) {
  OnMainThread([name] { LoadGameUnitsSkin(name); });
  return true;
}

void cUiFrontEnd::SelectFontsByScale() {
  OnMainThread([] { SelectUnitsSkinGroupsForMapScale(); });
}

void cUiFrontEnd::SelectCityAppearanceByZoom() {
  OnMainThread([] { ::SelectCityAppearanceByZoom(); });
}
