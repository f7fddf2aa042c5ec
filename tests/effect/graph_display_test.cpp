#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "editor/offscreen_render.h"
#include "effect/vebrisk_effect.h"
#include "tests/support/fake_host.h"
#include "vst2/cdazu.h"
#include "vst2/editor/cdazu_editor.h"

using namespace VSTGUI;

namespace {

class GraphDisplay : public ::testing::Test {
 protected:
  void Start(float rate) { plugin.start(rate, 512); }

  void Process(const std::vector<float>& left, const std::vector<float>& right) {
    std::vector<float> l = left, r = right;
    float* io[] = {l.data(), r.data()};
    plugin.effect->processReplacing(plugin.effect, io, io, static_cast<int32_t>(l.size()));
  }

  // Renders a frame and keeps its pixels.
  void Render() {
    auto context = RenderEditorOffscreen(plugin.instance());
    ASSERT_TRUE(context);
    width = static_cast<int>(context->getBitmap()->getWidth());
    pixels = ImagePixels(*context->getBitmap()->getPlatformImage());
  }

  CColor At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  static bool Reddish(CColor c) { return c.red > 120 && c.green < 60 && c.blue < 60; }
  static bool Black(CColor c) { return c == kBlackCColor; }

  // Rows of column x whose pixel satisfies `is`, from the top.
  template <class Is>
  std::vector<int> RowsWhere(int x, Is is) const {
    std::vector<int> rows;
    for (int y = 0; y < static_cast<int>(pixels.size()) / width; ++y) {
      if (is(At(x, y))) rows.push_back(y);
    }
    return rows;
  }

  FakeHost host;
  PluginInstance plugin;
  TVebriskEffect& s = plugin.script();
  std::vector<CColor> pixels;
  int width = 0;
};

}  // namespace

TEST_F(GraphDisplay, TheRedFrameRunsAlongAllFourEdgesOverOpaqueBlack) {
  Start(44100);
  Render();
  ASSERT_EQ(width, 600);
  for (int i = 5; i < 595; i += 7) {
    EXPECT_TRUE(Reddish(At(i, 0))) << "top " << i;
    EXPECT_TRUE(Reddish(At(i, 599))) << "bottom " << i;
    EXPECT_TRUE(Reddish(At(0, i))) << "left " << i;
    EXPECT_TRUE(Reddish(At(599, i))) << "right " << i;
  }
  EXPECT_TRUE(Black(At(300, 150)));
  EXPECT_TRUE(Black(At(500, 400)));
  for (const CColor& p : pixels)
    ASSERT_EQ(p.alpha, 255);
}

TEST_F(GraphDisplay, TheCeilingsSpanTheirDesignRange) {
  Start(44100);
  Render();
  auto ceilingColour = [](CColor c) {
    return c.red > 60 && c.green > 60 && c.blue < 30 && std::abs(c.red - c.green) < 10;
  };
  // Upper ceiling at 15 design units (22.5 -> row 22) from x 150 to 585.
  EXPECT_TRUE(ceilingColour(At(151, 22)));
  EXPECT_TRUE(ceilingColour(At(584, 22)));
  EXPECT_FALSE(ceilingColour(At(140, 22)));
  EXPECT_FALSE(ceilingColour(At(590, 22)));
  // Lower ceiling at 170 design units (row 255) from x 15 to 585.
  EXPECT_TRUE(ceilingColour(At(16, 255)));
  EXPECT_TRUE(ceilingColour(At(584, 255)));
  EXPECT_FALSE(ceilingColour(At(10, 255)));
  EXPECT_FALSE(ceilingColour(At(590, 255)));
  EXPECT_FALSE(ceilingColour(At(400, 240)));
}

TEST_F(GraphDisplay, LegendAndLabelsStartWhereTheDesignPutsThem) {
  Start(44100);
  s.frameRate = 30;
  Render();
  EXPECT_EQ(s.var.labelFontSize, 31);
  EXPECT_EQ(s.var.scaleX, 1.5);
  // The legend's two yellow lines of text hang from (15, 540) and (15, 562.5).
  auto yellowish = [](CColor c) { return c.red > 60 && c.green > 60 && c.blue < 40; };
  auto yellowInRows = [&](int top, int bottom) {
    int pixels = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = 15; x < 300; ++x)
        pixels += yellowish(At(x, y));
    }
    return pixels;
  };
  int firstRow = -1, lastRow = -1;
  for (int y = 500; y < 599; ++y) {
    if (yellowInRows(y, y + 1) == 0) continue;
    if (firstRow < 0) firstRow = y;
    lastRow = y;
  }
  EXPECT_GE(firstRow, 540);
  EXPECT_LE(firstRow, 548);
  EXPECT_GE(lastRow, 580);
  EXPECT_LE(lastRow, 594);
  EXPECT_GT(yellowInRows(540, 562), 300);  // the first line alone
  EXPECT_GT(yellowInRows(570, 595), 300);  // the lower part of the second
  for (int y = 530; y < 595; ++y)
    EXPECT_FALSE(yellowish(At(12, y))) << y;
}

TEST_F(GraphDisplay, HistoryPointsStandAtTheirShareOfFullScale) {
  Start(44100);
  // A step of 0.25 is half the full scale at 44.1 kHz: the line sits at half height.
  std::vector<float> steps(1024), flat(1024, 0.0f);
  for (size_t i = 0; i < steps.size(); ++i)
    steps[i] = (i % 2) ? 0.25f : 0.0f;
  for (int frame = 0; frame < kHistoryLength; ++frame) {  // the whole history
    Process(steps, flat);
    Render();
  }
  const auto white = RowsWhere(300, [](CColor c) { return c.red > 100 && c.blue > 100; });
  ASSERT_FALSE(white.empty());
  EXPECT_NEAR(white.front(), 300, 1);
  EXPECT_NEAR(white.back(), 300, 1);
  // The right channel stayed flat: its line lies on the bottom edge, just outside
  // the view, so this column shows only the frame's red.
  const auto red = RowsWhere(300, [](CColor c) { return c.red > 100 && c.green < 60; });
  EXPECT_EQ(red, (std::vector<int>{0, 599}));
  EXPECT_EQ(s.var.segmentY2, 600);
}

TEST_F(GraphDisplay, TheFullScaleHalvesWhenTheRateDoubles) {
  Start(88200);
  // At 88.2 kHz the full scale is 0.25, so a step of 0.125 stands at half height
  // (and 0.25 would reach the top edge).
  std::vector<float> steps(2048), flat(2048, 0.0f);
  for (size_t i = 0; i < steps.size(); ++i)
    steps[i] = (i % 2) ? 0.125f : 0.0f;
  for (int frame = 0; frame < kHistoryLength; ++frame) {  // the whole history
    Process(steps, flat);
    Render();
  }
  EXPECT_EQ(s.var.fullScale, 0.25);
  const auto white = RowsWhere(300, [](CColor c) { return c.red > 100 && c.blue > 100; });
  ASSERT_FALSE(white.empty());
  EXPECT_NEAR(white.front(), 300, 1);
  EXPECT_NEAR(white.back(), 300, 1);
}

TEST_F(GraphDisplay, TheShadePulsesFromEightTenthsAndResumeDoesNotRestartIt) {
  Start(44100);
  Render();
  EXPECT_DOUBLE_EQ(s.var.glowAlpha, 0.8);
  Render();
  EXPECT_DOUBLE_EQ(s.var.glowAlpha, 0.5 + 0.3 * std::cos(0.07));
  plugin.dispatch(effMainsChanged, 0, 0);
  plugin.dispatch(effMainsChanged, 0, 1);
  Render();
  EXPECT_DOUBLE_EQ(s.var.glowAlpha, 0.5 + 0.3 * std::cos(0.14));
  for (int frame = 0; frame < 200; ++frame)
    Render();
  EXPECT_GE(s.var.glowPhase, 0);
  EXPECT_LT(s.var.glowPhase, 6.283185307179586);
}

TEST_F(GraphDisplay, LabelFontSizeFollowsTheViewWithinEightAndAHundred) {
  Start(44100);
  struct Case {
    int16_t size;
    double expected;
  };
  for (const Case& c : {Case{300, 15}, Case{100, 8}, Case{3000, 100}}) {
    delete plugin.adapter()->getEditor();
    new CDaZUEditor(plugin.adapter(), c.size, c.size);
    Render();
    EXPECT_EQ(s.var.labelFontSize, c.expected) << c.size;
    EXPECT_EQ(width, c.size);
  }
}

TEST_F(GraphDisplay, BeforeAnyInitEveryPointLiesOnTheTopEdge) {
  plugin.dispatch(effOpen);
  s.Cell(50, 0) = 0.3;
  Render();
  EXPECT_EQ(s.var.fullScale, 0);
  EXPECT_EQ(s.var.segmentY1, 0);
}
