#pragma once
// What the readers and writers of the unit and fleet tables share: the
// checks of a row's country and id, and taking a loaded unit apart again.
#include <string>
#include <unordered_set>

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

// Frees a unit of a list the readers empty: no hex and no commander keeps
// a pointer to it.
void DiscardLoadedUnit(cUnit* unit);
