// The tables only a saved game carries: the topography groups, the cities'
// per-country supply values and convoy flags, the air attack reports and the
// units spotted by air reconnaissance.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/string_table.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "core/text_file.h"
#include "persistence/load_request.h"
#include "persistence/save_file.h"
#include "persistence/saver.h"
#include "persistence/state_tables.h"
#include "units/unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

// The city on the hex; null when the hex is off the map or holds none.
cMiasto* CityAt(const cGra& game, int x, int y) {
  if (game.map == nullptr || !game.map->IsInside(x, y)) return nullptr;
  return game.map->GetHex(x, y)->city;
}

cJednostka* UnitAt(const cGra& game, int x, int y) {
  if (game.map == nullptr || !game.map->IsInside(x, y)) return nullptr;
  return game.map->GetHex(x, y)->unit;
}

// The fields of a ';'-separated narrow line; empty fields vanish.
std::vector<std::wstring> LineFields(std::string_view line) { return SplitTableLine(Cp1252ToWide(line)); }

// Reads the text file line by line; a file that cannot be opened is fatal
// with the string base's message.
template <class OnLine>
void ReadStateTableOrDie(const std::wstring& path, const std::string& openingKey, bool destroyGame, OnLine onLine) {
  LogLine(Txt(openingKey));
  LogLine(path);
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) FatalExit(Txt("error_opening_file!_(not_exists?)"), 1, destroyGame);
  LogLine(Txt("open_ok"));
  std::string line;
  int lineNumber = 0;
  while (ReadTextLine(f, line)) onLine(++lineNumber, line);
  std::fclose(f);
}

// One city table: "x;y;v1;v2;..." per city, v_k for country k + 1.
template <class Store>
void LoadCityTable(cGra& game, const std::wstring& path, const std::string& openingKey, Store store) {
  ReadStateTableOrDie(path, openingKey, true, [&](int lineNumber, const std::string& line) {
    if (line.size() <= 2 || line[0] == '#') return;
    const std::vector<std::wstring> f = LineFields(line);
    if (f.size() < 2) return;
    const int x = ReadIntField(f[0]);
    const int y = ReadIntField(f[1]);
    cMiasto* city = CityAt(game, x, y);
    if (city == nullptr) {
      // One line for the row, not one per value of it.
      LogLine(WFormat(Txt("error_while_loading_%s:_no_city_at_coords_(%d,_%d)").c_str(), path.c_str(), x, y));
      return;
    }
    for (size_t k = 0; k + 2 < f.size(); ++k)
      store(*city, k, RangedIntField(f[k + 2], kAmountRange, {path, lineNumber, L"value of a country"}));
  });
}

// Report texts are one field of one line: the separator and line breaks in
// them would split the row on reload.
std::wstring ReportFieldText(const std::wstring& text) {
  std::wstring out = text;
  for (wchar_t& c : out) {
    if (c == L';') c = L',';
    if (c == L'\n' || c == L'\r') c = L' ';
  }
  return out;
}

// The rows of one state table, each starting with a line break after the legend.
void WriteRows(const std::wstring& path, const std::string& text) {
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  std::fwrite(text.data(), 1, text.size(), f);
  CloseSaveFileOrDie(f, path);
}

// "x;y;" and one "%i;" per country entry of each city's table.
template <class Table>
void SaveCityTable(const std::wstring& path, const char* legend, Table table) {
  std::string text = legend;
  for (const cMiasto* c : gGra->cities) {
    text += Format("\r\n%i;%i;", c->x, c->y);
    for (const auto value : table(*c)) text += Format("%i;", static_cast<int>(value));
  }
  WriteRows(path, text);
}

}  // namespace

// ---- topography.csv ------------------------------------------------------

void cGra::LoadTopography(const sLoadRequest& request) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"topography.csv");
  tCityGroups* groups = nullptr;
  std::list<cMiasto*>* group = nullptr;
  ReadStateTableOrDie(path, "opening_topography_file...", true, [&](int lineNumber, const std::string& line) {
    if (line.empty() || line[0] == '#') return;
    const std::vector<std::wstring> f = LineFields(line);
    if (f.empty()) return;
    if (f[0] == L"Country") {
      for (size_t i = 1; i < f.size(); ++i) {
        const int id = ReadIntField(f[i]);
        groups = nullptr;
        group = nullptr;
        if (strategicMoves != nullptr && id >= 1 && static_cast<size_t>(id) <= strategicMoves->size())
          groups = &(*strategicMoves)[static_cast<size_t>(id) - 1];
        else
          LogF(L"WARNING: %s line %i: no country with ID %i; its groups are skipped", path.c_str(), lineNumber, id);
      }
    } else if (f[0] == L"New Group") {
      if (groups == nullptr) {
        group = nullptr;
        LogF(L"WARNING: %s line %i: group of no country skipped", path.c_str(), lineNumber);
        return;
      }
      groups->emplace_back();
      group = &groups->back();
    } else if (f[0] == L"City") {
      if (f.size() < 3) {
        LogF(L"WARNING: %s line %i: City row without column and row skipped", path.c_str(), lineNumber);
        return;
      }
      const int x = ReadIntField(f[1]);
      const int y = ReadIntField(f[2]);
      cMiasto* city = CityAt(*this, x, y);
      if (city == nullptr || group == nullptr) {
        LogF(L"WARNING: %s line %i: City (%i, %i) names no city or no group; row skipped", path.c_str(), lineNumber, x,
             y);
        return;
      }
      group->push_back(city);
    } else if (f.size() > 1) {
      FatalExit(WFormat(L"ERROR: line %i in topography.csv has incorrect keyword (%s)!", lineNumber, f[0].c_str()), 1,
                true);
    }
  });
  LogLine(Txt("empty_line..."));
}

void cZapisGry::SaveTopography(const std::wstring& folder) const {
  std::string text = "#Topography of terrain at the beginning of turn:";
  if (gGra->strategicMoves != nullptr) {
    const std::vector<tCityGroups>& all = *gGra->strategicMoves;
    for (size_t i = 0; i < all.size(); ++i) {
      text += Format("\r\nCountry;%zu;", i + 1);
      for (const std::list<cMiasto*>& group : all[i]) {
        text += "\r\nNew Group;";
        for (const cMiasto* c : group) text += Format("\r\nCity;%i;%i;", c->x, c->y);
      }
    }
  }
  WriteRows(SaveFilePath(folder, L"topography.csv"), text);
}

// ---- cities_supply_info.csv and cities_convoy_info.csv -------------------

void LoadCitiesSupplyInfo(const sLoadRequest& request) {
  cGra& game = *gGra;
  LoadCityTable(game, FormatFolderTemplate(request.pathTemplate, L"cities_supply_info.csv"),
                "opening_file_with_supply_matrix_for_cities...", [](cMiasto& city, size_t k, int value) {
                  if (k < city.supplyInfo.size()) city.supplyInfo[k] = value;
                });
  LoadCityTable(game, FormatFolderTemplate(request.pathTemplate, L"cities_convoy_info.csv"),
                "opening_file_with_convoy_info_for_cities...", [](cMiasto& city, size_t k, int value) {
                  if (k < city.convoyInfo.size()) city.convoyInfo[k] = value != 0 ? 1 : 0;
                });
}

void cZapisGry::SaveCitiesSupplyInfo(const std::wstring& folder) const {
  SaveCityTable(SaveFilePath(folder, L"cities_supply_info.csv"), "# cities supply info:",
                [](const cMiasto& c) -> const std::vector<int32_t>& { return c.supplyInfo; });
}

void cZapisGry::SaveCitiesConvoyInfo(const std::wstring& folder) const {
  // Flags are written 1 or 0, whatever the byte holds.
  SaveCityTable(SaveFilePath(folder, L"cities_convoy_info.csv"), "# cities convoy info:", [](const cMiasto& c) {
    std::vector<int> flags;
    for (uint8_t f : c.convoyInfo) flags.push_back(f != 0 ? 1 : 0);
    return flags;
  });
}

// ---- airship_attacks.csv -------------------------------------------------

void cGra::LoadAirshipAttacks(const sLoadRequest& request) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"airship_attacks.csv");
  LogLine(L"Otwieram plik...");
  LogLine(path);
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) {
    LogLine(L"Nie uda\u0142o si\u0119 otworzy\u0107 pliku - mo\u017ce nie istnie\u0107 (zadnych raportow do wyswietlenia)");
    return;
  }
  LogLine(L"Otwarcie OK");
  std::string bytes;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, got);
  std::fclose(f);

  std::wstring text = Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
  size_t pos = 0;
  int lineNumber = 0;
  while (pos < text.size()) {
    size_t end = text.find(L'\n', pos);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (line.empty() || line[0] == L'#') continue;
    const size_t semicolon = line.find(L';');
    const std::wstring idField = line.substr(0, semicolon);
    const bool numeric = !idField.empty() && idField.find_first_not_of(L"0123456789 -") == std::wstring::npos;
    cPanstwo* defender = numeric ? GetCountry(ReadIntField(idField)) : nullptr;
    if (semicolon == std::wstring::npos || defender == nullptr) {
      LogF(L"WARNING: %s line %i names no country or has no report; row skipped", path.c_str(), lineNumber);
      continue;
    }
    const size_t next = line.find(L';', semicolon + 1);
    defender->airAttackReports.push_back(line.substr(semicolon + 1, next == std::wstring::npos ? next : next - semicolon - 1));
  }
}

void cZapisGry::SaveAirshipAttacks(const std::wstring& folder) const {
  std::wstring text = L"#Defender country ID;report";
  for (const cPanstwo* c : gGra->countries)
    for (const std::wstring& report : c->airAttackReports)
      text += WFormat(L"\n%i;%s;", c->id, ReportFieldText(report).c_str());
  const std::wstring path = SaveFilePath(folder, L"airship_attacks.csv");
  std::FILE* f = OpenSaveFileOrDie(path, TableSaveMessages());
  const std::string bytes = WideToUtf16Le(text);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  CloseSaveFileOrDie(f, path);
}

// ---- airrecon_units.csv --------------------------------------------------

void cGra::LoadAirReconUnits(const sLoadRequest& request) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"airrecon_units.csv");
  LogLine(L"Otwieram plik...");
  LogLine(path);
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) {
    LogLine(L"Nie uda\u0142o si\u0119 otworzy\u0107 pliku - mo\u017ce nie istnie\u0107 (zadnych odkrytych jednostek)");
    return;
  }
  LogLine(L"Otwarcie OK");
  cPanstwo* current = nullptr;
  std::string line;
  int lineNumber = 0;
  while (ReadTextLine(f, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::wstring> fields = LineFields(line);
    if (fields.empty()) continue;
    if (fields[0] == L"Country") {
      current = fields.size() > 1 ? GetCountry(ReadIntField(fields[1])) : nullptr;
      if (current == nullptr) LogF(L"WARNING: %s line %i names no country; its rows are skipped", path.c_str(), lineNumber);
      continue;
    }
    const int x = ReadIntField(fields[0]);
    const int y = fields.size() > 1 ? ReadIntField(fields[1]) : -1;
    cJednostka* unit = UnitAt(*this, x, y);
    if (current == nullptr || unit == nullptr) {
      LogF(L"WARNING: %s line %i: hex (%i, %i) names no unit of a country; row skipped", path.c_str(), lineNumber, x, y);
      continue;
    }
    current->airReconSightings.push_back(unit);
  }
  std::fclose(f);
}

void cZapisGry::SaveAirReconUnits(const std::wstring& folder) const {
  std::string text = "#Hexes with units spoted with air recon";
  for (const cPanstwo* c : gGra->countries) {
    if (c->airReconSightings.empty()) continue;
    text += Format("\r\nCountry;%i;", c->id);
    for (const cUnit* u : c->airReconSightings) text += Format("\r\n%i;%i;", u->x, u->y);
  }
  WriteRows(SaveFilePath(folder, L"airrecon_units.csv"), text);
}
