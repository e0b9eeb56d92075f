#pragma once
// What the two searches for an interceptor share, the one over a hex and the
// one over a sea node: which fighter may fly, its power, and the pick of the
// most powerful candidate.
#include "core/console.h"
#include "units/air_values.h"
#include "units/unit.h"
#include "world/consts.h"

// A fighter intercepts only while above half the interception strength of
// the given tables.
inline bool FighterStrongEnoughToIntercept(const sConsts& consts, const cJednostkaLotnicza& fighter) {
  return fighter.strength > air_values::InterceptionStrength(consts) / 2;
}

// A fighter's power as an interceptor, its bonus read from the given tables.
inline int FighterInterceptionPower(const sConsts& consts, const cJednostkaLotnicza& fighter) {
  return air_values::InterceptionBonus(consts, fighter.supply) + fighter.level + fighter.strength;
}

// Keeps the candidate of greatest power, the first of equals, and logs each.
class cInterceptorPick {
 public:
  void Consider(cUnit* unit, int power) {
    LogF(L"Possible interceptor: %s, power: %i", unit->name.c_str(), power);
    if (power > bestPower_) {
      bestPower_ = power;
      best_ = unit;
      LogLine(L"Interceptor above is best so far!");
    }
  }
  cUnit* Best() const { return best_; }

 private:
  cUnit* best_ = nullptr;
  int bestPower_ = -1;
};
