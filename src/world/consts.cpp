#include "world/consts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/console.h"
#include "core/front_end.h"
#include "core/paths.h"
#include "core/text.h"
#include "core/text_file.h"
#include "core/table_fields.h"

namespace {

// Lines are read in pieces of this many characters; each piece counts as a line.
constexpr size_t kMaxPiece = 999;

enum eKind : uint8_t {
  kInt,    // decimal integer
  kReal,   // 32-bit real
  kTrunc,  // written as a real, stored truncated towards zero
};

// A run of fields of one row stored side by side from offset on.
struct sSeg {
  int first = 0;
  int last = 0;
  size_t offset = 0;
};

struct sRow {
  eKind kind = kInt;
  bool line = false;  // the whole line holds one value
  int segCount = 0;
  sSeg seg[3];
  int LastField() const { return line ? 1 : seg[segCount - 1].last; }
  int ValueCount() const {
    int n = 0;
    for (int i = 0; i < segCount; ++i) n += seg[i].last - seg[i].first + 1;
    return n;
  }
};

#define OFF(member) offsetof(sConsts, member)

class cRowTable {
 public:
  cRowTable() {
    const size_t i4 = sizeof(int), f4 = sizeof(float);
    List(1, kInt, {1, 12, OFF(turnsPerMonth)});
    for (int r = 0; r < 6; ++r) List(2 + r, kInt, {2, 8, OFF(actionPointTable) + r * 7 * i4});
    List(8, kInt, {1, 3, OFF(c008)});
    for (int r = 0; r < 5; ++r) List(9 + r, kReal, {2, 8, OFF(levelUpCostTable) + r * 7 * f4});
    List(14, kInt, {1, 3, OFF(c014)});
    List(15, kInt, {2, 9, OFF(c015)}, {10, 10, OFF(c015Field10)});
    List(16, kInt, {2, 9, OFF(c016)}, {10, 10, OFF(c016Field10)});
    List(17, kInt, {2, 9, OFF(c017)}, {10, 10, OFF(c017Field10)});
    Line(18, kInt, OFF(c018));
    const size_t reals19[] = {OFF(c019), OFF(c020), OFF(c021), OFF(c022), OFF(c023), OFF(c024),
                              OFF(c025), OFF(c026), OFF(c027), OFF(c028), OFF(c029), OFF(c030)};
    for (int r = 0; r < 12; ++r) List(19 + r, kReal, {2, 8, reals19[r]});
    List(31, kReal, {1, 13, OFF(c031)});
    List(32, kReal, {1, 9, OFF(c032)});
    Line(33, kReal, OFF(c033));
    List(34, kInt, {1, 6, OFF(c034)});
    for (int r = 0; r < 6; ++r) List(35 + r, kInt, {2, 10, OFF(airCombatTableA) + r * 9 * i4});
    for (int r = 0; r < 6; ++r) List(41 + r, kInt, {2, 10, OFF(airCombatTableB) + r * 9 * i4});
    List(47, kInt, {1, 5, OFF(c047)});
    Line(48, kInt, OFF(reserveSupplyLevel));
    Line(49, kInt, OFF(c049));
    List(50, kInt, {2, 11, OFF(supplyBracketUpper)});
    for (int t = 0; t < 6; ++t)
      List(51 + t, kInt, {2, 11, OFF(supplyBracketValue) + t * kSupplyBracketCount * i4});
    List(57, kInt, {1, 9, OFF(c057)});
    List(58, kInt, {1, 5, OFF(c058)});
    List(59, kInt, {1, 3, OFF(c059)});
    Line(60, kInt, OFF(c060));
    List(61, kReal, {2, 7, OFF(bombardDefenderLoss)});
    for (int r = 0; r < 6; ++r) List(62 + r, kInt, {2, 6, OFF(bombardAttackerLoss) + r * 5 * i4});
    List(68, kInt, {2, 8, OFF(c068)});
    List(69, kInt, {2, 8, OFF(seaTransportCost)});
    List(70, kInt, {2, 8, OFF(amphibiousTransportCost)});
    Line(71, kInt, OFF(fleetMoveRange));
    List(72, kInt, {1, 8, OFF(c072)});
    List(73, kInt, {1, 6, OFF(shipHitPoints)});
    List(74, kInt, {2, 7, OFF(c074)});
    List(75, kInt, {2, 7, OFF(c075)});
    List(76, kReal, {2, 7, OFF(c076)});
    List(77, kInt, {2, 7, OFF(c077)});
    List(78, kReal, {2, 8, OFF(c078)});
    List(79, kReal, {2, 8, OFF(c079)});
    List(80, kReal, {2, 4, OFF(c080)});
    List(81, kReal, {2, 4, OFF(c081)});
    Line(82, kInt, OFF(c082));
    Line(83, kInt, OFF(c083));
    Line(84, kInt, OFF(c084));
    List(85, kReal, {1, 4, OFF(c085)});
    List(86, kReal, {1, 3, OFF(c086)});
    List(87, kReal, {1, 3, OFF(c087)});
    List(88, kInt, {2, 8, OFF(c088)});
    List(89, kInt, {2, 8, OFF(c089)});
    List(90, kReal, {2, 8, OFF(c090)});
    List(91, kReal, {2, 7, OFF(c091)});
    List(92, kReal, {2, 7, OFF(c092)});
    List(93, kReal, {2, 4, OFF(c093)});
    List(94, kReal, {2, 10, OFF(c094)});
    for (int r = 0; r < 9; ++r) List(95 + r, kInt, {2, 7, OFF(politicalTable1) + r * 6 * i4});
    for (int r = 0; r < 9; ++r) List(104 + r, kInt, {2, 7, OFF(politicalTable2) + r * 6 * i4});
    List(113, kReal, {2, 7, OFF(pressureFactors)});
    List(114, kReal, {2, 12, OFF(coupFactors)});
    List(115, kReal, {1, 7, OFF(c115)});
    List(116, kInt, {2, 7, OFF(paratroopLosses)});
    List(117, kReal, {2, 7, OFF(battleshipFire)}, {8, 13, OFF(cruiserFire)}, {14, 14, OFF(fleetSizeExponent)});
    List(118, kReal, {1, 7, OFF(c118)});
    List(119, kReal, {1, 8, OFF(c119)});
    List(120, kReal, {1, 11, OFF(c120)});
    List(121, kReal, {1, 1, OFF(convoyBaseChance)}, {2, 4, OFF(convoyAttackFactor)}, {5, 5, OFF(convoyRaiderFactor)});
    List(122, kInt, {2, 7, OFF(c122)});
    List(123, kInt, {2, 7, OFF(c123)});
    List(124, kInt, {1, 3, OFF(nuclearStrike)});
    List(125, kInt, {2, 7, OFF(c125)});
    List(126, kInt, {2, 6, OFF(c126)});
    List(127, kInt, {1, 2, OFF(c127)});
    Line(128, kInt, OFF(c128));
    List(129, kInt, {1, 5, OFF(seaBattleValues)});
    List(130, kInt, {1, 4, OFF(c130)});
    List(131, kReal, {1, 7, OFF(siegeConstants)});
    List(132, kTrunc, {1, 3, OFF(c132)});
    List(133, kTrunc, {1, 3, OFF(c133)});
    List(134, kTrunc, {1, 1, OFF(initialTurnsSinceDrop)});
    List(135, kReal, {1, 2, OFF(c135)}, {3, 3, OFF(newMulberryStrength)}, {4, 4, OFF(newMulberryMonths)});
    Line(136, kReal, OFF(unitUpkeepFactor));
    Line(137, kInt, OFF(c137));
    Line(138, kReal, OFF(c138));
    Line(139, kReal, OFF(c139));
    Line(140, kReal, OFF(c140));
    Line(141, kReal, OFF(c141));
    Line(142, kReal, OFF(c142));
    Line(143, kInt, OFF(c143));
    Line(144, kReal, OFF(c144));
    Line(145, kInt, OFF(c145));
    Line(146, kInt, OFF(c146));
    Line(147, kInt, OFF(c147));
    Line(148, kReal, OFF(c148));
    Line(149, kInt, OFF(c149));
    List(150, kReal, {1, 5, OFF(shoreBombardTechFactor)});
    List(151, kReal, {1, 5, OFF(airRangeTechFactor)});
    Line(152, kInt, OFF(allyHexStrengthMargin));
    Line(153, kReal, OFF(aiStrategicBombardFactor));
    List(154, kInt, {1, 10, OFF(c154)}, {11, 14, OFF(c154Second)});
    Line(155, kReal, OFF(c155));
    Line(156, kInt, OFF(carrierMinHitPoints));
    Line(157, kInt, OFF(c157));
    Line(158, kInt, OFF(c158));
    Line(159, kReal, OFF(c159));
    Line(160, kInt, OFF(c160));
    List(161, kInt, {1, 6, OFF(c161)});
    List(162, kInt, {1, 6, OFF(c162)});
    Line(163, kInt, OFF(c163));
    Line(164, kInt, OFF(c164));
    Line(165, kInt, OFF(c165));
    List(166, kInt, {1, 3, OFF(c166)}, {4, 4, OFF(c166Field4)});
    List(167, kInt, {1, 3, OFF(c167)});
    Line(168, kInt, OFF(c168));
    Line(169, kInt, OFF(c169));
    List(170, kInt, {1, 6, OFF(c170)});
    List(171, kInt, {1, 6, OFF(c171)});
    Line(172, kInt, OFF(c172));
    Line(173, kInt, OFF(c173));
    Line(174, kInt, OFF(c174));
    Line(175, kInt, OFF(c175));
    List(176, kInt, {1, 2, OFF(c176)});
    List(177, kInt, {1, 3, OFF(c177)});
    List(178, kInt, {1, 4, OFF(c178)});
    List(179, kInt, {1, 3, OFF(c179)});
    List(180, kInt, {1, 3, OFF(c180)});
    Line(181, kInt, OFF(c181));
    Line(182, kInt, OFF(aiIdleSearchRadius));
    Line(183, kInt, OFF(extraHitLossChance));
    Line(184, kInt, OFF(sinkChance));
    Line(185, kReal, OFF(c185));
  }

  const sRow* Find(int id) const {
    if (id < 1 || id > kConstsIdCount) return nullptr;
    return &rows_[static_cast<size_t>(id)];
  }

  // The byte offset of value k of a row, or -1 when the row has no value k.
  static ptrdiff_t ValueOffset(const sRow& row, int k) {
    if (k < 1) return -1;
    for (int i = 0; i < row.segCount; ++i) {
      int n = row.seg[i].last - row.seg[i].first + 1;
      if (k <= n) return static_cast<ptrdiff_t>(row.seg[i].offset + static_cast<size_t>(k - 1) * 4);
      k -= n;
    }
    return -1;
  }

 private:
  void List(int id, eKind kind, sSeg a, sSeg b = {}, sSeg c = {}) {
    sRow& r = rows_[static_cast<size_t>(id)];
    r.kind = kind;
    r.seg[0] = a;
    r.seg[1] = b;
    r.seg[2] = c;
    r.segCount = c.last > 0 ? 3 : b.last > 0 ? 2 : 1;
  }
  void Line(int id, eKind kind, size_t offset) {
    List(id, kind, {1, 1, offset});
    rows_[static_cast<size_t>(id)].line = true;
  }

  std::array<sRow, kConstsIdCount + 1> rows_{};
};

#undef OFF

static_assert(sizeof(int) == 4 && sizeof(float) == 4, "constants are 32-bit values");

const cRowTable& Rows() {
  static const cRowTable table;
  return table;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

size_t SkipSpace(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  return i;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal integer with optional sign after leading white space; no digits
// give 0, a value beyond 32 bits stops at the nearest limit.
int ParseInt(std::string_view s) {
  size_t i = SkipSpace(s);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int64_t v = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > int64_t{1} << 32) v = int64_t{1} << 32;  // saturated; stays far from overflow
  }
  if (negative) v = -v;
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// A decimal real with optional sign and exponent after leading white space;
// no digits give 0.
double ParseReal(std::string_view s) {
  size_t i = SkipSpace(s);
  size_t start = i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  size_t numStart = i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t e = i + 1;
    if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
    if (e < s.size() && IsDigit(s[e])) {
      while (e < s.size() && IsDigit(s[e])) ++e;
      i = e;
    }
  }
  double v = 0.0;
  auto res = std::from_chars(s.data() + numStart, s.data() + i, v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large becomes infinite, too small zero, as the C library reads them.
    std::string text(s.substr(start, i - start));
    return std::strtod(text.c_str(), nullptr);
  }
  return negative ? -v : v;
}

int TruncateToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// Where a value comes from, for the warning of one out of range.
struct sValueSite {
  const std::wstring& path;
  int lineNo;
  int id;
  int field;
  std::vector<std::wstring>& warnings;
};

// Every constant is a small rate, count or table entry; this bound keeps
// the products the rules form of two of them inside int.
constexpr sFieldRange kConstRange{-10000, 10000};

double RangedConst(double v, const sValueSite& site) {
  const std::wstring field = WFormat(L"constant %i value %i", site.id, site.field);
  std::wstring warning;
  v = RangedField(v, kConstRange, {site.path, site.lineNo, field}, &warning);
  if (!warning.empty()) site.warnings.push_back(std::move(warning));
  return v;
}

void StoreValue(sConsts& block, eKind kind, size_t offset, std::string_view text, const sValueSite& site) {
  char* at = reinterpret_cast<char*>(&block) + offset;
  switch (kind) {
    case kInt:
      *reinterpret_cast<int*>(at) = static_cast<int>(RangedConst(ParseInt(text), site));
      break;
    case kReal:
      *reinterpret_cast<float*>(at) = static_cast<float>(RangedConst(ParseReal(text), site));
      break;
    case kTrunc:
      // Truncated from the value as stored, a 32-bit real.
      *reinterpret_cast<int*>(at) = TruncateToInt(static_cast<float>(RangedConst(ParseReal(text), site)));
      break;
  }
}

// A comment starts with "#"; a line is blank when nothing but ";" is left
// once the white space around it is removed.
bool CarriesNoId(std::string_view line) {
  if (!line.empty() && line[0] == '#') return true;
  size_t b = SkipSpace(line);
  size_t e = line.size();
  while (e > b && IsSpace(line[e - 1])) --e;
  for (size_t i = b; i < e; ++i)
    if (line[i] != ';') return false;
  return true;
}

// Adds the warnings of the row (values out of range, a short row) to
// warnings, which the caller logs.
void StoreRow(sConsts& block, int id, std::string_view line, const std::wstring& path, int lineNo,
              std::vector<std::wstring>& warnings) {
  const sRow& row = *Rows().Find(id);
  if (row.line) {
    StoreValue(block, row.kind, row.seg[0].offset, line, {path, lineNo, id, 1, warnings});
    return;
  }
  // Runs of ";" are one separator and no field is empty.
  int field = 0;
  int maxRead = 1;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && line[pos] == ';') ++pos;
    if (pos >= line.size()) break;
    size_t end = line.find(';', pos);
    if (end == std::string_view::npos) end = line.size();
    std::string_view text = line.substr(pos, end - pos);
    pos = end;
    ++field;
    for (int s = 0; s < row.segCount; ++s) {
      const sSeg& seg = row.seg[s];
      if (field < seg.first || field > seg.last) continue;
      size_t offset = seg.offset + static_cast<size_t>(field - seg.first) * 4;
      StoreValue(block, row.kind, offset, text, {path, lineNo, id, field, warnings});
      if (id == 73) maxRead = std::max(maxRead, *reinterpret_cast<const int*>(reinterpret_cast<const char*>(&block) + offset));
    }
    if (field >= row.LastField()) break;  // later fields are ignored
  }
  if (id == 73) block.maxShipHitPoints = maxRead;
  if (field < row.LastField()) {
    // An empty cell collapses into its neighbours and shifts the later
    // values, which is easy to miss in the data.
    warnings.push_back(WFormat(L"WARNING: %s line %i (constant %i) has %i fields, %i needed", path.c_str(), lineNo,
                               id, field, row.LastField()));
  }
}

void PrepareBrackets(sConsts& block) {
  for (int k = 0; k < kSupplyBracketCount; ++k) {
    block.supplyBracketUpper[k] = 50;
    for (int t = 0; t < kSupplyTableCount; ++t) block.supplyBracketValue[t][k] = t == 3 ? 100 : 0;
  }
  for (int t : {0, 4, 5})
    for (int j = 0; j < kSupplyLevelCount; ++j) block.supplyTable[t][j] = 0;
}

void BuildSupplyTables(sConsts& block) {
  for (int k = 0; k < kSupplyBracketCount; ++k) {
    const int upper = block.supplyBracketUpper[k];
    for (int j = 1; j < kSupplyLevelCount && j <= upper; ++j)
      for (int t = 0; t < kSupplyTableCount; ++t) block.supplyTable[t][j] = block.supplyBracketValue[t][k];
  }
  // Table 1 becomes what remains of 100 from the top level down. Summed in
  // 64 bits so that absurd bracket values cannot overflow.
  int* table1 = block.supplyTable[sConsts::kEffectivenessTable];
  int64_t r = 100;
  for (int j = kSupplyLevelCount - 1; j >= 1; --j) {
    r -= table1[j];
    table1[j] = static_cast<int>(std::clamp<int64_t>(r, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  }
  table1[0] = block.c049;
  block.supplyTable[1][0] = 100;
  block.supplyTable[2][0] = -4;
  block.supplyTable[3][0] = 50;
}

}  // namespace

int sConsts::Int(int id, int k) const {
  const int* p = const_cast<sConsts*>(this)->IntSlot(id, k);
  return p != nullptr ? *p : 0;
}

float sConsts::Real(int id, int k) const {
  const float* p = const_cast<sConsts*>(this)->RealSlot(id, k);
  return p != nullptr ? *p : 0.0f;
}

int* sConsts::IntSlot(int id, int k) {
  const sRow* row = Rows().Find(id);
  if (row == nullptr || row->kind == kReal) return nullptr;
  ptrdiff_t off = cRowTable::ValueOffset(*row, k);
  return off < 0 ? nullptr : reinterpret_cast<int*>(reinterpret_cast<char*>(this) + off);
}

float* sConsts::RealSlot(int id, int k) {
  const sRow* row = Rows().Find(id);
  if (row == nullptr || row->kind != kReal) return nullptr;
  ptrdiff_t off = cRowTable::ValueOffset(*row, k);
  return off < 0 ? nullptr : reinterpret_cast<float*>(reinterpret_cast<char*>(this) + off);
}

int sConsts::ValueCount(int id) {
  const sRow* row = Rows().Find(id);
  return row == nullptr ? 0 : row->ValueCount();
}

bool LoadConsts(sConsts& block, const std::wstring& scenarioName, const std::wstring* ownerName) {
  std::wstring path = WFormat(L"data\\scenarios\\%s\\consts.csv", scenarioName.c_str());
  return LoadConstsFile(block, path, ownerName != nullptr);
}

namespace {

// The file read last and what it made of which block. A game reads the same
// file once for itself and once per country into blocks that start out
// alike; all but the first take a copy, with the same warnings logged.
struct sLastConstsRead {
  std::wstring path;
  std::string bytes;
  sConsts before{};
  sConsts after{};
  std::vector<std::wstring> warnings;
  bool valid = false;
};

sLastConstsRead& LastConstsRead() {
  thread_local auto last = std::make_unique<sLastConstsRead>();
  return *last;
}

bool SameBlock(const sConsts& a, const sConsts& b) { return std::memcmp(&a, &b, sizeof(sConsts)) == 0; }

// The rest of the stream; false when the stream reported a read error.
bool ReadRest(std::FILE* f, std::string& out) {
  out.clear();
  char chunk[16384];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.append(chunk, got);
  return std::ferror(f) == 0;
}

}  // namespace

bool LoadConstsFile(sConsts& block, const std::wstring& path, bool optional) {
  PrepareBrackets(block);
  LogLine(L"Opening consts.csv...");
  LogLine(path);
  std::FILE* f = OpenGameFile(path, "r");
  if (f == nullptr) {
    if (optional) return false;
    FatalExit(L"ERROR: unable to open consts.csv", 1, /*destroyGame=*/true);
  }
  LogLine(L"consts.csv opened. Reading values...");

  sLastConstsRead& last = LastConstsRead();
  std::string bytes;
  const bool readWhole = ReadRest(f, bytes);
  std::fclose(f);
  if (!readWhole) {
    // Reading goes on with the lines read before the error.
    LogLine(L"ERROR: while reading consts.csv");
  } else if (last.valid && last.path == path && last.bytes == bytes && SameBlock(last.before, block)) {
    for (const std::wstring& w : last.warnings) LogLine(w);
    block = last.after;
    return true;
  }

  last.valid = false;
  last.warnings.clear();
  const sConsts before = block;
  int id = 1;
  int lineNo = 0;
  size_t at = 0;
  std::string_view whole;
  while (NextTextLine(bytes, at, whole)) {
    ++lineNo;
    size_t pos = 0;
    do {
      const std::string_view piece = whole.substr(pos, kMaxPiece);
      pos += kMaxPiece;
      if (CarriesNoId(piece)) continue;
      if (id <= kConstsIdCount) {
        const size_t before = last.warnings.size();
        StoreRow(block, id, piece, path, lineNo, last.warnings);
        for (size_t w = before; w < last.warnings.size(); ++w) LogLine(last.warnings[w]);
      }
      if (id <= kConstsIdCount) ++id;  // later lines are read and ignored
    } while (pos < whole.size());
  }

  BuildSupplyTables(block);
  if (readWhole) {
    last.path = path;
    last.bytes = std::move(bytes);
    last.before = before;
    last.after = block;
    last.valid = true;
  }
  return true;
}
