#pragma once
// Arithmetic on numbers that data files can make large: results held at the
// ends of int instead of overflowing, which would be undefined.
#include <climits>
#include <cmath>
#include <cstdint>

// A real turned into an int towards zero, held at the ends of int; not a
// number gives 0.
inline int SaturatedInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT_MAX;
  if (v <= -2147483648.0) return INT_MIN;
  return static_cast<int>(v);
}

inline int SaturatedInt(int64_t v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v); }

inline int SaturatedAdd(int a, int b) { return SaturatedInt(static_cast<int64_t>(a) + b); }
inline int SaturatedMul(int a, int b) { return SaturatedInt(static_cast<int64_t>(a) * b); }
