// The inter-sample slope of each graph frame, measured chunk by chunk as chunks
// arrive, before the plug-in takes them: the filters read a chunk into the
// metering core's cache, where the plug-in then finds it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "tools/slewmeter/chunk_ring.h"
#include "tools/slewmeter/inter_sample.h"

class FrameSlopes {
 public:
  explicit FrameSlopes(int64_t sampleRate) : sampleRate(sampleRate) {}

  // The filters take the samples the audio before ended on as held, its end
  // measured already (--gapless).
  void continueFrom(std::array<double, 2> last);
  // Sets the chunk's slope peaks: those of the graph frames that end within it
  // and, for the end chunk, the last frame's, resting at the last sample.
  void measure(Chunk& chunk);
  // The most peaks a chunk of `frames` can carry.
  size_t mostPeaks(size_t frames) const;

  size_t heldBytes() const { return slopes[0].heldBytes() + slopes[1].heldBytes(); }

 private:
  const int64_t sampleRate;
  int64_t done = 0;        // frames measured
  int64_t graphFrame = 0;  // the one being measured
  std::array<InterSampleSlope, 2> slopes;
};
