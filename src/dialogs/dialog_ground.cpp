#include "dialogs/dialog_ground.h"

#include "gui/fw_dialog.h"
#include "gui/fw_resource_manager.h"
#include "gui/gui_layout.h"
#include "platform/sprite.h"

namespace {
constexpr D3DCOLOR kGround = 0xF0262A20u;
constexpr float kGroundDepth = 0.95f;
}  // namespace

void DrawDialogGround(CFWDialog& dialog, int layoutRow) {
  (void)dialog;
  cPlatformSprite* sprite = GetGlobalDialogResourceManager()->Sprite();
  const sGuiRect r = GuiRect(layoutRow);
  if (sprite == nullptr || !dialog.GetVisible() || r.w <= 0 || r.h <= 0) return;
  const D3DCOLOR corners[4] = {kGround, kGround, kGround, kGround};
  sprite->Begin(D3DXSPRITE_ALPHABLEND);
  sprite->DrawQuad(static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.w), static_cast<float>(r.h),
                   corners, kGroundDepth);
  sprite->End();
}
