#include "world/play_order.h"

#include <algorithm>

#include "core/console.h"
#include "core/front_end.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "world/country.h"
#include "world/selection.h"

namespace {

// The four groups of the play order, in the order they move.
enum { kGroupAxis = 0, kGroupAllies = 1, kGroupComintern = 2, kGroupNeutral = 3, kGroupCount = 4, kNoGroup = -1 };

int PlayGroup(int alliance) {
  switch (alliance) {
    case 2: case 5: return kGroupAxis;
    case 1: case 4: return kGroupAllies;
    case 3: case 6: return kGroupComintern;
    case 0: return kGroupNeutral;
    default: return kNoGroup;
  }
}

// The first best key; a strength at or below it never moves.
constexpr int kNoCandidateKey = -5;

}  // namespace

cPanstwo* DetermineCurrentCountry(const std::vector<cPanstwo*>& countries) {
  LogLine(L"Wyznaczam aktualne panstwo...");
  if (countries.empty()) return nullptr;
  cPanstwo* candidate[kGroupCount] = {};
  int best[kGroupCount] = {kNoCandidateKey, kNoCandidateKey, kNoCandidateKey, kNoCandidateKey};
  for (cPanstwo* c : countries) {
    if (c == nullptr || c->active == 0 || c->finishedTurn != 0) continue;
    const int group = PlayGroup(c->alliance);
    if (group == kNoGroup) continue;
    if (c->politicalStrength > best[group]) {
      best[group] = c->politicalStrength;
      candidate[group] = c;
    }
  }
  // The log's group labels as the game has always written them.
  static const wchar_t* const kLines[kGroupCount] = {
      L"O\u010F\u017C\u02DD. Aktualne panstwo = %s", L"Alianci. Aktualne panstwo = %s",
      L"Komintern. Aktualne panstwo = %s", L"Neutralni. Aktualne panstwo = %s"};
  for (int g = 0; g < kGroupCount; ++g) {
    if (candidate[g] == nullptr) continue;
    LogF(kLines[g], candidate[g]->name.c_str());
    return candidate[g];
  }
  LogLine(L"--=== KONIEC IMPULSU ===--");
  return nullptr;
}

bool CompareByPoliticalStrength(const cPanstwo* a, const cPanstwo* b) {
  return a->politicalStrength > b->politicalStrength;
}

void KeepHumanCountriesToMove(std::list<cPanstwo*>& countries) {
  countries.remove_if([](const cPanstwo* c) { return c->finishedTurn != 0 || c->humanControlled == 0; });
}

cPanstwo* cSelection::BuildCountryOrder(const std::vector<cPanstwo*>& countries) const {
  std::list<cPanstwo*> groups[kGroupCount];
  for (cPanstwo* c : countries) {
    if (c == nullptr || c->active == 0) continue;
    const int group = PlayGroup(c->alliance);
    if (group != kNoGroup) groups[group].push_back(c);
  }
  std::list<cPanstwo*> combined;
  for (std::list<cPanstwo*>& g : groups) {
    g.sort(CompareByPoliticalStrength);  // list::sort is stable
    combined.insert(combined.end(), g.begin(), g.end());
  }
  for (std::list<cPanstwo*>& g : groups) {
    KeepHumanCountriesToMove(g);
    if (!g.empty()) return g.front();
  }
  // Every human has finished: the next human after the current country,
  // wrapping round to the start; never the current country itself.
  cPanstwo* before = nullptr;
  bool passedCurrent = false;
  for (cPanstwo* c : combined) {
    if (c == currentCountry) {
      passedCurrent = true;
      continue;
    }
    if (c->humanControlled == 0) continue;
    if (passedCurrent) return c;
    if (before == nullptr) before = c;
  }
  return before;
}

void cSelection::SetCurrentCountry(cPanstwo* country) {
  currentCountry = country;
  showActions = 1;
  if (country != nullptr && country->alliance >= 1 && country->alliance <= 6 && !gProgramSettings.showAlliesActions)
    showActions = 0;
  FrontEnd().RefreshInfoPanel();
}

cPanstwo* DetermineCurrentCountryAfterHumanTurn(const std::vector<cPanstwo*>& countries) {
  cPanstwo* next = DetermineCurrentCountry(countries);
  if (next == nullptr) {
    LogLine(Txt("error:_end_of_turn_from_main_thread._no_dummy_country?"));
    FatalExit(L"ERROR: the play order has no placeholder country (active, political strength -1) to move after "
              L"the human countries; the scenario's countries table must have one");
  }
  return next;
}
