// The steepest slope of the band-limited reconstruction of one channel: the
// slope the converter's output really has between the samples, in full-scale
// units per sample like the meter's step.
#pragma once

#include <cstddef>

#include "tools/slewmeter/slope_tile.h"

class InterSampleSlope {
 public:
  static constexpr int kPhases = kSlopePhases;
  static constexpr int kTaps = kSlopeTaps;

  explicit InterSampleSlope(SlopeInstructions instructions = WidestSlopeInstructions());

  void push(const double* samples, size_t count);
  // The last samples' slopes: the signal is taken to rest at its last value
  // (as it starts from silence, like the meter's first step).
  void finish();
  // The steepest slope since the last take; then starts again.
  double takePeak();

  size_t heldBytes() const { return sizeof tile; }

 private:
  void keepIfSteepest(size_t count, const std::array<float, kPhases>& phaseSteepest);

  TileFilter filter;
  SlopeTile tile;
  float lastSlope = 0;  // the slope just before the current tile
  // The steepest slope since the last take and its neighbours on the grid of phases.
  float before = 0, steepest = 0, after = 0;
  bool afterKnown = true;
};
