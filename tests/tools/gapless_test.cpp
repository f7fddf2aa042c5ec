// An input that continues the one before (--gapless) takes its first step
// from that one's last samples, not from silence.
#include <gtest/gtest.h>

#include <algorithm>

#include "tools/slewmeter/meter_run.h"

namespace {

// One second of each channel's own constant.
Measurement MeterConstant(double left, double right, const MeterSettings& settings) {
  auto reader = AudioReader::generated({48000, 2, 48000, {}},
                                       [=](size_t start, double* l, double* r, size_t count) {
                                         const size_t n = std::min<size_t>(count, 48000 - start);
                                         std::fill_n(l, n, left);
                                         std::fill_n(r, n, right);
                                         return n;
                                       });
  Measurement measurement;
  std::string error;
  EXPECT_TRUE(MeterAudio(*reader, nullptr, settings, measurement, error)) << error;
  return measurement;
}

}  // namespace

TEST(Gapless, TheFirstStepIsFromTheInputBefore) {
  MeterSettings settings;
  settings.interSample = true;
  const Measurement before = MeterConstant(0.75, -0.25, settings);
  EXPECT_EQ(before.channels[0].step.value, 0.75);  // from silence
  settings.continueFrom = before.lastFrame;
  const Measurement after = MeterConstant(0.5, 0.5, settings);
  for (size_t c = 0; c < 2; ++c) {
    EXPECT_EQ(after.channels[c].step.value, c == 0 ? 0.25 : 0.75);
    EXPECT_EQ(after.channels[c].step.from, 0);
    EXPECT_GE(after.channels[c].interSample.value, after.channels[c].step.value);
    EXPECT_LT(after.channels[c].interSample.value, 2 * after.channels[c].step.value);
  }
}
