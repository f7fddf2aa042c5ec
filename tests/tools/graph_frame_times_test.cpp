// Graph frames and per-second peaks keep audio time exactly: a step is charged
// to the graph frame and the second of the sample that made it, whatever the
// block size and whether a second holds a whole number of graph frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "metered_signal.h"

namespace {

class GraphFrameTimes : public ::testing::TestWithParam<std::tuple<int, int32_t>> {};

// Three seconds. Left rises to 0.5 at the last sample of second 0 and falls at
// the first of second 2; right rises to 0.25 at the first sample of second 1.
TEST_P(GraphFrameTimes, AStepBelongsToTheSecondAndGraphFrameOfItsSample) {
  const auto [rate, block] = GetParam();
  const int64_t frames = 3 * int64_t{rate};
  MeterSettings settings;
  settings.blockSize = block;
  settings.perSecond = true;
  const Measurement measurement = MeterSignal(
      rate, frames,
      [=](int64_t at, int channel) {
        return channel == 0 ? (at >= rate - 1 && at < 2 * rate ? 0.5 : 0.0)
                            : (at >= rate ? 0.25 : 0.0);
      },
      settings);

  std::vector<std::pair<double, double>> seconds;
  ASSERT_TRUE(measurement.perSecond->forEach(
      [&](double left, double right) { seconds.emplace_back(left, right); }));
  const std::vector<std::pair<double, double>> expected{{0.5, 0}, {0, 0.25}, {0.5, 0}};
  EXPECT_EQ(seconds, expected);
  // The left's first step is in the last graph frame of second 0, the right's
  // in the first of second 1; a graph frame starts on a whole sample.
  const double sample = 1.0 / rate;
  EXPECT_NEAR(measurement.channels[0].step.from, 29.0 / 30, sample);
  EXPECT_EQ(measurement.channels[0].step.to, 1.0);
  EXPECT_EQ(measurement.channels[1].step.from, 1.0);
  EXPECT_NEAR(measurement.channels[1].step.to, 31.0 / 30, sample);
}

// 11025 Hz has 367.5 samples to a graph frame.
INSTANTIATE_TEST_SUITE_P(RatesAndBlocks, GraphFrameTimes,
                         ::testing::Values(std::tuple{48000, 512}, std::tuple{48000, 65536},
                                           std::tuple{44100, 4096}, std::tuple{11025, 512},
                                           std::tuple{11025, 1}));

}  // namespace
