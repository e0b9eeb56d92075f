// The human player's clicks on the map: hover, selection and every map
// action mode, each handed to the rule that carries it out.
#include "rules/player_actions.h"

#include <algorithm>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text.h"
#include "rules/land_combat.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/game_hex.h"
#include "world/sea_graph.h"

namespace {

// The box of one hex column and row in map pixels, and the slope of the
// hex's left edges (49 / 24).
constexpr int kHexBoxWidth = 83;
constexpr int kHexBoxHeight = 98;
constexpr int kHalfHexHeight = 49;
constexpr int kSlantWidth = 24;
constexpr float kEdgeSlope = 2.0416667f;
constexpr int kMessageDialogLayout = 684;
// A unit placed, unloaded or landed on the map is seen by everybody.
constexpr int32_t kSpottedByAll = 6;

bool IsMarked(const sHex& hex) { return (hex.marks & kMarkTargetBits) != 0; }

// The sea node a hex stands for: a sea hex's zone (a port's ship hexes carry
// the port's id), or the node stamped on a port city's hex.
int SeaNodeOfHex(const sHex& hex) {
  if (hex.IsSea()) return hex.seaZone != 0 ? hex.seaZone : -1;
  return hex.seaNodeMarker != 0 ? hex.seaNodeMarker : -1;
}

void ShowCombatResultIfWanted(const sWynikWalki& result) {
  const float delay = delayValues[DELAY_HUMAN_COMBAT_RESULT];
  if (delay != 0.0f) FrontEnd().ShowCombatResult(result, delay);
}

cJednostkaLadowa* AsLand(cUnit* u) { return u != nullptr && u->category == kCategoryLand ? dynamic_cast<cJednostkaLadowa*>(u) : nullptr; }
cJednostkaLotnicza* AsAir(cUnit* u) { return u != nullptr && u->category == kCategoryAir ? dynamic_cast<cJednostkaLotnicza*>(u) : nullptr; }

// A land unit of the country that may still join an attack.
bool CanJoinAttack(const cJednostka* u, int country) {
  return u != nullptr && u->category == kCategoryLand && u->countryId == country && u->actionPoints >= 1 &&
         u->attacked == 0;
}

class cPlayerAction {
 public:
  cPlayerAction(cGra& game, sHex& hex) : g_(game), s_(game.selection), map_(*game.map), hex_(hex) {}

  // Carries out what the mode asks for on the hex; false when the click
  // changed nothing.
  bool Run();
  // The click chose a unit or shaped an assault plan: the mode it set stays.
  bool keepMode = false;

 private:
  int Country() const { return s_.currentCountry != nullptr ? s_.currentCountry->id : 0; }
  bool AtWar(int other) const { return s_.currentCountry != nullptr && s_.currentCountry->IsAtWarWith(other); }

  bool Recon();
  bool AirborneAssault();
  bool Bombardment();
  bool AirFight();
  bool NuclearStrike();
  bool Rebase();
  bool Move();
  bool AssaultPlan();
  bool CreatePlan();
  bool SelectUnit();
  bool StrategicMove();
  bool Deploy();
  bool FleetMove();
  bool ConvoyPort();
  bool Unload();
  bool ShoreBombardment();

  cGra& g_;
  cSelection& s_;
  cMapa& map_;
  sHex& hex_;
};

bool cPlayerAction::Run() {
  const int mode = s_.mapAction;
  if (s_.attack != nullptr) return AssaultPlan();
  switch (mode) {
    case kMapActionRecon:
      if (IsMarked(hex_)) return Recon();
      break;
    case kMapActionAirborneAssault:
      if (hex_.unit == nullptr && IsMarked(hex_)) return AirborneAssault();
      break;
    case kMapActionBombardment:
      if (IsMarked(hex_)) return Bombardment();
      break;
    case kMapActionAirFight:
      if (IsMarked(hex_)) return AirFight();
      break;
    case kMapActionNuclearStrike:
      if (IsMarked(hex_)) return NuclearStrike();
      break;
    case kMapActionAir:
      if (IsMarked(hex_)) return Rebase();
      break;
    case kMapActionLandMove:
      if (IsMarked(hex_) && hex_.unit == nullptr) return Move();
      break;
    case kMapActionStrategicMove:
      // A unit set down on another would drop that one from the map.
      if (IsMarked(hex_) && hex_.unit == nullptr) return StrategicMove();
      break;
    case kMapActionDeployLand:
    case kMapActionDeployAir:
    case kMapActionDeployNaval:
      if (IsMarked(hex_)) return Deploy();
      return false;
    case kMapActionFleetMove:
      return FleetMove();
    case kMapActionConvoyFirstPort:
    case kMapActionConvoySecondPort:
      return ConvoyPort();
    case kMapActionUnload:
      return Unload();
    case kMapActionShoreBombardment:
      return ShoreBombardment();
    default:
      break;
  }
  // Modes picked by a dialog keep waiting for a valid target.
  if (mode == kMapActionRecon || mode == kMapActionAirborneAssault || mode == kMapActionBombardment ||
      mode == kMapActionAirFight || mode == kMapActionNuclearStrike || mode == kMapActionStrategicMove)
    return false;
  if (CreatePlan()) return true;
  return SelectUnit();
}

bool cPlayerAction::Recon() {
  sWynikWalki result;
  cJednostkaLotnicza* air = AsAir(s_.selectedUnit);
  const int node = SeaNodeOfHex(hex_);
  if (air != nullptr) {
    if (node > 0) {
      air->ReconSeaNode(node, result);
    } else {
      air->ReconHex(hex_.x, hex_.y, result);
    }
    const int x = air->x, y = air->y;
    // Shot down by the interceptor, even one that fell too: the plane
    // leaves the map here.
    const std::wstring line = WFormat(L"Player action: Recon / %s shot down", air->name.c_str());
    if (cJednostkaLotnicza::RemoveIfShotDown(air, result, line)) s_.selectedUnit = nullptr;
    s_.SelectHex(x, y);
  } else {
    std::vector<sFlota*> fleets;
    std::vector<cJednostkaMorska*> ships;
    if (!FrontEnd().FleetsDialogSelection(fleets, ships) || fleets.size() != 1 || ships.empty()) return false;
    // The first selected carrier whose planes have not flown yet; the
    // dialog offers the order only when there is one.
    cJednostkaMorska* ship = nullptr;
    for (cJednostkaMorska* candidate : ships)
      if (ship == nullptr && candidate->type == kTypeCarrier && candidate->reconDone == 0) ship = candidate;
    if (ship == nullptr) ship = ships.front();
    if (node > 0) {
      ship->ReconSeaNode(node);
    } else {
      ship->ReconHex(hex_.x, hex_.y);
    }
    map_.ClearMarks(~0u, false);
    FrontEnd().ResumeTopDialog(kFleetsDialog);
  }
  FrontEnd().RefreshUnitPanel();
  return true;
}

bool cPlayerAction::AirborneAssault() {
  cJednostkaLadowa* unit = AsLand(s_.selectedUnit);
  if (unit == nullptr) return false;
  LogF(L"Player action: Airborne assault / %s on (%i, %i)", unit->name.c_str(), hex_.x, hex_.y);
  const std::wstring name = unit->name;
  std::wstring text;
  int landed = 0;
  const bool dropped = unit->AirborneAssault(hex_.x, hex_.y, text, &landed);
  if (dropped && landed == 0) {
    // Eliminated in the drop: the unit leaves the map and the selection.
    s_.ClearUnit();
    unit->Kill();
  }
  FrontEnd().RefreshUnitPanel();
  FrontEnd().ShowTextDialog(text, WFormat(Txt("airborne_assault_title_unit%s").c_str(), name.c_str()),
                            kMessageDialogLayout);
  return true;
}

bool cPlayerAction::Bombardment() {
  cUnit* attacker = AsAir(s_.selectedUnit);
  bool fromFleet = false;
  if (attacker == nullptr) {
    std::vector<sFlota*> fleets;
    std::vector<cJednostkaMorska*> ships;
    if (FrontEnd().FleetsDialogSelection(fleets, ships) && !ships.empty()) attacker = ships.front();
    fromFleet = attacker != nullptr;
  }
  if (attacker == nullptr) return false;
  sWynikWalki result;
  hex_.AirBombard(result, attacker);
  // An attacker lost in the raid is freed already, a carrier as a bomber: a
  // bomber is selected no more, and the fleets dialog, back below, no longer
  // lists a sunk carrier.
  if (!fromFleet && (result.attackerDestroyed & 1) != 0) s_.ClearUnit();
  map_.ClearMarks(kMarkTargetBits, false);
  if (fromFleet) FrontEnd().ResumeTopDialog(kFleetsDialog);
  ShowCombatResultIfWanted(result);
  FrontEnd().RefreshUnitPanel();
  return true;
}

bool cPlayerAction::AirFight() {
  cJednostkaLotnicza* attacker = AsAir(s_.selectedUnit);
  cJednostkaLotnicza* target = AsAir(hex_.unit);
  if (attacker == nullptr || target == nullptr) return false;
  sWynikWalki result;
  target->AirFight(result, attacker, nullptr);
  map_.ClearMarks(kMarkTargetBits, false);
  ShowCombatResultIfWanted(result);
  // The fight leaves a dead attacker standing; it goes here.
  if (cJednostkaLotnicza::RemoveIfShotDown(attacker, result,
                                           WFormat(L"Player action: Air fight / %s destroyed", attacker->name.c_str())))
    s_.ClearUnit();
  FrontEnd().RefreshUnitPanel();
  return true;
}

bool cPlayerAction::NuclearStrike() {
  cJednostkaLotnicza* unit = AsAir(s_.selectedUnit);
  if (unit == nullptr) return false;
  LogF(L"Player action: Nuclear bombardment / %s on (%i, %i)", unit->name.c_str(), hex_.x, hex_.y);
  sWynikWalki result;
  unit->NuclearStrike(result, hex_.x, hex_.y);
  map_.ClearMarks(kMarkTargetBits, false);
  FrontEnd().ShowTextDialog(result.generalText, Txt("reports_nuclear_bombardment_title"), kMessageDialogLayout);
  FrontEnd().RefreshUnitPanel();
  return true;
}

bool cPlayerAction::Rebase() {
  cJednostkaLotnicza* unit = AsAir(s_.selectedUnit);
  if (unit == nullptr) return false;
  LogF(L"Player action: Rebase / %s from (%i, %i) to (%i, %i)", unit->name.c_str(), unit->x, unit->y, hex_.x, hex_.y);
  s_.RememberForUndo(unit);
  unit->Rebase(hex_.x, hex_.y);
  map_.ClearMarks(kMarkTargetBits, false);
  s_.SelectHex(unit->x, unit->y);
  return true;
}

bool cPlayerAction::Move() {
  cJednostkaLadowa* unit = AsLand(s_.selectedUnit);
  if (unit == nullptr || unit->countryId != Country()) return false;
  LogF(L"Player action: Move / %s from (%i, %i) to (%i, %i)", unit->name.c_str(), unit->x, unit->y, hex_.x, hex_.y);
  s_.FindLandPath(unit, hex_.x, hex_.y);
  if (map_.IsInside(unit->x, unit->y) && map_.GetHex(unit->x, unit->y)->unit == unit)
    map_.GetHex(unit->x, unit->y)->unit = nullptr;
  map_.ClearMarks(kMarkTargetBits, false);
  g_.SetState(kStateHumanMoveShown);
  // The mode is the animation's to set when the move ends.
  s_.mapAction = kMapActionNone;
  keepMode = true;
  // The screen steps the unit along its path; the last step gives the turn
  // back to the player with the unit selected again, ready to go on when it
  // can still move or attack.
  FrontEnd().AnimateMove([unit] {
    cGra* game = gGra;
    if (game == nullptr) return false;
    if (game->selection.AdvanceMovingUnit()) {
      unit->SpotAfterMoveStep();
      return true;
    }
    game->SetStateIf(kStateHumanMoveShown, kStateHumanPlays);
    game->selection.SelectHex(unit->x, unit->y);
    if (unit->MarkAttackTargets(false) > 0) game->selection.mapAction = kMapActionLandMove;
    FrontEnd().RefreshInfoPanel();
    return false;
  });
  return true;
}

bool cPlayerAction::AssaultPlan() {
  sAtak& plan = *s_.attack;
  if (hex_.x == plan.targetX && hex_.y == plan.targetY) {
    LogLine(L"Player action: Executing assault ");
    sWynikWalki result;
    if (!ResolveLandCombat(plan, result))
      FatalExit(L"ERROR: while executing assault! no pointer to att. or_def.?", 1);
    s_.ClearAttack();
    map_.ClearMarks(kMarkTargetBits, false);
    FrontEnd().RefreshAttackPanel();
    FrontEnd().RefreshInfoPanel();
    ShowCombatResultIfWanted(result);
    s_.ClearUnit();
    return true;
  }
  const int direction = map_.GetDirection(plan.targetX, plan.targetY, hex_.x, hex_.y);
  cJednostka* unit = hex_.unit;
  if (direction != 0 && CanJoinAttack(unit, Country())) {
    if (plan.HasAttacker(unit)) {
      plan.RemoveAttacker(unit);
      LogLine(L"Player action: Unit removed from assault");
      if (plan.CountAttackers() == 0) {
        LogLine(L"Player action: Last unit removed from assault plan / assault plan canceled");
        s_.ClearAttack();
      }
    } else {
      plan.SetAttacker(unit, direction - 1);
      LogLine(L"Player action: Unit added to assault plan");
      s_.DropOverfullAttack();
    }
    keepMode = s_.attack != nullptr;
    FrontEnd().RefreshAttackPanel();
    return true;
  }
  LogLine(L"Player action: assault plan canceled");
  s_.ClearAttack();
  FrontEnd().RefreshAttackPanel();
  return true;
}

bool cPlayerAction::CreatePlan() {
  cJednostka* selected = dynamic_cast<cJednostka*>(s_.selectedUnit);
  cJednostka* clicked = hex_.unit;
  if (selected == nullptr || clicked == nullptr || selected == clicked) return false;
  if (map_.GetDirection(selected->x, selected->y, hex_.x, hex_.y) == 0) return false;
  cJednostka* defender = nullptr;
  cJednostka* attacker = nullptr;
  if (AtWar(selected->countryId) && selected->wasAttacked == 0 && CanJoinAttack(clicked, Country())) {
    defender = selected;
    attacker = clicked;
  } else if (selected->category == kCategoryLand && selected->countryId == Country() && selected->actionPoints >= 1 &&
             AtWar(clicked->countryId)) {
    defender = clicked;
    attacker = selected;
  } else {
    return false;
  }
  LogLine(L"Player action: new assault plan created");
  const int direction = map_.GetDirection(defender->x, defender->y, attacker->x, attacker->y);
  cJednostka* slots[6] = {};
  slots[direction - 1] = attacker;
  s_.NewAttack(defender, defender->x, defender->y, slots[0], slots[1], slots[2], slots[3], slots[4], slots[5]);
  s_.DropOverfullAttack();
  if (s_.attack == nullptr) return true;
  s_.mapAction = kMapActionAssaultPlan;
  keepMode = true;
  FrontEnd().RefreshAttackPanel();
  return true;
}

bool cPlayerAction::SelectUnit() {
  s_.SelectHex(hex_.x, hex_.y);
  cJednostka* unit = hex_.unit;
  if (unit == nullptr) return true;
  if (unit->countryId != Country()) {
    // Another country's unit shows no range of its own.
    unit->moveList.clear();
    return true;
  }
  s_.selectedUnit = unit;
  unit->MarkAttackTargets(false);
  s_.mapAction = unit->category == kCategoryAir ? kMapActionAir : kMapActionLandMove;
  keepMode = true;
  FrontEnd().RefreshUnitPanel();
  return true;
}

bool cPlayerAction::StrategicMove() {
  cJednostka* unit = dynamic_cast<cJednostka*>(s_.selectedUnit);
  if (unit == nullptr) return false;
  unit->MoveStrategically(hex_.x, hex_.y);
  ClearUndoHistory();
  map_.ClearMarks(~0u, false);
  s_.SelectHex(unit->x, unit->y);
  return true;
}

bool cPlayerAction::Deploy() {
  cUnit* unit = FrontEnd().UnitToDeploy();
  if (unit == nullptr) return false;
  const int mode = s_.mapAction;
  if (mode == kMapActionDeployNaval) {
    auto* ship = dynamic_cast<cJednostkaMorska*>(unit);
    const int node = SeaNodeOfHex(hex_);
    if (ship == nullptr || node <= 0) return false;
    ship->DeployAtSeaNode(node);
  } else {
    auto* u = dynamic_cast<cJednostka*>(unit);
    if (u == nullptr) return false;
    u->spottedLevel = kSpottedByAll;
    if (!u->Deploy(hex_.x, hex_.y)) return false;
  }
  ClearUndoHistory();
  map_.ClearMarks(~0u, false);
  // The units manager comes back after its delay, without the unit in its list.
  FrontEnd().ResumeTopDialog(kUnitsManagerDialog);
  return true;
}

bool cPlayerAction::FleetMove() {
  std::vector<sFlota*> fleets;
  std::vector<cJednostkaMorska*> ships;
  if (!FrontEnd().FleetsDialogSelection(fleets, ships)) return false;
  // Any click ends the pick: the fleets sail only to a marked node.
  const int node = SeaNodeOfHex(hex_);
  if (IsMarked(hex_) && node > 0)
    for (sFlota* f : fleets) f->Move(node);
  map_.ClearMarks(~0u, false);
  FrontEnd().ResumeTopDialog(kFleetsDialog);
  s_.selectedUnit = nullptr;
  return true;
}

bool cPlayerAction::ConvoyPort() {
  if (FrontEnd().TopDialogId() != kConvoysDialog || g_.convoys == nullptr) return false;
  const int node = SeaNodeOfHex(hex_);
  const bool port = IsMarked(hex_) && node > 0;
  s_.selectedUnit = nullptr;
  if (s_.mapAction == kMapActionConvoyFirstPort) {
    // A click off the marked ports still goes on to the second pick, from
    // which no convoy can come.
    s_.convoyFirstPort = port ? node : -1;
    if (port) g_.convoys->MarkDestinationPorts(Country(), node);
    else map_.ClearMarks(~0u, false);
    s_.mapAction = kMapActionConvoySecondPort;
    keepMode = true;
    return true;
  }
  const int from = s_.convoyFirstPort;
  s_.convoyFirstPort = -1;
  map_.ClearMarks(~0u, false);
  // Whatever was clicked, the dialog comes back; the convoy only from two ports.
  FrontEnd().CreateConvoyFromPicks(std::max(from, 0), port ? node : 0);
  return true;
}

bool cPlayerAction::Unload() {
  std::vector<sFlota*> fleets;
  std::vector<cJednostkaMorska*> ships;
  if (!FrontEnd().FleetsDialogSelection(fleets, ships) || ships.size() != 1 || !IsMarked(hex_)) return false;
  cJednostkaMorska* ship = ships.front();
  cJednostkaLadowa* cargo = ship->carriedUnit;
  sWezelGrafuMorz* node = ship->fleet != nullptr ? ship->fleet->GetSeaNode() : nullptr;
  if (cargo == nullptr || node == nullptr) return false;
  // A unit walks ashore onto a friendly hex from a fleet in port, and onto
  // any hex that is not a landing hex of a sea zone; from a sea zone it
  // lands on the coast by an assault, whoever holds the hex.
  const sHex* nodeHex = GameHexAt(node->mainX, node->mainY);
  const bool nodeOnCity = nodeHex != nullptr && nodeHex->city != nullptr;
  const bool landingHex = !node->IsPort() && hex_.IsLand() && hex_.coastal != 0;
  // The assault sinks the ship.
  const int country = ship->countryId;
  if ((hex_.IsFriendlyTo(country) && nodeOnCity) || !landingHex) {
    ship->UnloadTransport(hex_.x, hex_.y, node->mainX, node->mainY);
    cargo->spottedLevel = kSpottedByAll;
    cargo->UpdateEffectiveness();
  } else {
    cargo->AmphibiousAssault(hex_.x, hex_.y);
  }
  node->CalcNavalVisibilityFor(country, true);
  map_.ClearMarks(~0u, false);
  FrontEnd().ResumeTopDialog(kFleetsDialog);
  return true;
}

bool cPlayerAction::ShoreBombardment() {
  std::vector<sFlota*> fleets;
  std::vector<cJednostkaMorska*> ships;
  // The whole fleet fires, whichever of its ships are selected.
  if (!FrontEnd().FleetsDialogSelection(fleets, ships) || fleets.size() != 1 || !IsMarked(hex_) || !hex_.IsLand())
    return false;
  sFlota* fleet = fleets.front();
  sWynikWalki result;
  const bool fired = fleet->ShoreBombard(hex_.x, hex_.y, result, false);
  map_.ClearMarks(~0u, false);
  if (!fired || result.defenderLosses == 0.0f) {
    FrontEnd().ShowTextDialog(Txt("shore_bombardment_result_message_no_unit_or_missed"),
                              Txt("shore_bombardment_result_title"), kMessageDialogLayout);
  } else {
    ShowCombatResultIfWanted(result);
  }
  FrontEnd().ResumeTopDialog(kFleetsDialog);
  return true;
}

}  // namespace

bool ScreenPointToHex(float zoom, float cameraX, float cameraY, int screenWidth, int screenHeight, int mx, int my,
                      int mapWidth, int mapHeight, sHexPoint& out) {
  if (zoom <= 0.0f) return false;
  const int px = static_cast<int>(static_cast<float>(mx - screenWidth / 2) / zoom + cameraX - 30.0f);
  int column = px / kHexBoxWidth;
  int py = static_cast<int>(static_cast<float>(my - screenHeight / 2) / zoom + cameraY - 36.0f);
  // Even columns are drawn half a hex lower than odd ones.
  if (column % 2 == 0) py -= kHalfHexHeight;
  int row = py / kHexBoxHeight;
  const int rx = px - kHexBoxWidth * column;
  const int ry = py - kHexBoxHeight * row;
  if (rx < kSlantWidth) {
    const bool odd = column % 2 != 0;
    if (ry < kHalfHexHeight && static_cast<float>(kHalfHexHeight - ry) / static_cast<float>(rx) > kEdgeSlope) {
      --column;
      if (odd) --row;
    } else if (ry > kHalfHexHeight && static_cast<float>(ry - kHalfHexHeight) / static_cast<float>(rx) > kEdgeSlope) {
      --column;
      if (!odd) ++row;
    }
  }
  // Points left of or above the map's first box fall outside, not into it.
  if (px < 0 || py < 0 || column < 0 || row < 0 || column >= mapWidth || row >= mapHeight) return false;
  out = {column, row};
  return true;
}

bool CancelDialogPick(cGra& game) {
  cSelection& s = game.selection;
  const int mode = s.mapAction;
  const int top = FrontEnd().TopDialogId();
  bool pick = false;
  switch (top) {
    case kUnitsManagerDialog:
      pick = mode == kMapActionDeployLand || mode == kMapActionDeployAir || mode == kMapActionDeployNaval;
      break;
    case kFleetsDialog:
      pick = mode == kMapActionBombardment || mode == kMapActionRecon || mode == kMapActionFleetMove ||
             mode == kMapActionUnload || mode == kMapActionShoreBombardment;
      break;
    case kConvoysDialog:
      pick = mode == kMapActionConvoyFirstPort || mode == kMapActionConvoySecondPort;
      break;
    default:
      break;
  }
  if (!pick) return false;
  LogF(L"Player action: pick of dialog %i canceled", top);
  s.mapAction = kMapActionNone;
  s.convoyFirstPort = -1;
  if (game.map != nullptr) game.map->ClearMarks(~0u, false);
  // The convoys dialog comes back as after a pick that made no convoy.
  if (top == kConvoysDialog) FrontEnd().CreateConvoyFromPicks(0, 0);
  else FrontEnd().ResumeTopDialog(top);
  return true;
}

void cGra::HandlePlayerAction(bool leftButton, bool rightButton, bool middleButton, bool sideButton, int wheelDelta,
                              int mouseX, int mouseY) {
  (void)middleButton;
  (void)sideButton;
  if (map == nullptr || map->hexes.empty()) return;
  cFrontEnd& fe = FrontEnd();
  const bool dialogHasMouse = fe.DialogHasMouse();
  if (wheelDelta != 0 && !dialogHasMouse) map->ZoomAtScreenPoint(wheelDelta / 120, mouseX, mouseY);

  sHexPoint point;
  sHex* hex = nullptr;
  if (!dialogHasMouse && ScreenPointToHex(gCurrentMapScale, map->cameraX, map->cameraY, fe.ScreenWidth(),
                                          fe.ScreenHeight(), mouseX, mouseY, map->width, map->height, point))
    hex = map->GetHex(point.x, point.y);
  selection.SetHoverHex(hex);

  if (GetState() != kStateHumanPlays || hex == nullptr || selection.currentCountry == nullptr) return;
  if (rightButton && !leftButton) {
    // The right button puts the unit down: plan and mode end, and a pick a
    // dialog asked for gives that dialog back.
    if (selection.attack != nullptr) LogLine(L"Player action: assault plan canceled");
    selection.ClearAttack();
    CancelDialogPick(*this);
    selection.mapAction = kMapActionNone;
    selection.ClearUnit();
    fe.RefreshAttackPanel();
    return;
  }
  if (!leftButton) return;
  cPlayerAction action(*this, *hex);
  if (!action.Run()) return;
  if (!action.keepMode) selection.mapAction = kMapActionNone;
  fe.ClearMapInputLatches();
}
