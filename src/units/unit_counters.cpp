// The unit counters on the map and in panels: a box in the owner's colour
// with the type picture of the owner's counter sheet, and the flag, markers
// and numbers that the current group of the units skin enables and places.
// Rectangle entries of a group are source rectangles in a picture; the
// entries nine further on place them inside the 166 x 166 hex picture.
#include <algorithm>
#include <cmath>

#include "core/draw_target.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/units_skin_data.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"

namespace {

constexpr float kHexPicture = 166.0f;
constexpr uint32_t kLeftText = kTextLeft | kTextVCenter | kTextSingleLine | kTextNoClip;
constexpr uint32_t kRightText = kTextRight | kTextVCenter | kTextSingleLine | kTextNoClip;
// Names are cut at the counter's width, so that those of neighbouring
// counters never run into each other; the start of a name says most.
constexpr uint32_t kNameText = kTextLeft | kTextVCenter | kTextSingleLine;

sDrawRect Source(const sUnitsSkinGroup& g, int entry) {
  const auto& e = g.entries[static_cast<size_t>(entry)];
  return {e[0], e[1], e[2] - e[0], e[3] - e[1]};
}

// Draws one counter: keeps the point, the depth step and the group.
class cCounterPainter {
 public:
  cCounterPainter(cDrawTarget& t, const sUnitsSkinGroup& g, int table, float x, float y, float depth, int variant)
      : t_(t), g_(g), table_(table), x_(x), y_(y), depth_(depth), variant_(variant) {}

  bool On(int flag) const { return g_.flags[static_cast<size_t>(flag)] != 0; }

  // The next part lies one step nearer.
  float Next() {
    depth_ -= 0.001f;
    return depth_;
  }

  // Source entry s of the texture placed at entry p (x, y, w, h); a marker
  // takes its second picture, one height lower, in an odd variant.
  void Part(FrontEndHandle texture, int s, int p, bool marker, int down = 0) {
    sDrawRect src = Source(g_, s);
    src.y += down * src.h;
    if (marker && (variant_ & 1) != 0) src.y += src.h;
    const auto& d = g_.entries[static_cast<size_t>(p)];
    t_.DrawSpriteStretched(texture, src, x_ + static_cast<float>(d[0]), y_ + static_cast<float>(d[1]),
                           static_cast<float>(d[2]), static_cast<float>(d[3]), Next(), kDrawWhite);
  }

  // A marker given as source x, y and place x, y, the size of the sprite
  // part sizeOf (its source and place entries).
  void PointPart(FrontEndHandle texture, int entry, int sizeOf) {
    const auto& e = g_.entries[static_cast<size_t>(entry)];
    const sDrawRect size = Source(g_, sizeOf);
    const auto& place = g_.entries[static_cast<size_t>(sizeOf + 9)];
    sDrawRect src{e[0], e[1], size.w, size.h};
    if ((variant_ & 1) != 0) src.y += src.h;
    t_.DrawSpriteStretched(texture, src, x_ + static_cast<float>(e[2]), y_ + static_cast<float>(e[3]),
                           static_cast<float>(place[2]), static_cast<float>(place[3]), Next(), kDrawWhite);
  }

  // The counter's box in the owner's colour with the cell of the sheet,
  // then the skin's frame over it.
  void Picture(FrontEndHandle sheet, FrontEndHandle info, const sDrawRect& cell, uint32_t colour) {
    const auto& d = g_.entries[9];
    const float px = x_ + static_cast<float>(d[0]), py = y_ + static_cast<float>(d[1]);
    const float w = static_cast<float>(d[2]), h = static_cast<float>(d[3]);
    t_.DrawFilledRect(px, py, w, h, Next(), colour | 0xFF000000u);
    if (cell.w > 0) t_.DrawSpriteStretched(sheet, cell, px, py, w, h, Next(), kDrawWhite);
    t_.DrawSpriteStretched(info, Source(g_, 0), px, py, w, h, Next(), kDrawWhite);
  }

  // A text of font k in the rectangle entry, over its shadow.
  void Text(int entry, int k, const std::wstring& text, uint32_t format) {
    const auto& e = g_.entries[static_cast<size_t>(entry)];
    const sUnitsSkinFont& f = g_.fonts[static_cast<size_t>(k)];
    const int font = kFontUnitsSkin + gUnitsSkin.CurrentFontNumber(table_, k);
    const int rx = static_cast<int>(std::lround(x_)) + e[0], ry = static_cast<int>(std::lround(y_)) + e[1];
    const sDrawRect rect{rx, ry, e[2] - e[0], e[3] - e[1]};
    const sDrawRect shadow{rx + 1, ry + 1, rect.w, rect.h};
    t_.DrawText(font, text, shadow, format, Next(), f.color2);
    t_.DrawText(font, text, rect, format, Next(), f.color1);
  }

 private:
  cDrawTarget& t_;
  const sUnitsSkinGroup& g_;
  int table_;
  float x_, y_;
  float depth_;
  int variant_;
};

// The owner's counter sheet, or the skin's shared one.
FrontEndHandle SheetOf(const cPanstwo* owner) {
  if (owner != nullptr && owner->GetUnitsTexture() != 0) return owner->GetUnitsTexture();
  return gUnitsSkin.unitsPicture;
}

uint32_t ColourOf(const cPanstwo* owner) { return owner != nullptr ? owner->colors[0] : 0xFF808080u; }

bool IsViewingCountry(int countryId) {
  const cPanstwo* current = gGra != nullptr ? gGra->selection.currentCountry : nullptr;
  return current != nullptr && current->id == countryId;
}

// The 128 x 100 cell of a land type and level; none for an unknown type.
sDrawRect LandCell(int type, int level) {
  static const int kColumn[7] = {0, 0, 128, 128, 256, 256, 384};
  if (type == kTypeMulberry) return {512, 600, 128, 100};
  if (type < 0 || type > kTypeAirborne) return {};
  const int l = std::clamp(level, 1, 5);
  return {kColumn[type], (type % 2 == 1 ? 500 : 0) + (l - 1) * 100, 128, 100};
}

// Sets a scale and offset in front of the target's transform; the old one
// comes back when the scope ends.
class cScaledScope {
 public:
  cScaledScope(cDrawTarget& t, const sDrawRect& rect) : t_(t), saved_(t.GetTransform()) {
    const float s = static_cast<float>(rect.w) / kHexPicture;
    // p' = ((p * s) + offset) * M: scale and offset, then the old transform.
    sDrawTransform m;
    const float* o = saved_.m;
    for (int c = 0; c < 4; ++c) {
      m.m[0 + c] = s * o[0 + c];
      m.m[4 + c] = s * o[4 + c];
      m.m[8 + c] = o[8 + c];
      m.m[12 + c] = static_cast<float>(rect.x) * o[0 + c] + static_cast<float>(rect.y) * o[4 + c] + o[12 + c];
    }
    t.SetTransform(m);
  }
  ~cScaledScope() { t_.SetTransform(saved_); }

 private:
  cDrawTarget& t_;
  sDrawTransform saved_;
};

}  // namespace

void cJednostka::DrawCounter(cDrawTarget& target, const sDrawRect& rect, float depth) {
  if (rect.w <= 0) return;
  cScaledScope scaled(target, rect);
  Draw(target, 0.0f, 0.0f, depth, 0);
}

void cJednostkaLadowa::Draw(cDrawTarget& target, float x, float y, float depth, int variant) {
  const sUnitsSkinGroup& g = gUnitsSkin.Current(kSkinLand);
  const cPanstwo* owner = GetCountry();
  const FrontEndHandle info = gUnitsSkin.infoPicture;
  const bool own = IsViewingCountry(countryId);
  cCounterPainter p(target, g, kSkinLand, x, y, depth, variant);
  if (p.On(0)) p.Picture(SheetOf(owner), info, LandCell(type, level), ColourOf(owner));
  if (p.On(1) && IsFullySpotted()) p.Part(info, 1, 10, true);
  if (p.On(2) && owner != nullptr && owner->GetFlagTexture() != 0) p.Part(owner->GetFlagTexture(), 2, 11, false);
  if (p.On(3)) {
    int size = 0;
    if (gGra != nullptr) size = IsLargeUnit() ? gGra->largeUnitSize : gGra->smallUnitSize;
    p.Part(info, 3, 12, false, std::max(size, 0));
  }
  const bool attackState = own ? (attacked == 0 && actionPoints > 0) : wasAttacked == 0;
  if (p.On(4) && attackState) p.Part(info, 4, 13, true);
  if (p.On(5) && commander != nullptr) p.Part(info, 5, 14, true);
  if (own) {
    if (p.On(6) && actionPoints >= 1) p.Part(info, 6, 15, true);
    if (p.On(7) && supply < 10) p.Part(info, 7, 16, true);
    if (p.On(8)) p.Part(info, 8, 17, true);
  }
  if (p.On(9)) p.Text(18, 0, WFormat(L"%.0f", static_cast<double>(GetCombatStrength())), kLeftText);
  if (p.On(12) && p.On(13) && freezeTime >= 1) {
    // The frozen marker: source and place both as x, y, w, h.
    const auto& s = g.entries[21];
    const auto& d = g.entries[22];
    sDrawRect src{s[0], s[1], s[2], s[3]};
    if ((variant & 1) != 0) src.y += src.h;
    target.DrawSpriteStretched(info, src, x + static_cast<float>(d[0]), y + static_cast<float>(d[1]),
                               static_cast<float>(d[2]), static_cast<float>(d[3]), p.Next(), kDrawWhite);
  }
  if (p.On(10)) p.Text(19, 1, WFormat(L"%i", actionPoints), kRightText);
  if (p.On(11) && gProgramSettings.showUnitNames) p.Text(20, 2, WFormat(L"%s", name.c_str()), kNameText);
}

void cJednostkaLotnicza::Draw(cDrawTarget& target, float x, float y, float depth, int variant) {
  const sUnitsSkinGroup& g = gUnitsSkin.Current(kSkinAir);
  const cPanstwo* owner = GetCountry();
  const FrontEndHandle info = gUnitsSkin.infoPicture;
  const FrontEndHandle sheet = SheetOf(owner);
  const bool own = IsViewingCountry(countryId);
  const bool seen = IsFullySpotted();
  cCounterPainter p(target, g, kSkinAir, x, y, depth, variant);
  if (p.On(0)) {
    const sDrawRect cell =
        type >= kTypeFighter && type <= kTypeStrategicBomber
            ? sDrawRect{512 + (type - kTypeFighter) * 128, (std::clamp(level, 1, 5) - 1) * 100, 128, 100}
            : sDrawRect{};
    p.Picture(sheet, info, cell, ColourOf(owner));
  }
  if (p.On(1) && seen) p.Part(sheet, 1, 10, false);
  if (p.On(2)) p.Part(info, 2, 11, false);
  if (seen) {
    if (p.On(3)) p.Part(info, 3, 12, false, std::clamp(level, 1, 5) - 1);
    const bool ready = own ? (attacked == 0 && actionPoints > 0) : wasAttacked == 0;
    if (p.On(4) && ready) p.Part(info, 4, 13, true);
    if (p.On(5) && (commander != nullptr || assignedCommanderId != -1)) p.Part(info, 5, 14, true);
    if (own) {
      if (p.On(6) && actionPoints >= 1) p.Part(info, 6, 15, true);
      if (p.On(10) && supply < 10) p.PointPart(info, 19, 6);
      if (p.On(11) && GetStrengthIconHint(nullptr)) p.PointPart(info, 20, 6);
    }
    // The fog of war hides a partly spotted plane's numbers and name.
    if (p.On(7)) p.Text(16, 0, WFormat(L"%.0f", std::round(static_cast<double>(GetCombatStrength()))), kLeftText);
    if (p.On(8)) p.Text(17, 1, WFormat(L"%i", actionPoints), kRightText);
    if (p.On(9) && gProgramSettings.showUnitNames) p.Text(18, 2, WFormat(L"%s", name.c_str()), kNameText);
  }
}

void cJednostkaMorska::DrawCounter(cDrawTarget& target, float x, float y, float depth, eShipCounterPlace place) {
  const sUnitsSkinGroup& g = gUnitsSkin.Current(kSkinNaval);
  const cPanstwo* owner = GetCountry();
  const FrontEndHandle info = gUnitsSkin.infoPicture;
  const FrontEndHandle sheet = SheetOf(owner);
  cCounterPainter p(target, g, kSkinNaval, x, y, depth, 0);
  if (p.On(0)) {
    const int k = type - kTypeCarrier;
    const sDrawRect cell = k >= 0 && k <= 5 ? sDrawRect{(k / 5 + 3) * 128, (k % 5 + 5) * 100, 128, 100} : sDrawRect{};
    p.Picture(sheet, info, cell, ColourOf(owner));
  }
  if (p.On(1)) p.Part(sheet, 1, 10, false);
  if (p.On(4) && maxHitPoints > 0) {
    // The bar's length follows the ship's size among its country's ships;
    // the lit part is what is left of it.
    int largest = maxHitPoints;
    if (gGra != nullptr)
      for (const cJednostkaMorska* s : gGra->navalUnits)
        if (s->countryId == countryId) largest = std::max(largest, s->maxHitPoints);
    const auto& b = g.entries[13];
    const float length = static_cast<float>(b[2]) * static_cast<float>(maxHitPoints) / static_cast<float>(largest);
    const float share = std::clamp(static_cast<float>(hitPoints) / static_cast<float>(maxHitPoints), 0.0f, 1.0f);
    const uint32_t lit = share > 0.66f ? 0xFF40C850u : share > 0.33f ? 0xFFE8C030u : 0xFFE03828u;
    const float bx = x + static_cast<float>(b[0]), by = y + static_cast<float>(b[1]);
    target.DrawFilledRect(bx, by, length, static_cast<float>(b[3]), p.Next(), 0xFF202020u);
    target.DrawFilledRect(bx + 1, by + 1, std::max(0.0f, length * share - 2), static_cast<float>(b[3] - 2), p.Next(),
                          lit);
  }
  if (p.On(2)) p.Part(info, 2, 11, true);
  if (p.On(3) && (commander != nullptr || assignedCommanderId != -1)) p.Part(info, 3, 12, true);
  if (place != kCounterOnMap) {
    // The ship's grid column tells its side; column 15 is no side's. The
    // side to move shows which of its ships may still fire, the other side
    // which of its ships may be targeted.
    const bool firstSide = this->x >= 0 && this->x < 15, secondSide = this->x >= 16;
    const bool moving = place == kCounterFirstSideMoves ? firstSide : secondSide;
    const bool waiting = place == kCounterFirstSideMoves ? secondSide : firstSide;
    if (p.On(7) && mayFire != 0 && moving) p.PointPart(info, 16, 3);
    if (p.On(8) && battleMarker != 0 && waiting) p.PointPart(info, 17, 3);
  }
  if (p.On(5) && gProgramSettings.showUnitNames) p.Text(14, 0, WFormat(L"%s", name.c_str()), kNameText);
}

void cJednostkaMorska::DrawCounterScaled(cDrawTarget& target, const sDrawRect& rect, float depth,
                                         eShipCounterPlace place) {
  if (rect.w <= 0) return;
  cScaledScope scaled(target, rect);
  DrawCounter(target, 0.0f, 0.0f, depth, place);
}
