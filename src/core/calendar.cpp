#include "core/calendar.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/string_table.h"
#include "core/text.h"

namespace {
// A month outside 1..12 or a month of no turns comes only from broken data;
// clamping keeps the lookup in range and the division defined.
int MonthIndex(int month) { return std::clamp(month, 1, 12) - 1; }

int TurnsOf(int month, TurnsPerMonth tpm) { return std::max(1, tpm[static_cast<size_t>(MonthIndex(month))]); }

const char* const kMonthKeys[12] = {"january", "february", "march",     "april",   "may",      "june",
                                    "july",    "august",   "september", "october", "november", "december"};
}  // namespace

int sGameDate::GetDayOfMonth(TurnsPerMonth tpm) const {
  const int64_t t = TurnsOf(month, tpm);
  const int64_t day = (int64_t{turn} * 30) / t - 30 / t + 1;
  return static_cast<int>(std::clamp<int64_t>(day, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool sGameDate::IsDay(int d, int m, int y, TurnsPerMonth tpm) const {
  return year == y && month == m && GetDayOfMonth(tpm) == d;
}

bool sGameDate::IsBefore(int d, int m, int y, TurnsPerMonth tpm) const {
  if (year != y) return year < y;
  if (month != m) return month < m;
  return GetDayOfMonth(tpm) < d;
}

bool sGameDate::IsAfter(int d, int m, int y, TurnsPerMonth tpm) const {
  return !IsDay(d, m, y, tpm) && !IsBefore(d, m, y, tpm);
}

const std::wstring& sGameDate::Format(TurnsPerMonth tpm) {
  text = WFormat(L"%i-%s-%i", GetDayOfMonth(tpm), Txt(kMonthKeys[MonthIndex(month)]).c_str(), year);
  return text;
}
