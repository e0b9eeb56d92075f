#include "world/map_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string_view>
#include <vector>

#include "core/text_file.h"

namespace {

constexpr char kTerrainLetters[] = "WPFRSHMD";
constexpr const char* kEol = "\r\n";

// A number section: its name and the record field it holds.
struct sSection {
  std::string name;
  std::function<unsigned(const sHexFileRecord&)> get;
  std::function<void(sHexFileRecord&, unsigned)> set;
  unsigned max;
};

template <typename F>
sSection ByteSection(const std::string& name, F field) {
  return {name, [field](const sHexFileRecord& r) { return static_cast<unsigned>(field(const_cast<sHexFileRecord&>(r))); },
          [field](sHexFileRecord& r, unsigned v) { field(r) = static_cast<uint8_t>(v); }, 255};
}

const std::vector<sSection>& Sections() {
  static const std::vector<sSection> sections = [] {
    std::vector<sSection> s;
    s.push_back(ByteSection("file-byte-1", [](sHexFileRecord& r) -> uint8_t& { return r.fileByte1; }));
    s.push_back(ByteSection("rivers", [](sHexFileRecord& r) -> uint8_t& { return r.rivers; }));
    s.push_back({"sea-zones", [](const sHexFileRecord& r) { return static_cast<unsigned>(r.seaZone); },
                 [](sHexFileRecord& r, unsigned v) { r.seaZone = static_cast<uint16_t>(v); }, 65535});
    s.push_back(ByteSection("variants", [](sHexFileRecord& r) -> uint8_t& { return r.tileVariant; }));
    s.push_back(ByteSection("controllers", [](sHexFileRecord& r) -> uint8_t& { return r.controller; }));
    s.push_back(ByteSection("owners", [](sHexFileRecord& r) -> uint8_t& { return r.owner; }));
    s.push_back(ByteSection("original-owners", [](sHexFileRecord& r) -> uint8_t& { return r.originalOwner; }));
    s.push_back(ByteSection("forts", [](sHexFileRecord& r) -> uint8_t& { return r.fort; }));
    for (int m = 0; m < 12; ++m) {
      char name[16];
      std::snprintf(name, sizeof name, "mud-%02d", m + 1);
      s.push_back(ByteSection(name, [m](sHexFileRecord& r) -> uint8_t& { return r.mudChance[m]; }));
    }
    for (int m = 0; m < 12; ++m) {
      char name[16];
      std::snprintf(name, sizeof name, "winter-%02d", m + 1);
      s.push_back(ByteSection(name, [m](sHexFileRecord& r) -> uint8_t& { return r.winterChance[m]; }));
    }
    s.push_back(ByteSection("weather", [](sHexFileRecord& r) -> uint8_t& { return r.weather; }));
    s.push_back(ByteSection("flags", [](sHexFileRecord& r) -> uint8_t& { return r.flags; }));
    s.push_back(ByteSection("byte-36", [](sHexFileRecord& r) -> uint8_t& { return r.spare; }));
    return s;
  }();
  return sections;
}

std::string Hex(const uint8_t* p, size_t n) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    out += digits[p[i] >> 4];
    out += digits[p[i] & 15];
  }
  return out;
}

bool FromHex(const std::string& s, uint8_t* out, size_t n) {
  if (s.size() != 2 * n) return false;
  for (size_t i = 0; i < n; ++i) {
    unsigned v = 0;
    for (int k = 0; k < 2; ++k) {
      const char c = s[2 * i + static_cast<size_t>(k)];
      v <<= 4;
      if (c >= '0' && c <= '9')
        v |= static_cast<unsigned>(c - '0');
      else if (c >= 'A' && c <= 'F')
        v |= static_cast<unsigned>(c - 'A' + 10);
      else if (c >= 'a' && c <= 'f')
        v |= static_cast<unsigned>(c - 'a' + 10);
      else
        return false;
    }
    out[i] = static_cast<uint8_t>(v);
  }
  return true;
}

// The header text can be written as plain text when it is printable and
// nothing follows its terminator.
bool TextIsPlain(const sMapFileHeader& h) {
  size_t n = 0;
  while (n < kMapHeaderTextSize && h.text[n] != 0) {
    if (h.text[n] < 0x20 || h.text[n] > 0x7E) return false;
    ++n;
  }
  if (n == kMapHeaderTextSize) return false;
  if (n > 0 && (h.text[0] == ' ' || h.text[n - 1] == ' ')) return false;
  for (size_t i = n; i < kMapHeaderTextSize; ++i)
    if (h.text[i] != 0) return false;
  return true;
}

bool ParseUnsigned(const std::string& s, unsigned max, unsigned& out) {
  if (s.empty() || s.size() > 10) return false;
  unsigned long v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<unsigned long>(c - '0');
  }
  if (v > max) return false;
  out = static_cast<unsigned>(v);
  return true;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

}  // namespace

std::string MapFileToText(const sMapFileImage& image) {
  const int w = image.header.width;
  const int h = image.header.height;
  std::string out;
  out += "# Map of ";
  out += std::to_string(w) + " x " + std::to_string(h) + " hexes; one line per row, row 0 first" + kEol;
  out += "size " + std::to_string(w) + " " + std::to_string(h) + kEol;
  if (TextIsPlain(image.header))
    out += "header-text " + HeaderText(image.header) + kEol;
  else
    out += "header-bytes " + Hex(image.header.text, kMapHeaderTextSize) + kEol;
  uint8_t scale[4];
  for (int i = 0; i < 4; ++i) scale[i] = static_cast<uint8_t>(image.header.scaleBits >> (24 - 8 * i));
  out += "header-scale " + Hex(scale, 4) + kEol;

  auto cell = [&](int x, int y) -> const sHexFileRecord& {
    return image.records[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
  };
  out += std::string(kEol) + "[terrain]" + kEol;
  std::string codes;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint8_t t = cell(x, y).terrain;
      if (t < 8) {
        out += kTerrainLetters[t];
      } else {
        out += '?';
        codes += std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(t) + kEol;
      }
    }
    out += kEol;
  }
  if (!codes.empty()) out += std::string(kEol) + "[terrain-codes]" + kEol + codes;

  for (const sSection& s : Sections()) {
    bool any = false;
    for (const sHexFileRecord& r : image.records) any = any || s.get(r) != 0;
    if (!any) continue;
    out += std::string(kEol) + "[" + s.name + "]" + kEol;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (x > 0) out += ' ';
        out += std::to_string(s.get(cell(x, y)));
      }
      out += kEol;
    }
  }
  return out;
}

bool MapTextToFile(const std::string& text, sMapFileImage& out, std::string& error) {
  std::vector<std::string> lines;
  size_t pos = 0;
  std::string_view next;
  while (NextTextLine(text, pos, next)) lines.emplace_back(next);
  auto fail = [&error](size_t lineIndex, const std::string& what) {
    error = "line " + std::to_string(lineIndex + 1) + ": " + what;
    return false;
  };

  out = sMapFileImage{};
  // Our own header unless the text gives its own; the size is set at the end.
  out.header = MakeMapFileHeader(0, 0);
  int w = 0, h = 0;
  std::set<std::string> seen;
  std::vector<bool> unknownTerrain;
  std::map<std::string, const sSection*> byName;
  for (const sSection& s : Sections()) byName[s.name] = &s;

  size_t i = 0;
  while (i < lines.size()) {
    const std::string& line = lines[i];
    if (line.empty() || line[0] == '#') {
      ++i;
      continue;
    }
    if (line[0] != '[') {
      const std::vector<std::string> words = Words(line);
      if (words.empty()) {
        ++i;
        continue;
      }
      if (!seen.empty()) return fail(i, "header lines must come before the sections");
      if (words[0] == "size") {
        unsigned uw, uh;
        if (words.size() != 3 || !ParseUnsigned(words[1], 65535, uw) || !ParseUnsigned(words[2], 65535, uh) || uw == 0 ||
            uh == 0)
          return fail(i, "size needs a width and a height of 1 to 65535");
        // The terrain section holds a letter per hex, so a text shorter than
        // that cannot be this map; checked before any cell is made.
        if (static_cast<uint64_t>(uw) * uh > text.size())
          return fail(i, "a map of " + words[1] + " x " + words[2] + " hexes needs more text than there is");
        w = static_cast<int>(uw);
        h = static_cast<int>(uh);
      } else if (words[0] == "header-text") {
        const std::string t = line.size() > 12 ? line.substr(12) : std::string();
        if (t.size() >= kMapHeaderTextSize) return fail(i, "header text longer than 254 characters");
        std::memset(out.header.text, 0, kMapHeaderTextSize);
        std::memcpy(out.header.text, t.data(), t.size());
      } else if (words[0] == "header-bytes") {
        if (words.size() != 2 || !FromHex(words[1], out.header.text, kMapHeaderTextSize))
          return fail(i, "header-bytes needs 510 hexadecimal digits");
      } else if (words[0] == "header-scale") {
        uint8_t b[4];
        if (words.size() != 2 || !FromHex(words[1], b, 4)) return fail(i, "header-scale needs 8 hexadecimal digits");
        out.header.scaleBits = (static_cast<uint32_t>(b[0]) << 24) | (static_cast<uint32_t>(b[1]) << 16) |
                               (static_cast<uint32_t>(b[2]) << 8) | b[3];
      } else {
        return fail(i, "unknown line \"" + words[0] + "\"");
      }
      ++i;
      continue;
    }

    if (line.back() != ']') return fail(i, "a section name ends with ']'");
    const std::string name = line.substr(1, line.size() - 2);
    if (w == 0) return fail(i, "the size must come before the sections");
    if (!seen.insert(name).second) return fail(i, "section [" + name + "] given twice");
    if (out.records.empty()) {
      out.records.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
      unknownTerrain.assign(out.records.size(), false);
    }
    ++i;

    if (name == "terrain-codes") {
      if (!seen.count("terrain")) return fail(i - 1, "[terrain-codes] must follow [terrain]");
      for (; i < lines.size() && (lines[i].empty() || lines[i][0] != '['); ++i) {
        if (lines[i].empty() || lines[i][0] == '#') continue;
        const std::vector<std::string> words = Words(lines[i]);
        unsigned x, y, code;
        if (words.size() != 3 || !ParseUnsigned(words[0], static_cast<unsigned>(w - 1), x) ||
            !ParseUnsigned(words[1], static_cast<unsigned>(h - 1), y) || !ParseUnsigned(words[2], 255, code))
          return fail(i, "a terrain code line is \"x y code\" with a hex of the map");
        const size_t k = static_cast<size_t>(y) * static_cast<size_t>(w) + x;
        if (!unknownTerrain[k]) return fail(i, "hex " + words[0] + " " + words[1] + " is not marked '?'");
        out.records[k].terrain = static_cast<uint8_t>(code);
        unknownTerrain[k] = false;
      }
      continue;
    }

    const sSection* section = nullptr;
    if (name != "terrain") {
      auto it = byName.find(name);
      if (it == byName.end()) return fail(i - 1, "unknown section [" + name + "]");
      section = it->second;
    }
    for (int y = 0; y < h; ++y, ++i) {
      if (i >= lines.size()) return fail(i, "section [" + name + "] needs " + std::to_string(h) + " rows");
      const std::string& row = lines[i];
      if (section == nullptr) {
        if (row.size() != static_cast<size_t>(w))
          return fail(i, "a terrain row needs " + std::to_string(w) + " letters");
        for (int x = 0; x < w; ++x) {
          const size_t k = static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
          const char c = row[static_cast<size_t>(x)];
          const char* p = c != '\0' ? std::strchr(kTerrainLetters, c) : nullptr;
          if (p != nullptr) {
            out.records[k].terrain = static_cast<uint8_t>(p - kTerrainLetters);
          } else if (c == '?') {
            unknownTerrain[k] = true;
          } else {
            return fail(i, std::string("unknown terrain letter '") + c + "'");
          }
        }
      } else {
        const std::vector<std::string> words = Words(row);
        if (words.size() != static_cast<size_t>(w))
          return fail(i, "a row of [" + name + "] needs " + std::to_string(w) + " numbers");
        for (int x = 0; x < w; ++x) {
          unsigned v;
          if (!ParseUnsigned(words[static_cast<size_t>(x)], section->max, v))
            return fail(i, "\"" + words[static_cast<size_t>(x)] + "\" is no number of 0 to " + std::to_string(section->max));
          section->set(out.records[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)], v);
        }
      }
    }
  }
  if (w == 0) return fail(lines.size(), "no size given");
  if (!seen.count("terrain")) return fail(lines.size(), "no [terrain] section");
  for (size_t k = 0; k < unknownTerrain.size(); ++k)
    if (unknownTerrain[k])
      return fail(lines.size(), "hex " + std::to_string(k % static_cast<size_t>(w)) + " " +
                                    std::to_string(k / static_cast<size_t>(w)) + " is '?' without a terrain code");
  out.header.width = static_cast<uint16_t>(w);
  out.header.height = static_cast<uint16_t>(h);
  return true;
}
