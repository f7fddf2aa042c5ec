#include "tools/slewmeter/inter_sample.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kPassband = 2 * kPi * 0.42;  // radians per sample, fitted closely
constexpr double kAboveWeight = 1e-3;         // above it, loosely: that keeps the fit stable
constexpr int kSteps = InterSampleSlope::kTaps;
constexpr size_t kHistory = kSteps - 1;

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

// Non-finite samples count as silence, as in the meter; the bound keeps every
// sum finite in float, where the filter runs.
float Sanitized(double sample) {
  return std::isfinite(sample) ? static_cast<float>(std::clamp(sample, -1e30, 1e30)) : 0.0f;
}

}  // namespace

const SlopeFilters& DesignedSlopeFilters() {
  static const SlopeFilters filters = [] {
    SlopeFilters made{};
    // Points a quarter sample apart, centred in the step: (k + 1/2) / 4.
    for (int k = 0; k < InterSampleSlope::kPhases; ++k)
      made[k] = FitPhase((k + 0.5) / InterSampleSlope::kPhases);
    return made;
  }();
  return filters;
}

InterSampleSlope::InterSampleSlope() : steps(kHistory, 0.0f) {
  DesignedSlopeFilters();
}

void InterSampleSlope::push(const double* samples, size_t count) {
  steps.resize(kHistory + count);
  for (size_t i = 0; i < count; ++i) {
    const float sample = Sanitized(samples[i]);
    steps[kHistory + i] = sample - previousSample;
    previousSample = sample;
  }
  const SlopeFilters& filters = DesignedSlopeFilters();
  const float* step = steps.data();
  for (int k = 0; k < kPhases; ++k) {
    std::vector<float>& slope = slopes[k];
    slope.resize(count);
    float* out = slope.data();
    const std::array<float, kSteps> c = filters[k];
    // The sum stays in a register across the taps: one pass over the steps.
    for (size_t n = 0; n < count; ++n) {
      float sum = 0;
      for (int tap = 0; tap < kSteps; ++tap)
        sum += c[tap] * step[n + tap];
      out[n] = std::fabs(sum);
    }
  }
  keepIfSteepest(count);
  std::copy(steps.end() - kHistory, steps.end(), steps.begin());
}

void InterSampleSlope::keepIfSteepest(size_t count) {
  if (count == 0) return;
  if (!afterKnown) {
    after = slopes[0][0];
    afterKnown = true;
  }
  // Slopes are finite and not negative here, so their bits order as integers do:
  // an integer maximum, which the compiler vectorises where a float one waits
  // on NaN rules.
  int32_t largestBits = 0;
  for (const std::vector<float>& slope : slopes) {
    for (float value : slope)
      largestBits = std::max(largestBits, std::bit_cast<int32_t>(value));
  }
  const auto largest = std::bit_cast<float>(largestBits);
  if (largest > steepest) {
    // Found again on the grid: point n, phase k is grid point n * kPhases + k.
    const size_t grid = count * kPhases;
    auto at = [&](size_t g) { return slopes[g % kPhases][g / kPhases]; };
    size_t g = 0;
    for (int k = 0; k < kPhases; ++k) {
      const auto& slope = slopes[k];
      const auto found = std::find(slope.begin(), slope.end(), largest);
      if (found != slope.end()) {
        g = static_cast<size_t>(found - slope.begin()) * kPhases + static_cast<size_t>(k);
        break;
      }
    }
    steepest = largest;
    before = g > 0 ? at(g - 1) : lastSlope;
    afterKnown = g + 1 < grid;
    after = afterKnown ? at(g + 1) : 0;
  }
  lastSlope = slopes[kPhases - 1][count - 1];
}

void InterSampleSlope::finish() {
  // Resting at the last sample: every later step is 0.
  const std::vector<double> rest(kSteps, previousSample);
  push(rest.data(), rest.size());
}

double InterSampleSlope::takePeak() {
  // In double: the squares of the largest float slopes overflow float.
  double peak = steepest;
  const double left = before, right = after;
  // Between grid points the peak lies on the parabola through its neighbours;
  // with the peak above both, the correction is at most a quarter of it.
  const double curvature = 2 * peak - left - right;
  if (afterKnown && peak >= left && peak >= right && curvature > 0) {
    peak += (right - left) * (right - left) / (8 * curvature);
  }
  steepest = before = after = 0;
  afterKnown = true;
  return peak;
}

size_t InterSampleSlope::heldBytes() const {
  size_t bytes = steps.capacity() * sizeof(float);
  for (const std::vector<float>& slope : slopes)
    bytes += slope.capacity() * sizeof(float);
  return bytes;
}
