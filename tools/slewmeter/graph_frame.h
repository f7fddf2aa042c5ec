// What one graph frame (1/30 s of audio) tells about both channels: the meter's
// newest points, the inter-sample slopes of the same audio, and where each
// channel stands against the ceilings.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <iterator>
#include <span>

#include "effect/meter_model.h"

// The ceilings a run measures against, in the order the reports list them: the
// meter's own, unless a caller gives others.
using CeilingTable = std::span<const Ceiling>;
// Ceilings by their place in the table.
inline constexpr size_t kMostCeilings = 32;
using CeilingSet = std::bitset<kMostCeilings>;
static_assert(std::size(kCeilings) <= kMostCeilings);

struct ChannelPoint {
  double step = 0;         // the meter's point: the largest step, full-scale units per sample
  double interSample = 0;  // the steepest reconstructed slope, never below `step`; 0 unasked
  CeilingSet above;        // the point stands above the ceiling...
  CeilingSet rose;         // ...and did not in the frame before
};

// Graph frame k covers the samples from GraphFrameStart(k) up to GraphFrameStart(k + 1).
// In integers, so that 30 of them make exactly one second at any rate and no
// error builds up over days of audio.
inline constexpr auto kGraphFramesPerSecond = static_cast<int64_t>(kGraphicsFramesPerSecond);
inline int64_t GraphFrameStart(int64_t index, int64_t sampleRate) {
  return index * sampleRate / kGraphFramesPerSecond;
}
// The fewest and the most samples a whole graph frame holds at `sampleRate`.
inline std::array<int64_t, 2> GraphFrameSamples(int64_t sampleRate) {
  return {sampleRate / kGraphFramesPerSecond,
          (sampleRate + kGraphFramesPerSecond - 1) / kGraphFramesPerSecond};
}

struct GraphFrame {
  int64_t index = 0;        // from the start of the audio: the second is index / 30
  double from = 0, to = 0;  // seconds of audio
  std::array<ChannelPoint, 2> channels;
};

// Marks where a channel's points stand against the ceilings, frame after frame.
class CeilingWatch {
 public:
  CeilingWatch(CeilingTable ceilings, double fullScale)
      : ceilings(ceilings), fullScale(fullScale) {}
  void place(ChannelPoint& point) {
    for (size_t c = 0; c < ceilings.size(); ++c)
      point.above[c] = point.step > ceilings[c].share() * fullScale;
    point.rose = point.above & ~wasAbove;
    wasAbove = point.above;
  }

 private:
  CeilingTable ceilings;
  double fullScale;
  CeilingSet wasAbove;
};
