#include "tools/slewmeter/slope_filters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kPassband = 2 * kPi * 0.42;  // radians per sample, fitted closely
constexpr double kAboveWeight = 1e-3;         // above it, loosely: that keeps the fit stable
constexpr int kSteps = kSlopeTaps;

using Matrix = std::array<std::array<double, kSteps>, kSteps>;
using Vector = std::array<double, kSteps>;

Vector SolveSymmetric(Matrix a, Vector b) {
  for (int c = 0; c < kSteps; ++c) {
    int pivot = c;
    for (int r = c + 1; r < kSteps; ++r) {
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    }
    std::swap(a[c], a[pivot]);
    std::swap(b[c], b[pivot]);
    for (int r = c + 1; r < kSteps; ++r) {
      const double factor = a[r][c] / a[c][c];
      for (int k = c; k < kSteps; ++k)
        a[r][k] -= factor * a[c][k];
      b[r] -= factor * b[c];
    }
  }
  Vector x{};
  for (int r = kSteps - 1; r >= 0; --r) {
    double sum = b[r];
    for (int k = r + 1; k < kSteps; ++k)
      sum -= a[r][k] * x[k];
    x[r] = sum / a[r][r];
  }
  return x;
}

// The slope at `offset` samples past the middle step's first sample, from the
// steps around it. A step's response is 2i sin(w/2) e^(iw/2), so the filter on
// steps fits (w/2) / sin(w/2) e^(iw(offset - 1/2)): smooth, and exact at DC, which
// keeps the error relative at low frequencies too.
std::array<float, kSteps> FitPhase(double offset) {
  Matrix normal{};
  Vector target{};
  constexpr int kPoints = 4000;
  for (int q = 0; q <= kPoints; ++q) {
    const double w = kPi * q / kPoints;
    const double weight = (q == 0 || q == kPoints ? 0.5 : 1) * (w <= kPassband ? 1 : kAboveWeight);
    const double gain = w > 0 ? (w / 2) / std::sin(w / 2) : 1;
    for (int a = 0; a < kSteps; ++a) {
      const int ja = a - kSteps / 2;
      for (int b = 0; b < kSteps; ++b)
        normal[a][b] += weight * std::cos(w * (ja - (b - kSteps / 2)));
      target[a] += weight * gain * std::cos(w * (offset - 0.5 - ja));
    }
  }
  const Vector fitted = SolveSymmetric(normal, target);
  std::array<float, kSteps> taps{};
  for (int a = 0; a < kSteps; ++a)
    taps[a] = static_cast<float>(fitted[a]);
  return taps;
}

}  // namespace

const SlopeFilters& DesignedSlopeFilters() {
  static const SlopeFilters filters = [] {
    SlopeFilters made{};
    // Points a quarter sample apart, centred in the step: (k + 1/2) / 4; the later
    // half mirrors the earlier.
    for (int k = 0; k < kSlopePhases / 2; ++k) {
      made[k] = FitPhase((k + 0.5) / kSlopePhases);
      std::reverse_copy(made[k].begin(), made[k].end(), made[kSlopePhases - 1 - k].begin());
    }
    return made;
  }();
  return filters;
}
