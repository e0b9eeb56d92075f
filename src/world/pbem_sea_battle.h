#pragma once
// What the next player of a PBEM game learns of a sea battle fought at the
// end of the previous turn: who fought on either side, and the report.
#include <cstdint>
#include <set>
#include <string>

struct sPbemSeaBattle {
  // Character that ends each ship name in the two name lists.
  static constexpr wchar_t kSeparator = L'\n';

  // Names of the first side's and of the second side's ships, each
  // followed by the separator.
  std::wstring firstSideShips;
  std::wstring secondSideShips;
  // The battle report as it stood when the battle ended.
  std::wstring report;
  // Countries of either side that a PBEM player plays (PBEM number above 0).
  std::set<int32_t> firstSideCountries;
  std::set<int32_t> secondSideCountries;

  bool HasPbemPlayer() const { return !firstSideCountries.empty() || !secondSideCountries.empty(); }
  bool operator==(const sPbemSeaBattle&) const = default;
};
