#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "platform/module_services.h"
#include "runtime/frame_services.h"
#include "tests/support/fake_host.h"
#include "vst2/cdazu.h"

namespace {

// An effect object that counts its sections and serialises `values`.
class ProbeEffect final : public TVebrisk {
 public:
  ProbeEffect() { DeclaredChannels = 2; }
  void DoInit() override { ++inits; }
  void DoSlider() override { ++sliders; }
  void DoBlock() override { ++blocks; }
  void DoSample() override { ++samples; }
  void DoSerialize() override {
    for (double& v : values)
      TransferState(v);
  }

  int inits = 0, sliders = 0, blocks = 0, samples = 0;
  std::vector<double> values;
};

class RuntimeFrame : public ::testing::Test {
 protected:
  RuntimeFrame() {
    auto probe = std::make_unique<ProbeEffect>();
    adapter = CDaZU::create(probe.get(), FrameServices::MakeFrameHooks<ProbeEffect>(),
                            FakeHost::callback, 1, 0);
    effect = probe.release();
    instance = &adapter->instance();
    effect->Host = instance;
  }
  ~RuntimeFrame() override { delete adapter; }

  std::vector<unsigned char> State() {
    void* data = nullptr;
    const int32_t size = effect->GetState(&data);
    const auto* bytes = static_cast<const unsigned char*>(data);
    return size > 0 ? std::vector<unsigned char>(bytes, bytes + size)
                    : std::vector<unsigned char>{};
  }

  static std::vector<unsigned char> Chunk(std::initializer_list<float> floats) {
    std::vector<unsigned char> bytes(floats.size() * 4);
    std::memcpy(bytes.data(), floats.begin(), bytes.size());
    return bytes;
  }

  FakeHost host;
  ProbeEffect* effect;
  CDaZU* adapter;
  EffectInstance* instance;
};

}  // namespace

TEST_F(RuntimeFrame, StateIsTheMarkerThenEveryTransferredValueAsLittleEndianFloats) {
  effect->values = {0.5, -2, 1e40};
  const std::vector<unsigned char> state = State();
  ASSERT_EQ(state.size(), 16u);
  EXPECT_EQ(std::vector<unsigned char>(state.begin(), state.begin() + 4),
            (std::vector<unsigned char>{0x00, 0x00, 0x7A, 0xC4}));
  float floats[4];
  std::memcpy(floats, state.data(), 16);
  EXPECT_EQ(floats[1], 0.5f);
  EXPECT_EQ(floats[2], -2.0f);
  EXPECT_TRUE(std::isinf(floats[3]));
}

TEST_F(RuntimeFrame, NothingToSaveGivesNoChunkAndLeavesThePointer) {
  void* data = &host;
  EXPECT_EQ(effect->GetState(&data), 0);
  EXPECT_EQ(data, &host);
}

TEST_F(RuntimeFrame, LoadingRunsInitOnceThenRestoresInOrderThenTheSliderSection) {
  effect->values = {0, 0, 9};
  auto chunk = Chunk({-1000.0f, 1.5f, 2.5f});
  EXPECT_EQ(effect->SetState(chunk.data(), static_cast<int32_t>(chunk.size())), 12);
  EXPECT_EQ(effect->inits, 1);
  EXPECT_EQ(effect->sliders, 1);
  EXPECT_EQ(effect->values, (std::vector<double>{1.5, 2.5, 9}));  // short chunk keeps the rest

  effect->SetState(chunk.data(), static_cast<int32_t>(chunk.size()));
  EXPECT_EQ(effect->inits, 1);
  EXPECT_EQ(effect->sliders, 2);
  EXPECT_EQ(effect->InitCount, 2);
}

TEST_F(RuntimeFrame, ShortOrUnmarkedChunksAreIgnoredButAnsweredWithTheirSize) {
  effect->values = {4};
  auto wrongMarker = Chunk({-999.0f, 1.0f});
  auto marked = Chunk({-1000.0f, 1.0f});
  EXPECT_EQ(effect->SetState(marked.data(), 3), 3);
  EXPECT_EQ(effect->SetState(wrongMarker.data(), 8), 8);
  EXPECT_EQ(effect->SetState(nullptr, 8), 8);
  EXPECT_EQ(effect->SetState(marked.data(), -4), -4);
  EXPECT_EQ(effect->inits + effect->sliders, 0);
  EXPECT_EQ(effect->values[0], 4);
}

TEST_F(RuntimeFrame, TrailingBytesBeyondWholeFloatsAreIgnored) {
  effect->values = {4, 5};
  auto chunk = Chunk({-1000.0f, 1.0f, 2.0f});
  effect->SetState(chunk.data(), 10);
  EXPECT_EQ(effect->values, (std::vector<double>{1, 5}));
}

TEST_F(RuntimeFrame, TimedRedrawWaitsLongerThanOneFrameInterval) {
  effect->frameRate = 30;
  const int32_t recent = MillisecondClock() - 10;
  effect->LastRedrawClock = recent;
  effect->OnIdle();
  EXPECT_EQ(effect->LastRedrawClock, recent);

  effect->LastRedrawClock = MillisecondClock() - 100;
  effect->OnIdle();
  EXPECT_GE(effect->LastRedrawClock, MillisecondClock() - 5);

  // Longer ago than half the counter's range: 24.8 days and more.
  for (const uint32_t ago : {(1u << 31) + 1000u, 4000000000u}) {
    effect->LastRedrawClock = static_cast<int32_t>(static_cast<uint32_t>(MillisecondClock()) - ago);
    effect->OnIdle();
    EXPECT_GE(effect->LastRedrawClock, MillisecondClock() - 5) << ago;
  }

  for (double rate : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
    effect->frameRate = rate;
    effect->LastRedrawClock = MillisecondClock() - 10000;
    const int32_t before = effect->LastRedrawClock;
    effect->OnIdle();
    EXPECT_EQ(effect->LastRedrawClock, before) << rate;
  }
}

TEST_F(RuntimeFrame, ResetClearsMemoryAndTextsButKeepsSlidersAndFileNames) {
  effect->Cell(3, 0) = 1;
  effect->RegisterString(10000, "x");
  effect->RegisterFileName(0, "a.png");
  effect->SliderValues[5] = 2;
  effect->LastRedrawClock = 77;
  FrameServices::Open(instance);
  EXPECT_TRUE(effect->Pages.empty());
  EXPECT_EQ(effect->StringCount, 0);
  EXPECT_EQ(effect->FileNames.size(), 1u);
  EXPECT_EQ(effect->SliderValues[5], 2);
  EXPECT_EQ(effect->LastRedrawClock, 0);
}

TEST_F(RuntimeFrame, ResumeRunsInitThenSliderEveryTime) {
  FrameServices::Resume(instance);
  FrameServices::Resume(instance);
  EXPECT_EQ(effect->inits, 2);
  EXPECT_EQ(effect->sliders, 2);
  EXPECT_EQ(effect->InitCount, 0);  // resume does not count as InitOnce
}

TEST_F(RuntimeFrame, ProcessingZeroFramesRunsTheBlockSectionOnly) {
  FrameServices::ProcessFloat<ProbeEffect>(instance, nullptr, nullptr, 0);
  FrameServices::ProcessDouble<ProbeEffect>(instance, nullptr, nullptr, -3);
  EXPECT_EQ(effect->blocks, 2);
  EXPECT_EQ(effect->samples, 0);
}

TEST_F(RuntimeFrame, ProcessingCopiesEverySampleBitExactlyInPlaceToo) {
  const float specials[] = {0.25f,
                            -0.0f,
                            1e-40f,
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN(),
                            3.4e38f,
                            -1.0f};
  std::vector<float> left(specials, specials + 8), right(left.rbegin(), left.rend());
  std::vector<float> outLeft(8), outRight(8);
  float* in[] = {left.data(), right.data()};
  float* out[] = {outLeft.data(), outRight.data()};
  FrameServices::ProcessFloat<ProbeEffect>(instance, in, out, 8);
  EXPECT_EQ(std::memcmp(outLeft.data(), left.data(), 32), 0);
  EXPECT_EQ(std::memcmp(outRight.data(), right.data(), 32), 0);
  EXPECT_EQ(effect->samples, 8);

  std::vector<double> buffer = {1e300, -0.0, 5e-324, std::numeric_limits<double>::quiet_NaN()};
  const std::vector<double> original = buffer;
  std::vector<double> other = {1, 2, 3, 4};
  double* inPlace[] = {buffer.data(), other.data()};
  FrameServices::ProcessDouble<ProbeEffect>(instance, inPlace, inPlace, 4);
  EXPECT_EQ(std::memcmp(buffer.data(), original.data(), 32), 0);
}
