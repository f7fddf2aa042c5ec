// Faults the fuzzers in fuzz/ found, each kept as the plainest case that shows it.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "effect/vebrisk_effect.h"
#include "runtime/frame_services.h"
#include "tests/support/awkward_signal.h"
#include "tests/support/fake_host.h"

namespace {

// Signalling NaNs: the quiet bit clear, a payload set. The last float is the one the
// chunk fuzzer found.
const std::array<uint32_t, 3> kSignallingFloats = {0x7F800001u, 0xFFA00000u, 0xFFBFDFE8u};
const std::array<uint64_t, 2> kSignallingDoubles = {0x7FF0000000000001u, 0xFFF4000000000000u};

template <class Sample, class Bits, size_t N>
std::vector<Sample> Samples(const std::array<Bits, N>& bits) {
  std::vector<Sample> samples;
  for (Bits b : bits)
    samples.push_back(std::bit_cast<Sample>(b));
  samples.push_back(Sample(0.5));
  return samples;
}

class FuzzFindings : public ::testing::Test {
 protected:
  void SetUp() override { plugin.start(); }

  FakeHost host;
  PluginInstance plugin;
};

}  // namespace

TEST_F(FuzzFindings, ASignallingNanPassesThroughWithItsBitsInBothPrecisions) {
  const auto floats = Samples<float>(kSignallingFloats);
  std::vector<float> left = floats, right = floats, outLeft(floats.size()), outRight(floats.size());
  float* in[] = {left.data(), right.data()};
  float* out[] = {outLeft.data(), outRight.data()};
  const auto frames = static_cast<int32_t>(floats.size());
  plugin.effect->processReplacing(plugin.effect, in, out, frames);
  EXPECT_TRUE(SameBits(outLeft, floats) && SameBits(outRight, floats));
  plugin.effect->processReplacing(plugin.effect, in, in, frames);
  EXPECT_TRUE(SameBits(left, floats) && SameBits(right, floats));

  const auto doubles = Samples<double>(kSignallingDoubles);
  std::vector<double> doubleLeft = doubles, doubleRight = doubles;
  double* io[] = {doubleLeft.data(), doubleRight.data()};
  plugin.effect->processDoubleReplacing(plugin.effect, io, io,
                                        static_cast<int32_t>(doubles.size()));
  EXPECT_TRUE(SameBits(doubleLeft, doubles) && SameBits(doubleRight, doubles));
}

TEST_F(FuzzFindings, ASignallingNanPassesThroughWithItsBitsOnAnyChannelCount) {
  const auto floats = Samples<float>(kSignallingFloats);
  std::vector<std::vector<float>> channels(3, floats);
  float* io[] = {channels[0].data(), channels[1].data(), channels[2].data()};
  FrameServices::RunFrameLoop(plugin.script(), io, io, static_cast<int32_t>(floats.size()), 3);
  for (const auto& channel : channels)
    EXPECT_TRUE(SameBits(channel, floats));
}
