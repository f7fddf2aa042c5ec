#include "tests/lv2/host/metered_runs.h"

#include <gtest/gtest.h>

#include <numeric>

#include "tests/lv2/host/awkward_floats.h"
#include "tests/lv2/host/meter_reference.h"

void ExpectMeteredPassThrough(MeterInstance& meter, double sampleRate,
                              const std::vector<uint32_t>& runs, Notify notify, unsigned seed) {
  const size_t total = std::accumulate(runs.begin(), runs.end(), size_t{0});
  const Stereo original{AwkwardFloats(total, seed), AwkwardFloats(total, seed + 1)};
  const std::vector<double> steps[] = {Steps(original[0]), Steps(original[1])};
  const size_t framesPerReadout = FramesPerReadout(sampleRate);
  Stereo in = original;
  Stereo out{Channel(total, 7.0f), Channel(total, 7.0f)};
  size_t done = 0;
  for (uint32_t frames : runs) {
    SCOPED_TRACE(testing::Message() << "a run of " << frames << " after " << done << " frames");
    meter.run(in, out, done, frames);
    const size_t start = done;
    done += frames;
    for (int c = 0; c < 2; ++c) {
      const Readouts expected = ExpectedReadouts(steps[c], done, framesPerReadout);
      EXPECT_EQ(meter.readouts[c], ReadoutOf(expected.recent)) << "channel " << c;
      EXPECT_EQ(meter.readouts[2 + c], ReadoutOf(expected.largest)) << "channel " << c;
    }
    if (notify == Notify::nothing) {
      EXPECT_TRUE(meter.notifyUntouched());
      continue;
    }
    const std::vector<PeaksMessage> messages = meter.messages();
    ASSERT_EQ(messages.size(), frames > 0 ? 1u : 0u);
    if (messages.empty()) continue;
    EXPECT_EQ(messages[0].time, 0);
    EXPECT_EQ(messages[0].frames, frames);
    EXPECT_EQ(messages[0].left, LargestStep(steps[0], start, done));
    EXPECT_EQ(messages[0].right, LargestStep(steps[1], start, done));
    EXPECT_EQ(messages[0].sampleRate, sampleRate);
  }
  for (int c = 0; c < 2; ++c) {
    EXPECT_TRUE(SameBits(out[c], original[c])) << "channel " << c << " out";
    EXPECT_TRUE(SameBits(in[c], original[c])) << "channel " << c << " in";
  }
}
