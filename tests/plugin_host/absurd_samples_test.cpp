// Finite but absurd samples (a misbehaving plug-in upstream, a broken file)
// fed through the exported entry point reach the picture in the host's window:
// a step far above full scale draws the history line up and out of the top
// edge. It never folds back down and never leaves a gap.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "effect/meter_model.h"
#include "tests/support/x11_host.h"
#include "tools/loader/plugin_library.h"

namespace {

using VSTGUI::CColor;

constexpr int kSize = 600;
constexpr int kBlock = 441;  // one graph point per block at 44.1 kHz, 100 blocks a second
// More frames than the history has points: every point is ours.
constexpr int kFrames = static_cast<int>(kHistoryLength) + 30;

intptr_t HostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// A block whose largest step is `step`, alternating 0 and `step`.
std::vector<float> Steps(float step) {
  std::vector<float> block(kBlock);
  for (size_t i = 0; i < block.size(); ++i)
    block[i] = (i % 2) ? step : 0.0f;
  return block;
}

// Writes `spike` into a block with denormals on both sides of it.
void Spike(std::vector<float>& block, std::initializer_list<float> spike) {
  size_t at = 200;
  block[at++] = 1e-40f;
  for (float value : spike)
    block[at++] = value;
  block[at] = -1e-40f;
}

// The left history is white and the right red, both half opaque over black,
// the red drawn last: white alone is (127, 127, 127), red alone (127, 0, 0),
// red over white (191, 64, 64). The labels are yellow and have no blue.
bool Left(CColor c) {
  return c.blue > 40;
}
bool Right(CColor c) {
  return c.red > c.green + 60;
}

class AbsurdSamples : public ::testing::Test {
 protected:
  CColor At(int x, int y) const { return pixels[static_cast<size_t>(y * kSize + x)]; }
  // Right of the logo and inside the red frame.
  template <class Is>
  bool RowHas(int y, Is is) const {
    for (int x = 125; x < kSize - 1; ++x) {
      if (is(At(x, y))) return true;
    }
    return false;
  }
  template <class Is>
  int FirstRowWith(int from, Is is) const {
    for (int y = from; y < kSize - 1; ++y) {
      for (int x = 1; x < kSize - 1; ++x) {
        if (is(At(x, y))) return y;
      }
    }
    return -1;
  }

  std::vector<CColor> pixels;
};

}  // namespace

// Steady steps put the left line at y 450 (0.125 of 0.5) and the right at
// 525 (0.0625); two blocks carry spikes of 7200, 1e30, -1e30 and 1e6.
TEST_F(AbsurdSamples, ASpikeFarAboveFullScaleLeavesTheTopEdgeAndComesBack) {
  X11Host x;
  if (!x.available()) GTEST_SKIP() << "no X display";
  PluginLibrary library(PLUGIN_PATH);
  ASSERT_TRUE(library.loaded()) << library.error();
  AEffect* e = library.create(HostCallback);
  ASSERT_NE(e, nullptr);
  StartLikeAHost(e, 44100.0f, kBlock);
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, x.parentHandle()), 1);
  for (int frame = 0; frame < kFrames; ++frame) {
    std::vector<float> left = Steps(0.125f), right = Steps(0.0625f);
    if (frame == 90) {
      Spike(left, {7200.0f});
      Spike(right, {1e30f, -1e30f});
    }
    if (frame == 110) {
      Spike(left, {-1e30f, 1e30f});
      Spike(right, {1e6f});
    }
    float* io[] = {left.data(), right.data()};
    e->processReplacing(e, io, io, kBlock);
    // A frame, and with it a point of history, at most every 33 ms.
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    Dispatch(e, effEditIdle);
  }
  for (int i = 0; i < 3; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    Dispatch(e, effEditIdle);
  }
  pixels = x.screenshot(x.editorWindow(), kSize, kSize);
  Dispatch(e, effEditClose);
  Dispatch(e, effMainsChanged, 0, 0);
  Dispatch(e, effClose);
  ASSERT_EQ(pixels.size(), static_cast<size_t>(kSize * kSize));

  // Up from the steady line to the top edge, every row crossed: no gap.
  for (int y = 1; y < 445; ++y)
    ASSERT_TRUE(RowHas(y, Left)) << "left line missing in row " << y;
  for (int y = 1; y < 520; ++y)
    ASSERT_TRUE(RowHas(y, Right)) << "right line missing in row " << y;
  // Nothing below the steady lines: no segment folded downwards.
  EXPECT_EQ(FirstRowWith(456, Left), -1);
  EXPECT_EQ(FirstRowWith(531, Right), -1);
  EXPECT_EQ(x.hostErrors(), 0);
}
