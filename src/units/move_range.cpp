// The move range of a land unit: every hex it can reach with the action
// points it has, with the cost of reaching it and the way back, found by a
// depth-first flood over a square around the unit.
#include <algorithm>
#include <cmath>
#include <vector>

#include "units/land_tables.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/game.h"

namespace {

// Marks of the move range on the map.
constexpr uint32_t kMarkRangeFar = 4;
constexpr uint32_t kMarkRangeNear = 8;
constexpr uint32_t kMarkRangeEdge = 16;
constexpr uint32_t kMarkRangeAll = kMarkRangeFar | kMarkRangeNear | kMarkRangeEdge;

constexpr int kCostUnreached = 999999;
constexpr int kCostClosed = 99999;

enum : uint8_t { kOpen = 0, kZoneOfControl = 1, kClosed = 2 };

// The flood's order of neighbours: up, down, right-upper, right-lower,
// left-lower, left-upper; the code stored is the direction back.
constexpr int kFloodOrder[6] = {0, 3, 1, 2, 4, 5};

// Whether the country may enter a hex held by this controller at all:
// nobody's, its own, an ally's or an enemy's. Id 0 is nobody.
bool IsNotNeutralController(const cPanstwo& owner, int controller) {
  return controller == 0 || controller == owner.id || owner.IsAlly(controller) || owner.IsAtWarWith(controller);
}

bool IsFreeEnterableLand(const cPanstwo& owner, const sHex& hex) {
  return hex.unit == nullptr && hex.IsLand() && IsNotNeutralController(owner, hex.controller);
}

class cFlood {
 public:
  cFlood(cJednostkaLadowa& unit, const cPanstwo& owner, cMapa& map, int ap, bool quiet)
      : unit_(unit),
        owner_(owner),
        map_(map),
        ap_(ap),
        quiet_(quiet),
        // A square wider than the map holds nothing more than the map itself.
        half_(std::min(ap, std::max(map.width, map.height)) + 1),
        side_(2 * half_ + 1) {
    const size_t n = static_cast<size_t>(side_) * static_cast<size_t>(side_);
    cost_.assign(n, kCostUnreached);
    back_.assign(n, 0);
    pass_.assign(n, kOpen);
    const int level = land_tables::DoctrineLevel(owner);
    zocSurcharge_ = land_tables::ZoneOfControlSurcharge(owner, unit.type);
    winter_ = owner.winterMove / 100.0f * land_tables::WinterMoveFactor(owner) / 100.0f;
    mud_ = owner.mudMove / 100.0f * land_tables::MudMoveFactor(owner) / 100.0f;
    threshold_ = land_tables::MoveMarkThreshold(owner, level);
    for (int t = 0; t < 9; ++t) terrainCost_[t] = land_tables::MovementCost(owner, unit.category, t);
  }

  int Run() {
    BuildPassability();
    const size_t centre = Index(unit_.x, unit_.y);
    cost_[centre] = 0;
    Visit(unit_.x, unit_.y, 0);
    if (!quiet_) map_.ClearMarks(kMarkRangeAll, false);
    return Collect();
  }

 private:
  bool InSquare(int x, int y) const {
    const int i = x - unit_.x + half_;
    const int j = y - unit_.y + half_;
    return i >= 0 && i < side_ && j >= 0 && j < side_;
  }
  // Column offset first.
  size_t Index(int x, int y) const {
    return static_cast<size_t>(x - unit_.x + half_) * static_cast<size_t>(side_) + static_cast<size_t>(y - unit_.y + half_);
  }

  // Closed hexes and the zones of control of enemy units. An enemy just
  // outside the square still holds the cells of the square next to it.
  void BuildPassability() {
    const int x0 = std::max(0, unit_.x - half_ - 1), x1 = std::min(map_.width - 1, unit_.x + half_ + 1);
    const int y0 = std::max(0, unit_.y - half_ - 1), y1 = std::min(map_.height - 1, unit_.y + half_ + 1);
    for (int x = x0; x <= x1; ++x)
      for (int y = y0; y <= y1; ++y)
        if (InSquare(x, y) && !IsNotNeutralController(owner_, map_.GetHex(x, y)->controller)) pass_[Index(x, y)] = kClosed;
    for (int x = x0; x <= x1; ++x) {
      for (int y = y0; y <= y1; ++y) {
        const cJednostka* u = map_.GetHex(x, y)->unit;
        if (u == nullptr || u == &unit_ || !owner_.IsAtWarWith(u->countryId)) continue;
        // An unseen enemy's hex stays open to the human player.
        if (InSquare(x, y) && (quiet_ || u->spottedLevel != 0)) pass_[Index(x, y)] = kClosed;
        for (int d = 0; d < 6; ++d) {
          int nx, ny;
          map_.NeighbourCoords(x, y, d, nx, ny);
          if (!map_.IsInside(nx, ny) || !InSquare(nx, ny)) continue;
          uint8_t& p = pass_[Index(nx, ny)];
          if (p != kClosed) p = kZoneOfControl;
        }
      }
    }
  }

  int StepCost(const sHex& n, bool fromZone, uint8_t pass) const {
    if (pass == kClosed) return kCostClosed;
    int s = terrainCost_[(n.terrain >= 1 && n.terrain <= 7) ? n.terrain : 8];
    if (fromZone && pass == kZoneOfControl) s += zocSurcharge_;
    if (n.weather == kWeatherMud) s = static_cast<int>((1.0f + mud_) * static_cast<float>(s));
    else if (n.weather == kWeatherWinter) s = static_cast<int>((1.0f + winter_) * static_cast<float>(s));
    return s;
  }

  void Visit(int x, int y, int c) {
    const bool fromZone = pass_[Index(x, y)] == kZoneOfControl;
    for (int d : kFloodOrder) {
      int nx, ny;
      map_.NeighbourCoords(x, y, d, nx, ny);
      if (!map_.IsInside(nx, ny) || !InSquare(nx, ny)) continue;
      const size_t i = Index(nx, ny);
      const int total = c + StepCost(*map_.GetHex(nx, ny), fromZone, pass_[i]);
      if (total >= cost_[i] || total > ap_) continue;
      cost_[i] = total;
      back_[i] = static_cast<uint8_t>((d + 3) % 6);
      Visit(nx, ny, total);
    }
  }

  // The square row by row into the move list, marking for the player.
  int Collect() {
    int count = 0;
    for (int j = 0; j < side_; ++j) {
      for (int i = 0; i < side_; ++i) {
        const int x = unit_.x - half_ + i, y = unit_.y - half_ + j;
        if (!map_.IsInside(x, y)) continue;
        const size_t k = Index(x, y);
        const int cost = cost_[k];
        if (cost <= 0 || cost > ap_) continue;
        unit_.moveList.push_back({&unit_, x, y, back_[k], cost});
        ++count;
        sHex* hex = map_.GetHex(x, y);
        if (quiet_ || (hex->unit != nullptr && hex->unit->spottedLevel != 0)) continue;
        const int r = ap_ - cost;
        hex->SetMark(r == 0 ? kMarkRangeEdge : (r > threshold_ ? kMarkRangeFar : kMarkRangeNear), r);
      }
    }
    return count;
  }

  cJednostkaLadowa& unit_;
  const cPanstwo& owner_;
  cMapa& map_;
  const int ap_;
  const bool quiet_;
  const int half_;
  const int side_;
  int zocSurcharge_ = 0;
  float winter_ = 0.0f;
  float mud_ = 0.0f;
  int threshold_ = 0;
  int terrainCost_[9] = {};
  std::vector<int> cost_;
  std::vector<uint8_t> back_;
  std::vector<uint8_t> pass_;
};

}  // namespace

int cJednostkaLadowa::MarkAttackTargets(bool quiet) {
  moveList.clear();
  const cPanstwo* owner = GetCountry();
  if (gGra == nullptr || gGra->map == nullptr || owner == nullptr) return 0;
  cMapa& map = *gGra->map;
  if (!map.IsInside(x, y)) return 0;
  const bool frozen = freezeTime > 0;

  if (actionPoints < 1) {
    // Only a unit that had nothing to spend from the start of the turn may
    // still step onto a free neighbour.
    if (startingActionPoints != 0 || deployedThisTurn || type == kTypeMulberry || frozen) return 0;
    if (!quiet) map.ClearMarks(kMarkRangeAll, false);
    int count = 0;
    for (int d = 0; d < 6; ++d) {
      sHex* n = map.GetNeighbourHex(x, y, d);
      if (n == nullptr || !IsFreeEnterableLand(*owner, *n)) continue;
      moveList.push_back({this, n->x, n->y, d, 0});
      ++count;
      if (!quiet) n->SetMark(kMarkRangeEdge, 0);
    }
    return count;
  }

  int count = cFlood(*this, *owner, map, actionPoints, quiet).Run();

  // A fresh unit can always step onto an adjacent enterable hex, whatever
  // the terrain costs.
  if (actionPoints == startingActionPoints && type != kTypeMulberry && !frozen) {
    for (int d = 0; d < 6; ++d) {
      sHex* n = map.GetNeighbourHex(x, y, d);
      if (n == nullptr || !IsFreeEnterableLand(*owner, *n)) continue;
      bool listed = false;
      for (const sHexEntry& e : moveList)
        if (e.x == n->x && e.y == n->y) listed = true;
      if (listed) continue;
      moveList.push_back({this, n->x, n->y, d, actionPoints});
      ++count;
      if (!quiet) n->SetMark(kMarkRangeEdge, 0);
    }
  }
  return count;
}
