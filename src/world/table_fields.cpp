#include "world/table_fields.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cwchar>

namespace {

bool OnlyBlanksFrom(const wchar_t* p) {
  while (*p == L' ' || *p == L'\t') ++p;
  return *p == L'\0';
}

}  // namespace

bool ParseIntField(const std::wstring& field, int& value) {
  const wchar_t* begin = field.c_str();
  wchar_t* end = nullptr;
  errno = 0;
  const long v = std::wcstol(begin, &end, 10);
  if (end == begin || errno != 0 || v < INT_MIN || v > INT_MAX || !OnlyBlanksFrom(end)) return false;
  value = static_cast<int>(v);
  return true;
}

bool ParseRealField(const std::wstring& field, double& value) {
  const wchar_t* begin = field.c_str();
  wchar_t* end = nullptr;
  errno = 0;
  const double v = std::wcstod(begin, &end);
  if (end == begin || errno == ERANGE || !std::isfinite(v) || !OnlyBlanksFrom(end)) return false;
  value = v;
  return true;
}
