// The four control outputs: each channel's largest step in the last whole
// 1/30 s of audio, and since activation; always finite.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "tests/lv2/host/awkward_floats.h"
#include "tests/lv2/host/lilv_host.h"
#include "tests/lv2/host/meter_instance.h"
#include "tests/lv2/host/meter_reference.h"
#include "tests/lv2/host/metered_runs.h"

namespace {

class ControlOutputs : public Lv2HostTest {
 protected:
  // `frames` frames of `in` from `start`, in runs of `run` frames.
  static void RunIn(MeterInstance& meter, Stereo& in, size_t start, size_t frames, uint32_t run) {
    for (size_t done = 0; done < frames; done += run) {
      meter.run(in, in, start + done, static_cast<uint32_t>(std::min<size_t>(run, frames - done)));
    }
  }
};

TEST_F(ControlOutputs, AJumpShowsAsRecentOnceItsThirtiethOfASecondIsOver) {
  HostFeatures features;
  MeterInstance meter(host->plugin(), 44100, features);
  ASSERT_TRUE(meter.made());
  meter.activate();
  // Readouts end at 1470, 2940, 4410 and 5880 frames. Left jumps by 0.5 at
  // frame 2000 (second readout), right by 0.25 at frame 3000 (third).
  Stereo in{Channel(5880, 0.0f), Channel(5880, 0.0f)};
  std::fill(in[0].begin() + 2000, in[0].end(), 0.5f);
  std::fill(in[1].begin() + 3000, in[1].end(), -0.25f);
  const struct {
    size_t until;
    float recentLeft, recentRight, largestLeft, largestRight;
  } expected[] = {
      {1470, 0, 0, 0, 0},        {1960, 0, 0, 0, 0},           {2450, 0, 0, 0.5f, 0},
      {2940, 0.5f, 0, 0.5f, 0},  {3430, 0.5f, 0, 0.5f, 0.25f}, {4410, 0, 0.25f, 0.5f, 0.25f},
      {5880, 0, 0, 0.5f, 0.25f},
  };
  size_t done = 0;
  for (const auto& e : expected) {
    RunIn(meter, in, done, e.until - done, 490);
    done = e.until;
    EXPECT_EQ(meter.readouts[0], e.recentLeft) << done;
    EXPECT_EQ(meter.readouts[1], e.recentRight) << done;
    EXPECT_EQ(meter.readouts[2], e.largestLeft) << done;
    EXPECT_EQ(meter.readouts[3], e.largestRight) << done;
  }
  meter.deactivate();
}

TEST_F(ControlOutputs, FollowTheSignalForEveryRunLengthAndRate) {
  unsigned seed = 100;
  for (double rate : {44100.0, 48000.0}) {
    for (uint32_t run : {1u, 2u, 700u, 1470u, 1471u, 1600u, 8192u}) {
      SCOPED_TRACE(testing::Message() << rate << " Hz, runs of " << run);
      HostFeatures features;
      MeterInstance meter(host->plugin(), rate, features);
      ASSERT_TRUE(meter.made());
      meter.activate();
      // Several readouts' worth.
      ExpectMeteredPassThrough(meter, rate, std::vector<uint32_t>(8192 / run + 4, run),
                               Notify::messages, seed += 2);
      meter.deactivate();
    }
  }
}

TEST_F(ControlOutputs, ActivatingAgainForgetsWhatWasMeasured) {
  HostFeatures features;
  MeterInstance meter(host->plugin(), 44100, features);
  ASSERT_TRUE(meter.made());
  meter.activate();
  Stereo loud{Channel(2940, 0.75f), Channel(2940, -0.75f)};
  RunIn(meter, loud, 0, 2940, 512);
  ASSERT_EQ(meter.readouts[2], 0.75f);
  meter.deactivate();
  meter.activate();
  // Steps measured from activation again: silence first, then a smaller jump.
  Stereo quiet{Channel(2940, 0.0f), Channel(2940, 0.0f)};
  std::fill(quiet[0].begin() + 2000, quiet[0].end(), 0.125f);
  RunIn(meter, quiet, 0, 1000, 1000);
  EXPECT_EQ(meter.readouts, (std::array<float, 4>{0, 0, 0, 0}));
  RunIn(meter, quiet, 1000, 1940, 1000);
  EXPECT_EQ(meter.readouts, (std::array<float, 4>{0.125f, 0, 0.125f, 0}));
  meter.deactivate();
}

TEST_F(ControlOutputs, StayFiniteWhateverTheSamples) {
  HostFeatures features;
  MeterInstance meter(host->plugin(), 44100, features);
  ASSERT_TRUE(meter.made());
  meter.activate();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const float largest = std::numeric_limits<float>::max();
  Stereo in{AwkwardFloats(4410, 41), Channel(4410, nan)};
  // Left: steps wider than a float can hold, between the largest finite samples.
  for (size_t n = 0; n < 1470; ++n)
    in[0][n] = n % 2 ? largest : -largest;
  // Right: only NaNs and infinities before its last readout.
  for (size_t n = 0; n < 2940; ++n)
    in[1][n] = n % 3 ? (n % 2 ? inf : -inf) : nan;
  for (size_t done = 0; done < 4410; done += 245) {
    meter.run(in, in, done, 245);
    EXPECT_TRUE(std::all_of(meter.readouts.begin(), meter.readouts.end(),
                            [](float readout) { return std::isfinite(readout); }))
        << testing::PrintToString(meter.readouts) << " after " << done + 245 << " frames";
  }
  // Left's first readout holds steps of twice the largest float.
  EXPECT_EQ(meter.readouts[2], largest);
  EXPECT_EQ(meter.readouts[3], 0.0f);
  meter.deactivate();
}

}  // namespace
