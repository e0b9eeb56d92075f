// What a sea node draws on the hexes of the map: its displayed ships, the
// port's picture by its size, the sea zone's picture and name.
#include "core/draw_target.h"
#include "core/map_skin_data.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

// Node pictures stand in the last row of the decoration picture, just
// behind the cities.
constexpr int kNodePictureTop = 1838;
float NodePictureDepth() { return gMapSkin.Depth(kLayerCity) + 0.002f; }
constexpr uint32_t kLitColour = 0xFFFFFF60u;

}  // namespace

void sWezelGrafuMorz::DrawAtHex(cDrawTarget& t, const sMapDisplay& d, float x, float y, int hx, int hy,
                                bool hidePictures, bool lit) const {
  const FrontEndHandle others = t.SkinPicture(kPictureMapOthers);
  const uint32_t colour = lit ? kLitColour : kDrawWhite;
  if (hx == playerUnitX && hy == playerUnitY) {
    if (friendlyShip != nullptr && d.showUnits) friendlyShip->DrawCounter(t, x, y, gMapSkin.Depth(kLayerUnit), kCounterOnMap);
    if (IsPort() && !hidePictures) {
      const int size = std::clamp(currentSize, 0, 9);
      t.DrawSprite(others, {1 + kSkinCellPitch * size, kNodePictureTop, kHexCellPixels, kHexCellPixels}, x, y,
                   NodePictureDepth(), colour);
    }
  }
  if (hx == enemyUnitX && hy == enemyUnitY && enemyShip != nullptr && d.showUnits)
    enemyShip->DrawCounter(t, x, y, gMapSkin.Depth(kLayerUnit), kCounterOnMap);
  if (!IsPort() && hx == mainX && hy == mainY && !hidePictures) {
    t.DrawSprite(others, {1, kNodePictureTop, kHexCellPixels, kHexCellPixels}, x, y, NodePictureDepth(), colour);
    const int32_t* r = gMapSkin.headerRect;
    const bool skinAsks = r[2] > r[0] && r[3] > r[1];
    if (skinAsks && d.showSeaZoneNames) {
      const sDrawRect rect{static_cast<int>(x) + r[0], static_cast<int>(y) + r[1] - 98, r[2] - r[0], r[3] - r[1]};
      const uint32_t format = kTextCenter | kTextVCenter | kTextSingleLine | kTextNoClip;
      const float depth = gMapSkin.Depth(kLayerCity) - 0.001f;
      t.DrawText(kFontMapHeader, WFormat(L"%s", name.c_str()), {rect.x + 1, rect.y + 1, rect.w, rect.h}, format, depth,
                 gMapSkin.headerFont.color1);
      t.DrawText(kFontMapHeader, WFormat(L"%s", name.c_str()), rect, format, depth - 0.0001f,
                 gMapSkin.headerFont.color2);
    }
  }
}
