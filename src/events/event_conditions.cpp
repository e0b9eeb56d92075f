// Conditions of events: the comparisons, their checks, and the operand
// methods that read the world.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "core/console.h"
#include "core/front_end.h"
#include "core/random.h"
#include "core/text.h"
#include "events/event_manager.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/commander.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/game.h"
#include "world/hex_map.h"
#include "world/sea_graph.h"

namespace {

enum eOperand {
  kGameGetCurrentTurn,
  kCountryGetProductionPoints,
  kCountryGetDiplomaticPoints,
  kCountryGetVP,
  kCountryGetPoliticalStrength,
  kCountryGetAllianceEntry,
  kCountryGetSocialUnrest,
  kCountryHasWarWithCountry,
  kCountryHadConvoyInSeaZone,
  kCountryIsActive,
  kFlagGetValue,
  kCommanderGetLevel,
  kSystemGetRandomNumber,
  kHexControlledByAliance,
  kHexOccupied,
  kHexOccupiedAndControlledByAlliance,
  kCountryIsAIControlled,
  kCountryGetWarEconomy,
  kCountryGetAlliance,
  kCountryGetStrategicMovementPoints,
  kCountryIsAtWar,
  kCountryWyswietlZajebisteOkienko,
  kHexControlledByCountry,
  kCountryGetUnitPurchasePreferences,
  kCountryGetTechLevel,
  kCountryGetSTP,
  kCountryGetAIP,
  kGetWinterBattle,
  kGetWinterMove,
  kCountryGetWinterBattle,
  kCountryGetWinterMove,
  kGetMudBattle,
  kGetMudMove,
  kCountryGetMudBattle,
  kCountryGetMudMove,
  kCountryGetMaxNumberOfFrontsForSeaInvasion,
  kCountryGetTechResearchProgress,
  kCountryGetTechInvestment,
  kAIIsSeaZonePatrolled,
  kCountryGetZoneOfInfluence,
  kCountryGetOrientation,
  kCountryGetShipsAmountInSeaZone,
  kCountryGetUpkeepCost,
  kCountryGetMaxSafeMoveCost,
  kCountryGetMaxCoveringUnitDistance,
  kCountryGetMaxUnitCountOnFront,
  kCountryGetMinRatioToPatchFront,
  kCountryGetDesiredLandForcesStructure,
  kCountryGetAICarrierTargetsPriorities,
  kCountrySetAICarrierTargetsPriorities,
  kCountryChangeAICarrierTargetsPriorities,
  kCountryGetUnitCount,
  kCityWasBombed,
  kCityGetOwnSupply,
  kPortGetSize,
  kCountryGetDifficultyLevel,
  kHexOccupiedByUnitOwnedByCountry,
  kOperandCount
};

// In the order of eOperand.
const std::vector<sOperandMethod> kOperands = {
    {L"Game.GetCurrentTurn", 0, "", true},
    {L"Country.GetProductionPoints", 1, "c0", true},
    {L"Country.GetDiplomaticPoints", 1, "c0", true},
    {L"Country.GetVP", 1, "c0", true},
    {L"Country.GetPoliticalStrength", 1, "c0", true},
    {L"Country.GetAllianceEntry", 1, "c0", true},
    {L"Country.GetSocialUnrest", 1, "c0", true},
    {L"Country.HasWarWithCountry", 2, "c0 c1", true},
    {L"Country.HadConvoyInSeaZone", 2, "c0 s1", true},
    {L"Country.IsActive", 1, "c0", true},
    {L"Flag.GetValue", 1, "", true},
    {L"Commander.GetLevel", 1, "", true},
    {L"System.GetRandomNumber", 2, "", true},
    {L"Hex.ControlledByAliance", 3, "", true},
    {L"Hex.Occupied", 2, "", true},
    {L"Hex.OccupiedAndControlledByAlliance", 3, "", true},
    {L"Country.IsAIControlled", 1, "c0", true},
    {L"Country.GetWarEconomy", 1, "c0", true},
    {L"Country.GetAlliance", 1, "c0", true},
    {L"Country.GetStrategicMovementPoints", 1, "c0", true},
    {L"Country.IsAtWar", 1, "c0", true},
    {L"Country.WyswietlZajebisteOkienko", 1, "", true},
    {L"Hex.ControlledByCountry", 3, "", true},
    {L"Country.GetUnitPurchasePreferences", 2, "c0 r1:1:14", true},
    {L"Country.GetTechLevel", 2, "c0 r1:0:2147483647", true},
    {L"Country.GetSTP", 1, "c0", true},
    {L"Country.GetAIP", 1, "c0", true},
    {L"Get.WinterBattle", 0, "", true},
    {L"Get.WinterMove", 0, "", true},
    {L"Country.GetWinterBattle", 1, "c0", true},
    {L"Country.GetWinterMove", 1, "c0", true},
    {L"Get.MudBattle", 0, "", true},
    {L"Get.MudMove", 0, "", true},
    {L"Country.GetMudBattle", 1, "c0", true},
    {L"Country.GetMudMove", 1, "c0", true},
    {L"Country.GetMaxNumberOfFrontsForSeaInvasion", 1, "c0", true},
    {L"Country.GetTechResearchProgress", 2, "c0 r1:0:6", true},
    {L"Country.GetTechInvestment", 2, "c0 r1:0:6", true},
    {L"AI.IsSeaZonePatrolled", 2, "c0", true},
    {L"Country.GetZoneOfInfluence", 1, "c0", true},
    {L"Country.GetOrientation", 1, "c0", true},
    {L"Country.GetShipsAmountInSeaZone", 3, "c0", true},
    {L"Country.GetUpkeepCost", 1, "c0", true},
    {L"Country.GetMaxSafeMoveCost", 1, "c0", true},
    {L"Country.GetMaxCoveringUnitDistance", 1, "c0", true},
    {L"Country.GetMaxUnitCountOnFront", 1, "c0", true},
    {L"Country.GetMinRatioToPatchFront", 1, "c0", true},
    {L"Country.GetDesiredLandForcesStructure", 2, "c0 r1:1:5", true},
    {L"Country.GetAICarrierTargetsPriorities", 2, "c0 r1:1:9", true},
    // Effects, not queries: no condition can evaluate them.
    {L"Country.SetAICarrierTargetsPriorities", 9, "", false},
    {L"Country.ChangeAICarrierTargetsPriorities", 3, "", false},
    {L"Country.GetUnitCount", 2, "", true},
    {L"City.WasBombed", 2, "", true},
    {L"City.GetOwnSupply", 2, "", true},
    {L"Port.GetSize", 1, "s0", true},
    {L"Country.GetDifficultyLevel", 1, "c0", true},
    {L"Hex.OccupiedByUnitOwnedByCountry", 3, "", true},
};

const std::unordered_map<std::wstring, int>& OperandIndex() {
  static const std::unordered_map<std::wstring, int> index = [] {
    std::unordered_map<std::wstring, int> m;
    for (size_t i = 0; i < kOperands.size(); ++i) m.emplace(kOperands[i].name, static_cast<int>(i));
    return m;
  }();
  return index;
}

int Int(double v) { return EventInt(v); }

// Parses one item of an id pattern; false at the end.
bool NextIdItem(const char*& p, char& kind, int& index, long& lo, long& hi) {
  while (*p == ' ') ++p;
  if (*p == '\0') return false;
  kind = *p++;
  index = static_cast<int>(std::strtol(p, const_cast<char**>(&p), 10));
  lo = 0;
  hi = 0;
  if (kind == 'r') {
    lo = std::strtol(p + 1, const_cast<char**>(&p), 10);
    hi = std::strtol(p + 1, const_cast<char**>(&p), 10);
  }
  return true;
}

}  // namespace

const std::vector<sOperandMethod>& OperandMethods() { return kOperands; }

bool CheckParamIds(const char* ids, const double* params, const wchar_t* what, int line, const std::wstring& method) {
  if (gGra == nullptr || ids == nullptr) return true;
  const char* p = ids;
  char kind = 0;
  int index = 0;
  long lo = 0;
  long hi = 0;
  while (NextIdItem(p, kind, index, lo, hi)) {
    const double v = params[index];
    if (!IsDefined(v)) continue;  // the parameter check reports it
    const long id = EventInt(v);
    if (kind == 'c') {
      if (gGra->GetCountry(static_cast<int>(id)) != nullptr) continue;
      LogF(L"ERROR: param%i of %s at line %i (%s) names no country: %li", index, what, line, method.c_str(), id);
      return false;
    }
    if (kind == 's') {
      if (gGra->seaGraph.FindNode(static_cast<int>(id)) != nullptr) continue;
      LogF(L"ERROR: param%i of %s at line %i (%s) names no sea node: %li", index, what, line, method.c_str(), id);
      return false;
    }
    if (kind == 'r') {
      if (v >= static_cast<double>(lo) && v < static_cast<double>(hi) + 1.0) continue;
      LogF(L"ERROR: param%i of %s at line %i (%s) is out of range %li..%li: %li", index, what, line, method.c_str(), lo,
           hi, id);
      return false;
    }
  }
  return true;
}

// ---- checks --------------------------------------------------------------

bool sOperand::HasAnyParam() const {
  for (double p : params)
    if (IsDefined(p)) return true;
  return false;
}

bool sOperand::CheckParams(int count) const {
  if (count < 0 || count > 9) return false;
  for (int i = 0; i < count; ++i) {
    if (!IsDefined(params[i])) {
      LogF(L"ERROR: param %i for operand at line %i must be defined!", i, line);
      return false;
    }
  }
  return true;
}

bool sOperand::CheckMethod(const wchar_t* name, int paramCount) {
  if (method != name) return true;
  if (!CheckParams(paramCount)) return false;
  known = true;
  return true;
}

bool sOperand::Validate() {
  const bool hasMethod = !method.empty();
  const bool hasConst = IsDefined(constValue);
  if (!hasMethod && !hasConst) {
    LogF(L"ERROR: operand element at line %i has neither 'method' nor 'constValue' attribute. It must have one of them "
         L"defined",
         line);
    return false;
  }
  if (hasMethod && hasConst) {
    LogF(L"nERROR: operand element at line %i has both 'method' and 'constValue' attributes defined. Only one of them "
         L"can be defined",
         line);
    return false;
  }
  if (hasMethod) {
    // The table's names are distinct, so looking the name up finds the one
    // entry a walk over the table would check.
    const auto it = OperandIndex().find(method);
    if (it != OperandIndex().end()) {
      const sOperandMethod& m = kOperands[static_cast<size_t>(it->second)];
      if (!CheckMethod(m.name, m.paramCount)) return false;
      if (!m.evaluable) {
        LogF(L"ERROR: operand element at line %i has method (%s), which is an effect and gives no value", line,
             method.c_str());
        known = false;
        return false;
      }
      tableIndex = it->second;
    }
  }
  if (!known && !hasConst) {
    LogF(L"ERROR: operand element at line %i has unknown method (%s)", line, method.c_str());
    return false;
  }
  if (hasConst && HasAnyParam())
    LogF(L"WARNING: operand element at line %i has defined 'constValue' attribute and at least one from "
         L"param0..param9 attributes.",
         line);
  return true;
}

bool sOperator::Validate() {
  static const std::pair<const wchar_t*, eKind> kNames[] = {
      {L"equals", kEquals}, {L"notEquals", kNotEquals}, {L"greater", kGreater},
      {L"less", kLess},     {L"greaterOrEqual", kGreaterOrEqual}, {L"lessOrEqual", kLessOrEqual}};
  for (const auto& [name, k] : kNames) {
    if (value == name) {
      kind = k;
      return true;
    }
  }
  kind = kUnknown;
  LogF(L"ERROR: attribute 'value' of <operator> at line %i has incorrect value (%s)", line, value.c_str());
  return false;
}

bool sOperator::Compare(double l, double r) const {
  switch (kind) {
    case kEquals: return l == r;
    case kNotEquals: return l != r;
    case kGreater: return l > r;
    case kLess: return l < r;
    case kGreaterOrEqual: return l >= r;
    case kLessOrEqual: return l <= r;
    case kUnknown: break;
  }
  return false;
}

bool sWyrazenie::Validate() {
  const bool l = left.Validate();
  const bool r = right.Validate();
  const bool o = op.Validate();
  return l && r && o;
}

// ---- evaluation ----------------------------------------------------------

bool cZdarzenia::EvaluateCondition(const sWarunek& node) {
  auto& n = const_cast<sWarunek&>(node);
  if (n.isOr != 0) {
    for (sWyrazenie& x : n.expressions)
      if (EvaluateExpression(x)) return true;
    for (const sWarunek& c : n.children)
      if (EvaluateCondition(c)) return true;
    return n.expressions.empty() && n.children.empty();
  }
  for (sWyrazenie& x : n.expressions)
    if (!EvaluateExpression(x)) return false;
  for (const sWarunek& c : n.children)
    if (!EvaluateCondition(c)) return false;
  return true;
}

bool cZdarzenia::EvaluateExpression(sWyrazenie& x) {
  if (!x.Validate()) FatalExit(L"CRITICAL: Expression was incorrect. Terminating program. See errors above.", 1);
  LogLine(L"Expression OK, starting resolving it...");
  const double l = EvaluateOperand(x.left);
  const double r = EvaluateOperand(x.right);
  return x.op.Compare(l, r);
}

double cZdarzenia::EvaluateOperand(const sOperand& o) {
  if (IsDefined(o.constValue)) return o.constValue;
  int index = o.tableIndex;
  if (index < 0 || index >= kOperandCount || o.method != kOperands[static_cast<size_t>(index)].name) {
    const auto it = OperandIndex().find(o.method);
    index = it == OperandIndex().end() ? -1 : it->second;
  }
  if (index < 0 || !kOperands[static_cast<size_t>(index)].evaluable)
    FatalExit(WFormat(L"CRICITAL: Could not resolve operand at line %i! Method=%s unknown?", o.line, o.method.c_str()),
              1);
  if (gGra == nullptr) return 0.0;
  // Ids that name nothing are refused at load; the world may still have
  // changed since, and a query of nothing gives 0.
  if (!CheckParamIds(kOperands[static_cast<size_t>(index)].ids, o.params, L"operand", o.line, o.method)) return 0.0;

  const double* p = o.params;
  cGra& g = *gGra;
  cPanstwo* c = g.GetCountry(Int(p[0]));
  auto hexAt = [&](int x, int y) -> sHex* {
    if (g.map == nullptr) return nullptr;
    return g.map->GetHex(x, y);
  };
  switch (static_cast<eOperand>(index)) {
    case kGameGetCurrentTurn: return g.turn;
    case kCountryGetProductionPoints: return c->productionPoints;
    case kCountryGetDiplomaticPoints: return c->diplomaticPoints;
    case kCountryGetVP: return g.GetCountryVictoryPoints(c->id);
    case kCountryGetPoliticalStrength: return c->politicalStrength;
    case kCountryGetAllianceEntry: return c->allianceEntry;
    case kCountryGetSocialUnrest: return c->socialUnrest;
    case kCountryHasWarWithCountry: return g.relations.IsAtWar(Int(p[0]), Int(p[1])) != 0 ? 1.0 : 0.0;
    case kCountryHadConvoyInSeaZone: return g.seaGraph.FindNode(Int(p[1]))->HadConvoyOfCountry(Int(p[0])) ? 1.0 : 0.0;
    case kCountryIsActive: return c->active != 0 ? 1.0 : 0.0;
    case kFlagGetValue: {
      const int i = Int(p[0]);
      if (i >= cGra::kScenarioFlagCount) {
        LogF(L"ERR: Flag.GetValue arg out of range: %d, max is %d", i, cGra::kScenarioFlagCount);
        return 0.0;
      }
      if (i < 0 || static_cast<size_t>(i) >= g.scenarioFlags.size()) {
        LogF(L"ERR: Flag.GetValue arg out of range: %d, min is 0", i);
        return 0.0;
      }
      return g.scenarioFlags[static_cast<size_t>(i)];
    }
    case kCommanderGetLevel: {
      const sDowodca* d = g.GetCommander(Int(p[0]));
      return d != nullptr ? d->skill : 0.0;
    }
    case kSystemGetRandomNumber: return RandomInRange(Int(p[0]), Int(p[1]));
    case kHexControlledByAliance:
    case kHexOccupiedAndControlledByAlliance: {
      const sHex* h = hexAt(Int(p[0]), Int(p[1]));
      const cPanstwo* holder = h != nullptr && h->IsLand() ? g.GetCountry(h->controller) : nullptr;
      if (holder == nullptr) {
        LogF(index == kHexControlledByAliance
                 ? L"ERROR Hex.ControlledByAliance called with arg pointing hex (%d, %d) which is sea hex"
                 : L"ERROR Hex.OccupiedAndControlledByAlliance called with arg pointing hex (%d, %d) which is sea hex",
             Int(p[0]), Int(p[1]));
        return 0.0;
      }
      const bool inAlliance = holder->IsInAlliance(Int(p[2]));
      if (index == kHexControlledByAliance) return inAlliance ? 1.0 : 0.0;
      return inAlliance && h->unit != nullptr ? 1.0 : 0.0;
    }
    case kHexOccupied: {
      const sHex* h = hexAt(Int(p[0]), Int(p[1]));
      return h != nullptr && h->unit != nullptr ? 1.0 : 0.0;
    }
    case kCountryIsAIControlled: return c->humanControlled == 0 ? 1.0 : 0.0;
    case kCountryGetWarEconomy: return c->warEconomy;
    case kCountryGetAlliance: return c->alliance;
    case kCountryGetStrategicMovementPoints: return c->strategicMovementUsed;
    case kCountryIsAtWar: return c->IsAtWarWithAnyone() ? 1.0 : 0.0;
    case kCountryWyswietlZajebisteOkienko:
      // A debugging aid: the evaluating thread waits until its box is closed
      // (a game without a screen shows none). It has no icon of its own.
      LogF(L"DBGINF: Country.WyswietlZajebisteOkienko at line %i (\"Zajebiste okienko\": daraiarar)", o.line);
      FrontEnd().MessageBox(L"daraiarar", L"Zajebiste okienko", eMessageBoxIcon::kNone);
      return 666.0;
    case kHexControlledByCountry: {
      const sHex* h = hexAt(Int(p[0]), Int(p[1]));
      return h != nullptr && static_cast<double>(h->controller) == p[2] ? 1.0 : 0.0;
    }
    case kCountryGetUnitPurchasePreferences: return c->ai.newUnitPurchasePreferences[Int(p[1]) - 1];
    case kCountryGetTechLevel: return c->GetTechLevel(Int(p[1]));
    case kCountryGetSTP: return c->seaTransportPoints;
    case kCountryGetAIP: return c->amphibiousPoints;
    case kGetWinterBattle: return g.consts.c138;
    case kGetWinterMove: return g.consts.c139;
    case kCountryGetWinterBattle: return c->winterBattle;
    case kCountryGetWinterMove: return c->winterMove;
    case kGetMudBattle: return g.consts.c140;
    case kGetMudMove: return g.consts.c141;
    case kCountryGetMudBattle: return c->mudBattle;
    case kCountryGetMudMove: return c->mudMove;
    case kCountryGetMaxNumberOfFrontsForSeaInvasion: return c->ai.maxFrontsForSeaInvasion;
    case kCountryGetTechResearchProgress: return c->researchProgress[Int(p[1])];
    case kCountryGetTechInvestment: return c->techInvestments[Int(p[1])];
    case kAIIsSeaZonePatrolled:
      for (const auto& zone : c->ai.seaZonesToPatrol)
        if (zone.first == Int(p[1])) return 1.0;
      return 0.0;
    case kCountryGetZoneOfInfluence: return c->zoneOfInfluence;
    case kCountryGetOrientation: return c->orientation;
    case kCountryGetShipsAmountInSeaZone: {
      int n = 0;
      for (const cJednostkaMorska* s : g.navalUnits)
        if (s->countryId == Int(p[0]) && s->type == Int(p[2]) && s->fleet != nullptr && s->fleet->seaNode == Int(p[1]))
          ++n;
      return n;
    }
    case kCountryGetUpkeepCost: return c->unitUpkeepCostModifier;
    case kCountryGetMaxSafeMoveCost: return c->ai.maxSafeMoveCost;
    case kCountryGetMaxCoveringUnitDistance: return c->ai.maxCoveringUnitDistance;
    case kCountryGetMaxUnitCountOnFront: return c->ai.maxUnitCountOnFront;
    case kCountryGetMinRatioToPatchFront: return c->ai.minRatioToPatchFront;
    case kCountryGetDesiredLandForcesStructure: return c->ai.desiredLandForcesStructure[Int(p[1]) - 1];
    case kCountryGetAICarrierTargetsPriorities: return c->ai.carrierTargetsPriorities[Int(p[1]) - 1];
    case kCountryGetUnitCount: {
      const int type = Int(p[1]);
      int n = 0;
      if ((type >= 0 && type <= 6) || type == kTypeMulberry) {
        for (const auto* list : {&g.landUnits, &g.transportedUnits, &g.amphibiousUnits})
          for (const cJednostkaLadowa* u : *list)
            if (u->type == type) ++n;
      } else if (type >= 20 && type <= 22) {
        for (const cJednostkaLotnicza* u : g.airUnits)
          if (u->type == type) ++n;
      } else if (type >= 40 && type <= 45) {
        for (const cJednostkaMorska* u : g.navalUnits)
          if (u->type == type) ++n;
      }
      return n;
    }
    case kCityWasBombed: {
      const sHex* h = hexAt(Int(p[0]), Int(p[1]));
      return h != nullptr && h->city != nullptr && h->city->bombardmentLosses > 0 ? 1.0 : 0.0;
    }
    case kCityGetOwnSupply: {
      const sHex* h = hexAt(Int(p[0]), Int(p[1]));
      return h != nullptr && h->city != nullptr ? h->city->supply : -1.0;
    }
    case kPortGetSize: return g.seaGraph.FindNode(Int(p[0]))->currentSize;
    case kCountryGetDifficultyLevel: return c->difficultyLevel;
    case kHexOccupiedByUnitOwnedByCountry: {
      const sHex* h = hexAt(Int(p[0]), Int(p[1]));
      return h != nullptr && h->unit != nullptr && static_cast<double>(h->unit->countryId) == p[2] ? 1.0 : 0.0;
    }
    case kCountrySetAICarrierTargetsPriorities:
    case kCountryChangeAICarrierTargetsPriorities:
    case kOperandCount: break;
  }
  return 0.0;
}
