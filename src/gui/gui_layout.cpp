#include "gui/gui_layout.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/console.h"
#include "core/csv_file.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/table_fields.h"
#include "core/text.h"
#include "core/text_file.h"

std::array<sGuiRect, kGuiLayoutIds> GuiLayoutTable = [] {
  std::array<sGuiRect, kGuiLayoutIds> t{};
  for (int id = 0; id < 1000; ++id) t[static_cast<size_t>(id)] = {-1, -1, -1, -1};
  return t;
}();
std::array<sFontRecord, kGuiFonts> GuiFontTable;
sGuiRect gMapFrameRect;

namespace {

// Lines are read up to this many characters; the rest of a longer line is dropped.
constexpr size_t kMaxLineChars = 999;
constexpr size_t kRectFields = 5;
constexpr size_t kFontFields = 10;
constexpr int kMapId = 315;

uint32_t OpaqueColor(int r, int g, int b) {
  // Each component is taken modulo 256 (a 300 becomes 44).
  return 0xFF000000u | (static_cast<uint32_t>(static_cast<uint8_t>(r)) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(g)) << 8) | static_cast<uint32_t>(static_cast<uint8_t>(b));
}

int32_t WeightOf(int code) {
  const long long w = static_cast<long long>(code) * 8 + 100;
  return static_cast<int32_t>(std::clamp<long long>(w, INT32_MIN, INT32_MAX));
}

// Sums of values read from the file cannot overflow.
int32_t SatAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(std::clamp<long long>(static_cast<long long>(a) + b, INT32_MIN, INT32_MAX));
}

}  // namespace

bool IsGuiAreaId(int id) { return id == 1 || (id >= 3 && id <= 9) || (id >= 16 && id <= 56); }

std::wstring GuiLayoutFileName(int width, int height) { return WFormat(L"data\\GUI_%ix%i.csv", width, height); }

void LoadGuiLayout() {
  LoadGuiLayoutFrom(GuiLayoutFileName(gProgramSettings.resolutionX, gProgramSettings.resolutionY));
}

void LoadGuiLayoutFrom(const std::wstring& file) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(NativePath(file), bytes))
    FatalExit(WFormat(L"Loading GUI coordinates from \"%s\"... FAILED", file.c_str()), 1);

  for (int id = 0; id < 1000; ++id) GuiLayoutTable[static_cast<size_t>(id)] = {-1, -1, -1, -1};

  enum { kBeforeRects, kRects, kFonts } section = kBeforeRects;
  bool font8Read = false;
  int lineNumber = 0;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  size_t pos = 0;
  std::string_view line;
  while (NextTextLine(text, pos, line)) {
    ++lineNumber;
    line = line.substr(0, kMaxLineChars);
    if (!line.empty() && line.front() == '#') {
      // The first "#" line opens the rectangles, the next one the fonts;
      // later ones are comments.
      if (section == kBeforeRects)
        section = kRects;
      else if (section == kRects)
        section = kFonts;
      continue;
    }
    if (section == kBeforeRects) continue;
    const std::vector<std::wstring> fields = SplitTableLine(Cp1252ToWide(line));
    if (fields.empty()) continue;
    const int have = static_cast<int>(fields.size());

    if (section == kRects) {
      if (fields.size() < kRectFields) {
        WarnShortRow(file, lineNumber, have, static_cast<int>(kRectFields));
        continue;
      }
      const int id = ReadIntField(fields[0]);
      if (id < 0 || id >= kGuiLayoutIds) {
        LogF(L"WARNING: %s line %i: layout id %i outside 0..1499, row skipped", file.c_str(), lineNumber, id);
        continue;
      }
      GuiLayoutTable[static_cast<size_t>(id)] = {ReadIntField(fields[1]), ReadIntField(fields[2]),
                                                 ReadIntField(fields[3]), ReadIntField(fields[4])};
      continue;
    }

    const int number = ReadIntField(fields[0]);
    if (number < 1 || number > kGuiFonts) {
      LogF(L"WARNING: %s line %i: font number %i outside 1..18, row skipped", file.c_str(), lineNumber, number);
      continue;
    }
    if (fields.size() < kFontFields) {
      WarnShortRow(file, lineNumber, have, static_cast<int>(kFontFields));
      continue;
    }
    sFontRecord& font = GuiFontTable[static_cast<size_t>(number - 1)];
    font.face = fields[1];
    font.height = ReadIntField(fields[2]);
    font.weight = WeightOf(ReadIntField(fields[3]));
    font.color1 = OpaqueColor(ReadIntField(fields[4]), ReadIntField(fields[5]), ReadIntField(fields[6]));
    font.color2 = OpaqueColor(ReadIntField(fields[7]), ReadIntField(fields[8]), ReadIntField(fields[9]));
    if (number == 8) font8Read = true;
  }

  // A table without its own font 8 gets a smaller copy of font 7.
  if (!font8Read) {
    GuiFontTable[7] = GuiFontTable[6];
    GuiFontTable[7].height = GuiFontTable[6].height * 3 / 4;
  }
  LogF(L"Loading GUI coordinates nad fonts from \"%s\"... OK", file.c_str());

  for (int id = 0; id < kGuiLayoutIds; ++id) {
    if (!IsGuiAreaId(id)) continue;
    sGuiRect& r = GuiLayoutTable[static_cast<size_t>(id)];
    r.w = SatAdd(r.w, r.x);
    r.h = SatAdd(r.h, r.y);
  }
  const sGuiRect& map = GuiLayoutTable[kMapId];
  gMapFrameRect = {SatAdd(map.x, -2), SatAdd(map.y, -2), SatAdd(SatAdd(map.x, map.w), 4),
                   SatAdd(SatAdd(map.y, map.h), 4)};
}

sGuiRect GuiRect(int id) {
  if (id < 0 || id >= kGuiLayoutIds) return {-1, -1, -1, -1};
  return GuiLayoutTable[static_cast<size_t>(id)];
}

const sFontRecord* GuiFont(int number) {
  if (number < 1 || number > kGuiFonts) return nullptr;
  return &GuiFontTable[static_cast<size_t>(number - 1)];
}

float AlignRect(sGuiRect& rect, int horizontal, int vertical) {
  const int32_t width = rect.w;
  const int32_t s = std::min(rect.w, rect.h);
  if (horizontal == 2)
    rect.x += rect.w - s;
  else if (horizontal != 0)
    rect.x += (rect.w - s) / 2;
  if (vertical == 2)
    rect.y += rect.h - s;
  else if (vertical != 0)
    rect.y += (rect.h - s) / 2;
  rect.w = s;
  rect.h = s;
  // A rectangle without width has no scale; 0 rather than a NaN that would
  // spread through the picture's transform.
  if (width == 0) return 0.0f;
  return static_cast<float>(s) / static_cast<float>(width);
}
