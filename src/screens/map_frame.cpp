#include "screens/map_frame.h"

#include "core/string_table.h"
#include "framework/map_skin.h"
#include "framework/sprite_draw_target.h"
#include "framework/texture.h"
#include "platform/device.h"
#include "platform/line.h"
#include "platform/sprite.h"
#include "screens/ui_front_end.h"
#include "world/eyecandies.h"
#include "world/game.h"
#include "world/hex_map.h"

void DrawGameMap(cPlatformDevice* device, cPlatformSprite* sprite) {
  if (device == nullptr || sprite == nullptr || gGra == nullptr || gGra->map == nullptr) return;
  cPlatformLine line(device);
  // Flags and units pictures are the front end's.
  auto* ui = dynamic_cast<cUiFrontEnd*>(&FrontEnd());
  cSpriteDrawTarget target(sprite, &line, nullptr, [ui](FrontEndHandle h) -> cPlatformTexture* {
    cTexture* t = ui != nullptr ? ui->TextureOf(h) : nullptr;
    return t != nullptr ? t->Texture() : nullptr;
  });
  sprite->Begin(D3DXSPRITE_ALPHABLEND | D3DXSPRITE_SORT_DEPTH_BACKTOFRONT);
  // The zoomed map is filtered, or it shimmers as it moves; the panels and
  // dialogs drawn after it keep their sharp texels.
  device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_ANISOTROPIC);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_ANISOTROPIC);
  gGra->map->Render(target, sMapDisplay::FromSettings());
  sprite->End();
  device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
}

int LoadGameMapSkin(const std::wstring& name) {
  const int zoom = LoadMapSkin(name);
  if (gGra != nullptr && gGra->map != nullptr && MapSkinPicture(kPictureMapEyecandies) != 0)
    LoadScenarioEyecandies(*gGra->map, gGra->scenarioName, gStringTable.Language());
  return zoom;
}
