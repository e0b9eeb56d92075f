#include "framework/units_skin.h"

#include <cwchar>
#include <map>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/text.h"
#include "framework/fw_state.h"
#include "platform/font.h"


namespace {

int32_t Int(const std::wstring& f) { return static_cast<int32_t>(std::wcstol(f.c_str(), nullptr, 10)); }
uint32_t Hex(const std::wstring& f) { return static_cast<uint32_t>(std::wcstoul(f.c_str(), nullptr, 16)); }
uint32_t Opaque(const std::wstring& r, const std::wstring& g, const std::wstring& b) {
  auto c = [](const std::wstring& f) { return static_cast<uint32_t>(Int(f)) & 0xFFu; };
  return 0xFF000000u | (c(r) << 16) | (c(g) << 8) | c(b);
}

bool IsVersionRow(const std::vector<std::wstring>& f) { return f.size() >= 2 && f[1] == L"Game version"; }

// What a row of a group is, by table and layout.
enum eRowKind { kRowNone, kRowName, kRowThreshold, kRowRect, kRowValues, kRowFontRect };
struct sRowRole {
  eRowKind kind = kRowNone;
  int entry = 0;
  int font = 0;
};

sRowRole RoleOf(eUnitsSkinTable table, bool navalFifteen, int r) {
  if (r == 0) return {kRowName};
  if (r == 1) return {kRowThreshold};
  // The rectangle and value pairs, then the rows after them.
  int pairsEnd = 0;  // first row after the pairs
  if (table == kSkinLand) pairsEnd = 20;
  else if (table == kSkinAir) pairsEnd = 16;
  else pairsEnd = navalFifteen ? 10 : 8;
  if (r < pairsEnd) {
    if (r % 2 == 0) return {kRowRect, (r - 2) / 2};
    return {kRowValues, 9 + (r - 3) / 2};
  }
  if (table == kSkinLand) {
    if (r <= 22) return {kRowFontRect, r - 2, r - 20};
    if (r <= 24) return {kRowValues, r - 2};
    return {};
  }
  if (table == kSkinAir) {
    if (r <= 18) return {kRowFontRect, r, r - 16};
    if (r <= 20) return {kRowValues, r};
    return {};
  }
  const int k = r - pairsEnd;  // 0: the bar, 1-2: fonts, 3-4: values
  if (k == 0) return {kRowValues, 13};
  if (k <= 2) return {kRowFontRect, 14 + (k - 1), k - 1};
  if (k <= 4) return {kRowValues, 16 + (k - 3)};
  return {};
}

int RowsPerGroup(eUnitsSkinTable table, bool navalFifteen) {
  if (table == kSkinLand) return 25;
  if (table == kSkinAir) return 21;
  return navalFifteen ? 15 : 13;
}

// Entries 0..n-1 are the source rectangles whose placements are entries 9..
int PairedRects(eUnitsSkinTable table) { return table == kSkinLand ? 9 : table == kSkinAir ? 7 : 4; }

void SetFlags(sUnitsSkinGroup& g, eUnitsSkinTable table) {
  auto sized = [&](int e) { return g.entries[static_cast<size_t>(e)][2] != 0 && g.entries[static_cast<size_t>(e)][3] != 0; };
  for (int i = 0; i < kUnitsSkinFlags; ++i) {
    const bool on = sized(i + 9) && (i >= PairedRects(table) || sized(i));
    g.flags[static_cast<size_t>(i)] = on ? 1 : 0;
  }
}

void ApplyRow(sUnitsSkinGroup& g, const sRowRole& role, const std::vector<std::wstring>& f) {
  switch (role.kind) {
    case kRowName: g.name = f.empty() ? std::wstring() : f[0]; break;
    case kRowThreshold: g.threshold = f.empty() ? 0 : Int(f[0]); break;
    case kRowRect: g.entries[static_cast<size_t>(role.entry)] = ParseSkinRect(f, true); break;
    case kRowValues: g.entries[static_cast<size_t>(role.entry)] = ParseSkinRect(f, false); break;
    case kRowFontRect:
      g.entries[static_cast<size_t>(role.entry)] = ParseSkinRect(f, true);
      ParseSkinFont(f, g.fonts[static_cast<size_t>(role.font)]);
      break;
    case kRowNone: break;
  }
}

void ClearGroup(sUnitsSkinGroup& g) { g = sUnitsSkinGroup{}; }

// Countries files: the scenario's ("id;..;..;colour1;colour2") and the
// skin's ("id;name;colour1;colour2"), whose colours win.
void ReadCountryColours(const std::wstring& path, size_t leastFields, size_t firstColour, const sUnitsSkinGame& game) {
  cCsvFile f;
  if (!f.Open(path)) {
    LogF(L"ERROR during opening CSV file %s", path.c_str());
    return;
  }
  while (!f.Eof()) {
    const size_t n = f.ReadLine();
    if (n < leastFields || IsVersionRow(f.fields)) continue;
    const int id = Int(f.fields[0]);
    if (id <= 0) {
      LogF(L"WARNING: %s line %i: country id %i is not above 0, row ignored", path.c_str(), f.LineNumber(), id);
      continue;
    }
    if (id > game.countryCount) continue;
    if (game.setColours) game.setColours(id, Hex(f.fields[firstColour]), Hex(f.fields[firstColour + 1]));
  }
}

std::map<int, cPlatformFont*> gFonts;

}  // namespace

std::array<int32_t, 4> ParseSkinRect(const std::vector<std::wstring>& f, bool relative) {
  if (f.size() < 4) return {0, 0, 0, 0};
  std::array<int32_t, 4> v = {Int(f[0]), Int(f[1]), Int(f[2]), Int(f[3])};
  if (relative) {
    v[2] += v[0];
    v[3] += v[1];
  }
  return v;
}

bool ParseSkinFont(const std::vector<std::wstring>& f, sUnitsSkinFont& font) {
  if (f.size() < 13) return false;
  font.face = f[4];
  font.height = Int(f[5]);
  font.weight = Int(f[6]) * 8 + 100;
  font.color1 = Opaque(f[7], f[8], f[9]);
  font.color2 = Opaque(f[10], f[11], f[12]);
  return true;
}

void ReadUnitsSkinTable(const std::wstring& path, eUnitsSkinTable table) {
  auto& groups = gUnitsSkin.tables[static_cast<size_t>(table)];
  if (table == kSkinNaval)
    for (sUnitsSkinGroup& g : groups) ClearGroup(g);
  cCsvFile f;
  std::vector<std::vector<std::wstring>> rows;
  std::vector<int> lines;
  double version = 0.0;
  if (!f.Open(path)) {
    LogF(L"ERROR during opening CSV file %s", path.c_str());
  } else {
    while (!f.Eof()) {
      if (f.ReadLine() == 0) continue;
      if (rows.empty() && version == 0.0 && IsVersionRow(f.fields)) {
        version = std::wcstod(f.fields[0].c_str(), nullptr);
        continue;
      }
      rows.push_back(f.fields);
      lines.push_back(f.LineNumber());
    }
  }
  // Compared as a number, so "1.1" is not below "1.03".
  const bool fifteen = table == kSkinNaval && version >= 1.03 - 1e-9;
  const size_t per = static_cast<size_t>(RowsPerGroup(table, fifteen));
  size_t filled = 0;
  for (size_t g = 0; g < static_cast<size_t>(kUnitsSkinGroups); ++g) {
    const size_t first = g * per;
    if (first >= rows.size()) break;
    if (first + per > rows.size()) {
      // A group cut short would mix its rows with the defaults: keep the
      // defaults whole.
      LogF(L"WARNING: %s line %i: group %i has %i of its %i rows, ignored", path.c_str(), lines[first],
           static_cast<int>(g), static_cast<int>(rows.size() - first), static_cast<int>(per));
      break;
    }
    sUnitsSkinGroup& group = groups[g];
    for (size_t r = 0; r < per; ++r) ApplyRow(group, RoleOf(table, fifteen, static_cast<int>(r)), rows[first + r]);
    SetFlags(group, table);
    filled = g + 1;
  }
  for (size_t g = filled; g < groups.size(); ++g) {
    groups[g].threshold = kUnitsSkinNoThreshold;
    for (sUnitsSkinFont& font : groups[g].fonts) font.face.clear();
  }
  gUnitsSkin.current[static_cast<size_t>(table)] = 0;
}

void ReleaseUnitsSkinFonts() {
  for (auto& [number, font] : gFonts)
    if (font != nullptr) font->Release();
  gFonts.clear();
}

HRESULT CreateUnitsSkinFonts() {
  ReleaseUnitsSkinFonts();
  cPlatformDevice* device = FWGetD3DDevice();
  if (device == nullptr) return S_OK;
  HRESULT last = S_OK;
  for (int g = 0; g < kUnitsSkinGroups; ++g) {
    for (int t = 0; t < kSkinTables; ++t) {
      const sUnitsSkinGroup& group = gUnitsSkin.tables[static_cast<size_t>(t)][static_cast<size_t>(g)];
      if (group.threshold <= 0) continue;
      for (int k = 0; k < kUnitsSkinFontsPerGroup; ++k) {
        const sUnitsSkinFont& f = group.fonts[static_cast<size_t>(k)];
        if (f.face.empty()) continue;
        cPlatformFont* font = nullptr;
        last = cPlatformFont::Create(device, f.height, 0, static_cast<unsigned>(f.weight), 1, false, f.face, &font);
        if (SUCCEEDED(last)) gFonts[sUnitsSkin::FontNumber(t, g, k)] = font;
      }
    }
  }
  return last;
}

cPlatformFont* UnitsSkinFont(int number) {
  const auto it = gFonts.find(number);
  return it != gFonts.end() ? it->second : nullptr;
}

void SelectFontsByScale(float mapZoom) {
  if (!gProgramSettings.dynamicUnitAppearance) return;
  const int z = static_cast<int>(mapZoom * 100.0f);
  for (int t = 0; t < kSkinTables; ++t)
    for (int g = 0; g < kUnitsSkinGroups; ++g)
      if (gUnitsSkin.tables[static_cast<size_t>(t)][static_cast<size_t>(g)].threshold > z)
        gUnitsSkin.current[static_cast<size_t>(t)] = g;
}

void LoadUnitsSkin(const std::wstring& name, const sUnitsSkinGame* game) {
  const std::wstring folder = WFormat(L"data\\gfx\\[UnitsSkin]%s\\", name.c_str());
  const std::wstring units = folder + L"units.png";
  if (FileExists(units)) {
    cFrontEnd& fe = FrontEnd();
    if (gUnitsSkin.unitsPicture != 0) fe.ReleaseTexture(gUnitsSkin.unitsPicture);
    gUnitsSkin.unitsPicture = fe.LoadTexture(units, 1, fe.MaxTextureWidth() > 1024 ? 3 : 1);
    if (gUnitsSkin.infoPicture != 0) fe.ReleaseTexture(gUnitsSkin.infoPicture);
    gUnitsSkin.infoPicture = fe.LoadTexture(folder + L"info.png", 1, 1);
    if (game != nullptr && game->loadCountryTextures) game->loadCountryTextures(name);
  }
  ReadUnitsSkinTable(folder + L"land_units.csv", kSkinLand);
  ReadUnitsSkinTable(folder + L"air_units.csv", kSkinAir);
  ReadUnitsSkinTable(folder + L"naval_units.csv", kSkinNaval);
  if (game != nullptr) {
    ReadCountryColours(game->scenarioCountriesFile, 5, 3, *game);
    ReadCountryColours(folder + L"countries.csv", 4, 2, *game);
  }
  CreateUnitsSkinFonts();
  SelectFontsByScale(game != nullptr ? game->mapZoom : 1.0f);
}
