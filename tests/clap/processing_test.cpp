// Audio through the record as a host hands it over: untouched, bit for bit, in
// either precision, in place or not, at every block length up to the largest;
// and the readouts the host reads as parameters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "tests/clap/host/loaded_clap.h"
#include "tests/support/awkward_signal.h"

namespace {

constexpr uint32_t kMaxFrames = 8192;

class ClapPassThrough : public LoadedClap,
                        public ::testing::WithParamInterface<std::tuple<uint32_t, bool>> {
 protected:
  template <class Sample>
  void expectUntouched() {
    const auto [frames, inPlace] = GetParam();
    start(48000, kMaxFrames);
    // Three blocks, so that a step across block boundaries is met too.
    for (unsigned block = 0; block < 3; ++block) {
      const std::vector<Sample> left = AwkwardSignal<Sample>(frames, 2 * block);
      const std::vector<Sample> right = AwkwardSignal<Sample>(frames, 2 * block + 1);
      std::vector<Sample> inLeft = left, inRight = right;
      std::vector<Sample> outLeft(frames, Sample(7)), outRight(frames, Sample(7));
      Sample* inputs[] = {inLeft.data(), inRight.data()};
      Sample* outputs[] = {outLeft.data(), outRight.data()};
      uint64_t mask = 0;
      ASSERT_EQ(process(inputs, inPlace ? inputs : outputs, frames, nullptr, &mask),
                CLAP_PROCESS_CONTINUE);
      EXPECT_TRUE(SameBits(inPlace ? inLeft : outLeft, left));
      EXPECT_TRUE(SameBits(inPlace ? inRight : outRight, right));
      EXPECT_TRUE(SameBits(inLeft, left)) << "the input was written";
      EXPECT_EQ(mask, 0u);
    }
    stop();
    EXPECT_TRUE(host.misbehaviour().empty());
  }
};

TEST_P(ClapPassThrough, Float) {
  expectUntouched<float>();
}

TEST_P(ClapPassThrough, Double) {
  expectUntouched<double>();
}

INSTANTIATE_TEST_SUITE_P(BlockLengths, ClapPassThrough,
                         ::testing::Combine(::testing::Values(1u, 2u, 31u, 512u, 1601u, 8192u),
                                            ::testing::Bool()));

class ClapReadouts : public LoadedClap {
 protected:
  double value(clap_id id) {
    const auto* params = PluginExtension<clap_plugin_params>(plugin, kClapExtParams);
    double result = -1;
    EXPECT_TRUE(params->get_value(plugin, id, &result));
    return result;
  }
  // `frames` of one value on both channels.
  void play(double sample, uint32_t frames) {
    std::vector<double> left(frames, sample), right(frames, -sample);
    double* channels[] = {left.data(), right.data()};
    ASSERT_EQ(process(channels, channels, frames), CLAP_PROCESS_CONTINUE);
  }
};

TEST_F(ClapReadouts, AreReadOnlyStepsWithTextInTheStepsUnit) {
  const auto* params = PluginExtension<clap_plugin_params>(plugin, kClapExtParams);
  ASSERT_NE(params, nullptr);
  ASSERT_EQ(params->count(plugin), 4u);
  const std::vector<std::string> names{"Left step, last 1/30 s", "Right step, last 1/30 s",
                                       "Left step, largest", "Right step, largest"};
  for (uint32_t i = 0; i < 4; ++i) {
    clap_param_info info{};
    ASSERT_TRUE(params->get_info(plugin, i, &info));
    EXPECT_EQ(info.id, i);
    EXPECT_EQ(info.name, names[i]);
    EXPECT_EQ(info.flags & (CLAP_PARAM_IS_READONLY | CLAP_PARAM_IS_AUTOMATABLE),
              CLAP_PARAM_IS_READONLY);
    EXPECT_EQ(info.min_value, 0);
    EXPECT_EQ(info.max_value, 2);
  }
  clap_param_info info{};
  EXPECT_FALSE(params->get_info(plugin, 4, &info));
  char text[16];
  ASSERT_TRUE(params->value_to_text(plugin, 2, 0.25, text, sizeof text));
  EXPECT_STREQ(text, "0.2500 FS");
  double parsed = 0;
  ASSERT_TRUE(params->text_to_value(plugin, 2, text, &parsed));
  EXPECT_EQ(parsed, 0.25);
  EXPECT_FALSE(params->value_to_text(plugin, 2, 0.25, text, 4)) << "cut short";
  EXPECT_FALSE(params->text_to_value(plugin, 2, "much", &parsed));
  EXPECT_FALSE(params->text_to_value(plugin, 2, "nan", &parsed));
}

TEST_F(ClapReadouts, FollowTheAudioAndStartAfreshOnResetAndActivate) {
  start(30000, kMaxFrames);  // 1000 frames a readout
  play(0.1, 1000);
  EXPECT_DOUBLE_EQ(value(0), 0.1);
  EXPECT_DOUBLE_EQ(value(1), 0.1);
  play(0.1, 1000);
  EXPECT_EQ(value(0), 0) << "no step in the last 1/30 s";
  EXPECT_DOUBLE_EQ(value(2), 0.1) << "the largest stays";

  // After a reset the step starts from silence, not from the last sample.
  onAudioThread([&] { plugin->reset(plugin); });
  play(-0.1, 1000);
  EXPECT_DOUBLE_EQ(value(0), 0.1);
  EXPECT_DOUBLE_EQ(value(2), 0.1);

  stop();
  start(30000, kMaxFrames);
  EXPECT_EQ(value(2), 0) << "activation starts the largest afresh";
  play(0.1, 1000);
  EXPECT_DOUBLE_EQ(value(2), 0.1) << "and the previous sample too";
}

}  // namespace
