#pragma once
// The symbols of the interface's icons, each drawn with one pen colour on a
// 100 x 100 grid so that one drawing serves every icon size.
#include <cmath>
#include <vector>

#include "paint.h"

namespace symbols {

using paint::cPen;
using Pts = std::vector<std::pair<float, float>>;

inline void Pencil(cPen& p) {
  p.Poly({{22, 70}, {66, 26}, {78, 38}, {34, 82}});
  p.Poly({{22, 70}, {34, 82}, {16, 88}});
  p.Line(70, 22, 84, 36, 10);
  p.Line(20, 92, 80, 92, 4);
}

inline void Star(cPen& p, float cx = 50, float cy = 52, float r = 40) {
  Pts pts;
  for (int i = 0; i < 10; ++i) {
    const float a = (-90 + i * 36) * 3.14159265f / 180, rr = i % 2 == 0 ? r : r * 0.42f;
    pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
  }
  p.Poly(pts);
}

inline void Plus(cPen& p) {
  p.Rect(40, 16, 60, 84);
  p.Rect(16, 40, 84, 60);
}

inline void Minus(cPen& p) { p.Rect(16, 40, 84, 60); }

inline void City(cPen& p) {
  p.Rect(12, 50, 36, 86);
  p.Poly({{10, 52}, {24, 36}, {38, 52}});
  p.Rect(40, 30, 62, 86);
  p.Rect(46, 18, 56, 30);
  p.Rect(64, 44, 88, 86);
  p.Line(8, 88, 92, 88, 4);
}

inline void Chevrons(cPen& p, int count) {
  for (int i = 0; i < count; ++i) {
    const float y = 30 + i * 26 - (count - 1) * 8;
    p.Line(18, y + 24, 50, y, 11);
    p.Line(50, y, 82, y + 24, 11);
  }
}

inline void UpArrow(cPen& p) {
  p.Poly({{50, 10}, {86, 50}, {62, 50}, {62, 90}, {38, 90}, {38, 50}, {14, 50}});
}

inline void Cross(cPen& p) {
  p.Line(22, 22, 78, 78, 14);
  p.Line(78, 22, 22, 78, 14);
}

inline void Undo(cPen& p) {
  p.Arc(54, 56, 26, 11, 200, 450);
  p.Poly({{8, 44}, {38, 44}, {24, 70}});
}

inline void RailArrow(cPen& p) {
  p.Line(10, 62, 74, 62, 5);
  p.Line(10, 80, 74, 80, 5);
  for (int i = 0; i < 5; ++i) p.Line(14 + i * 14, 56, 14 + i * 14, 86, 5);
  p.Poly({{10, 22}, {64, 22}, {64, 8}, {92, 32}, {64, 56}, {64, 42}, {10, 42}});
}

inline void Parachute(cPen& p) {
  p.Poly({{10, 44}, {18, 22}, {34, 10}, {50, 7}, {66, 10}, {82, 22}, {90, 44}});
  p.Line(12, 44, 46, 76, 3);
  p.Line(36, 44, 48, 76, 3);
  p.Line(64, 44, 52, 76, 3);
  p.Line(88, 44, 54, 76, 3);
  p.Disc(50, 78, 6);
  p.Rect(45, 82, 55, 96);
}

inline void Waves(cPen& p, float y) {
  for (int i = 0; i < 4; ++i) p.Arc(18 + i * 22, y, 10, 4, 20, 160);
}

inline void LandingCraft(cPen& p) {
  p.Poly({{8, 50}, {78, 50}, {92, 36}, {96, 40}, {84, 68}, {14, 68}});
  p.Rect(16, 38, 30, 50);
  Waves(p, 80);
}

inline void CargoShip(cPen& p) {
  p.Poly({{4, 52}, {96, 52}, {84, 72}, {14, 72}});
  p.Rect(58, 34, 76, 52);
  p.Rect(64, 24, 70, 34);
  p.Rect(16, 40, 30, 52);
  p.Rect(34, 40, 50, 52);
  p.Line(38, 20, 38, 40, 3);
  Waves(p, 84);
}

inline void Warship(cPen& p) {
  p.Poly({{2, 56}, {98, 56}, {88, 72}, {10, 72}});
  p.Rect(38, 40, 62, 56);
  p.Rect(46, 26, 54, 40);
  p.Rect(16, 48, 30, 56);
  p.Line(16, 50, 4, 46, 4);
  p.Rect(70, 48, 84, 56);
  p.Line(84, 50, 96, 46, 4);
}

inline void Plane(cPen& p) {
  p.Poly({{46, 8}, {54, 8}, {56, 40}, {94, 52}, {94, 60}, {56, 56}, {54, 80}, {68, 88}, {68, 94}, {32, 94}, {32, 88},
          {46, 80}, {44, 56}, {6, 60}, {6, 52}, {44, 40}});
}

inline void Bomb(cPen& p) {
  p.Poly({{50, 90}, {36, 68}, {34, 42}, {42, 28}, {58, 28}, {66, 42}, {64, 68}});
  p.Poly({{38, 30}, {30, 8}, {50, 18}, {70, 8}, {62, 30}});
}

inline void Binoculars(cPen& p) {
  p.Ring(28, 62, 18, 10);
  p.Ring(72, 62, 18, 10);
  p.Rect(20, 22, 36, 48);
  p.Rect(64, 22, 80, 48);
  p.Rect(36, 30, 64, 44);
}

inline void Anchor(cPen& p) {
  p.Ring(50, 18, 9, 7);
  p.Line(50, 27, 50, 88, 9);
  p.Line(30, 40, 70, 40, 8);
  p.Arc(50, 60, 32, 9, 20, 160);
  p.Poly({{10, 60}, {24, 70}, {14, 76}});
  p.Poly({{90, 60}, {76, 70}, {86, 76}});
}

inline void Trefoil(cPen& p) {
  p.Disc(50, 54, 9);
  for (int i = 0; i < 3; ++i) {
    Pts pts;
    const float a0 = -90 + i * 120 - 30, a1 = a0 + 60;
    for (int s = 0; s <= 8; ++s) {
      const float a = (a0 + (a1 - a0) * s / 8) * 3.14159265f / 180;
      pts.push_back({50 + 42 * std::cos(a), 54 + 42 * std::sin(a)});
    }
    for (int s = 8; s >= 0; --s) {
      const float a = (a0 + (a1 - a0) * s / 8) * 3.14159265f / 180;
      pts.push_back({50 + 15 * std::cos(a), 54 + 15 * std::sin(a)});
    }
    p.Poly(pts);
  }
}

inline void Magnifier(cPen& p, bool plus) {
  p.Ring(40, 40, 26, 10);
  p.Line(60, 60, 88, 88, 14);
  p.Line(28, 40, 52, 40, 8);
  if (plus) p.Line(40, 28, 40, 52, 8);
}

inline void Flag(cPen& p) {
  p.Line(20, 10, 20, 92, 7);
  p.Poly({{22, 12}, {86, 18}, {70, 36}, {86, 54}, {22, 50}});
}

inline void BorderMode(cPen& p) {
  for (int i = 0; i < 4; ++i) {
    p.Line(14 + i * 20, 14, 24 + i * 20, 14, 8);
    p.Line(14 + i * 20, 86, 24 + i * 20, 86, 8);
    p.Line(14, 14 + i * 20, 14, 24 + i * 20, 8);
    p.Line(86, 14 + i * 20, 86, 24 + i * 20, 8);
  }
  p.Disc(50, 50, 12);
}

inline void Mountains(cPen& p) {
  p.Poly({{4, 86}, {36, 28}, {54, 58}, {66, 40}, {96, 86}});
  p.Line(4, 92, 96, 92, 4);
}

// A unit counter with the crossed lines of infantry.
inline void Counter(cPen& p) {
  p.Line(12, 24, 88, 24, 8);
  p.Line(12, 76, 88, 76, 8);
  p.Line(12, 24, 12, 76, 8);
  p.Line(88, 24, 88, 76, 8);
  p.Line(14, 26, 86, 74, 7);
  p.Line(86, 26, 14, 74, 7);
}

inline void Hexagon(cPen& p) {
  Pts outer, inner;
  for (int i = 0; i < 6; ++i) {
    const float a = (i * 60) * 3.14159265f / 180;
    p.Line(50 + 40 * std::cos(a), 50 + 40 * std::sin(a), 50 + 40 * std::cos(a + 1.0471976f),
           50 + 40 * std::sin(a + 1.0471976f), 9);
  }
  p.Disc(50, 50, 8);
}

inline void Attack(cPen& p) {
  p.Line(16, 84, 74, 26, 10);
  p.Poly({{60, 14}, {90, 10}, {86, 40}});
  p.Line(84, 84, 26, 26, 10);
  p.Poly({{40, 14}, {10, 10}, {14, 40}});
}

inline void Document(cPen& p, bool seal) {
  p.Poly({{18, 8}, {70, 8}, {84, 22}, {84, 92}, {18, 92}});
  paint::Rgba ink = p.c;
  p.c = paint::Mix(ink, paint::colour::kInk, 0.75f);
  for (int i = 0; i < 5; ++i) p.Line(28, 28 + i * 12, 74, 28 + i * 12, 4);
  if (seal) {
    p.c = paint::colour::kRed;
    p.Disc(66, 80, 14);
  }
  p.c = ink;
}

inline void Skull(cPen& p) {
  // A burst: the unit is destroyed.
  Pts pts;
  for (int i = 0; i < 16; ++i) {
    const float a = (i * 22.5f) * 3.14159265f / 180, r = i % 2 == 0 ? 46 : 22;
    pts.push_back({50 + r * std::cos(a), 50 + r * std::sin(a)});
  }
  p.Poly(pts);
}

inline void WhiteFlag(cPen& p) {
  p.Line(24, 8, 24, 94, 7);
  p.Poly({{26, 10}, {88, 14}, {84, 30}, {90, 46}, {26, 50}});
}

inline void Retreat(cPen& p) {
  p.Poly({{8, 50}, {44, 16}, {44, 36}, {92, 36}, {92, 64}, {44, 64}, {44, 84}});
}

inline void Flames(cPen& p) {
  p.Poly({{30, 94}, {18, 70}, {26, 46}, {34, 60}, {40, 30}, {52, 54}, {60, 18}, {72, 56}, {78, 44}, {84, 70}, {72, 94}});
}

inline void Sinking(cPen& p) {
  p.Poly({{16, 30}, {86, 66}, {74, 82}, {8, 46}});
  p.Rect(40, 30, 54, 48);
  Waves(p, 80);
  Waves(p, 92);
}

inline void Hourglass(cPen& p, bool topFull) {
  p.Line(20, 10, 80, 10, 8);
  p.Line(20, 90, 80, 90, 8);
  p.Line(26, 12, 48, 50, 6);
  p.Line(74, 12, 52, 50, 6);
  p.Line(26, 88, 48, 50, 6);
  p.Line(74, 88, 52, 50, 6);
  if (topFull) {
    p.Poly({{32, 20}, {68, 20}, {50, 48}});
    p.Line(50, 50, 50, 84, 3);
  } else {
    p.Poly({{50, 56}, {70, 84}, {30, 84}});
    p.Line(50, 48, 50, 56, 3);
  }
}

inline void Sun(cPen& p) {
  p.Disc(50, 50, 20);
  for (int i = 0; i < 8; ++i) {
    const float a = i * 45 * 3.14159265f / 180;
    p.Line(50 + 28 * std::cos(a), 50 + 28 * std::sin(a), 50 + 42 * std::cos(a), 50 + 42 * std::sin(a), 7);
  }
}

inline void Snowflake(cPen& p) {
  for (int i = 0; i < 3; ++i) {
    const float a = i * 60 * 3.14159265f / 180, c = std::cos(a), s = std::sin(a);
    p.Line(50 - 40 * c, 50 - 40 * s, 50 + 40 * c, 50 + 40 * s, 7);
    for (int k = -1; k <= 1; k += 2) {
      const float bx = 50 + k * 24 * c, by = 50 + k * 24 * s;
      const float a2 = a + k * 0.6f, a3 = a - k * 0.6f;
      p.Line(bx, by, bx + k * 12 * std::cos(a2), by + k * 12 * std::sin(a2), 5);
      p.Line(bx, by, bx + k * 12 * std::cos(a3), by + k * 12 * std::sin(a3), 5);
    }
  }
}

inline void Rain(cPen& p) {
  for (int i = 0; i < 4; ++i) p.Line(24 + i * 16, 10 + (i % 2) * 8, 16 + i * 16, 38 + (i % 2) * 8, 6);
}

inline void Factory(cPen& p) {
  p.Poly({{8, 90}, {8, 50}, {30, 62}, {30, 50}, {52, 62}, {52, 50}, {74, 62}, {74, 20}, {88, 20}, {88, 90}});
}

inline void Quill(cPen& p) {
  p.Poly({{20, 86}, {30, 56}, {62, 18}, {88, 8}, {80, 34}, {44, 68}});
  p.Line(12, 94, 30, 74, 5);
}

inline void Gear(cPen& p) {
  Pts pts;
  for (int i = 0; i < 32; ++i) {
    const float a = (i * 11.25f) * 3.14159265f / 180, r = (i / 2) % 2 == 0 ? 44 : 34;
    pts.push_back({50 + r * std::cos(a), 50 + r * std::sin(a)});
  }
  p.Poly(pts);
  const paint::Rgba ink = p.c;
  p.c = paint::Mix(ink, paint::colour::kInk, 0.8f);
  p.Disc(50, 50, 14);
  p.c = ink;
}

inline void Flask(cPen& p) {
  p.Poly({{40, 10}, {60, 10}, {60, 40}, {86, 86}, {80, 92}, {20, 92}, {14, 86}, {40, 40}});
}

// A stack of coins and one standing beside it.
inline void Coins(cPen& p) {
  const paint::Rgba ink = p.c, edge = paint::Mix(ink, paint::colour::kInk, 0.6f);
  for (int i = 0; i < 5; ++i) {
    p.c = ink;
    p.Rect(10, 78 - i * 13, 56, 90 - i * 13);
    p.c = edge;
    p.Line(12, 90 - i * 13, 54, 90 - i * 13, 2.5f);
  }
  p.c = ink;
  p.Ring(74, 62, 20, 7);
  p.Line(74, 52, 74, 72, 6);
}

inline void Key(cPen& p) {
  p.Ring(50, 50, 36, 8);
  p.Poly({{40, 40}, {44, 32}, {56, 32}, {62, 40}, {62, 48}, {54, 54}, {54, 62}, {46, 62}, {46, 50}, {54, 46}, {54, 40}, {46, 40}});
  p.Disc(50, 72, 5);
}

inline void EndTurn(cPen& p) {
  p.Poly({{10, 16}, {50, 50}, {10, 84}});
  p.Poly({{44, 16}, {84, 50}, {44, 84}});
  p.Rect(84, 16, 94, 84);
}

inline void Tank(cPen& p) {
  p.Poly({{8, 62}, {92, 62}, {84, 82}, {16, 82}});
  p.Poly({{28, 44}, {70, 44}, {74, 62}, {24, 62}});
  p.Line(66, 50, 98, 44, 6);
}

inline void Supply(cPen& p) {
  // A supply crate.
  p.Rect(14, 30, 86, 88);
  paint::Rgba ink = p.c;
  p.c = paint::Mix(ink, paint::colour::kInk, 0.7f);
  p.Line(14, 30, 86, 88, 6);
  p.Line(86, 30, 14, 88, 6);
  p.c = ink;
  p.Poly({{14, 30}, {30, 16}, {100, 16}, {86, 30}});
}

}  // namespace symbols
