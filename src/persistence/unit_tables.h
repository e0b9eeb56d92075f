#pragma once
// What the readers and writers of the unit and fleet tables share: the
// checks of a row's country and id, and taking a loaded unit apart again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/csv_file.h"
#include "world/table_reader.h"

class cUnit;

// Ids already read from one table; a repeated id is a fatal data error,
// since every later lookup by id (commanders, transports, fleets) would
// reach the wrong record.
// The highest id a table row may claim.
inline constexpr int kMaxTableId = 1000000;

class cTableIds {
 public:
  // Ends the program naming the file and line when the id came before or
  // is one of the ids taken already; otherwise remembers it. duplicateFormat,
  // when given, is logged first with the id for its "%i"; it is formatted
  // only then, not for every row.
  void Claim(int id, const std::wstring& path, int line, const wchar_t* what,
             const wchar_t* duplicateFormat = nullptr);
  // An id the game holds already: a row that claims it is a repeat. Taken
  // once before the read, so no row has to scan the game's lists.
  void Take(int id) { ids_.insert(id); }

 private:
  std::unordered_set<int> ids_;
};

// True when the country id names a country of the running game; otherwise
// logs a warning naming file and line and the row is to be passed over.
bool CheckRowCountry(int country, const std::wstring& path, int line, const wchar_t* what);
// True when the type code is one the table holds; otherwise logs a warning
// naming file and line.
bool CheckRowType(bool valid, int type, const std::wstring& path, int line, const wchar_t* what);

// The checks of a unit row before it is read: its id (the first field) is
// claimed, its country (the third) names a country of the game and its type
// (the field given) is one the table holds. False when the row is to be
// passed over.
bool CheckUnitRow(cTableIds& ids, const std::vector<std::wstring>& fields, size_t typeField, bool (*isType)(int),
                  const std::wstring& path, int line, const wchar_t* what, const wchar_t* duplicateFormat = nullptr);

// Hands the rows of a unit or fleet table with at least the columns to
// onRow(fields, line); a shorter row is warned about and passed over.
template <class OnRow>
void ForEachUnitRow(cCsvFile& file, const std::wstring& path, uint16_t columns, OnRow onRow) {
  ForEachTableRow(
      file, columns, [&](uint16_t) { onRow(file.fields, file.LineNumber()); },
      [&](uint16_t count) { WarnShortRow(path, file.LineNumber(), count, columns); });
}

// Frees a unit of a list the readers empty: no hex and no commander keeps
// a pointer to it.
void DiscardLoadedUnit(cUnit* unit);
