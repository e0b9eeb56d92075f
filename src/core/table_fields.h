#pragma once
// The fields of the semicolon tables: the scenario's and the GUI layout's.
// A number field is read as the number it starts with; a field that is no
// number reads as 0.
#include <string>
#include <string_view>
#include <vector>

// The decimal integer at the start of the field, blanks before it allowed;
// values beyond the 32-bit range are held at its ends.
int ReadIntField(const std::wstring& field);
// The decimal real at the start of the field, blanks before it allowed.
double ReadRealField(const std::wstring& field);

// Where a number of a data file may lie, and what a value outside it does:
// where the game cannot go on with another value (an id, a count that
// sizes the world) it is a fatal data error, where a bound serves (a
// strength, a constant) the value is held at the nearer end with a WARNING.
enum class eOutOfRange { kFatal, kClamp };
struct sFieldRange {
  double lo;
  double hi;
  eOutOfRange outside = eOutOfRange::kClamp;
};
// The place of a field, for the line that names it.
struct sFieldSite {
  std::wstring_view file;
  int line;
  std::wstring_view field;
};
// With warning given, the WARNING line is stored there instead of logged.
int RangedField(int value, const sFieldRange& range, const sFieldSite& site);
// A real outside the range, or one that is no finite number, is handled as
// an integer outside it is.
double RangedField(double value, const sFieldRange& range, const sFieldSite& site, std::wstring* warning = nullptr);
float RangedField(float value, const sFieldRange& range, const sFieldSite& site);
// A table field read and given its range in one step.
inline int RangedIntField(const std::wstring& field, const sFieldRange& range, const sFieldSite& site) {
  return RangedField(ReadIntField(field), range, site);
}
inline double RangedRealField(const std::wstring& field, const sFieldRange& range, const sFieldSite& site) {
  return RangedField(ReadRealField(field), range, site);
}

// The ranges most fields share. An amount (points, strengths, counters,
// turns) stays far enough inside int that one product with a scenario
// constant (held to +-10000) or a sum over a world's units still fits.
inline constexpr sFieldRange kAmountRange{-100000, 100000};
inline constexpr sFieldRange kRealAmountRange{-1e7, 1e7};
// Hex coordinates and sizes: -1 stands for none.
inline constexpr sFieldRange kCoordinateRange{-1, 10000};
// Codes of small sets (types, orders, sides) and references to rows of
// other tables, checked where they are looked up.
inline constexpr sFieldRange kCodeRange{-1000, 1000000};

// One row of a table with its place, handing out its numbers in range.
class cRangedRow {
 public:
  cRangedRow(const std::vector<std::wstring>& fields, std::wstring_view file, int line)
      : fields_(fields), file_(file), line_(line) {}
  int Int(size_t column, std::wstring_view name, const sFieldRange& range) const {
    return RangedIntField(fields_[column], range, {file_, line_, name});
  }
  double Real(size_t column, std::wstring_view name, const sFieldRange& range) const {
    return RangedRealField(fields_[column], range, {file_, line_, name});
  }
  float Real32(size_t column, std::wstring_view name, const sFieldRange& range) const {
    return static_cast<float>(Real(column, name, range));
  }
  const std::vector<std::wstring>& Fields() const { return fields_; }
  int Line() const { return line_; }

 private:
  const std::vector<std::wstring>& fields_;
  std::wstring_view file_;
  int line_;
};

// The fields of one line of a table read line by line, split at ';'. A run
// of separators counts as one, so an empty field vanishes and the later
// fields move left. When shifted is given it tells whether that happened
// before the last field (a trailing ';' moves nothing).
std::vector<std::wstring> SplitTableLine(std::wstring_view line, bool* shifted = nullptr);
