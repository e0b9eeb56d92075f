#include "core/map_skin_data.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/console.h"
#include "core/paths.h"
#include "core/text.h"
#include "core/text_file.h"

sMapSkin gMapSkin;

namespace {

// The readers take a line in pieces of at most 499 characters, each piece
// counting as a line of its own.
constexpr size_t kLinePiece = 499;

std::vector<std::string> ReadPieces(std::FILE* f) {
  std::vector<std::string> out;
  std::string line;
  while (ReadTextLine(f, line)) {
    if (line.empty()) {
      out.emplace_back();
      continue;
    }
    for (size_t p = 0; p < line.size(); p += kLinePiece) out.push_back(line.substr(p, kLinePiece));
  }
  return out;
}

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    const size_t semi = line.find(';', start);
    out.emplace_back(line.substr(start, semi == std::string_view::npos ? std::string_view::npos : semi - start));
    if (semi == std::string_view::npos) break;
    start = semi + 1;
  }
  return out;
}

// The leading decimal integer of a field, 0 when there is none; values
// beyond 32 bits are held at the limits.
int32_t LeadingInt(const std::vector<std::string>& fields, size_t i) {
  if (i >= fields.size()) return 0;
  const long long v = std::strtoll(fields[i].c_str(), nullptr, 10);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

uint32_t Colour(const std::vector<std::string>& f, size_t i) {
  auto channel = [&](size_t k) { return static_cast<uint32_t>(std::clamp(LeadingInt(f, k), 0, 255)); };
  return 0xFF000000u | (channel(i) << 16) | (channel(i + 1) << 8) | channel(i + 2);
}

// A font record from its fields: face, height, weight code, two colours.
sMapSkinFont FontFrom(const std::vector<std::string>& f, size_t face) {
  sMapSkinFont font;
  if (face < f.size()) font.face = Cp1252ToWide(f[face]);
  font.height = LeadingInt(f, face + 1);
  font.weight = LeadingInt(f, face + 2) * 8 + 100;
  font.color1 = Colour(f, face + 3);
  font.color2 = Colour(f, face + 6);
  return font;
}

void StoreRect(int32_t out[4], const std::vector<std::string>& f) {
  out[0] = LeadingInt(f, 0);
  out[1] = LeadingInt(f, 1);
  out[2] = out[0] + LeadingInt(f, 2);
  out[3] = out[1] + LeadingInt(f, 3);
}

void StoreValues(int32_t out[4], const std::vector<std::string>& f) {
  for (size_t i = 0; i < 4; ++i) out[i] = LeadingInt(f, i);
}

}  // namespace

void sMapSkin::ResetDepths() {
  for (int r = 0; r < kMapLayerCount; ++r) {
    layers[r].level = 2 * r;
    layers[r].value = 1.0f - 0.02f * static_cast<float>(r);
  }
}

int32_t ClampDepthLevel(long level) { return static_cast<int32_t>(std::clamp(level, 0L, 39L)); }

float DepthOfLevel(int32_t level) { return 0.6f + static_cast<float>(39 - level) / 100.0f; }

void ReadDefinitionFile(sMapSkin& skin, const std::wstring& path) {
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) return;
  int row = 0;
  for (const std::string& line : ReadPieces(f)) {
    if (row >= kMapLayerCount) break;
    if (!line.empty() && line[0] == '#') continue;
    // A level below 0 or above 39 would put the layer outside the depth
    // buffer's range.
    const int32_t level = ClampDepthLevel(std::strtol(line.c_str(), nullptr, 10));
    skin.layers[row].level = level;
    skin.layers[row].value = DepthOfLevel(level);
    ++row;
  }
  std::fclose(f);
}

void ComputeAppearanceFlags(sCityAppearanceRow& row) {
  for (int e = 0; e < 11; ++e) {
    const int32_t* v = row.entries[6 + e];
    bool ok = v[2] != 0 && v[3] != 0;
    if (e < 6) ok = ok && row.entries[e][2] != 0 && row.entries[e][3] != 0;
    if (e >= 6 && e <= 8) ok = ok && v[2] != v[0] && v[3] != v[1];
    row.valid[e] = ok ? 1 : 0;
  }
}

bool ReadAppearanceFile(sMapSkin& skin, const std::wstring& path) {
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) return false;
  const std::vector<std::string> lines = ReadPieces(f);
  std::fclose(f);
  // Every row starts over, so that a row the file does not fill is never
  // chosen by the zoom and draws nothing.
  for (sCityAppearanceRow& row : skin.rows) row = sCityAppearanceRow{};
  skin.currentRow = -1;

  int hashLines = 0;
  int section = -1;  // the row being filled
  int dataLine = 0;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == ';') continue;
    if (!line.empty() && line[0] == '#') {
      if (section >= 0) ComputeAppearanceFlags(skin.rows[section]);
      if (line.compare(0, 3, "#AP") == 0) {
        const std::vector<std::string> f5 = SplitFields(line);
        std::vector<std::string> rect(f5.begin() + std::min<size_t>(1, f5.size()), f5.end());
        StoreRect(skin.headerRect, rect);
        skin.headerFont = FontFrom(f5, 5);
      }
      if (++hashLines >= kCityAppearanceReadRows + 1) break;
      section = hashLines - 1;
      dataLine = 0;
      continue;
    }
    if (section < 0 || line.empty()) continue;
    const std::vector<std::string> fields = SplitFields(line);
    sCityAppearanceRow& row = skin.rows[section];
    const int n = dataLine++;
    if (n == 0) {
      row.threshold = LeadingInt(fields, 0);
    } else if (n <= 12) {
      if (n % 2 == 1)
        StoreRect(row.entries[(n - 1) / 2], fields);
      else
        StoreValues(row.entries[6 + (n - 2) / 2], fields);
    } else if (n <= 15) {
      StoreRect(row.entries[n - 1], fields);
      row.fonts[n - 13] = FontFrom(fields, 4);
    } else if (n <= 17) {
      StoreValues(row.entries[n - 1], fields);
    } else {
      gConsole.AddLine(L"WARNING appearance line beyond its section ignored: " + Cp1252ToWide(line));
    }
  }
  return true;
}

int SelectCityAppearanceRow(sMapSkin& skin, float zoom) {
  const int z = static_cast<int>(zoom * 100.0f);
  for (int r = 0; r < kCityAppearanceZoomRows; ++r)
    if (skin.rows[r].threshold > z) skin.currentRow = r;
  return z;
}
