// The inter-sample slope against analytic sines, and on hostile input.
#include "tools/slewmeter/inter_sample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// A sine of `frequency` at `amplitude`, faded in and out over ten periods (at
// least 50 ms) so that only its steady slope is measured, not a start from silence.
std::vector<double> FadedSine(double frequency, double rate, double amplitude, double phase) {
  const double fade = std::max(10 / frequency, 0.05);
  const auto frames = static_cast<size_t>((2 * fade + 0.1) * rate);
  std::vector<double> samples(frames);
  for (size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double edge = std::min({t / fade, (static_cast<double>(frames) / rate - t) / fade, 1.0});
    const double envelope = 0.5 - 0.5 * std::cos(M_PI * edge);
    samples[i] =
        static_cast<float>(envelope * amplitude * std::sin(2 * M_PI * frequency * t + phase));
  }
  return samples;
}

double SteepestSlope(const std::vector<double>& samples, size_t block = 512) {
  InterSampleSlope slope;
  double steepest = 0;
  for (size_t start = 0; start < samples.size(); start += block) {
    slope.push(samples.data() + start, std::min(block, samples.size() - start));
    steepest = std::max(steepest, slope.takePeak());
  }
  slope.finish();
  return std::max(steepest, slope.takePeak());
}

}  // namespace

TEST(InterSampleSlope, MatchesTheAnalyticSlopeOfSinesFrom20HzTo041OfTheRate) {
  for (double rate : {44100.0, 48000.0, 96000.0}) {
    for (double share :
         {20 / rate, 0.001, 0.01, 0.05, 0.1, 0.2, 0.25, 0.3, 0.35, 0.38, 0.4, 0.41}) {
      for (double phase : {0.0, 0.7, 2.1}) {
        const double frequency = share * rate, amplitude = 0.8;
        const double analytic = 2 * M_PI * frequency * amplitude / rate;
        EXPECT_NEAR(SteepestSlope(FadedSine(frequency, rate, amplitude, phase)) / analytic, 1, 0.03)
            << frequency << " Hz at " << rate << " Hz, phase " << phase;
      }
    }
  }
}

TEST(InterSampleSlope, ShowsWhatTheStepUnderstatesNearTheTopOfTheBand) {
  // 18 kHz at 44.1 kHz: the reconstructed slope is a third above the largest step.
  const std::vector<double> sine = FadedSine(18000, 44100, 0.5, 0.3);
  double largestStep = 0;
  for (size_t i = 1; i < sine.size(); ++i)
    largestStep = std::max(largestStep, std::fabs(double(sine[i]) - sine[i - 1]));
  EXPECT_NEAR(SteepestSlope(sine) / largestStep,
              M_PI * 18000 / 44100 / std::sin(M_PI * 18000 / 44100), 0.03);
}

TEST(InterSampleSlope, IsTheSameWhateverTheBlocks) {
  const std::vector<double> sine = FadedSine(5000, 48000, 0.5, 1.0);
  const double whole = SteepestSlope(sine, sine.size());
  for (size_t block : {1, 7, 64, 4096})
    EXPECT_NEAR(SteepestSlope(sine, block), whole, whole * 0.01) << block;
}

TEST(InterSampleSlope, StaysFiniteOnAnyInput) {
  const float kInf = std::numeric_limits<float>::infinity();
  const float kNaN = std::numeric_limits<float>::quiet_NaN();
  const float kMax = std::numeric_limits<float>::max();
  std::vector<double> hostile = {0.5f, kNaN, -kInf, kInf, kMax, -kMax, 0.25f, kMax, kNaN, 1e-40f};
  hostile.resize(600, -kMax);
  const double slope = SteepestSlope(hostile, 5);
  EXPECT_TRUE(std::isfinite(slope));
  EXPECT_GT(slope, 0);
  // Silence has no slope at all, not even a rounding error's.
  EXPECT_EQ(SteepestSlope(std::vector<double>(2000, 0.0f)), 0);
  // Nor has a constant offset, once risen to.
  InterSampleSlope dc;
  const std::vector<double> offset(8000, 0.5f);
  dc.push(offset.data(), 4000);
  dc.takePeak();
  dc.push(offset.data() + 4000, 4000);
  EXPECT_LT(dc.takePeak(), 1e-6);
}

TEST(InterSampleSlope, GivesTheBaselineFiguresWithWiderInstructions) {
  // Every graph frame of a sine near the top of the band, noise and hostile samples.
  std::vector<double> signal = FadedSine(17000, 44100, 0.7, 0.4);
  uint32_t noise = 7;
  for (int i = 0; i < 20000; ++i) {
    noise = noise * 1664525u + 1013904223u;
    signal.push_back(static_cast<double>(noise >> 8) / 16777216.0 - 0.5);
  }
  for (double hostile : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e31, 0.5,
                         -std::numeric_limits<double>::infinity(), 1e-300}) {
    signal[signal.size() - 3000] = hostile;
    signal.insert(signal.end() - 1000, hostile);
  }
  for (SlopeInstructions wider : {SlopeInstructions::avx2, SlopeInstructions::avx512}) {
    if (wider > WidestSlopeInstructions()) continue;  // not on this processor
    InterSampleSlope widened(wider), baseline(SlopeInstructions::baseline);
    constexpr size_t kGraphFrame = 1470;
    for (size_t start = 0; start < signal.size(); start += kGraphFrame) {
      const size_t count = std::min(kGraphFrame, signal.size() - start);
      widened.push(signal.data() + start, count);
      baseline.push(signal.data() + start, count);
      const double expected = baseline.takePeak();
      EXPECT_NEAR(widened.takePeak(), expected, expected * 1e-5)
          << static_cast<int>(wider) << " at " << start;
    }
  }
}
