// A city on the map: picture, flag, markers and texts, placed by the map
// skin's appearance row of the current zoom.
#include "core/draw_target.h"
#include "core/map_skin_data.h"
#include "core/text.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

sDrawRect FromEdges(const int32_t e[4]) { return {e[0], e[1], e[2] - e[0], e[3] - e[1]}; }

class cCityPainter {
 public:
  cCityPainter(cDrawTarget& t, const sCityAppearanceRow& row, float x, float y)
      : t_(t), row_(row), x_(x), y_(y), depth_(gMapSkin.Depth(kLayerCity)) {}

  // Picture element e: its place (entry e) and its picture (entry 6 + e,
  // moved right by whole pictures).
  void Picture(int e, FrontEndHandle texture, int shift = 0, int place = -1) {
    if (!row_.valid[e] || texture == 0) return;
    const sDrawRect dst = FromEdges(row_.entries[place < 0 ? e : place]);
    sDrawRect src = FromEdges(row_.entries[6 + e]);
    src.x += shift * src.w;
    Put(texture, src, dst);
  }
  void Put(FrontEndHandle texture, const sDrawRect& src, const sDrawRect& dst) {
    // Later elements lie just in front of earlier ones.
    depth_ -= 0.0001f;
    t_.DrawSpriteStretched(texture, src, x_ + static_cast<float>(dst.x), y_ + static_cast<float>(dst.y),
                           static_cast<float>(dst.w), static_cast<float>(dst.h), depth_, kDrawWhite);
  }
  // Text element e (6, 7 or 8) with font e - 6, in its first colour at the
  // first offset, then in its second at the second.
  void Text(int e, const std::wstring& text) {
    if (!row_.valid[e]) return;
    const int k = e - kCityVictoryText;
    const sDrawRect r = FromEdges(row_.entries[12 + k]);
    int off[4] = {1, 1, 0, 0};
    if (row_.valid[kCityTextOffsets])
      for (int i = 0; i < 4; ++i) off[i] = row_.entries[16][i];
    const sMapSkinFont& font = row_.fonts[k];
    const uint32_t format = kTextCenter | kTextVCenter | kTextSingleLine | kTextNoClip;
    const int bx = static_cast<int>(x_) + r.x, by = static_cast<int>(y_) + r.y;
    depth_ -= 0.0001f;
    t_.DrawText(kFontCityAppearance + k, text, {bx + off[0], by + off[1], r.w, r.h}, format, depth_, font.color1);
    depth_ -= 0.0001f;
    t_.DrawText(kFontCityAppearance + k, text, {bx + off[2], by + off[3], r.w, r.h}, format, depth_, font.color2);
  }

 private:
  cDrawTarget& t_;
  const sCityAppearanceRow& row_;
  float x_, y_;
  float depth_;
};

}  // namespace

void cMiasto::Draw(cDrawTarget& t, const sMapDisplay& d, float x, float y, bool shown, int /*parity*/,
                   const sHex& hex) const {
  const sCityAppearanceRow* row = gMapSkin.CurrentRow();
  if (!shown || row == nullptr) return;
  const FrontEndHandle others = t.SkinPicture(kPictureMapOthers);
  cCityPainter p(t, *row, x, y);
  p.Picture(kCityPicture, others, type == kCityResources ? 1 : 0);
  const cPanstwo* holder = gGra != nullptr && hex.controller != 0 ? gGra->GetCountry(hex.controller) : nullptr;
  if (holder != nullptr) p.Picture(kCityFlag, holder->GetFlagTexture());
  p.Picture(kCityPlate, others);
  if (row->valid[kCityPlate2]) p.Put(others, FromEdges(row->entries[15]), FromEdges(row->entries[kCityPlate]));
  if (type == kCitySupplyPort || type == kCityPort) p.Picture(kCityPortMarker, others);
  if (type == kCitySupply || type == kCitySupplyPort) p.Picture(kCitySupplyMarker, others);
  if (type == kCityResources) p.Picture(kCitySupplyMarker, others, 1);
  if (victoryPoints > 0) {
    p.Picture(kCityVictoryMarker, others);
    p.Text(kCityVictoryText, WFormat(L"%i", victoryPoints));
  }
  if (productionPoints > 0.0f) p.Text(kCityProductionText, WFormat(L"%.0f", static_cast<double>(productionPoints)));
  if (d.showCityNames) p.Text(kCityNameText, WFormat(L"%s", name.c_str()));
}
