#include "screens/game/panels/minimap_panel.h"

#include "screens/game/game_screen.h"
#include "platform/text_layout.h"
#include "core/string_table.h"
#include "core/text.h"
#include "framework/texture.h"
#include "framework/texture_handles.h"
#include "framework/shared_draw.h"
#include "framework/sprite_draw_target.h"
#include "gui/gui_layout.h"
#include "platform/line.h"
#include "platform/sprite.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

const char* const kMonthKeys[12] = {"january", "february", "march",     "april",   "may",      "june",
                                    "july",    "august",   "september", "october", "november", "december"};

}  // namespace

std::wstring MinimapDateLine(cGra& game) {
  std::wstring date;
  const int month = game.displayedMonth;
  // A month outside the year has no name: the calendar's date stands in.
  if (game.turn == 1 && game.displayedDay > 0 && month >= 1 && month <= 12) {
    date = WFormat(L"%i-%s-%i", game.displayedDay, Txt(kMonthKeys[month - 1]).c_str(), game.displayedYear);
  } else {
    date = game.date.Format(game.consts.turnsPerMonth);
  }
  return WFormat(Txt("%s_(turn_%i/%i)").c_str(), date.c_str(), game.turn, game.turn + game.turnsLeft);
}

cMinimapPanel::cMinimapPanel() : cPanel(-1, 0, 0, 0, 0) {
  CFWDialog& d = m_GuiDialog;
  const sGuiRect src = GuiRect(4);
  const sGuiRect bg = GuiRect(kBackground);
  AddBackground(kBackground, RECT{src.x, src.y, src.w, src.h}, bg.x, bg.y, bg.w, bg.h);
  // An empty static over the background makes the panel count as under the mouse.
  CFWStatic* cover = nullptr;
  d.AddStatic(kBackground, L"", bg.x, bg.y, bg.w, bg.h, false, &cover);
  if (cover != nullptr) cover->SetEnabled(true);
  CFWStatic* s = nullptr;
  d.AddStatic(kDate, Txt("-").c_str(), &s);
  if (s != nullptr) s->m_dwTextFormat = DT_CENTER | DT_VCENTER;
  const struct {
    int id, left;
    const char* hint;
  } icons[] = {{kZoomIn, 560, "zoom_in"},
               {kZoomOut, 590, "zoom_out"},
               {kOwnershipMode, 620, "change_ownership_draw_mode"},
               {kBorderMode, 650, "change_border_draw_mode"},
               {kMapMode, 680, "change_map_draw_mode"}};
  for (const auto& i : icons) {
    const sGuiRect r = GuiRect(i.id);
    CFWIcon* icon = nullptr;
    d.AddIcon(i.id, i.left, 375, i.left + 25, 400, r.x, r.y, r.w, r.h, 0, false, &icon);
    if (icon != nullptr) icon->SetHint(Txt(i.hint).c_str());
  }
  d.EnableKeyboardInput(false);
  d.SetCallback(&GameScreenOnGuiEvent);
}

void cMinimapPanel::SetMapRect(int x, int y, int width, int height) {
  mapRect[0] = x;
  mapRect[1] = y;
  mapRect[2] = width;
  mapRect[3] = height;
  m_GuiDialog.RemoveControl(kMinimap);
  if (gGra == nullptr || gGra->map == nullptr) return;
  const cMapa& map = *gGra->map;
  CFWImage* img = nullptr;
  m_GuiDialog.AddImage(kMinimap, TextureOfHandle(map.minimapTextures[0]), 0, 0, map.minimapTextureSize[0],
                       map.minimapTextureSize[1], x, y, width, height, 0, false, &img);
  if (img != nullptr) img->SetEnabled(true);
}

void cMinimapPanel::Render(float elapsed) {
  if (IsFolded()) return;
  m_GuiDialog.OnRender(elapsed);
  if (gGra == nullptr || gGra->map == nullptr || gSprite == nullptr) return;
  const cMapa& map = *gGra->map;
  // The countries' layer over the picture, then the view's outline.
  if (cPlatformTexture* layer = TextureOfHandle(map.minimapTextures[1]); layer != nullptr && mapRect[2] > 0) {
    const RECT source{0, 0, map.minimapTextureSize[0], map.minimapTextureSize[1]};
    const RECT dest{mapRect[0], mapRect[1], mapRect[0] + mapRect[2], mapRect[1] + mapRect[3]};
    gSprite->Begin(D3DXSPRITE_ALPHABLEND);
    m_GuiDialog.DrawSprite(layer, &source, &dest, 0xFFFFFFFFu, 0.1f);
    gSprite->End();
  }
  if (gLine != nullptr) {
    cSpriteDrawTarget target(gSprite, gLine);
    map.DrawMinimapViewRect(target);
  }
}

void cMinimapPanel::OnMouse(bool, bool, bool, bool, bool, int, int x, int y) {
  if (gGra == nullptr || gGra->map == nullptr) return;
  if (x >= mapRect[0] && x <= mapRect[0] + mapRect[2] && y >= mapRect[1] && y <= mapRect[1] + mapRect[3])
    gGra->map->CenterAtMinimapCursor();
}

void cMinimapPanel::RefreshDate() {
  if (gGra == nullptr) return;
  if (auto* s = m_GuiDialog.Get<CFWStatic>(kDate, FWCONTROL_STATIC)) s->SetText(MinimapDateLine(*gGra).c_str());
}

std::wstring cMinimapPanel::DateText() {
  auto* s = m_GuiDialog.Get<CFWStatic>(kDate, FWCONTROL_STATIC);
  return s != nullptr ? s->GetText() : std::wstring();
}
