// The steepest slope of the band-limited reconstruction of one channel: the
// slope the converter's output really has between the samples, in full-scale
// units per sample like the meter's step.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

class InterSampleSlope {
 public:
  // The slope is read at this many points between two samples...
  static constexpr int kPhases = 4;
  // ...each from this many steps around them.
  static constexpr int kTaps = 15;

  InterSampleSlope();

  void push(const double* samples, size_t count);
  // The last samples' slopes: the signal is taken to rest at its last value
  // (as it starts from silence, like the meter's first step).
  void finish();
  // The steepest slope since the last take; then starts again.
  double takePeak();

  size_t heldBytes() const;

 private:
  void keepIfSteepest(size_t count);

  std::vector<float> steps;  // the last kTaps - 1 steps, then the newest
  std::array<std::vector<float>, kPhases> slopes;
  float previousSample = 0;
  float lastSlope = 0;  // the slope just before the current push
  // The steepest slope since the last take and its neighbours on the grid of phases.
  float before = 0, steepest = 0, after = 0;
  bool afterKnown = true;
};

// The filter of each phase over kTaps consecutive steps: a least-squares fit of
// the ideal differentiator up to 0.42 of the sample rate. Exposed for its test.
using SlopeFilters =
    std::array<std::array<float, InterSampleSlope::kTaps>, InterSampleSlope::kPhases>;
const SlopeFilters& DesignedSlopeFilters();
