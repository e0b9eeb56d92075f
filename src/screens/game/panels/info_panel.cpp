#include "screens/game/panels/info_panel.h"

#include "screens/game/game_screen.h"
#include "platform/text_layout.h"
#include "core/game_lock.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "framework/texture.h"
#include "framework/texture_handles.h"
#include "gui/gui_layout.h"
#include "platform/clock.h"
#include "world/country.h"
#include "world/game.h"

namespace {

// The computer's-turn picture: two 200 x 200 frames side by side.
constexpr int kTurnPictureTop = 1390;
constexpr int kTurnPictureSide = 200;
constexpr int kTurnPictureShown = 150;

cPlatformTexture* GuiTexture() { return gTextures[kGuiTextureHolder].Texture(); }

// An area entry of the layout table as a source rectangle.
RECT SourceOf(int id) {
  const sGuiRect r = GuiRect(id);
  return RECT{r.x, r.y, r.w, r.h};
}

}  // namespace

cInfoPanel::cInfoPanel() : cPanel(-1, 0, 0, 0, 0) {
  CFWDialog& d = m_GuiDialog;
  const sGuiRect bg = GuiRect(kBackground);
  const RECT s3 = SourceOf(3);
  AddBackground(kBackground, s3, bg.x, bg.y, bg.w, bg.h);
  CFWStatic* s = nullptr;
  d.AddStatic(kMessage, L"-", &s);
  if (s != nullptr) s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  const sGuiRect flag = GuiRect(kFlag);
  CFWImage* img = nullptr;
  d.AddImage(kFlag, nullptr, 0, 0, 128, 85, flag.x, flag.y, flag.w, flag.h, 0, false, &img);
  if (img != nullptr) {
    img->SetVisible(false);
    img->SetHint(Txt("your_country_flag").c_str());
  }
  const RECT s6 = SourceOf(6);
  const sGuiRect deco = GuiRect(kDecoration);
  AddBackground(kDecoration, s6, deco.x, deco.y, deco.w, deco.h);
  d.AddStatic(kCountryName, L"-", &s);
  if (s != nullptr) s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  const struct {
    int id;
    const char* hint;
  } counters[] = {{kProductionPoints, "infopanel_production_points_hint"},
                  {kDiplomacyPoints, "infopanel_diplomacy_points_hint"},
                  {kStrategicMovePoints, "infopanel_strategic_moves_points_hint"},
                  {kSeaTransportPoints, "infopanel_sea_transport_points_hint"},
                  {kInvasionPoints, "infopanel_sea_invasion_points_hint"},
                  {kNuclearBombs, "infopanel_nuclear_bombs_hint"}};
  for (const auto& c : counters) {
    d.AddStatic(c.id, L"-", &s);
    if (s == nullptr) continue;
    s->m_dwTextFormat = DT_RIGHT | DT_VCENTER;
    s->SetEnabled(true);
    s->SetHint(Txt(c.hint).c_str());
  }
  const struct {
    int id;
    RECT source;
    const char* hint;
  } folds[] = {{kFoldUnitPanel, {1040, 100, 1130, 190}, "unitpanel_hint"},
               {kFoldHexPanel, {1130, 100, 1220, 190}, "hexpanel_hint"},
               {kFoldAttackPanel, {950, 100, 1040, 190}, "attackpanel_hint"},
               {kFoldDiplomacyPanel, {950, 460, 1040, 550}, "diplomacypanel_hint"}};
  CFWIcon* icon = nullptr;
  for (const auto& f : folds) {
    const sGuiRect r = GuiRect(f.id);
    d.AddIcon(f.id, f.source.left, f.source.top, f.source.right, f.source.bottom, r.x, r.y, r.w, r.h, 0, false, &icon);
    if (icon == nullptr) continue;
    icon->m_bMovable = true;
    icon->SetHint(Txt(f.hint).c_str());
  }
  const int sw = gProgramSettings.resolutionX, sh = gProgramSettings.resolutionY;
  d.AddImage(kComputerTurn, GuiTexture(), 0, kTurnPictureTop, kTurnPictureSide, kTurnPictureTop + kTurnPictureSide,
             sw - kTurnPictureShown, sh - kTurnPictureShown, kTurnPictureShown, kTurnPictureShown, 0, false, &img);
  if (img != nullptr) img->SetVisible(false);
  const RECT s5 = SourceOf(5);
  const sGuiRect cmd = GuiRect(kCommandBackground);
  AddBackground(kCommandBackground, s5, cmd.x, cmd.y, cmd.w, cmd.h);
  // Icon pictures lie in a grid of layout 14: x0, y0, cell width, height.
  const sGuiRect grid = GuiRect(14);
  const struct {
    int id, column, row;
    const char* hint;
  } commands[] = {{kPurchases, 2, 0, "open_purchase_window"},   {kReports, 4, 0, "open_reports_window"},
                  {kOptions, 2, 3, "open_options_screen"},      {kUnitsManager, 0, 3, "open_units_management_window"},
                  {kResearch, 1, 0, "open_research_management_window"},
                  {kConvoys, 1, 3, "open_convoys_management_window"},
                  {kEndTurn, 0, 0, "finish_turn"},              {kHotKeys, 3, 3, "open_hotkeys_screen"}};
  for (const auto& c : commands) {
    const sGuiRect r = GuiRect(c.id);
    const int left = grid.x + c.column * grid.w, top = grid.y + c.row * grid.h;
    d.AddIcon(c.id, left, top, left + grid.w, top + grid.h, r.x, r.y, r.w, r.h, 0, false, &icon);
    if (icon != nullptr) icon->SetHint(Txt(c.hint).c_str());
  }
  d.EnableKeyboardInput(false);
  d.SetCallback(&GameScreenOnGuiEvent);
}

void cInfoPanel::Render(float elapsed) {
  if (auto* img = m_GuiDialog.Get<CFWImage>(kComputerTurn, FWCONTROL_IMAGE); img != nullptr && img->GetVisible()) {
    const int left = kTurnPictureSide * static_cast<int>((GetTickCount() / 200) % 2);
    img->m_rcSource = RECT{left, kTurnPictureTop, left + kTurnPictureSide, kTurnPictureTop + kTurnPictureSide};
  }
  m_GuiDialog.OnRender(elapsed);
}

void cInfoPanel::Refresh() {
  if (gGra == nullptr) return;
  const cPanstwo* c = gGra->selection.currentCountry;
  if (c == nullptr) return;
  if (auto* img = m_GuiDialog.Get<CFWImage>(kFlag, FWCONTROL_IMAGE)) {
    img->SetVisible(true);
    img->SetTexture(TextureOfHandle(c->GetFlagTexture()));
  }
  auto set = [this](int id, const std::wstring& text) {
    if (auto* s = m_GuiDialog.Get<CFWStatic>(id, FWCONTROL_STATIC)) s->SetText(text.c_str());
  };
  set(kCountryName, c->name);
  // A computer country's points stay hidden; the last human's figures would
  // read as its own.
  if (!c->humanControlled) {
    for (int id : {kProductionPoints, kDiplomacyPoints, kStrategicMovePoints, kSeaTransportPoints, kInvasionPoints,
                   kNuclearBombs})
      set(id, L"-");
    return;
  }
  set(kProductionPoints, WFormat(L"%.0f", c->productionPoints));
  set(kDiplomacyPoints, WFormat(L"%i", c->diplomaticPoints));
  set(kStrategicMovePoints, WFormat(Txt("%i/%i").c_str(), c->strategicMovementPoints, c->strategicMovementCapacity));
  set(kSeaTransportPoints, WFormat(L"%i", c->seaTransportPoints));
  set(kInvasionPoints, WFormat(Txt("%i/%i").c_str(), c->amphibiousPoints, c->amphibiousCapacity));
  set(kNuclearBombs, WFormat(L"%i", c->nuclearBombs));
}

void cInfoPanel::SetMessage(const std::wstring& text) {
  auto* s = m_GuiDialog.Get<CFWStatic>(kMessage, FWCONTROL_STATIC);
  if (s == nullptr) return;
  const int state = gGra != nullptr ? gGra->GetState() : 0;
  if (state == 3 || state == 4 || state == 9 || state == 10 || state == 11) {
    cGameLockGuard lock("panel_informacyjny", 290);
    s->SetText(text.c_str());
  } else {
    s->SetText(text.c_str());
  }
}

void cInfoPanel::DisableControls() {
  m_GuiDialog.EnableNonUserEvents(false);
  m_GuiDialog.EnableKeyboardInput(false);
  m_GuiDialog.EnableMouseInput(false);
  for (int id : {kFoldUnitPanel, kFoldHexPanel, kFoldDiplomacyPanel, kFoldAttackPanel})
    if (CFWControl* c = m_GuiDialog.GetControl(id)) c->SetVisible(false);
  if (CFWControl* c = m_GuiDialog.GetControl(kComputerTurn)) c->SetVisible(true);
}

void cInfoPanel::EnableControls() {
  m_GuiDialog.EnableMouseInput(true);
  for (int id : {kFoldUnitPanel, kFoldHexPanel, kFoldDiplomacyPanel, kFoldAttackPanel})
    if (CFWControl* c = m_GuiDialog.GetControl(id)) c->SetVisible(true);
  if (CFWControl* c = m_GuiDialog.GetControl(kComputerTurn)) c->SetVisible(false);
}

void cInfoPanel::PressIcon(int controlId) {
  // While the panel is locked for the computer's turn its icons take no
  // press, and its programmatic events stay off.
  if (!m_GuiDialog.m_bMouseInput) return;
  m_GuiDialog.EnableNonUserEvents(true);
  m_GuiDialog.SendEvent(kGuiEventButtonClicked, false, m_GuiDialog.GetControl(controlId), false);
  m_GuiDialog.EnableNonUserEvents(false);
}

std::wstring cInfoPanel::Text(int controlId) {
  auto* s = m_GuiDialog.Get<CFWStatic>(controlId, FWCONTROL_STATIC);
  return s != nullptr ? s->GetText() : std::wstring();
}
