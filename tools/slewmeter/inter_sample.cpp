#include "tools/slewmeter/inter_sample.h"

#include <algorithm>
#include <vector>

InterSampleSlope::InterSampleSlope(SlopeInstructions instructions)
    : filter(ChooseTileFilter(instructions)) {}

void InterSampleSlope::push(const double* samples, size_t count) {
  for (size_t done = 0; done < count;) {
    const size_t frames = std::min(count - done, SlopeTile::kFrames);
    keepIfSteepest(frames, filter(samples + done, frames, tile));
    done += frames;
  }
}

void InterSampleSlope::keepIfSteepest(size_t count,
                                      const std::array<float, kPhases>& phaseSteepest) {
  const auto& slopes = tile.slopes;
  if (!afterKnown) {
    after = slopes[0][0];
    afterKnown = true;
  }
  const auto phase = std::max_element(phaseSteepest.begin(), phaseSteepest.end());
  if (*phase > steepest) {
    // Found again on the grid: point n, phase k is grid point n * kPhases + k.
    const auto k = static_cast<size_t>(phase - phaseSteepest.begin());
    const float* slope = slopes[k].data();
    const auto n = static_cast<size_t>(std::find(slope, slope + count, *phase) - slope);
    const size_t g = n * kPhases + k, grid = count * kPhases;
    auto at = [&](size_t point) { return slopes[point % kPhases][point / kPhases]; };
    steepest = *phase;
    before = g > 0 ? at(g - 1) : lastSlope;
    afterKnown = g + 1 < grid;
    after = afterKnown ? at(g + 1) : 0;
  }
  lastSlope = slopes[kPhases - 1][count - 1];
}

void InterSampleSlope::finish() {
  // Resting at the last sample: every later step is 0.
  const std::vector<double> rest(kTaps, tile.lastSample);
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
