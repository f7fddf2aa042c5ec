#include "runtime/graphics_primitives.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "editor/drawing/draw_context.h"
#include "effect/vebrisk_effect.h"
#include "platform/module_services.h"
#include "runtime/paths.h"
#include "tests/support/fake_host.h"
#include "tests/support/recording_canvas.h"
#include "vst2/cdazu.h"

using namespace VSTGUI;

namespace {

class GraphicsPrimitives : public ::testing::Test {
 protected:
  GraphicsPrimitives() {
    plugin.dispatch(effOpen);
    context = SharedPointer<CDrawContext>::adopt(
        new CDrawContext(std::make_unique<RecordingCanvas>(calls), CRect{0, 0, 600, 600}));
    plugin.instance()->setDrawContext(context.get());
    calls.clear();
  }
  ~GraphicsPrimitives() override { plugin.instance()->setDrawContext(nullptr); }

  std::vector<CanvasCall> Calls(const std::string& what) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : calls) {
      if (call.what == what) found.push_back(call);
    }
    return found;
  }

  static int LogLines() {
    std::ifstream log(LogFilePath());
    int lines = 0;
    for (std::string line; std::getline(log, line);)
      ++lines;
    return lines;
  }

  FakeHost host;
  PluginInstance plugin;
  TVebriskEffect& s = plugin.script();
  std::vector<CanvasCall> calls;
  SharedPointer<CDrawContext> context;
  const ColorBytes white = ToColorBytes(1, 1, 1, 1);
};

}  // namespace

TEST(ColorBytesRule, ChannelsScaleByTheIndexRuleAndClamp) {
  const ColorBytes c = ToColorBytes(0.5, 1, -0.2, 1.5);
  EXPECT_EQ(c.red, 127);
  EXPECT_EQ(c.green, 255);
  EXPECT_EQ(c.blue, 0);
  EXPECT_EQ(c.alpha, 255);
  EXPECT_EQ(ToColorBytes(0.95, std::nan(""), 0, 0).red, 242);
  EXPECT_EQ(ToColorBytes(0.95, std::nan(""), 0, 0).green, 0);
}

TEST_F(GraphicsPrimitives, TextIsDrawnLineByLineAtThePen) {
  s.RegisterString(20, "ab\nc");
  s.penX = 10;
  s.penY = 20;
  s.textHeight = 15;
  Primitives::DrawString(s, white, 20);
  const auto texts = Calls("text");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "ab");
  EXPECT_EQ(texts[1].text, "c");
  EXPECT_EQ(texts[0].a, 10);
  EXPECT_EQ(texts[1].a, 10);
  const auto clips = Calls("clip");
  // Each line is clipped to its rectangle: "ab" from (10, 20) to (30, 37).
  EXPECT_EQ(clips[0].a, 10);
  EXPECT_EQ(clips[0].b, 20);
  EXPECT_EQ(clips[0].c, 20);
  EXPECT_EQ(clips[0].d, 17);
  EXPECT_EQ(clips[2].b, 35);
  EXPECT_EQ(s.penX, 20);  // 10 + the width of "c"
  EXPECT_EQ(s.penY, 35);
}

TEST_F(GraphicsPrimitives, ATrailingLineFeedMovesDownAndKeepsX) {
  s.RegisterString(21, "abc\n");
  s.penX = 7;
  s.penY = 0;
  s.textHeight = 12;
  Primitives::DrawString(s, white, 21);
  EXPECT_EQ(s.penX, 7);
  EXPECT_EQ(s.penY, 12);
}

TEST_F(GraphicsPrimitives, AMissingStringDrawsNothingVisibleAndIsCounted) {
  const double before = s.StringCount;
  Primitives::DrawString(s, white, 5);
  EXPECT_EQ(s.StringCount, before + 1);
  EXPECT_EQ(s.Strings.count(5), 1u);
  for (const CanvasCall& text : Calls("text"))
    EXPECT_EQ(text.text, "");
}

TEST_F(GraphicsPrimitives, NumbersUseTheDigitsOrSixWhenNegative) {
  Primitives::DrawNumber(s, white, 3.14159, 2);
  Primitives::DrawNumber(s, white, 7, -1);
  Primitives::DrawNumber(s, white, 1e300, 400);  // cut to what fits, never past the buffer
  const auto texts = Calls("text");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "3.14");
  EXPECT_EQ(texts[1].text, "7.000000");
  EXPECT_EQ(texts[2].text.size(), 255u);
}

TEST_F(GraphicsPrimitives, FilledRectanglesFloorTheirCornersAndMoveThePen) {
  Primitives::FilledRectangle(s, white, 1.7, 2.2, 3.6, 4.5);
  EXPECT_DOUBLE_EQ(s.penX, 5.3);
  EXPECT_DOUBLE_EQ(s.penY, 6.7);
  const auto fills = Calls("fillRect");
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(std::vector<double>({fills[0].a, fills[0].b, fills[0].c, fills[0].d}),
            std::vector<double>({1, 2, 4, 4}));
  EXPECT_EQ(context->getDrawMode(), 0);
}

TEST_F(GraphicsPrimitives, LinesAreAntialiasedAndLeaveThePenAtTheirEnd) {
  Primitives::Line(s, ToColorBytes(1, 0, 0, 0.5), 1, 2, 30.5, 40.5);
  EXPECT_EQ(s.penX, 30.5);
  EXPECT_EQ(s.penY, 40.5);
  EXPECT_EQ(context->getDrawMode(), 3);
  EXPECT_EQ(Calls("line")[0].color, MakeColor(255, 0, 0, 127));
}

TEST_F(GraphicsPrimitives, FontSizesFollowTheScaleRules) {
  s.RegisterString(30, "Arial");
  Primitives::SelectFont(s, 1, 30, 21, 0);
  EXPECT_EQ(s.textHeight, 20.999999999999996);
  EXPECT_EQ(context->getFont()->getSize(), 17);
  Primitives::SelectFont(s, 1, 30, 13, 0);
  EXPECT_EQ(s.textHeight, 12.999999999999998);
  Primitives::SelectFont(s, 1, 30, -12, 0);
  EXPECT_EQ(context->getFont()->getSize(), 12);
  EXPECT_DOUBLE_EQ(s.textHeight, 12 / 0.85);
  Primitives::SelectFont(s, 1, 30, std::nan(""), 0);
  EXPECT_EQ(context->getFont()->getSize(), 16);
  EXPECT_EQ(s.textHeight, 16 / 0.85);
  Primitives::SelectFont(s, 1, 30, -INFINITY, 0);
  EXPECT_EQ(s.textHeight, 0);
  EXPECT_EQ(s.Fonts.at(1).Size, 1);
  Primitives::SelectFont(s, 1, 30, INFINITY, 0);
  EXPECT_EQ(s.Fonts.at(1).Size, 0);
  EXPECT_EQ(s.Fonts.at(1).Name, "Arial");
}

// The script's fontIndex holds the number as given (finite rule); the font table is keyed by
// its index, and the primitive's own answer is 1 whatever the number.
TEST_F(GraphicsPrimitives, SelectFontNotesTheNumberAndAnswersOne) {
  s.RegisterString(30, "Arial");
  EXPECT_EQ(Primitives::SelectFont(s, 2, 30, 12, 0), 1);
  EXPECT_EQ(s.var.fontIndex, 2);
  EXPECT_EQ(Primitives::SelectFont(s, 3.9, 30, 12, 0), 1);
  EXPECT_EQ(s.var.fontIndex, 3.9);
  EXPECT_EQ(s.Fonts.count(3), 1u);
  EXPECT_EQ(Primitives::SelectFont(s, std::nan(""), 30, 12, 0), 1);
  EXPECT_EQ(s.var.fontIndex, 0);
}

TEST_F(GraphicsPrimitives, StyleLettersArePackedIntoTheCode) {
  s.RegisterString(30, "Arial");
  Primitives::SelectFont(s, 2, 30, 12, 'u' * 256 + 'b');
  EXPECT_EQ(s.Fonts.at(2).Style, 5);
  Primitives::SelectFont(s, 2, 30, 12, 'b' * 256 + 'i');
  EXPECT_EQ(s.Fonts.at(2).Style, 3);
  Primitives::SelectFont(s, 2, 30, 12, 0);
  EXPECT_EQ(s.Fonts.at(2).Style, 0);
}

TEST_F(GraphicsPrimitives, AnImageThatCannotLoadIsLoggedOnceAndDrawnAsAnErrorBox) {
  s.RegisterFileName(9, "\\no_such_image.png");
  const int before = LogLines();
  s.penX = 4;
  s.penY = 5;
  Primitives::Blit(s, 9, 0, 0);
  Primitives::Blit(s, 9, 0, 0);
  EXPECT_EQ(LogLines(), before + 1);
  std::ifstream log(LogFilePath());
  std::string line, last;
  while (std::getline(log, line))
    last = line;
  EXPECT_EQ(last, "Unable to load: " + FullPath("no_such_image.png"));

  const auto fills = Calls("fillRect");
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].color, MakeColor(255, 0, 0, 255));
  EXPECT_EQ(fills[0].a, 4);
  EXPECT_EQ(fills[0].c, 0);  // 0 x 0 at the pen
  EXPECT_EQ(Calls("text")[0].text, "ERROR");
  EXPECT_EQ(s.penX, 4);  // blit never moves the pen
}

TEST_F(GraphicsPrimitives, EmbeddedImagesDrawAtThePenAtTheirOwnSize) {
  s.penX = 15;
  s.penY = 25;
  Primitives::Blit(s, 3, 2, 1);
  const auto images = Calls("image");
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(std::vector<double>({images[0].a, images[0].b, images[0].c, images[0].d}),
            std::vector<double>({15, 25, 50, 50}));
  EXPECT_EQ(images[0].text, "50:2,1");
  EXPECT_EQ(s.Images.at(3).Width, 50);
}

TEST_F(GraphicsPrimitives, WithoutASurfaceThePenAndTextHeightStillMove) {
  plugin.instance()->setDrawContext(nullptr);
  s.RegisterString(30, "Arial");
  Primitives::SelectFont(s, 1, 30, 21, 0);
  Primitives::FilledRectangle(s, white, 0, 0, 10, 20);
  EXPECT_EQ(s.textHeight, 20.999999999999996);
  EXPECT_EQ(s.penY, 20);
  EXPECT_TRUE(calls.empty());
}
