// What the meter should measure, worked out the plain way from the samples.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

// The step at each frame since activation: |x[n] - x[n-1]|, with silence before
// the first frame. A sample that is not finite steps by 0 and is 0 for the next.
inline std::vector<double> Steps(const std::vector<float>& x) {
  std::vector<double> steps(x.size());
  double previous = 0;
  for (size_t n = 0; n < x.size(); ++n) {
    const double sample = x[n];
    steps[n] = std::isfinite(sample) ? std::fabs(sample - previous) : 0.0;
    previous = std::isfinite(sample) ? sample : 0.0;
  }
  return steps;
}

// The largest step of frames [begin, end), 0 for none.
inline double LargestStep(const std::vector<double>& steps, size_t begin, size_t end) {
  return end > begin ? *std::max_element(steps.begin() + static_cast<long>(begin),
                                         steps.begin() + static_cast<long>(end))
                     : 0.0;
}

// One readout per 1/30 s of audio.
inline size_t FramesPerReadout(double sampleRate) {
  return static_cast<size_t>(std::lround(sampleRate / 30));
}

// A control output is a float: a step wider than the largest float reads as
// the largest float.
inline float ReadoutOf(double step) {
  return static_cast<float>(std::min(step, double{std::numeric_limits<float>::max()}));
}

// The control outputs after `processed` frames since activation: the largest
// step of the last whole 1/30 s, and of everything.
struct Readouts {
  double recent, largest;
};
inline Readouts ExpectedReadouts(const std::vector<double>& steps, size_t processed,
                                 size_t framesPerReadout) {
  const size_t readoutEnd = processed / framesPerReadout * framesPerReadout;
  const size_t readoutBegin = readoutEnd > 0 ? readoutEnd - framesPerReadout : 0;
  return {LargestStep(steps, readoutBegin, readoutEnd), LargestStep(steps, 0, processed)};
}
