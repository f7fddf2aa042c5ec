#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "platform/module_services.h"
#include "runtime/frame_services.h"
#include "tests/support/fake_host.h"

namespace {

// A frame that counts its sections and serialises `values`.
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

class Frame : public ::testing::Test {
 protected:
  Frame() {
    auto probe = std::make_unique<ProbeEffect>();
    adapter = CDaZU::create(probe.get(), FrameServices::MakeFrameHooks<ProbeEffect>(),
                            FakeHost::callback, 1, 0);
    frame = probe.release();
    frame->Host = adapter;
  }
  ~Frame() override { delete adapter; }

  std::vector<unsigned char> State() {
    void* data = nullptr;
    const int32_t size = frame->GetState(&data);
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
  ProbeEffect* frame;
  CDaZU* adapter;
};

}  // namespace

TEST_F(Frame, StateIsTheMarkerThenEveryTransferredValueAsLittleEndianFloats) {
  frame->values = {0.5, -2, 1e40};
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

TEST_F(Frame, NothingToSaveGivesNoChunkAndLeavesThePointer) {
  void* data = &host;
  EXPECT_EQ(frame->GetState(&data), 0);
  EXPECT_EQ(data, &host);
}

TEST_F(Frame, LoadingRunsInitOnceThenRestoresInOrderThenTheSliderSection) {
  frame->values = {0, 0, 9};
  auto chunk = Chunk({-1000.0f, 1.5f, 2.5f});
  EXPECT_EQ(frame->SetState(chunk.data(), static_cast<int32_t>(chunk.size())), 12);
  EXPECT_EQ(frame->inits, 1);
  EXPECT_EQ(frame->sliders, 1);
  EXPECT_EQ(frame->values, (std::vector<double>{1.5, 2.5, 9}));  // short chunk keeps the rest

  frame->SetState(chunk.data(), static_cast<int32_t>(chunk.size()));
  EXPECT_EQ(frame->inits, 1);
  EXPECT_EQ(frame->sliders, 2);
  EXPECT_EQ(frame->InitCount, 2);
}

TEST_F(Frame, ShortOrUnmarkedChunksAreIgnoredButAnsweredWithTheirSize) {
  frame->values = {4};
  auto wrongMarker = Chunk({-999.0f, 1.0f});
  auto marked = Chunk({-1000.0f, 1.0f});
  EXPECT_EQ(frame->SetState(marked.data(), 3), 3);
  EXPECT_EQ(frame->SetState(wrongMarker.data(), 8), 8);
  EXPECT_EQ(frame->SetState(nullptr, 8), 8);
  EXPECT_EQ(frame->SetState(marked.data(), -4), -4);
  EXPECT_EQ(frame->inits + frame->sliders, 0);
  EXPECT_EQ(frame->values[0], 4);
}

TEST_F(Frame, TrailingBytesBeyondWholeFloatsAreIgnored) {
  frame->values = {4, 5};
  auto chunk = Chunk({-1000.0f, 1.0f, 2.0f});
  frame->SetState(chunk.data(), 10);
  EXPECT_EQ(frame->values, (std::vector<double>{1, 5}));
}

TEST_F(Frame, TimedRedrawWaitsLongerThanOneFrameInterval) {
  frame->frameRate = 30;
  const int32_t recent = MillisecondClock() - 10;
  frame->LastRedrawClock = recent;
  frame->OnIdle();
  EXPECT_EQ(frame->LastRedrawClock, recent);

  frame->LastRedrawClock = MillisecondClock() - 100;
  frame->OnIdle();
  EXPECT_GE(frame->LastRedrawClock, MillisecondClock() - 5);

  // Longer ago than half the counter's range: 24.8 days and more.
  for (const uint32_t ago : {(1u << 31) + 1000u, 4000000000u}) {
    frame->LastRedrawClock = static_cast<int32_t>(static_cast<uint32_t>(MillisecondClock()) - ago);
    frame->OnIdle();
    EXPECT_GE(frame->LastRedrawClock, MillisecondClock() - 5) << ago;
  }

  for (double rate : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
    frame->frameRate = rate;
    frame->LastRedrawClock = MillisecondClock() - 10000;
    const int32_t before = frame->LastRedrawClock;
    frame->OnIdle();
    EXPECT_EQ(frame->LastRedrawClock, before) << rate;
  }
}

TEST_F(Frame, ResetClearsMemoryAndTextsButKeepsSlidersAndFileNames) {
  frame->Cell(3, 0) = 1;
  frame->RegisterString(10000, "x");
  frame->RegisterFileName(0, "a.png");
  frame->SliderValues[5] = 2;
  frame->LastRedrawClock = 77;
  FrameServices::Open(adapter);
  EXPECT_TRUE(frame->Pages.empty());
  EXPECT_EQ(frame->StringCount, 0);
  EXPECT_EQ(frame->FileNames.size(), 1u);
  EXPECT_EQ(frame->SliderValues[5], 2);
  EXPECT_EQ(frame->LastRedrawClock, 0);
}

TEST_F(Frame, ResumeRunsInitThenSliderEveryTime) {
  FrameServices::Resume(adapter);
  FrameServices::Resume(adapter);
  EXPECT_EQ(frame->inits, 2);
  EXPECT_EQ(frame->sliders, 2);
  EXPECT_EQ(frame->InitCount, 0);  // resume does not count as InitOnce
}

TEST_F(Frame, ProcessingZeroFramesRunsTheBlockSectionOnly) {
  FrameServices::ProcessFloat<ProbeEffect>(adapter, nullptr, nullptr, 0);
  FrameServices::ProcessDouble<ProbeEffect>(adapter, nullptr, nullptr, -3);
  EXPECT_EQ(frame->blocks, 2);
  EXPECT_EQ(frame->samples, 0);
}

TEST_F(Frame, ProcessingCopiesEverySampleBitExactlyInPlaceToo) {
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
  FrameServices::ProcessFloat<ProbeEffect>(adapter, in, out, 8);
  EXPECT_EQ(std::memcmp(outLeft.data(), left.data(), 32), 0);
  EXPECT_EQ(std::memcmp(outRight.data(), right.data(), 32), 0);
  EXPECT_EQ(frame->samples, 8);

  std::vector<double> buffer = {1e300, -0.0, 5e-324, std::numeric_limits<double>::quiet_NaN()};
  const std::vector<double> original = buffer;
  std::vector<double> other = {1, 2, 3, 4};
  double* inPlace[] = {buffer.data(), other.data()};
  FrameServices::ProcessDouble<ProbeEffect>(adapter, inPlace, inPlace, 4);
  EXPECT_EQ(std::memcmp(buffer.data(), original.data(), 32), 0);
}
