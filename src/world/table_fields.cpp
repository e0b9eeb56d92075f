#include "world/table_fields.h"

#include <climits>
#include <cmath>
#include <cwchar>

int ReadIntField(const std::wstring& field) {
  const long long v = std::wcstoll(field.c_str(), nullptr, 10);
  if (v < INT_MIN) return INT_MIN;
  if (v > INT_MAX) return INT_MAX;
  return static_cast<int>(v);
}

double ReadRealField(const std::wstring& field) {
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
