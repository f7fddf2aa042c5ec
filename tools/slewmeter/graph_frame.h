// What one graph frame (1/30 s of audio) tells about both channels: the meter's
// newest points, the inter-sample slopes of the same audio, and where each
// channel stands against the ceilings.
#pragma once

#include <array>

#include "tools/slewmeter/meter_model.h"

struct ChannelPoint {
  double step = 0;           // the meter's point: the largest step, full-scale units per sample
  double interSample = 0;    // the steepest reconstructed slope, same unit (0 when not asked)
  PerCeiling<bool> above{};  // the point stands above the ceiling...
  PerCeiling<bool> rose{};   // ...and did not in the frame before
};

struct GraphFrame {
  double from = 0, to = 0;  // seconds of audio
  std::array<ChannelPoint, 2> channels;
};

// Marks where a channel's points stand against the ceilings, frame after frame.
class CeilingWatch {
 public:
  explicit CeilingWatch(double fullScale) : fullScale(fullScale) {}
  void place(ChannelPoint& point) {
    for (size_t c = 0; c < kCeilingCount; ++c) {
      point.above[c] = point.step > kCeilings[c].share * fullScale;
      point.rose[c] = point.above[c] && !wasAbove[c];
      wasAbove[c] = point.above[c];
    }
  }

 private:
  double fullScale;
  PerCeiling<bool> wasAbove{};
};
