// The selection record: the attack being prepared, the selected and hovered
// hex, and the undo of the last land move.
#include "world/selection.h"

#include <new>

#include "core/console.h"
#include "core/front_end.h"
#include "core/shared_records.h"
#include "core/string_table.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/topography.h"
#include "world/game.h"
#include "world/sea_graph.h"

namespace {

constexpr uint32_t kAllMarks = 0xFFFFFFFFu;

cMapa* GameMap() { return gGra != nullptr ? gGra->map : nullptr; }

// The sea node a hex belongs to; null for a land hex or a sea hex of none.
sWezelGrafuMorz* SeaNodeOf(const sHex* hex) {
  if (gGra == nullptr || hex == nullptr || !hex->IsSea() || hex->seaZone == 0) return nullptr;
  return gGra->seaGraph.FindNode(hex->seaZone);
}

bool FriendlyShipsAt(int nodeId) {
  const sWezelGrafuMorz* node = gGra->seaGraph.FindNode(nodeId);
  return node != nullptr && node->CountFriendlyShips() >= 1;
}

}  // namespace

cSelection::~cSelection() {
  ClearAttack();
  steps.clear();
  capturedHexes.clear();
  cityRegions.clear();
}

void cSelection::NewAttack(cJednostka* defender, int32_t x, int32_t y, cJednostka* a0, cJednostka* a1,
                           cJednostka* a2, cJednostka* a3, cJednostka* a4, cJednostka* a5) {
  ClearAttack();
  attack = new (std::nothrow) sAtak();
  if (attack == nullptr) return;
  attack->defender = defender;
  attack->targetX = x;
  attack->targetY = y;
  cJednostka* const attackers[6] = {a0, a1, a2, a3, a4, a5};
  for (int i = 0; i < 6; ++i) attack->attackers[i] = attackers[i];
}

void cSelection::ClearAttack() {
  delete attack;
  attack = nullptr;
}

void cSelection::DropOverfullAttack() {
  if (attack == nullptr) return;
  const int count = attack->CountAttackers();
  if (attack->defender != nullptr && attack->defender->wasAttacked != 0 && count > 1) {
    ClearAttack();
    return;
  }
  if (count < 2) return;
  for (const cJednostka* a : attack->attackers) {
    if (a != nullptr && a->attacked != 0) {
      ClearAttack();
      return;
    }
  }
}

void cSelection::ClearUnit() {
  selectedHex = nullptr;
  selectedUnit = nullptr;
  FrontEnd().RefreshHexPanel();
  if (cMapa* map = GameMap()) map->ClearMarks(kAllMarks, false);
  FrontEnd().RefreshUnitPanel();
}

void cSelection::CenterOnUnit(bool scroll) {
  cMapa* map = GameMap();
  if (map == nullptr || currentCountry == nullptr) return;
  if (const cMiasto* city = currentCountry->GetMainCity()) map->CenterAtHex(city->x, city->y);
  if (scroll && gGra->GetState() != kStateComputerPlays) gGra->SetState(kStateCameraScroll);
}

void cSelection::ResetView() {
  cMapa* map = GameMap();
  if (map == nullptr || resumeView.points.empty()) return;
  resumeView.flags[0] = 1;
  resumeView.flags[1] = 0;
  resumeView.flags[2] = 1;
  const sViewPoint& p = resumeView.points.front();
  if (p.isHex) {
    map->CenterAtHex(static_cast<int>(p.x), static_cast<int>(p.y));
  } else {
    map->cameraTargetX = p.x;
    map->cameraTargetY = p.y;
  }
}

void cSelection::SetHoverHex(sHex* hex) {
  if (hex == hoveredHex) return;
  hoveredHex = hex;
  FrontEnd().SetHoverObject(SeaNodeOf(hex));
}

void cSelection::SelectHex(int x, int y) {
  cMapa* map = GameMap();
  if (map == nullptr || map->hexes.empty()) return;
  sHex* hex = map->GetHex(x, y);
  selectedHex = hex;
  FrontEnd().RefreshHexPanel();
  FrontEnd().RefreshDiplomacyPanel();
  selectedUnit = nullptr;
  map->ClearMarks(kAllMarks, false);
  const bool seaNode = hex->IsSea() && hex->seaZone != 0;
  if (!seaNode) {
    hex->SetMark(kMarkSelectedHex, -1);
    if (hex->unit != nullptr) selectedUnit = hex->unit;
    FrontEnd().RefreshUnitPanel();
  } else {
    map->MarkSeaNodeHexes(hex->seaZone, kMarkSelectedSeaNode, false);
  }
  if (mapAction != kMapActionNoFleetDialog && seaNode && suppressDialogs == 0 && FriendlyShipsAt(hex->seaZone))
    FrontEnd().ShowFleetsDialog(hex->seaZone);
}

void ClearUndoHistory() {
  if (gGra == nullptr) return;
  cSelection& s = gGra->selection;
  s.undoUnit = nullptr;
  s.capturedHexes.clear();
  FrontEnd().RefreshUnitPanel();
}

void cSelection::RememberForUndo(cJednostka* unit) {
  unit->contactFlag = 0;
  undoUnit = unit;
  undoActionPoints = unit->actionPoints;
  undoX = unit->x;
  undoY = unit->y;
  capturedHexes.clear();
}

void UndoLastMove(cJednostka* unit) {
  if (gGra == nullptr || gGra->map == nullptr) return;
  cSelection& s = gGra->selection;
  cMapa& map = *gGra->map;
  if (s.undoUnit == nullptr) {
    LogLine(Txt("undo_impossible._no_unit_has_moved_yet!"));
    return;
  }
  if (s.undoUnit != unit) {
    LogLine(Txt("undo_impossible._only_last_unit_moved_may_undo_its_movement."));
    return;
  }
  // Putting the unit back over another one would take that one off the map.
  if (map.IsInside(s.undoX, s.undoY)) {
    const cJednostka* holder = map.GetHex(s.undoX, s.undoY)->unit;
    if (holder != nullptr && holder != unit) {
      LogF(L"WARNING: undo refused: the start hex (%i,%i) is taken by another unit", s.undoX, s.undoY);
      return;
    }
  }
  LogLine(WFormat(Txt("conducting_undo_movement._hexes_to_change:%i,_start_coords(%i,%i)").c_str(),
                  static_cast<int>(s.capturedHexes.size()), s.undoX, s.undoY));
  // A move still being shown stops here, or its remaining steps would carry
  // the unit on from its start hex.
  if (s.movingUnit == unit) {
    s.steps.clear();
    s.movingUnit = nullptr;
    s.takingCountry = 0;
  }
  if (map.IsInside(unit->x, unit->y) && map.GetHex(unit->x, unit->y)->unit == unit)
    map.GetHex(unit->x, unit->y)->unit = nullptr;
  if (map.IsInside(s.undoX, s.undoY)) map.GetHex(s.undoX, s.undoY)->unit = unit;
  unit->x = s.undoX;
  unit->y = s.undoY;
  unit->SetActionPoints(s.undoActionPoints);
  if (auto* land = dynamic_cast<cJednostkaLadowa*>(unit)) land->deployedThisTurn = 0;
  // Latest change first, so that a hex changed twice ends with the
  // controller it had before the move.
  for (auto it = s.capturedHexes.rbegin(); it != s.capturedHexes.rend(); ++it)
    if (map.IsInside(it->x, it->y)) map.GetHex(it->x, it->y)->SetController(it->previousController);
  s.SelectHex(s.undoX, s.undoY);
  unit->MarkAttackTargets(false);
  s.mapAction = unit->category == kCategoryAir ? kMapActionAir : kMapActionLandMove;
  ClearUndoHistory();
}

void ShowInfoPanelMessage(const std::wstring& text) {
  std::wstring shown = text;
  for (wchar_t& c : shown)
    if (c == L'\n') c = L' ';
  FrontEnd().SetInfoMessage(shown);
}
