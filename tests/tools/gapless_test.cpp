// An input that continues the one before (--gapless) takes its first step
// from that one's last samples, not from silence.
#include <gtest/gtest.h>

#include "metered_signal.h"

namespace {

// One second of each channel's own constant.
Measurement MeterConstant(double left, double right, const MeterSettings& settings) {
  return MeterSignal(
      48000, 48000, [=](int64_t, int channel) { return channel == 0 ? left : right; }, settings);
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
