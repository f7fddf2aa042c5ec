// The MDCT's defining sums in extended precision, for checking the built-in at any size.
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

// The kernel cos(π/(2N)·(2n + 1 + N/2)·(2k + 1)), exact to extended precision: its
// argument only matters modulo 4N.
class MdctKernel {
 public:
  explicit MdctKernel(size_t size) : Size(size), Cosines(4 * size) {
    for (size_t q = 0; q < Cosines.size(); ++q)
      Cosines[q] = std::cos(std::numbers::pi_v<long double> * q / (2 * size));
  }
  long double operator()(size_t n, size_t k) const {
    return Cosines[(2 * n + 1 + Size / 2) * (2 * k + 1) % Cosines.size()];
  }

 private:
  size_t Size;
  std::vector<long double> Cosines;
};

inline double MdctWindow(size_t i, size_t size) {
  return std::sin((i + 0.5) * std::numbers::pi / size);
}

// The N/2 coefficients of N windowed values.
inline std::vector<long double> ReferenceMdct(const std::vector<double>& input) {
  const size_t size = input.size();
  const MdctKernel kernel(size);
  std::vector<long double> coefficients(size / 2);
  for (size_t k = 0; k < size / 2; ++k) {
    for (size_t n = 0; n < size; ++n)
      coefficients[k] += input[n] * MdctWindow(n, size) * kernel(n, k);
  }
  return coefficients;
}

// The N windowed values of the N/2 coefficients at the start of `input` (of N cells).
inline std::vector<long double> ReferenceInverseMdct(const std::vector<double>& input) {
  const size_t size = input.size();
  const MdctKernel kernel(size);
  std::vector<long double> values(size);
  for (size_t n = 0; n < size; ++n) {
    long double sum = 0;
    for (size_t k = 0; k < size / 2; ++k)
      sum += input[k] * kernel(n, k);
    values[n] = 4.0L / size * sum * MdctWindow(n, size);
  }
  return values;
}
