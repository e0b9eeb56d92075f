// The computer player's diplomacy: its alliance-entry policy, the pressure on
// the countries of its list, and the war declarations on the holders of its
// current targets once the units sent against them stand in position. The
// diplomacy rules decide and carry out every action; this only chooses.
#include <string>

#include "ai/ai.h"
#include "core/console.h"
#include "core/front_end.h"
#include "core/game_lock.h"
#include "rules/diplomacy.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/country_economy.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

// The units ordered against the current targets: on their way, and in place.
constexpr int kOrderToTarget = 12;
constexpr int kOrderAtTarget = 13;
// Wars are declared only when more than this share of them is in place.
constexpr float kInPositionRatio = 0.7f;
// A policy of 0 delays the entry only from this level on.
constexpr int kDelayFromEntryLevel = 21;
// A country of another orientation is pressed only from this entry level on.
constexpr int kPressFromEntryLevel = 30;
constexpr int kPolicyDelay = 0;
constexpr int kPolicyHasten = 1;
constexpr int kAfterDeclarationMs = 2000;

// The report is pushed under the game lock and waited for without it, so
// that the main thread can draw and close it meanwhile.
void ShowReport(const std::wstring& text, const cPanstwo& country) {
  FrontEndHandle dialog = 0;
  {
    cGameLockGuard lock(__FILE__, __LINE__);
    dialog = FrontEnd().ShowTextDialog(text, country.name, kMessageDialogLayout);
  }
  FrontEnd().WaitForDialogClosed(dialog, __FILE__, __LINE__);
}

}  // namespace

void cAI::DiplomacyActions() {
  NoteAiPhase("DiplomacyActions");
  if (gGra == nullptr || country == nullptr) return;
  const int self = country->id;
  std::wstring text;
  const int policy = country->ai.allianceEntryPolicy;
  if (policy == kPolicyHasten) {
    if (DiplomacyCanHastenAllianceEntry(self, text)) {
      DiplomacyHastenAllianceEntry(self, text);
      ShowReport(text, *country);
    }
  } else if (policy == kPolicyDelay) {
    if (country->allianceEntry >= kDelayFromEntryLevel && DiplomacyCanDelayAllianceEntry(self, text)) {
      DiplomacyDelayAllianceEntry(self, text);
      ShowReport(text, *country);
    }
  }

  for (int target : country->ai.countriesToPress) {
    text.clear();
    if (!DiplomacyCanExertPressure(self, target, text)) continue;
    const cPanstwo* pressed = gGra->GetCountry(target);
    if (pressed == nullptr) continue;
    if (!pressed->HasSameOrientationAs(*country) && pressed->allianceEntry < kPressFromEntryLevel) continue;
    DiplomacyExertPressure(self, target, text);
    ShowReport(text, *country);
  }
}

void cAI::DeclareWars() {
  NoteAiPhase("DeclareWars");
  if (gGra == nullptr || country == nullptr) return;
  const auto& targets = country->ai.currentTargets;
  if (targets.empty()) return;
  int onTheWay = 0;
  int inPlace = 0;
  for (const cJednostkaLadowa* u : ownLandUnits) {
    if (u->aiOrder == kOrderToTarget) ++onTheWay;
    if (u->aiOrder == kOrderAtTarget) ++inPlace;
  }
  const float ratio = onTheWay + inPlace == 0 ? 0.0f : static_cast<float>(inPlace) / static_cast<float>(onTheWay + inPlace);
  if (!(ratio > kInPositionRatio)) return;

  const int self = country->id;
  for (const auto& t : targets) {
    // The map answers a point outside it with its first hex: never a target.
    const sHex* hex = gGra->map != nullptr && gGra->map->IsInside(t[0], t[1]) ? gGra->map->GetHex(t[0], t[1]) : nullptr;
    if (hex == nullptr) {
      LogF(L"[AI] %s: target hex %i,%i is off the map", country->name.c_str(), t[0], t[1]);
      continue;
    }
    const int holder = hex->controller;
    if (holder == 0) continue;
    std::wstring text;
    if (!DiplomacyCanDeclareWar(self, holder, text)) continue;
    DiplomacyDeclareWar(self, holder, true);
    FrontEnd().Delay(kAfterDeclarationMs, __FILE__, __LINE__);
  }
}
