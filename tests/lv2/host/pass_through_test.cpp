// The audio a host hands the meter comes back bit for bit, whatever the samples,
// the run length, and whether the host runs it in place.
#include <gtest/gtest.h>

#include "tests/lv2/host/awkward_floats.h"
#include "tests/lv2/host/lilv_host.h"
#include "tests/lv2/host/meter_instance.h"

namespace {

class PassThrough : public Lv2HostTest {};

TEST_F(PassThrough, EverySampleComesBackBitForBitInAndOutOfPlace) {
  HostFeatures features;
  MeterInstance meter(host->plugin(), 44100, features);
  ASSERT_TRUE(meter.made());
  meter.activate();
  unsigned seed = 0;
  // Around the 1470 frames of a readout at 44.1 kHz, where runs are cut in pieces.
  for (uint32_t frames : {1u, 2u, 3u, 64u, 1469u, 1470u, 1471u, 2941u, 4096u, 8191u, 8192u}) {
    for (bool inPlace : {false, true}) {
      const Stereo original{AwkwardFloats(frames, ++seed), AwkwardFloats(frames, ++seed)};
      Stereo in = original;
      Stereo out{Channel(frames, 7.0f), Channel(frames, 7.0f)};
      meter.run(in, inPlace ? in : out, 0, frames);
      for (int c = 0; c < 2; ++c) {
        EXPECT_TRUE(SameBits(inPlace ? in[c] : out[c], original[c]))
            << frames << " frames " << (inPlace ? "in place" : "out of place") << ", channel " << c;
        EXPECT_TRUE(SameBits(in[c], original[c])) << frames << " frames, input " << c;
      }
    }
  }
  meter.deactivate();
}

TEST_F(PassThrough, ARunOfNoFramesWritesNoAudio) {
  HostFeatures features;
  MeterInstance meter(host->plugin(), 48000, features);
  ASSERT_TRUE(meter.made());
  meter.activate();
  Stereo in{AwkwardFloats(16, 1), AwkwardFloats(16, 2)};
  Stereo out{Channel(16, 7.0f), Channel(16, 7.0f)};
  meter.run(in, out, 0, 0);
  for (const Channel& channel : out) {
    EXPECT_TRUE(SameBits(channel, Channel(16, 7.0f)));
  }
  meter.deactivate();
}

}  // namespace
