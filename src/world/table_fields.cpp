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
