// "PlayerDefinedPlaces.txt" and "flags.txt": line files of "number;number"
// entries with '#' comment lines.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "core/text_file.h"
#include "persistence/load_request.h"
#include "persistence/save_file.h"
#include "persistence/saver.h"
#include "world/folder_template.h"
#include "world/game.h"
#include "world/hex_map.h"

namespace {

constexpr int kPlaceCount = 10;
// A view may be kept off the map's edge, but not so far that scrolling to
// it overflows.
constexpr sFieldRange kBookmarkRange{-10000, 10000};

// The two numbers of an entry line; false for an empty line, a comment line
// and a line whose first ';' is missing or stands first or last.
bool ParseEntry(std::string_view line, int& first, int& second) {
  if (line.empty() || line[0] == '#') return false;
  const size_t semicolon = line.find(';');
  if (semicolon == std::string_view::npos || semicolon == 0 || semicolon + 1 == line.size()) return false;
  first = ReadIntField(Cp1252ToWide(line.substr(0, semicolon)));
  second = ReadIntField(Cp1252ToWide(line.substr(semicolon + 1)));
  return true;
}

}  // namespace

void cGra::LoadPlayerDefinedPlaces(const sLoadRequest& request) {
  if (map == nullptr) return;
  for (int slot = 0; slot < kPlaceCount; ++slot) map->SetViewBookmark(slot, -1, -1);

  LogLine(L"Opening PlayerDefinedPlaces.txt...");
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"PlayerDefinedPlaces.txt");
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) {
    LogLine(L"Unable to open PlayerDefinedPlaces.txt");
    return;
  }
  LogLine(L"Opened. Reading...");
  std::string line;
  int slot = 0;
  int x = 0;
  int y = 0;
  int lineNumber = 0;
  while (ReadTextLine(f, line)) {
    ++lineNumber;
    if (!ParseEntry(line, x, y)) continue;
    // Slots past the last are taken as the last one.
    map->SetViewBookmark(slot, RangedField(x, kBookmarkRange, {path, lineNumber, L"hexX"}),
                         RangedField(y, kBookmarkRange, {path, lineNumber, L"hexY"}));
    if (slot < kPlaceCount) ++slot;
  }
  std::fclose(f);
}

void cGra::LoadFlags(const sLoadRequest& request) {
  const std::wstring path = FormatFolderTemplate(request.pathTemplate, L"flags.txt");
  LogLine(L"Otwieram plik flag ze sciezka...");
  LogLine(path);
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) FatalExit(L"Blad otwarcia pliku (nie istnieje?)", 1, false);
  LogLine(L"Otwarcie OK");

  scenarioFlags.assign(kScenarioFlagCount, 0);
  std::string line;
  int lineNumber = 0;
  int number = 0;
  int value = 0;
  while (ReadTextLine(f, line)) {
    ++lineNumber;
    if (!ParseEntry(line, number, value)) continue;
    if (number < 0 || number >= kScenarioFlagCount) {
      LogF(L"WARNING: %s line %i: flag number %i is outside 0-%i, line ignored", path.c_str(), lineNumber, number,
           kScenarioFlagCount - 1);
      continue;
    }
    // Any int is a flag value: the events that change flags wrap round.
    scenarioFlags[static_cast<size_t>(number)] = value;
  }
  std::fclose(f);
}

void cZapisGry::SavePlayerDefinedPlaces(const std::wstring& folder) const {
  if (gGra == nullptr || gGra->map == nullptr) return;
  LogLine(L"Saving PlayerDefinedPlaces.txt...");
  const std::wstring path = SaveFilePath(folder, L"PlayerDefinedPlaces.txt");
  std::FILE* f = OpenGameFile(path, "wb");
  if (f == nullptr) {
    LogLine(L"Unable to save PlayerDefinedPlaces.txt");
    return;
  }
  bool ok = WriteTextLine(f, "#Player defined places") && WriteTextLine(f, "#Set using by Ctrl+<num> combination") &&
            WriteTextLine(f, "#Go to using <num> key)") && WriteTextLine(f, "#Format: hexX;hexY");
  for (int slot = 0; ok && slot < kPlaceCount; ++slot) {
    const sHexPoint place = gGra->map->GetViewBookmark(slot);
    ok = WriteTextLine(f, Format("%i;%i", place.x, place.y));
  }
  // The places are a convenience: losing them must not stop the save.
  ok = std::fclose(f) == 0 && ok;
  if (!ok) LogLine(L"Unable to save PlayerDefinedPlaces.txt");
}

void cZapisGry::SaveFlags(const std::wstring& folder) const {
  const std::wstring path = SaveFilePath(folder, L"flags.txt");
  const sSaveFileMessages messages{L"Opening file for writing...", L"Blad otwarcia pliku (nie istnieje?)",
                                   L"Otwarcie OK"};
  std::FILE* f = OpenSaveFileOrDie(path, messages);
  WriteTextLine(f, "# flag no;flag value");
  const std::vector<int32_t>& flags = gGra->scenarioFlags;
  for (size_t n = 0; n < flags.size(); ++n)
    if (flags[n] != 0) WriteTextLine(f, Format("%zu;%i;", n, flags[n]));
  CloseSaveFileOrDie(f, path);
}
