#include "world/eyecandies.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "core/console.h"
#include "core/map_skin_data.h"
#include "core/paths.h"
#include "core/text.h"
#include "core/text_file.h"
#include "world/hex_map.h"
#include "world/map_view.h"

namespace {

constexpr size_t kEyecandyFields = 9;

bool ParseInt(const std::string& field, long& out) {
  const char* s = field.c_str();
  char* end = nullptr;
  errno = 0;
  out = std::strtol(s, &end, 10);
  if (end == s || errno == ERANGE) return false;
  while (*end == ' ' || *end == '\t') ++end;
  return *end == '\0';
}

}  // namespace

bool LoadEyecandies(cMapa& map, const std::wstring& folder, const std::wstring* language) {
  map.ResetHexExtras();
  // A decoration of an earlier skin or scenario must not stay drawn.
  for (sHexEyecandy& e : map.eyecandies) e.depth = -1.0f;
  const std::wstring file = language != nullptr ? WFormat(L"%s\\eyecandies_%s.csv", folder.c_str(), language->c_str())
                                                : WFormat(L"%s\\eyecandies.csv", folder.c_str());
  std::FILE* f = OpenGameFile(file, "rb");
  if (f == nullptr) {
    gConsole.AddLine(L"ERROR unable to load eyecandies data:");
    gConsole.AddLine(file);
    return false;
  }
  std::string line;
  while (ReadTextLine(f, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
      const size_t semi = line.find(';', start);
      fields.push_back(line.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
      if (semi == std::string::npos) break;
      start = semi + 1;
    }
    const std::wstring wline = Cp1252ToWide(line);
    // Every decoration needs its hex, level and three cells.
    if (fields.size() < kEyecandyFields) {
      gConsole.AddLine(WFormat(L"WARNING incorrect entry in %s/eyecandies.csv:\n%s", folder.c_str(), wline.c_str()));
      continue;
    }
    long v[kEyecandyFields] = {};
    bool ok = true;
    for (size_t i = 0; i < kEyecandyFields && ok; ++i) ok = ParseInt(fields[i], v[i]);
    if (!ok) {
      gConsole.AddLine(WFormat(L"ERROR incorrect entry data format: %s", wline.c_str()));
      continue;
    }
    if (!map.IsInside(static_cast<int>(v[0]), static_cast<int>(v[1]))) {
      gConsole.AddLine(WFormat(L"WARNING incorrect entry in %s/eyecandies.csv:\n%s", folder.c_str(), wline.c_str()));
      continue;
    }
    const size_t index = static_cast<size_t>(v[1]) * static_cast<size_t>(map.width) + static_cast<size_t>(v[0]);
    if (index >= map.eyecandies.size()) continue;
    sHexEyecandy& e = map.eyecandies[index];
    // A level outside 0..39 would put the picture outside the depth range.
    e.depth = DepthOfLevel(ClampDepthLevel(v[2]));
    // The level also names the map layer the decoration hides on its hex.
    e.hiddenLayer = static_cast<int32_t>(
        std::clamp(v[2], static_cast<long>(std::numeric_limits<int32_t>::min()),
                   static_cast<long>(std::numeric_limits<int32_t>::max())));
    for (int w = 0; w < 3; ++w) {
      // Cells beyond the picture's grid are held at its edge.
      const long col = std::clamp(v[3 + 2 * w], 0L, 11L), row = std::clamp(v[4 + 2 * w], 0L, 11L);
      e.source[w][0] = static_cast<int32_t>(col * kSkinCellPitch + 1);
      e.source[w][1] = static_cast<int32_t>(row * kSkinCellPitch + 1);
    }
  }
  std::fclose(f);
  return true;
}

void LoadScenarioEyecandies(cMapa& map, const std::wstring& scenarioName, const std::wstring& language) {
  if (map.width <= 0 || map.height <= 0) return;
  const std::wstring folder = WFormat(L"data\\scenarios\\%s", scenarioName.c_str());
  if (!LoadEyecandies(map, folder, &language)) LoadEyecandies(map, folder, nullptr);
}
