#include "core/table_fields.h"

#include <climits>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cwchar>

#include "core/console.h"
#include "core/front_end.h"
#include "core/text.h"

namespace {
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Digits of a field read directly; more than this goes to the C library.
// Eighteen decimal digits always fit a long long; fifteen always fit the
// 53-bit mantissa of a double exactly.
constexpr int kIntDigits = 18;
constexpr int kRealDigits = 15;

constexpr double kPowersOfTen[kRealDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
}  // namespace

// Tables are mostly plain numbers: a sign and digits are read here, and
// everything else (leading blanks, more digits) by the C library, which
// gives the same value wherever both apply.
int ReadIntField(const std::wstring& field) {
  const wchar_t* p = field.c_str();
  const bool negative = *p == L'-';
  if (*p == L'-' || *p == L'+') ++p;
  long long v = 0;
  int digits = 0;
  while (IsDigit(*p) && digits < kIntDigits) {
    v = v * 10 + (*p++ - L'0');
    ++digits;
  }
  if (digits == 0 || IsDigit(*p))
    v = std::wcstoll(field.c_str(), nullptr, 10);
  else if (negative)
    v = -v;
  if (v < INT_MIN) return INT_MIN;
  if (v > INT_MAX) return INT_MAX;
  return static_cast<int>(v);
}

double ReadRealField(const std::wstring& field) {
  // Digits with an optional fraction, at most fifteen of them: the mantissa
  // and the power of ten are exact, so one division rounds as the library's
  // correctly rounded reading does. A following exponent or hex form, or
  // arithmetic in wider precision than double, leaves it to the library.
#if FLT_EVAL_METHOD == 0
  const wchar_t* p = field.c_str();
  const bool negative = *p == L'-';
  if (*p == L'-' || *p == L'+') ++p;
  if (IsDigit(*p)) {
    uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    while (IsDigit(*p) && digits <= kRealDigits) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(*p++ - L'0');
      ++digits;
    }
    if (*p == L'.') {
      ++p;
      while (IsDigit(*p) && digits <= kRealDigits) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(*p++ - L'0');
        ++digits;
        ++fraction;
      }
    }
    if (digits <= kRealDigits && !IsDigit(*p) && *p != L'e' && *p != L'E' && *p != L'x' && *p != L'X') {
      const double v = static_cast<double>(mantissa) / kPowersOfTen[fraction];
      return negative ? -v : v;
    }
  }
#endif
  const double v = std::wcstod(field.c_str(), nullptr);
  // "inf" and "nan" are no amounts a table can mean.
  return std::isfinite(v) ? v : 0.0;
}

std::vector<std::wstring> SplitTableLine(std::wstring_view line, bool* shifted) {
  std::vector<std::wstring> fields;
  bool gap = false;
  bool moved = false;
  size_t start = 0;
  for (;;) {
    const size_t end = line.find(L';', start);
    const std::wstring_view field = line.substr(start, end == std::wstring_view::npos ? end : end - start);
    if (field.empty()) {
      gap = true;
    } else {
      moved = moved || gap;
      fields.emplace_back(field);
    }
    if (end == std::wstring_view::npos) break;
    start = end + 1;
  }
  if (shifted != nullptr) *shifted = moved;
  return fields;
}

namespace {

// One line for both outcomes; the value is printed as the file gave it.
double Ranged(double value, const sFieldRange& range, const sFieldSite& site, std::wstring* warning) {
  // Not a number compares false both ways and is held at the low end.
  if (value >= range.lo && value <= range.hi) return value;
  const std::wstring file(site.file);
  const std::wstring field(site.field);
  // Files of keys (INI) have no line to name.
  const std::wstring place =
      site.line > 0 ? WFormat(L"%s line %i", file.c_str(), site.line) : WFormat(L"%s", file.c_str());
  if (range.outside == eOutOfRange::kFatal)
    FatalExit(WFormat(L"ERROR: %s: field %s is %g, which is outside %g..%g", place.c_str(), field.c_str(), value,
                      range.lo, range.hi),
              1);
  const double held = value > range.hi ? range.hi : range.lo;
  std::wstring line = WFormat(L"WARNING: %s: field %s is %g, which is outside %g..%g; %g is used", place.c_str(),
                              field.c_str(), value, range.lo, range.hi, held);
  if (warning != nullptr)
    *warning = std::move(line);
  else
    LogLine(line);
  return held;
}

}  // namespace

int RangedField(int value, const sFieldRange& range, const sFieldSite& site) {
  return static_cast<int>(Ranged(value, range, site, nullptr));
}

double RangedField(double value, const sFieldRange& range, const sFieldSite& site, std::wstring* warning) {
  return Ranged(value, range, site, warning);
}

float RangedField(float value, const sFieldRange& range, const sFieldSite& site) {
  return static_cast<float>(RangedField(static_cast<double>(value), range, site));
}
