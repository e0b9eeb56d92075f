#include "world/map_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/string_table.h"
#include "core/text.h"
#include "core/text_file.h"
#include "core/version.h"
#include "world/folder_template.h"
#include "world/hex_map.h"

namespace {

uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
void PutU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

// ---- the format ----------------------------------------------------------

sMapFileHeader MakeMapFileHeader(int width, int height) {
  sMapFileHeader h;
  std::memcpy(h.magic, kMapMagic, sizeof kMapMagic);
  const std::string text = Format("Map for %s v%.2f created by Corvalle.", kProgramTitle, kProgramVersion);
  std::memcpy(h.text, text.data(), std::min(text.size(), kMapHeaderTextSize - 1));
  const float one = 1.0f;
  std::memcpy(&h.scaleBits, &one, sizeof one);
  h.width = static_cast<uint16_t>(width);
  h.height = static_cast<uint16_t>(height);
  return h;
}

float HeaderScale(const sMapFileHeader& header) {
  float f;
  std::memcpy(&f, &header.scaleBits, sizeof f);
  return f;
}

std::string HeaderText(const sMapFileHeader& header) {
  size_t n = 0;
  while (n < kMapHeaderTextSize && header.text[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(header.text), n);
}

void DecodeMapHeader(const uint8_t* p, sMapFileHeader& out) {
  std::memcpy(out.magic, p, 5);
  std::memcpy(out.text, p + 5, kMapHeaderTextSize);
  out.scaleBits = GetU32(p + 260);
  out.width = GetU16(p + 264);
  out.height = GetU16(p + 266);
}

void EncodeMapHeader(const sMapFileHeader& header, uint8_t* p) {
  std::memcpy(p, header.magic, 5);
  std::memcpy(p + 5, header.text, kMapHeaderTextSize);
  PutU32(p + 260, header.scaleBits);
  PutU16(p + 264, header.width);
  PutU16(p + 266, header.height);
}

void DecodeHexRecord(const uint8_t* p, sHexFileRecord& out) {
  out.terrain = p[0];
  out.fileByte1 = p[1];
  out.rivers = p[2];
  out.seaZone = GetU16(p + 3);
  out.tileVariant = p[5];
  out.controller = p[6];
  out.owner = p[7];
  out.originalOwner = p[8];
  out.fort = p[9];
  std::memcpy(out.mudChance, p + 10, 12);
  std::memcpy(out.winterChance, p + 22, 12);
  out.weather = p[34];
  out.flags = p[35];
  out.spare = p[36];
}

void EncodeHexRecord(const sHexFileRecord& rec, uint8_t* p) {
  p[0] = rec.terrain;
  p[1] = rec.fileByte1;
  p[2] = rec.rivers;
  PutU16(p + 3, rec.seaZone);
  p[5] = rec.tileVariant;
  p[6] = rec.controller;
  p[7] = rec.owner;
  p[8] = rec.originalOwner;
  p[9] = rec.fort;
  std::memcpy(p + 10, rec.mudChance, 12);
  std::memcpy(p + 22, rec.winterChance, 12);
  p[34] = rec.weather;
  p[35] = rec.flags;
  p[36] = rec.spare;
}

uint64_t MapFileSize(int width, int height) {
  return kMapHeaderSize + kHexRecordSize * static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
}

eMapFileError CheckMapFile(const uint8_t* data, size_t size, sMapFileHeader& header) {
  if (size < kMapHeaderSize) return eMapFileError::kShorterThanHeader;
  DecodeMapHeader(data, header);
  if (std::memcmp(header.magic, kMapMagic, sizeof kMapMagic) != 0) return eMapFileError::kBadMagic;
  if (header.width == 0 || header.height == 0) return eMapFileError::kZeroSize;
  if (size < MapFileSize(header.width, header.height)) return eMapFileError::kTruncated;
  return eMapFileError::kNone;
}

eMapFileError ParseMapFile(const uint8_t* data, size_t size, sMapFileImage& out) {
  out.records.clear();
  const eMapFileError err = CheckMapFile(data, size, out.header);
  if (err != eMapFileError::kNone) return err;
  const int w = out.header.width;
  const int h = out.header.height;
  out.records.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  const uint8_t* p = data + kMapHeaderSize;
  for (sHexFileRecord& r : out.records) {
    DecodeHexRecord(p, r);
    p += kHexRecordSize;
  }
  return eMapFileError::kNone;
}

std::vector<uint8_t> SerializeMapFile(const sMapFileImage& image) {
  std::vector<uint8_t> bytes(kMapHeaderSize + kHexRecordSize * image.records.size());
  EncodeMapHeader(image.header, bytes.data());
  uint8_t* p = bytes.data() + kMapHeaderSize;
  for (const sHexFileRecord& r : image.records) {
    EncodeHexRecord(r, p);
    p += kHexRecordSize;
  }
  return bytes;
}

// ---- cells and records ---------------------------------------------------

namespace {

// The fields a cell and a record share under the same names, either way.
template <typename To, typename From>
void CopySharedHexFields(To& to, const From& from) {
  to.terrain = from.terrain;
  to.fileByte1 = from.fileByte1;
  to.rivers = from.rivers;
  to.seaZone = from.seaZone;
  to.tileVariant = from.tileVariant;
  to.controller = from.controller;
  to.owner = from.owner;
  to.originalOwner = from.originalOwner;
  to.fort = from.fort;
  std::memcpy(to.mudChance, from.mudChance, sizeof to.mudChance);
  std::memcpy(to.winterChance, from.winterChance, sizeof to.winterChance);
  to.weather = static_cast<decltype(to.weather)>(from.weather);
}

}  // namespace

void cMapa::HexFromFileRecord(sHex& cell, const sHexFileRecord& rec, int x, int y) {
  CopySharedHexFields(cell, rec);
  cell.x = static_cast<int16_t>(x);
  cell.y = static_cast<int16_t>(y);
  cell.coastal = (rec.flags & kHexFlagCoastal) != 0 ? 1 : 0;
  cell.weatherApplies = (rec.flags & kHexFlagNoWeatherRoll) != 0 ? 0 : 1;
  cell.city = nullptr;
  cell.unit = nullptr;
  cell.marks = 0;
  cell.markValue = -1;
  cell.borders = 0;
  cell.seaNodeMarker = 0;
}

sHexFileRecord cMapa::HexToFileRecord(const sHex& cell) {
  sHexFileRecord rec;
  CopySharedHexFields(rec, cell);
  // Both flags are kept, so that a coastal hex exempt from the weather roll
  // stays exempt after a save and reload.
  rec.flags = static_cast<uint8_t>((cell.coastal ? kHexFlagCoastal : 0) | (cell.weatherApplies ? 0 : kHexFlagNoWeatherRoll));
  return rec;
}

// ---- reading and writing -------------------------------------------------

void cMapa::ReadMapFile(const std::wstring& path) {
  LogLine(L"------ Loading map ------");
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(WideToUtf8(path), bytes)) FatalExit(WFormat(L"Loading from %s... FAILED", path.c_str()));
  // The records go straight from the bytes into the cells, with no copy of
  // the whole map between them.
  sMapFileHeader header;
  const eMapFileError err = CheckMapFile(bytes.data(), bytes.size(), header);
  switch (err) {
    case eMapFileError::kShorterThanHeader:
      FatalExit(WFormat(L"ERROR: Map file %s is too short for its header (%i of %i bytes)", path.c_str(),
                        static_cast<int>(bytes.size()), static_cast<int>(kMapHeaderSize)));
    case eMapFileError::kBadMagic:
      FatalExit(L"ERROR: Wrong map file version");
    default:
      break;
  }
  LogF(L"Map size: %ix%i", static_cast<int>(header.width), static_cast<int>(header.height));
  LogLine(L"Loading hexes data...");
  if (err == eMapFileError::kZeroSize) FatalExit(L"ERROR: Map cannot have 0 heigth or 0 width");
  if (err == eMapFileError::kTruncated)
    FatalExit(WFormat(L"ERROR: Map file %s is truncated: %llu bytes, a %ix%i map needs %llu", path.c_str(),
                      static_cast<unsigned long long>(bytes.size()), static_cast<int>(header.width),
                      static_cast<int>(header.height),
                      static_cast<unsigned long long>(MapFileSize(header.width, header.height))));

  Create(header.width, header.height);
  ResetHexExtras();
  const uint8_t* p = bytes.data() + kMapHeaderSize;
  sHexFileRecord record;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      DecodeHexRecord(p, record);
      p += kHexRecordSize;
      HexFromFileRecord(hexes[CellIndex(x, y)], record, x, y);
    }
  }
}

void cMapa::LoadMapFile(const std::wstring& folderTemplate) {
  Release();
  width = height = 0;
  frontNodeDistance = -1;
  cameraX = cameraY = cameraTargetX = cameraTargetY = 0;
  cameraSpeedX = cameraSpeedY = zoomShiftX = zoomShiftY = 0;
  appliedScale = 0.0f;

  const std::wstring path = FormatFolderTemplate(folderTemplate, L"map.hwd");
  ReadMapFile(path);
  PropagateRivers();
  CreateAiLayer();
  RebuildZoneIndex();

  fitScale = std::min(static_cast<float>(FrontEnd().ScreenWidth()) / static_cast<float>(width * 83),
                      static_cast<float>(FrontEnd().ScreenHeight()) / static_cast<float>(height * 98));
  gCurrentMapScale = fitScale;
  gTargetMapScale = fitScale;
  LogLine(WFormat(Txt("loading_map_from_%s..._ok").c_str(), path.c_str()));
}

bool cMapa::SaveMapFile(const std::wstring& folder, const std::wstring* folderTemplate) const {
  const std::wstring path =
      folderTemplate != nullptr ? FormatFolderTemplate(*folderTemplate, L"output_map.hwd") : folder + L"\\map.hwd";
  // Each cell's record is encoded straight into the file's bytes.
  std::vector<uint8_t> bytes(kMapHeaderSize + kHexRecordSize * hexes.size());
  EncodeMapHeader(MakeMapFileHeader(width, height), bytes.data());
  uint8_t* p = bytes.data() + kMapHeaderSize;
  for (const sHex& cell : hexes) {
    EncodeHexRecord(HexToFileRecord(cell), p);
    p += kHexRecordSize;
  }

  std::FILE* f = OpenGameFile(path, "wb");
  if (f == nullptr) {
    LogLine(WFormat(L"Saving map to \"%s\" FAILED", path.c_str()));
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    LogLine(WFormat(L"Saving map to \"%s\" FAILED", path.c_str()));
    return false;
  }
  return true;
}

// ---- the map rebuild -----------------------------------------------------

namespace {

std::string Trim(const std::string& s) {
  const char* ws = " \t\r\n\v\f";
  const size_t b = s.find_first_not_of(ws);
  if (b == std::string::npos) return {};
  const size_t e = s.find_last_not_of(ws);
  return s.substr(b, e - b + 1);
}

std::vector<std::string> SplitKeepEmpty(const std::string& s) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    const size_t p = s.find(';', start);
    if (p == std::string::npos) {
      out.push_back(s.substr(start));
      return out;
    }
    out.push_back(s.substr(start, p - start));
    start = p + 1;
  }
}

int ToInt(const std::string& s) { return static_cast<int>(std::strtol(s.c_str(), nullptr, 10)); }

bool IsBlank(const std::string& s) { return Trim(s).empty(); }

// Calls fn (fields, line number) for every data line of a side file that
// has at least minFields fields; a missing file is logged and read as empty.
template <typename Fn>
void ForEachSideFileLine(const std::wstring& path, size_t minFields, Fn fn) {
  std::FILE* f = OpenGameFile(path, "rb");
  if (f == nullptr) {
    LogLine(L"ERROR: file does not exist");
    return;
  }
  std::string line;
  int lineNo = 0;
  while (ReadTextLine(f, line)) {
    ++lineNo;
    const std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    const std::vector<std::string> fields = SplitKeepEmpty(t);
    if (fields.size() < minFields) {
      LogLine(WFormat(L"WARNING: too few fields in file %s (line %i); line skipped", path.c_str(), lineNo));
      continue;
    }
    fn(fields, lineNo);
  }
  std::fclose(f);
}

void ReadWeatherFile(cMapa& map, const std::wstring& path) {
  ForEachSideFileLine(path, 4, [&](const std::vector<std::string>& fields, int lineNo) {
    const int x = ToInt(fields[0]);
    const int y = ToInt(fields[1]);
    if (!map.IsInside(x, y)) {
      LogLine(WFormat(L"WARNING: hex (%i, %i) in file %s (line %i) is outside the map; line skipped", x, y,
                      path.c_str(), lineNo));
      return;
    }
    sHex* hex = map.GetHex(x, y);
    hex->weather = static_cast<uint32_t>(ToInt(fields[2]));
    hex->weatherApplies = ToInt(fields[3]) == 1 ? 1 : 0;
  });
}

// Adds the monthly values of every line to the winter or mud chances of the
// cells of its area.
void ReadAreaFile(cMapa& map, const std::wstring& path, bool winter) {
  ForEachSideFileLine(path, 4, [&](const std::vector<std::string>& fields, int lineNo) {
    const int x1 = ToInt(fields[0]);
    const int y1 = ToInt(fields[1]);
    const int x2 = ToInt(fields[2]);
    const int y2 = ToInt(fields[3]);
    // Columns x1..x2 inclusive, rows y1 up to but not including y2.
    const int cx1 = std::max(x1, 0);
    const int cx2 = std::min(x2, map.width - 1);
    const int cy1 = std::max(y1, 0);
    const int cy2 = std::min(y2, map.height);
    if (cx1 > cx2 || cy1 >= cy2) {
      LogLine(WFormat(L"WARNING: area (%i, %i)-(%i, %i) in file %s (line %i) is outside the map; line skipped", x1,
                      y1, x2, y2, path.c_str(), lineNo));
      return;
    }
    uint8_t add[12];
    bool empty = false;
    for (int m = 0; m < 12; ++m) {
      const size_t k = 4 + static_cast<size_t>(m);
      if (k >= fields.size() || IsBlank(fields[k])) {
        add[m] = 0;
        empty = true;
      } else {
        add[m] = static_cast<uint8_t>(ToInt(fields[k]));
      }
    }
    if (empty) LogLine(WFormat(L"WARNING: empty field in file %s (line %i)", path.c_str(), lineNo));
    for (int x = cx1; x <= cx2; ++x) {
      for (int y = cy1; y < cy2; ++y) {
        sHex* hex = map.GetHex(x, y);
        uint8_t* chances = winter ? hex->winterChance : hex->mudChance;
        for (int m = 0; m < 12; ++m) chances[m] = static_cast<uint8_t>(chances[m] + add[m]);
      }
    }
  });
}

}  // namespace

void cMapa::LoadFromFile(const std::wstring& folderTemplate) {
  cMapa map;
  map.ReadMapFile(FormatFolderTemplate(folderTemplate, L"map.hwd"));
  map.PropagateRivers();

  LogLine(L"Loading weather state from weather.csv");
  ReadWeatherFile(map, FormatFolderTemplate(folderTemplate, L"weather.csv"));
  LogLine(L"Loading winter_area.csv");
  ReadAreaFile(map, FormatFolderTemplate(folderTemplate, L"winter_area.csv"), true);
  LogLine(L"Loading mud_area.csv");
  ReadAreaFile(map, FormatFolderTemplate(folderTemplate, L"mud_area.csv"), false);

  map.SaveMapFile(L"", &folderTemplate);
}
