#include "tools/slewmeter/frame_slopes.h"

#include <algorithm>

#include "tools/slewmeter/graph_frame.h"

void FrameSlopes::continueFrom(std::array<double, 2> last) {
  for (size_t c = 0; c < 2; ++c) {
    std::array<double, 2 * InterSampleSlope::kTaps> held;
    held.fill(last[c]);
    slopes[c].push(held.data(), held.size());
    slopes[c].takePeak();
  }
}

void FrameSlopes::measure(Chunk& chunk) {
  chunk.slopePeaks.clear();
  if (chunk.frames == 0) {
    slopes[0].finish();
    slopes[1].finish();
    chunk.slopePeaks.push_back({slopes[0].takePeak(), slopes[1].takePeak()});
    return;
  }
  for (size_t start = 0; start < chunk.frames;) {
    const int64_t graphFrameEnd = GraphFrameStart(graphFrame + 1, sampleRate);
    const size_t count = std::min(chunk.frames - start, static_cast<size_t>(graphFrameEnd - done));
    slopes[0].push(chunk.left.data() + start, count);
    slopes[1].push(chunk.right.data() + start, count);
    done += static_cast<int64_t>(count);
    start += count;
    if (done == graphFrameEnd) {
      chunk.slopePeaks.push_back({slopes[0].takePeak(), slopes[1].takePeak()});
      ++graphFrame;
    }
  }
}

size_t FrameSlopes::mostPeaks(size_t frames) const {
  // Every frame ending within, one more where the chunk starts part way into one.
  const auto shortest = static_cast<size_t>(GraphFrameSamples(sampleRate)[0]);
  return frames / shortest + 1;
}
