#include "persistence/unit_tables.h"

#include "core/console.h"
#include "core/front_end.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "units/unit.h"
#include "world/commander.h"
#include "world/game.h"
#include "world/hex_map.h"

void cTableIds::Claim(int id, const std::wstring& path, int line, const wchar_t* what,
                      const wchar_t* duplicateFormat) {
  // New units are numbered on from the highest id: the range leaves room.
  RangedField(id, {0, kMaxTableId, eOutOfRange::kFatal}, {path, line, L"ID"});
  if (ids_.insert(id).second) return;
  if (duplicateFormat != nullptr) LogLine(WFormat(duplicateFormat, id));
  FatalExit(WFormat(L"ERROR: %s line %i: %s ID=%i is used already", path.c_str(), line, what, id), 1, false);
}

bool CheckRowCountry(int country, const std::wstring& path, int line, const wchar_t* what) {
  const int count = gGra != nullptr ? static_cast<int>(gGra->countries.size()) : 0;
  if (country >= 1 && country <= count) return true;
  LogF(L"WARNING: %s line %i: %s names country %i, which does not exist; row ignored", path.c_str(), line, what,
       country);
  return false;
}

bool CheckRowType(bool valid, int type, const std::wstring& path, int line, const wchar_t* what) {
  if (valid) return true;
  LogF(L"WARNING: %s line %i: type %i is no %s type; row ignored", path.c_str(), line, type, what);
  return false;
}

bool CheckUnitRow(cTableIds& ids, const std::vector<std::wstring>& fields, size_t typeField, bool (*isType)(int),
                  const std::wstring& path, int line, const wchar_t* what, const wchar_t* duplicateFormat) {
  ids.Claim(ReadIntField(fields[0]), path, line, what, duplicateFormat);
  const int type = ReadIntField(fields[typeField]);
  return CheckRowCountry(ReadIntField(fields[2]), path, line, what) && CheckRowType(isType(type), type, path, line, what);
}

void DiscardLoadedUnit(cUnit* unit) {
  if (gGra != nullptr && gGra->map != nullptr && gGra->map->IsInside(unit->x, unit->y)) {
    sHex* hex = gGra->map->GetHex(unit->x, unit->y);
    if (hex->unit == unit) hex->unit = nullptr;
  }
  if (unit->commander != nullptr && unit->commander->unit == unit) unit->commander->unit = nullptr;
  delete unit;
}
