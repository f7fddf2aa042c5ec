#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "effect/vebrisk_effect.h"
#include "tests/support/fake_host.h"

namespace {

class SlewMeter : public ::testing::Test {
 protected:
  SlewMeter() { plugin.start(44100.0f, 512); }

  void Process(std::vector<float> left, std::vector<float> right) {
    float* in[] = {left.data(), right.data()};
    plugin.effect->processReplacing(plugin.effect, in, in, static_cast<int32_t>(left.size()));
  }

  double NewestLeft() { return s.NewestPoint(Channel::left); }
  double NewestRight() { return s.NewestPoint(Channel::right); }
  // The point before the newest.
  double PreviousLeft() { return s.HistoryPoint(Channel::left, s.var.historyLength - 2); }
  // Every point of both histories, oldest first, left before right.
  std::vector<double> AllPoints() {
    std::vector<double> points;
    for (Channel channel : {Channel::left, Channel::right}) {
      for (double i = 0; i < s.var.historyLength; ++i)
        points.push_back(s.HistoryPoint(channel, i));
    }
    return points;
  }

  FakeHost host;
  PluginInstance plugin;
  TVebriskEffect& s = plugin.script();
};

}  // namespace

TEST_F(SlewMeter, TheFirstStepIsMeasuredFromZero) {
  Process({0.8f}, {-0.25f});
  s.AdvanceHistory();
  EXPECT_DOUBLE_EQ(NewestLeft(), 0.800000011920929);
  EXPECT_EQ(NewestRight(), 0.25);
}

TEST_F(SlewMeter, APointHoldsTheLargestStepOfEveryBlockSinceThePointBefore) {
  Process({0.1f, 0.6f}, {1, -1});
  Process({0.5f, 0.5f}, {1, 1});
  EXPECT_EQ(NewestLeft(), 0);  // nothing moves until the editor takes the measurements
  s.AdvanceHistory();
  EXPECT_NEAR(NewestLeft(), 0.5, 1e-7);
  EXPECT_EQ(NewestRight(), 2);  // four times the full scale at 44.1 kHz
  EXPECT_EQ(PreviousLeft(), 0);

  Process({0.5f}, {1});  // no step at all still makes a point
  s.AdvanceHistory();
  EXPECT_NEAR(PreviousLeft(), 0.5, 1e-7);
  EXPECT_EQ(NewestLeft(), 0);
  EXPECT_EQ(NewestRight(), 0);
}

TEST_F(SlewMeter, MeasurementsBeforeAResumeBelongToTheClearedHistory) {
  Process({0.9f}, {0.9f});
  plugin.dispatch(effMainsChanged, 0, 0);
  plugin.dispatch(effMainsChanged, 0, 1);
  s.AdvanceHistory();
  EXPECT_EQ(AllPoints(), std::vector<double>(static_cast<size_t>(2 * kHistoryLength), 0.0));
  Process({0.3f}, {0.0f});
  s.AdvanceHistory();
  EXPECT_NEAR(NewestLeft(), 0.3, 1e-7);
}

TEST_F(SlewMeter, AStretchWithoutEditorBecomesOnePointWithItsLargestStep) {
  std::vector<float> quiet(64, 0.0f);
  for (int block = 0; block < 300; ++block) {
    std::vector<float> left = quiet;
    if (block == 250) left[10] = 0.7f;
    Process(left, quiet);
  }
  s.AdvanceHistory();
  EXPECT_NEAR(NewestLeft(), 0.7, 1e-7);
  EXPECT_EQ(PreviousLeft(), 0);
}

TEST_F(SlewMeter, LongSilenceThenOneStepBecomesOnePoint) {
  std::vector<float> silence(48000, 0.0f);
  Process(silence, silence);
  Process({0.5f}, {0.0f});
  s.AdvanceHistory();
  EXPECT_EQ(NewestLeft(), 0.5);
  EXPECT_EQ(NewestRight(), 0);
  EXPECT_EQ(s.var.pendingSamples, 0);
}

TEST_F(SlewMeter, HistoryStandsStillWithoutNewSamples) {
  Process({0.3f}, {0.3f});
  s.AdvanceHistory();
  const std::vector<double> before = AllPoints();
  s.AdvanceHistory();
  s.AdvanceHistory();
  EXPECT_EQ(AllPoints(), before);
}

TEST_F(SlewMeter, PointsShiftTowardTheOldestEnd) {
  for (int point = 1; point <= kHistoryLength; ++point) {
    const float level = static_cast<float>(point) / 128.0f;
    Process({level}, {-level});
    Process({0.0f}, {0.0f});  // back to zero: the step equals the level
    s.AdvanceHistory();
  }
  // Every initial zero is gone; point k holds the largest step of update k + 1.
  for (int i = 0; i < kHistoryLength; ++i) {
    EXPECT_EQ(s.HistoryPoint(Channel::left, i), (i + 1) / 128.0) << i;
    EXPECT_EQ(s.HistoryPoint(Channel::right, i), (i + 1) / 128.0) << i;
  }
}

TEST_F(SlewMeter, NonFiniteInputsPassThroughButNeverReachTheMeter) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> left = {0.5f, inf, 0.25f, nan, -inf, 1e-45f, -0.0f};
  std::vector<float> right = {nan, nan, 0.75f, -inf, inf, 3.4e38f, 0.0f};
  std::vector<float> outLeft(7), outRight(7);
  float* in[] = {left.data(), right.data()};
  float* out[] = {outLeft.data(), outRight.data()};
  plugin.effect->processReplacing(plugin.effect, in, out, 7);
  EXPECT_EQ(std::memcmp(outLeft.data(), left.data(), 28), 0);
  EXPECT_EQ(std::memcmp(outRight.data(), right.data(), 28), 0);

  for (double v : {s.var.previousLeft, s.var.previousRight, s.var.slewLeft, s.var.slewRight}) {
    EXPECT_TRUE(std::isfinite(v)) << v;
  }
  s.AdvanceHistory();
  // After an infinity the previous sample is 0, so 0.25 steps by 0.25.
  EXPECT_EQ(NewestLeft(), 0.5);
  EXPECT_NEAR(NewestRight(), 3.4e38, 1e32);
  for (double point : AllPoints())
    EXPECT_TRUE(std::isfinite(point));
}

TEST_F(SlewMeter, DoublePrecisionPassesEveryBitAndMeasuresTheSame) {
  std::vector<double> left = {0.1, 0.7, -0.2, 5e-324}, right = {-0.0, 1.0, 1.0, -1.0};
  const std::vector<double> originalLeft = left, originalRight = right;
  double* io[] = {left.data(), right.data()};
  plugin.effect->processDoubleReplacing(plugin.effect, io, io, 4);
  EXPECT_EQ(std::memcmp(left.data(), originalLeft.data(), 32), 0);
  EXPECT_EQ(std::memcmp(right.data(), originalRight.data(), 32), 0);
  s.AdvanceHistory();
  EXPECT_DOUBLE_EQ(NewestLeft(), 0.8999999999999999);
  EXPECT_EQ(NewestRight(), 2);
}

TEST_F(SlewMeter, OutputsOnTheOtherChannelsInputGetEachChannelWhole) {
  // A host that hands the buffers crosswise swaps the channels; each is measured as it came.
  std::vector<float> a = {0.1f, 0.9f, 0.3f}, b = {-0.5f, -0.5f, 0.5f};
  const std::vector<float> originalA = a, originalB = b;
  float* in[] = {a.data(), b.data()};
  float* out[] = {b.data(), a.data()};
  plugin.effect->processReplacing(plugin.effect, in, out, 3);
  EXPECT_EQ(a, originalB);
  EXPECT_EQ(b, originalA);
  s.AdvanceHistory();
  EXPECT_NEAR(NewestLeft(), 0.8, 1e-7);
  EXPECT_EQ(NewestRight(), 1);
}

// Blocks of every length up to a few vector widths, with the values the finite
// rule treats apart at every position: measured whole, they leave each
// variable bit for bit where the sample section leaves it frame by frame.
TEST(SlewMeterBlocks, AWholeBlockMeasuresAsTheSampleSectionFrameByFrame) {
  const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             1.7e308,
                             -1.7e308,
                             -0.0,
                             0.0};
  uint32_t noise = 7;
  auto next = [&] { return noise = noise * 1664525u + 1013904223u; };
  for (int trial = 0; trial < 4000; ++trial) {
    const int32_t frames = static_cast<int32_t>(next() % 12);
    std::vector<double> left(static_cast<size_t>(frames)), right(left.size());
    for (std::vector<double>* channel : {&left, &right}) {
      for (double& sample : *channel) {
        const uint32_t pick = next() % 16;
        sample = pick < std::size(specials) ? specials[pick] : (next() % 2001) / 1000.0 - 1;
      }
    }
    TVebriskEffect whole, frameByFrame;
    for (TVebriskEffect* effect : {&whole, &frameByFrame}) {
      effect->var.previousLeft = trial % 3 == 0 ? 1.7e308 : 0.25;
      effect->var.peakLeft = trial % 5 == 0 ? -0.0 : 0.5;
      effect->var.peakRight = 0.125;
    }
    whole.MeasureFrames(left.data(), right.data(), frames);
    for (int32_t i = 0; i < frames; ++i) {
      frameByFrame.Channels[0] = left[static_cast<size_t>(i)];
      frameByFrame.Channels[1] = right[static_cast<size_t>(i)];
      frameByFrame.DoSample();
    }
    const auto bits = [](const EffectVariables& v) {
      return std::vector<uint64_t>{
          std::bit_cast<uint64_t>(v.previousLeft),  std::bit_cast<uint64_t>(v.previousRight),
          std::bit_cast<uint64_t>(v.peakLeft),      std::bit_cast<uint64_t>(v.peakRight),
          std::bit_cast<uint64_t>(v.slewLeft),      std::bit_cast<uint64_t>(v.slewRight),
          std::bit_cast<uint64_t>(v.pendingSamples)};
    };
    ASSERT_EQ(bits(whole.var), bits(frameByFrame.var)) << "trial " << trial;
  }
}

// The history shifted as whole runs of cells gives what the script's loop gives
// cell by cell: a base half a cell off names the same cells but takes the loop.
TEST(SlewMeterHistory, ShiftedAsRunsItEndsAsTheScriptsLoopLeavesIt) {
  const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(), -0.0, 1.7e308};
  TVebriskEffect runs, loop;
  for (TVebriskEffect* effect : {&runs, &loop}) {
    const double offset = effect == &loop ? 0.5 : 0;
    effect->var.historyLength = 7;
    effect->var.historyLeft = 70000 + offset;  // the second page
    effect->var.historyRight = 70007 + offset;
    for (double i = 0; i < 7; ++i) {
      effect->HistoryPoint(Channel::left, i) = i < 4 ? specials[static_cast<int>(i)] : i;
      effect->HistoryPoint(Channel::right, i) = -i;
    }
    effect->AddUnshownMeasurements({0.25, 0.5, 64});
    effect->AdvanceHistory();
  }
  for (double i = 0; i < 7; ++i) {
    for (Channel channel : {Channel::left, Channel::right}) {
      EXPECT_EQ(std::bit_cast<uint64_t>(runs.HistoryPoint(channel, i)),
                std::bit_cast<uint64_t>(loop.HistoryPoint(channel, i)))
          << "point " << i;
    }
  }
  EXPECT_EQ(runs.NewestPoint(Channel::left), 0.25);
  EXPECT_EQ(runs.HistoryPoint(Channel::left, 2), 1.7e308);
  EXPECT_EQ(runs.var.historyIndex, loop.var.historyIndex);
}
