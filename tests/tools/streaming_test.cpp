// The streaming pipeline in-process: what it holds does not grow with the
// input, known length or not, and the reductions keep every peak.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/slewmeter/meter_run.h"
#include "tools/slewmeter/timeline_columns.h"

namespace {

// Stereo noise-like audio of `frames` frames, a full-scale square burst in one
// 1/10 s at `burstSecond`.
AudioGenerator LongAudio(int64_t frames, double rate, double burstSecond) {
  return [=](size_t start, double* left, double* right, size_t count) {
    const size_t n =
        std::min(count, static_cast<size_t>(std::max<int64_t>(frames - int64_t(start), 0)));
    for (size_t i = 0; i < n; ++i) {
      const double t = static_cast<double>(start + i) / rate;
      const bool burst = t >= burstSecond && t < burstSecond + 0.1;
      // Triangles of 64 and 200 frames: cheap to make, steps of 1/160 and 1/250.
      const auto leftPhase = static_cast<float>((start + i + 32) % 64),
                 rightPhase = static_cast<float>((start + i + 100) % 200);
      left[i] = burst ? ((start + i) % 2 ? 1.0f : -1.0f) : std::fabs(leftPhase - 32) / 160;
      right[i] = std::fabs(rightPhase - 100) / 250;
    }
    return n;
  };
}

Measurement MeterGenerated(double minutes, bool lengthKnown) {
  constexpr double kRate = 48000;
  const auto frames = static_cast<int64_t>(minutes * 60 * kRate);
  auto reader = AudioReader::generated({kRate, 2, lengthKnown ? frames : -1, {}},
                                       LongAudio(frames, kRate, minutes * 60 * 0.75));
  Measurement measurement;
  std::string error;
  MeterSettings settings;
  settings.interSample = true;
  settings.perSecond = true;
  settings.timelineColumns = 1200;
  EXPECT_TRUE(MeterAudio(*reader, nullptr, settings, measurement, error)) << error;
  return measurement;
}

}  // namespace

TEST(StreamingMeter, HoldsNoMoreForFiveMinutesThanForOneKnownLengthOrNot) {
  for (bool lengthKnown : {true, false}) {
    const Measurement shorter = MeterGenerated(1, lengthKnown);
    const Measurement longer = MeterGenerated(5, lengthKnown);
    EXPECT_EQ(longer.frames, 5 * 60 * 48000);
    EXPECT_NEAR(longer.channels[1].step.value, 1.0 / 250, 1e-6);
    EXPECT_EQ(longer.peakHeldBytes, shorter.peakHeldBytes) << lengthKnown;
    EXPECT_LT(longer.peakHeldBytes, 64u << 20);
    // The burst three quarters in is in the summary and in its timeline column.
    EXPECT_EQ(longer.channels[0].step.value, 2);
    EXPECT_NEAR(longer.channels[0].step.from, 3.75 * 60, 0.1);
    const TimelineColumns& timeline = *longer.timeline;
    const double span = timeline.secondsPerColumn();
    EXPECT_EQ(timeline.columns()[static_cast<size_t>(3.75 * 60 / span)].step[0], 2);
    // A pipe's columns widened to cover the whole input in the same picture width.
    EXPECT_GE(span * 1200, 5 * 60);
    EXPECT_LE(span * 1200, lengthKnown ? 5 * 60 + 1e-6 : 2 * 5 * 60);
  }
}

TEST(TimelineColumns, MergeInPairsKeepingPeaksAndRises) {
  TimelineColumns columns(4, 0);
  const double first = columns.secondsPerColumn();
  GraphFrame graphFrame;
  graphFrame.to = first / 2;
  graphFrame.channels[1].step = 0.3;
  graphFrame.channels[1].rose[0] = true;
  columns.add(graphFrame);
  graphFrame.from = 3.5 * first;
  graphFrame.to = 5 * first;  // past the four columns: they merge once
  graphFrame.channels[1] = {};
  graphFrame.channels[0].step = 0.1;
  columns.add(graphFrame);
  ASSERT_EQ(columns.secondsPerColumn(), 2 * first);
  EXPECT_EQ(columns.columns()[0].step[1], 0.3);
  EXPECT_TRUE(columns.columns()[0].rose[1][0]);
  EXPECT_EQ(columns.columns()[1].step[0], 0.1);
  EXPECT_EQ(columns.columns()[2].step[0], 0.1);
  EXPECT_EQ(columns.columns()[3].step[0], 0);
  EXPECT_EQ(columns.columns().size(), 4u);
}
