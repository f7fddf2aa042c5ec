// The three value rules every script value obeys: finite, index and equality.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// NaN and magnitudes beyond the largest finite double become 0.
// One comparison does both: NaN compares false.
inline double FiniteOrZero(double x) {
  return std::fabs(x) <= std::numeric_limits<double>::max() ? x : 0.0;
}

// Truncates x -/+ 0.0001 toward zero; NaN and values that do not fit give INT32_MIN,
// as the processor's own conversion does.
inline int32_t ToIndex(double x) {
  const double nudged = x < 0 ? x - 0.0001 : x + 0.0001;
  if (!(nudged > -2147483649.0 && nudged < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(nudged);
}

inline bool IsNearlyEqual(double a, double b) {
  const double d = a - b;
  return d > -0.00001 && d < 0.00001;
}

// A script condition holds when its value is not 0 within the tolerance.
inline bool IsTrue(double x) {
  return !IsNearlyEqual(x, 0.0);
}

// Every loop of translated code stops after this many passes.
constexpr int kLoopCap = 1000000;
