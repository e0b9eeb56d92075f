// Drawing of the map: the visible hexes, each in its layers, sorted by the
// depths of the map skin's layer table.
#include <algorithm>
#include <bit>
#include <chrono>

#include "core/draw_target.h"
#include "core/map_skin_data.h"
#include "core/text.h"
#include "core/units_skin_data.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

// A 166 x 166 cell of a skin picture on its 167-pixel grid.
sDrawRect Cell(int column, int row) {
  return {1 + kSkinCellPitch * column, 1 + kSkinCellPitch * row, kHexCellPixels, kHexCellPixels};
}

constexpr eMapLayer kTerrainLayer[8] = {kLayerSea,      kLayerPlain,    kLayerTerrain2, kLayerTerrain3,
                                        kLayerTerrain4, kLayerTerrain5, kLayerTerrain6, kLayerTerrain7};

bool Hidden(const sHexEyecandy* e, eMapLayer layer) {
  return e != nullptr && e->hiddenLayer == gMapSkin.Level(layer);
}

float Depth(eMapLayer layer) { return gMapSkin.Depth(layer); }

// Weather beyond mud would reach outside the pictures' rows.
int WeatherRow(uint32_t w) { return static_cast<int>(std::min<uint32_t>(w, 2)); }

uint32_t MapColour(int countryId) {
  const cPanstwo* c = gGra != nullptr ? gGra->GetCountry(countryId) : nullptr;
  return c != nullptr ? (0xFF000000u | (c->colors[0] & 0x00FFFFFFu)) : kDrawWhite;
}

// The emblem's source entry and enable flag in the air counters' layout;
// its place is the entry nine further on.
constexpr int kEmblemFlag = 1;

int MapAction() { return gGra != nullptr ? gGra->selection.mapAction : 0; }

// Terrain: a hill, mountain, forest or rough hex draws its own picture over
// the plain; sea, plain, swamp and desert draw one picture. The weather row
// is taken unless the clear pictures are asked for.
void DrawTerrain(const sHex& hex, cDrawTarget& t, float x, float y, const sHexEyecandy* e, bool clearOnly) {
  int tt = hex.terrain;
  if (tt > 7) return;
  const FrontEndHandle pic = t.SkinPicture(kPictureMapTerrain);
  const int v = hex.tileVariant % 6;
  const int w = WeatherRow(hex.weather);
  const int row = clearOnly ? 0 : w;
  if (tt == 2 || tt == 3 || tt == 5 || tt == 6) {
    if (!Hidden(e, kTerrainLayer[tt]))
      t.DrawSprite(pic, Cell((tt / 4) * 6 + v, (tt % 4) * 3 + row), x, y, Depth(kTerrainLayer[tt]), kDrawWhite);
    tt = kTerrainPlain;
  }
  if (Hidden(e, kTerrainLayer[tt])) return;
  sDrawRect src = Cell((tt / 4) * 6 + v, 0);
  src.y = (tt % 4) * 501 + 1 + (hex.IsLand() ? 167 * row : 0);
  // The depth follows the weather even where the picture does not.
  t.DrawSprite(pic, src, x, y, Depth(kTerrainLayer[tt]) - static_cast<float>(w) / 100.0f, kDrawWhite);
}

void DrawRivers(const sHex& hex, cDrawTarget& t, float x, float y, const sHexEyecandy* e) {
  if (Hidden(e, kLayerRivers) || hex.rivers == 0) return;
  const int v = hex.tileVariant % 2;
  if (hex.IsSea()) {
    if ((hex.rivers & 0x40) == 0) return;
    const FrontEndHandle pic = t.SkinPicture(kPictureMapTerrain);
    for (int i = 0; i < 6; ++i)
      if (hex.rivers & (1 << i)) t.DrawSprite(pic, Cell(i, 1 + v), x, y, Depth(kLayerRivers) - 0.0001f, kDrawWhite);
    return;
  }
  // Sides 1-3 only: the neighbours draw the other three.
  const FrontEndHandle pic = t.SkinPicture(kPictureMapOthers);
  for (int side = 1; side <= 3; ++side)
    if (hex.rivers & (1 << side)) t.DrawSprite(pic, Cell(v + 2 * (side - 1), 0), x, y, Depth(kLayerRivers), kDrawWhite);
}

void DrawEyecandy(const sHex& hex, cDrawTarget& t, float x, float y, const sHexEyecandy* e) {
  if (e == nullptr || !(e->depth > 0.5f)) return;
  const FrontEndHandle pic = t.SkinPicture(kPictureMapEyecandies);
  if (pic == 0) return;
  const int w = WeatherRow(hex.weather);
  t.DrawSprite(pic, {e->source[w][0], e->source[w][1], kHexCellPixels, kHexCellPixels}, x, y, e->depth, kDrawWhite);
}

// The mark values' place in the hex and their font: the map skin's header.
void DrawMarkValue(const sHex& hex, cDrawTarget& t, float x, float y) {
  const int32_t* r = gMapSkin.headerRect;
  const sDrawRect rect{static_cast<int>(x) + r[0], static_cast<int>(y) + r[1], r[2] - r[0], r[3] - r[1]};
  const std::wstring text = WFormat(L"%i", hex.markValue);
  const uint32_t format = kTextCenter | kTextVCenter | kTextSingleLine | kTextNoClip;
  t.DrawText(kFontMapHeader, text, {rect.x + 1, rect.y + 1, rect.w, rect.h}, format, Depth(kLayerMarks) - 0.001f,
             gMapSkin.headerFont.color1);
  t.DrawText(kFontMapHeader, text, rect, format, Depth(kLayerMarks) - 0.002f, gMapSkin.headerFont.color2);
}

}  // namespace

void sHex::Draw(cDrawTarget& t, const sMapDisplay& d, float px, float py, const sHexEyecandy* e, int frame) const {
  const FrontEndHandle others = t.SkinPicture(kPictureMapOthers);
  const int v = tileVariant % 2;
  const int w = WeatherRow(weather);
  DrawTerrain(*this, t, px, py, e, false);
  DrawRivers(*this, t, px, py, e);
  if (d.showWeather && IsLand())
    t.DrawSprite(others, {1 + 167 * (v + 2 * w), 1170, 166, 166}, px, py, Depth(kLayerWeather), kDrawWhite);
  DrawEyecandy(*this, t, px, py, e);
  if (d.tintMode != 0 && controller != 0 && owner != 0) {
    if (d.tintMode == 1 || d.tintMode == 3) t.DrawSprite(others, Cell(1, 2), px, py, Depth(kLayerTint), MapColour(controller));
    if (d.tintMode == 2 || d.tintMode == 3) t.DrawSprite(others, Cell(2, 2), px, py, Depth(kLayerTint), MapColour(owner));
  }
  if (marks != 0) {
    const int b = std::countr_zero(marks);
    t.DrawSprite(others, {1003 + 167 * (b % 6), 167 * (b / 6), 166, 166}, px, py, Depth(kLayerMarks), kDrawWhite);
    if (d.showMarkValues && markValue >= 0) DrawMarkValue(*this, t, px, py);
  }
  for (int i = 0; i < 3; ++i) {
    if (d.borderMode == 2 && (borders & (1u << i)))
      t.DrawSprite(others, Cell(i, 4), px, py, Depth(kLayerBorders), d.borderColour);
    if (d.borderMode == 1 && (borders & (1u << (3 + i))))
      t.DrawSprite(others, Cell(i, 4), px, py, Depth(kLayerBorders), d.borderColour);
    if (d.showSeaZones && (borders & (1u << (6 + i))))
      t.DrawSprite(others, Cell(3 + i, 4), px, py, Depth(kLayerBorders), kDrawWhite);
  }
  if (d.showGrid && IsLand()) t.DrawSprite(others, Cell(5, 2), px, py, Depth(kLayerGrid), kDrawWhite);
  const bool cityShown = !Hidden(e, kLayerCity);
  if (city != nullptr) {
    city->Draw(t, d, px, py, cityShown, frame & 1, *this);
  } else if (fort > 0 && fort <= 12 && cityShown) {
    t.DrawSprite(others, {167 * fort - 166, 1671, 166, 166}, px, py, Depth(kLayerCity), kDrawWhite);
  }
  if (seaNodeMarker != 0 && gGra != nullptr) {
    const int action = MapAction();
    const bool lit = action == 3 || action == 13 || action == 14 || action == 15;
    if (const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(seaNodeMarker))
      node->DrawAtHex(t, d, px, py, x, y, false, lit);
  }
  if (d.showUnits && unit != nullptr && unit->spottedLevel != 0) {
    unit->Draw(t, px, py, Depth(kLayerUnit), frame & 1);
    const sAtak* attack = gGra != nullptr ? gGra->selection.attack : nullptr;
    if (attack != nullptr && attack->defender == unit)
      for (int i = 0; i < 6; ++i)
        if (attack->attackers[i] != nullptr)
          t.DrawSprite(others, Cell(i, 5), px, py, Depth(kLayerUnit) - 0.001f, kDrawWhite);
  }
}

void sHex::DrawVariant(cDrawTarget& t, float px, float py, const sHexEyecandy* e) const {
  DrawTerrain(*this, t, px, py, e, true);
  DrawRivers(*this, t, px, py, e);
  DrawEyecandy(*this, t, px, py, e);
}

void sHex::DrawSimple(cDrawTarget& t, float px, float py) const {
  if (IsSea()) {
    t.DrawSprite(t.SkinPicture(kPictureMapTerrain), Cell(tileVariant % 6, 0), px, py, Depth(kLayerSea), kDrawWhite);
    return;
  }
  const cPanstwo* c = gGra != nullptr && controller != 0 ? gGra->GetCountry(controller) : nullptr;
  const int a = c != nullptr ? std::clamp(c->alliance, 0, 6) : 0;
  t.DrawSprite(t.SkinPicture(kPictureMapOthers), a != 0 ? Cell(a - 1, 1) : Cell(0, 2), px, py, Depth(kLayerPlain),
               kDrawWhite);
  // A city shows as its holder's emblem, the 128 x 85 picture of the
  // country's counter sheet that the units skin places on air counters.
  if (city == nullptr || c == nullptr || c->GetUnitsTexture() == 0) return;
  const sUnitsSkinGroup& g = gUnitsSkin.Current(kSkinAir);
  if (g.flags[kEmblemFlag] == 0) return;
  const auto& src = g.entries[kEmblemFlag];
  const auto& at = g.entries[kEmblemFlag + 9];
  t.DrawSpriteStretched(c->GetUnitsTexture(), {src[0], src[1], src[2] - src[0], src[3] - src[1]},
                        px + static_cast<float>(at[0]), py + static_cast<float>(at[1]), 128.0f, 85.0f,
                        Depth(kLayerCity), kDrawWhite);
}

void sHex::DrawSeaNodeMarker(cDrawTarget& t, const sMapDisplay& d, float px, float py) const {
  if (seaNodeMarker == 0 || gGra == nullptr) return;
  const int action = MapAction();
  const bool lit = action == 13 || action == 14 || action == 15;
  if (const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(seaNodeMarker))
    node->DrawAtHex(t, d, px, py, x, y, false, lit);
}

void sHex::DrawTile(cDrawTarget& t, float px, float py, float depth) const {
  t.DrawSprite(t.SkinPicture(kPictureMapTerrain), Cell(tileVariant % 6, 0), px, py, Depth(kLayerSea), kDrawWhite);
  if (marks != 0) {
    const int b = std::countr_zero(marks);
    t.DrawSprite(t.SkinPicture(kPictureMapOthers), {1003 + 167 * (b % 6), 167 * (b / 6), 166, 166}, px, py,
                 Depth(kLayerMarks), kDrawWhite);
  }
  if (unit != nullptr) unit->Draw(t, px, py, depth - 0.1f, 0);
}

void cMapa::Render(cDrawTarget& t, const sMapDisplay& d, int frame) {
  if (hexes.empty()) return;
  if (appliedScale != gCurrentMapScale) ApplyScale();
  const sDrawTransform saved = t.GetTransform();
  sDrawTransform view;
  std::copy(std::begin(spriteTransform), std::end(spriteTransform), view.m);
  t.SetTransform(view);

  const float s = gCurrentMapScale;
  const int ox = static_cast<int>(static_cast<float>(FrontEnd().ScreenWidth()) / (2.0f * s) - cameraX);
  const int oy = static_cast<int>(static_cast<float>(FrontEnd().ScreenHeight()) / (2.0f * s) - cameraY);
  if (frame < 0) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    frame = static_cast<int>((ms / 100) % 6);
  }
  const int rowFrom = std::max(firstRow - visibleRowsAtScale / 2 - 1, 0);
  const int rowTo = std::min(firstRow + visibleRowsAtScale / 2 + 2, height);
  const int colFrom = std::max(firstColumn - visibleColumnsAtScale / 2, 0);
  const int colTo = std::min(firstColumn + visibleColumnsAtScale / 2 + 2, width);
  auto posX = [&](int x) { return static_cast<float>(83 * x + ox); };
  auto posY = [&](int x, int y) { return static_cast<float>(98 * y + oy + (x % 2 == 0 ? 49 : 0)); };

  for (int y = rowFrom; y < rowTo; ++y) {
    for (int x = colFrom; x < colTo; ++x) {
      const size_t i = CellIndex(x, y);
      const sHexEyecandy* e = i < eyecandies.size() ? &eyecandies[i] : nullptr;
      const sHex& hex = hexes[i];
      if (d.mode == 0)
        hex.Draw(t, d, posX(x), posY(x, y), e, frame);
      else if (d.mode == 1)
        hex.DrawVariant(t, posX(x), posY(x, y), e);
      else
        hex.DrawSimple(t, posX(x), posY(x, y));
    }
  }
  if (d.mode != 2 && gGra != nullptr) {
    cJednostkaLadowa* moving = d.mode == 0 ? gGra->selection.movingUnit : nullptr;
    if (moving != nullptr && moving->spottedLevel != 0)
      moving->Draw(t, posX(moving->x), posY(moving->x, moving->y), Depth(kLayerMovingUnit), frame);
    const sHex* hovered = gGra->selection.hoveredHex;
    if (hovered != nullptr && hovered->map == this) {
      t.RestartBatch();
      hovered->DrawSeaNodeMarker(t, d, posX(hovered->x), posY(hovered->x, hovered->y));
    }
  }
  t.SetTransform(saved);
}
