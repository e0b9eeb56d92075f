// Alliances and wars of a country: joining an alliance with its wars,
// declaring war on an alliance, the orientation after a coup and the
// country's place in the declare-war table of the diplomacy rules.
#include "core/console.h"
#include "core/front_end.h"
#include "core/string_table.h"
#include "core/text.h"
#include "world/country.h"
#include "world/game.h"

namespace {

int CountryCount() { return gGra != nullptr ? static_cast<int>(gGra->countries.size()) : 0; }

bool AtWar(int a, int b) { return gGra != nullptr && gGra->relations.IsAtWar(a, b) != 0; }

// War in both directions; a country is never at war with itself.
void SetWarBoth(int a, int b) {
  if (a == b) return;
  gGra->relations.SetWar(a, b, 1);
  gGra->relations.SetWar(b, a, 1);
}

// The orientation after a coup, by the stager's orientation (rows) and the
// country's own (columns); -1 leaves it unchanged.
constexpr int kCoupTable[6][6] = {
    {-1, 4, 5, 0, 3, 3},  //
    {3, -1, 5, 4, 1, 4},  //
    {3, 4, -1, 5, 5, 2},  //
    {3, 4, 5, -1, 3, 3},  //
    {3, 4, 5, 4, -1, 4},  //
    {3, 4, 5, 5, 5, -1},  //
};

// The orientation's group in the declare-war table: 0 for {2, 5}, 1 for
// {1, 4}, 2 for {0, 3}; -1 for an unknown orientation.
int OrientationGroup(int orientation) {
  switch (orientation) {
    case 2:
    case 5: return 0;
    case 1:
    case 4: return 1;
    case 0:
    case 3: return 2;
    default: return -1;
  }
}

}  // namespace

void cPanstwo::JoinAlliance(int a) {
  allianceEntry = 100;
  alliance = a;
  LogLine(WFormat(Txt("%s_is_joining_alliance_%i").c_str(), name.c_str(), a));

  const int n = CountryCount();
  cPanstwo* leader = nullptr;
  for (int i = 1; i <= n; ++i)
    if (cPanstwo* c = gGra->GetCountry(i); c != nullptr && c->alliance == a + 3) leader = c;
  if (leader == nullptr)
    FatalExit(WFormat(Txt("cannot_find_leader_for_alliance_%i_while_trying_to_add_%s_to_that_alliance").c_str(),
                      a + 3, name.c_str()));

  // The joining country's own wars pass to every member.
  for (int m = 1; m <= n; ++m) {
    cPanstwo* member = gGra->GetCountry(m);
    if (member == nullptr || (member->alliance != a && member->alliance != a + 3)) continue;
    for (int c = 1; c <= n; ++c) {
      if (c == m || !AtWar(id, c) || AtWar(m, c)) continue;
      const cPanstwo* other = gGra->GetCountry(c);
      LogF(L"own war %s-%s causes war %s-%s", name.c_str(), other->name.c_str(), member->name.c_str(),
           other->name.c_str());
      SetWarBoth(m, c);
    }
  }
  // And the leader's wars pass to the joining country.
  for (int c = 1; c <= n; ++c) {
    if (c == id || !AtWar(leader->id, c) || AtWar(id, c)) continue;
    const cPanstwo* other = gGra->GetCountry(c);
    LogF(L"leader's war %s-%s causes war %s-%s", leader->name.c_str(), other->name.c_str(), name.c_str(),
         other->name.c_str());
    SetWarBoth(id, c);
  }
}

void cPanstwo::DeclareWarOnAlliance(int a) {
  LogLine(WFormat(Txt("%s_is_now_at_war_with_alliance_%i._wars_are_declared:").c_str(), name.c_str(), a));
  const int other = a < 4 ? a + 3 : a - 3;
  const int n = CountryCount();
  for (int i = 1; i <= n; ++i) {
    const cPanstwo* c = gGra->GetCountry(i);
    if (c == nullptr || c->alliance == 0 || (c->alliance != a && c->alliance != other) || i == id) continue;
    SetWarBoth(id, i);
    LogF(L"%s - %s", name.c_str(), c->name.c_str());
    LogF(L"%s - %s", c->name.c_str(), name.c_str());
  }
}

void cPanstwo::ShiftOrientationAfterCoup(const cPanstwo* stager) {
  if (stager == nullptr) return;
  const int row = stager->orientation;
  const int column = orientation;
  if (row < 0 || row > 5 || column < 0 || column > 5) return;
  const int shifted = kCoupTable[row][column];
  if (shifted >= 0) orientation = shifted;
}

int cPanstwo::GetDeclareWarTableRow() const {
  if (alliance >= 1 && alliance <= 6) return 6 - alliance;
  if (alliance != 0)
    // A bad alliance code is a fault of the data: name it and end as every
    // other data error does.
    FatalExit(Txt("error_in_returning_row_for_declare_war_table:_unknown_alliance") +
              WFormat(L" (%s: alliance %i)", name.c_str(), alliance));
  const int group = OrientationGroup(orientation);
  if (group < 0) FatalExit(Txt("error_in_returning_row_for_declare_war_table:_unknown_orientation"));
  return 6 + group;
}

int cPanstwo::GetDeclareWarTableColumn() const {
  if (alliance >= 4 && alliance <= 6) return 6 - alliance;
  const int group = OrientationGroup(orientation);
  if (group < 0) FatalExit(Txt("error_in_returning_column_for_declare_war_table:_unknown_orientation"));
  return 3 + group;
}
