#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "editor/offscreen_render.h"
#include "effect/vebrisk_effect.h"
#include "tests/support/fake_host.h"

namespace {

class EffectLifecycle : public ::testing::Test {
 protected:
  std::vector<float> Chunk() {
    void* data = nullptr;
    const auto size = plugin.dispatch(effGetChunk, 0, 0, &data);
    std::vector<float> floats(static_cast<size_t>(size) / 4);
    if (size > 0) std::memcpy(floats.data(), data, static_cast<size_t>(size));
    return floats;
  }

  FakeHost host;
  PluginInstance plugin;
};

}  // namespace

TEST_F(EffectLifecycle, OpenRegistersTheImageNamesAndTheEightTexts) {
  plugin.dispatch(effOpen);
  const TVebriskEffect& s = plugin.script();
  EXPECT_EQ(s.StringCount, 8);
  EXPECT_EQ(s.Strings.at(10000), "Courier New");
  EXPECT_EQ(s.Strings.at(10004), "LEFT channel = White");
  EXPECT_EQ(s.Strings.at(10007), "1990 typical ceiling");
  ASSERT_EQ(s.FileNames.size(), 4u);
  EXPECT_EQ(s.FileNames.at(0), "KORVANDEL_LogoTealGlow.PNG");
  EXPECT_EQ(s.FileNames.at(3), "50x50square_top_ON.png");
}

// A host that opens the effect again (a reload, a re-scan of a live instance) and
// draws before it resumes: the peaks measured before must not reach the picture.
TEST_F(EffectLifecycle, OpeningAgainForgetsThePeaksNotYetShown) {
  plugin.start();
  float left[] = {0.0f, 0.75f, 0.0f}, right[] = {0.0f, -0.5f, 0.0f};
  float* io[] = {left, right};
  plugin.effect->processReplacing(plugin.effect, io, io, 3);
  TVebriskEffect& s = plugin.script();
  ASSERT_GT(s.unshown.frames, 0);
  plugin.dispatch(effOpen);
  EXPECT_EQ(s.unshown.frames, 0);
  EXPECT_EQ(s.unshown.peakLeft, 0);
  EXPECT_EQ(s.unshown.peakRight, 0);
  ASSERT_TRUE(RenderEditorOffscreen(plugin.instance()));
  // Before the init section places the histories, no memory cell at all is written.
  for (int i = -1; i < 2 * kHistoryLength; ++i)
    ASSERT_EQ(s.Cell(i, 0), 0) << "memory cell " << i << " after the draw";
  plugin.dispatch(effMainsChanged, 0, 1);
  ASSERT_TRUE(RenderEditorOffscreen(plugin.instance()));
  for (Channel channel : {Channel::left, Channel::right}) {
    for (int i = 0; i < kHistoryLength; ++i)
      ASSERT_EQ(s.HistoryPoint(channel, i), 0) << "point " << i << " after the resume";
  }
}

TEST_F(EffectLifecycle, ResumeClearsTheHistoriesAndTakesTheHostValues) {
  plugin.dispatch(effOpen);
  TVebriskEffect& s = plugin.script();
  for (int i = 0; i < 2 * kHistoryLength; ++i)
    s.Cell(i, 0) = 1;
  s.var.peakLeft = 3;
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  plugin.dispatch(effSetBlockSize, 0, 256);
  plugin.dispatch(effMainsChanged, 0, 1);
  for (int i = 0; i < 2 * kHistoryLength; ++i)
    ASSERT_EQ(s.Cell(i, 0), 0) << i;
  EXPECT_EQ(s.var.historyIndex, kHistoryLength);
  EXPECT_EQ(s.var.historyLength, kHistoryLength);
  EXPECT_EQ(s.var.historyLeft, 0);
  EXPECT_EQ(s.var.historyRight, kHistoryLength);
  EXPECT_EQ(s.var.peakLeft, 0);
  EXPECT_EQ(s.var.pendingSamples, 0);
  EXPECT_EQ(s.var.sampleRate, 48000);
  EXPECT_EQ(s.var.blockSize, 256);
  EXPECT_EQ(s.var.channelCount, 2);
  EXPECT_EQ(s.var.tempo, 120);
  EXPECT_EQ(s.frameRate, 30);
  EXPECT_EQ(s.var.versionNumber, 20260806);
  EXPECT_EQ(s.var.designWidth, 400);
  EXPECT_EQ(s.var.baseFontSize, 21);
}

TEST_F(EffectLifecycle, BlockSectionReadsTransportOncePerBlock) {
  plugin.start();
  host.timeInfo.tempo = 90;
  host.timeInfo.timeSigNumerator = 7;
  host.timeInfo.timeSigDenominator = 8;
  host.timeInfo.ppqPos = 33.25;
  host.timeInfo.flags = kVstTransportPlaying | kVstTransportRecording;
  host.requests.clear();
  float left[4] = {}, right[4] = {};
  float* io[] = {left, right};
  plugin.effect->processReplacing(plugin.effect, io, io, 4);
  EXPECT_EQ(host.count(audioMasterGetTime), 4);
  EXPECT_EQ(host.count(audioMasterUpdateDisplay), 0);
  const TVebriskEffect& s = plugin.script();
  EXPECT_EQ(s.var.tempo, 90);
  EXPECT_EQ(s.var.timeSigNumerator, 7);
  EXPECT_EQ(s.var.timeSigDenominator, 8);
  EXPECT_EQ(s.var.playState, 5);
  EXPECT_EQ(s.var.beatPosition, 33.25);
  EXPECT_EQ(plugin.effect->initialDelay, 0);
}

TEST_F(EffectLifecycle, WithoutTimeInfoTheTransportReadsAsZero) {
  host.hasTimeInfo = false;
  plugin.start();
  float left[2] = {}, right[2] = {};
  float* io[] = {left, right};
  plugin.effect->processReplacing(plugin.effect, io, io, 2);
  const TVebriskEffect& s = plugin.script();
  EXPECT_EQ(s.var.tempo, 0);
  EXPECT_EQ(s.var.timeSigNumerator, 0);
  EXPECT_EQ(s.var.playState, 0);
  EXPECT_EQ(s.var.beatPosition, 0);
}

TEST_F(EffectLifecycle, SavedStateIsTheMarkerAndSixtyFourSliderValues) {
  plugin.start();
  const std::vector<float> chunk = Chunk();
  ASSERT_EQ(chunk.size(), 65u);
  EXPECT_EQ(chunk[0], -1000.0f);
  EXPECT_EQ(chunk, [] {
    std::vector<float> expected(65, 0.0f);
    expected[0] = -1000.0f;
    return expected;
  }());
}

TEST_F(EffectLifecycle, LoadingTakesSliderValuesOneToSixtyFourAndIgnoresTheRest) {
  plugin.start();
  std::vector<float> chunk(71);
  chunk[0] = -1000.0f;
  for (int i = 1; i < 71; ++i)
    chunk[i] = static_cast<float>(i) * 0.5f;
  EXPECT_EQ(plugin.dispatch(effSetChunk, 0, 284, chunk.data()), 284);
  const TVebriskEffect& s = plugin.script();
  EXPECT_EQ(s.SliderValues[0], 0);
  EXPECT_EQ(s.SliderValues[1], 0.5);
  EXPECT_EQ(s.SliderValues[64], 32);
  EXPECT_EQ(s.SliderValues[65], 0);
  const std::vector<float> saved = Chunk();
  EXPECT_EQ(std::vector<float>(saved.begin() + 1, saved.end()),
            std::vector<float>(chunk.begin() + 1, chunk.begin() + 65));
}

TEST_F(EffectLifecycle, FirstLoadEverRunsTheInitSectionSoTheHistoryStartsEmpty) {
  plugin.dispatch(effOpen);
  TVebriskEffect& s = plugin.script();
  s.Cell(5, 0) = 1;
  std::vector<float> chunk(65, 0.0f);
  chunk[0] = -1000.0f;
  plugin.dispatch(effSetChunk, 0, 260, chunk.data());
  EXPECT_EQ(s.Cell(5, 0), 0);
  s.Cell(5, 0) = 1;
  plugin.dispatch(effSetChunk, 0, 260, chunk.data());
  EXPECT_EQ(s.Cell(5, 0), 1);
}

TEST_F(EffectLifecycle, BrokenChunksChangeNothingAndAreTakenWhole) {
  plugin.start();
  TVebriskEffect& s = plugin.script();
  s.SliderValues[1] = 7;
  const float wrongMarker[] = {1000.0f, 3.0f};
  const char shortChunk[] = {0, 0, 0x7A};
  EXPECT_EQ(plugin.dispatch(effSetChunk, 0, 8, const_cast<float*>(wrongMarker)), 8);
  EXPECT_EQ(plugin.dispatch(effSetChunk, 0, 3, const_cast<char*>(shortChunk)), 3);
  EXPECT_EQ(plugin.dispatch(effSetChunk, 0, 260, nullptr), 260);
  EXPECT_EQ(s.SliderValues[1], 7);
  EXPECT_EQ(s.InitCount, 0);
}
