#include "editor/drawing/draw_context.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/drawing/offscreen_context.h"
#include "tests/support/recording_canvas.h"

using namespace VSTGUI;

namespace {

class DrawContextRules : public ::testing::Test {
 protected:
  DrawContextRules()
      : context(SharedPointer<CDrawContext>::adopt(
            new CDrawContext(std::make_unique<RecordingCanvas>(calls), CRect{0, 0, 600, 600}))) {
    calls.clear();
  }

  std::vector<CanvasCall> Calls(const std::string& what) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : calls) {
      if (call.what == what) found.push_back(call);
    }
    return found;
  }

  std::vector<CanvasCall> calls;
  SharedPointer<CDrawContext> context;
};

}  // namespace

TEST_F(DrawContextRules, ANewSurfaceStartsAliasedWithWhitePenBlackFillAndArialTwelve) {
  std::vector<CanvasCall> setup;
  SharedPointer<CDrawContext> fresh = SharedPointer<CDrawContext>::adopt(
      new CDrawContext(std::make_unique<RecordingCanvas>(setup), CRect{0, 0, 600, 600}));
  EXPECT_EQ(fresh->getStrokeColor(), kWhiteCColor);
  EXPECT_EQ(fresh->getFillColor(), kBlackCColor);
  EXPECT_EQ(fresh->getTextColor(), kWhiteCColor);
  EXPECT_EQ(fresh->getLineWidth(), 1);
  EXPECT_EQ(fresh->getLineStyle(), kLineSolid);
  EXPECT_EQ(fresh->getDrawMode(), kAliasing);
  EXPECT_EQ(fresh->getFont()->getName(), "Arial");
  EXPECT_EQ(fresh->getFont()->getSize(), 12);
  ASSERT_FALSE(setup.empty());
  EXPECT_EQ(setup.back().what, "antialias");
  EXPECT_EQ(setup.back().a, 0);
}

TEST_F(DrawContextRules, LineEndsAreTruncatedButThePenKeepsTheExactPoint) {
  context->moveTo({0.7, 0.7});
  context->lineTo({10.9, 0.2});
  const auto lines = Calls("line");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(std::vector<double>({lines[0].a, lines[0].b, lines[0].c, lines[0].d}),
            std::vector<double>({0, 0, 10, 0}));
  EXPECT_EQ(context->getPenPosition().x, 10.9);
  EXPECT_EQ(context->getPenPosition().y, 0.2);
}

TEST_F(DrawContextRules, RectanglesAreNormalisedAndFramedOnePixelInside) {
  context->drawRect({10, 10, 0, 0}, kDrawFilledAndStroked);
  const auto fills = Calls("fillRect"), frames = Calls("rect");
  ASSERT_EQ(fills.size(), 1u);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(std::vector<double>({fills[0].a, fills[0].b, fills[0].c, fills[0].d}),
            std::vector<double>({0, 0, 10, 10}));
  EXPECT_EQ(std::vector<double>({frames[0].a, frames[0].b, frames[0].c, frames[0].d}),
            std::vector<double>({0, 0, 9, 9}));
  calls.clear();
  context->drawRect({1.5, 2.5, 4, 6}, 7);  // no such mode: nothing
  EXPECT_TRUE(calls.empty());
}

TEST_F(DrawContextRules, EllipsesTruncateAndBothUseOneLess) {
  context->drawEllipse({10.8, 20.2, 0.5, 5.9}, kDrawFilledAndStroked);
  const auto fill = Calls("fillEllipse"), frame = Calls("ellipse");
  ASSERT_EQ(fill.size(), 1u);
  EXPECT_EQ(std::vector<double>({fill[0].a, fill[0].b, fill[0].c, fill[0].d}),
            std::vector<double>({0, 5, 9, 14}));
  EXPECT_EQ(frame[0].c, 9);
}

TEST_F(DrawContextRules, ArcsSweepForwardAcrossZeroDegrees) {
  context->drawArc({0, 0, 10, 10}, 300, 60, kDrawStroked);
  const auto arcs = Calls("arc");
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0].c, 300);
  EXPECT_EQ(arcs[0].d, 120);
}

TEST_F(DrawContextRules, APointIsAOnePixelLineThatLeavesPenColourAndWidth) {
  context->setLineWidth(3);
  context->setStrokeColor(MakeColor(1, 2, 3, 4));
  context->drawPoint({5, 6}, MakeColor(9, 9, 9, 255));
  const auto lines = Calls("line");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].a, 5);
  EXPECT_EQ(lines[0].c, 6);
  EXPECT_EQ(lines[0].color, MakeColor(9, 9, 9, 255));
  EXPECT_EQ(context->getLineWidth(), 3);
  EXPECT_EQ(context->getStrokeColor(), MakeColor(1, 2, 3, 4));
}

TEST_F(DrawContextRules, TextInARectIsPlacedByAlignmentAndClippedToIt) {
  context->setFont(GetStaticFont(kSystemFont), 20);
  const CRect rect{0, 0, 100, 30};
  for (int32_t alignment : {kLeftText, kCenterText, kRightText}) {
    calls.clear();
    context->drawTextInRect("abcd", rect, alignment);  // 40 pixels wide
    const auto texts = Calls("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].a, alignment == kLeftText ? 0 : alignment == kCenterText ? 30 : 60);
    // Bottom edge 30 - (15 - 10 + 1) = 24, so the top is 24 + 1 - 15.
    EXPECT_EQ(texts[0].b, 10);
    const auto clips = Calls("clip");
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0].c, 100);
    EXPECT_EQ(clips[0].d, 30);
    EXPECT_EQ(clips[1].c, 600);  // the earlier clip comes back
  }
  EXPECT_EQ(context->getClipRect(), (CRect{0, 0, 600, 600}));
}

TEST_F(DrawContextRules, TextThatIsNotUtf8DrawsEmpty) {
  context->drawTextAt("ab\xff", {0, 20});
  const auto texts = Calls("text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "");
  EXPECT_EQ(context->measureText("\xc0\x80"), 0);
}

// Clipped in double precision before truncation: a far end comes back to the
// surface's edge along the same line, whatever the back end.
TEST_F(DrawContextRules, FarLinesAndRectanglesReachTheCanvasCutToTheSurface) {
  context->moveTo({10, 300});
  context->lineTo({16, -1.2e33});
  context->lineTo({1e300, -1.2e33});  // wholly outside: nothing
  context->drawRect({-1e30, 100, 1e30, 200}, kDrawFilled);
  const auto lines = Calls("line"), fills = Calls("fillRect");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(std::vector<double>({lines[0].a, lines[0].b, lines[0].c}),
            std::vector<double>({10, 300, 10}));
  EXPECT_LT(lines[0].d, 0);
  EXPECT_GT(lines[0].d, -10);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_LT(fills[0].a, 0);
  EXPECT_GT(fills[0].a + fills[0].c, 600);
  EXPECT_LT(fills[0].a + fills[0].c, 610);
  EXPECT_EQ(context->getPenPosition().x, 1e300);
}

TEST_F(DrawContextRules, OffsetsMoveEveryCoordinateButNotTheStoredColours) {
  context->setOffset({100, 50});
  context->moveTo({1, 1});
  context->lineTo({2, 2});
  context->drawRect({0, 0, 10, 10}, kDrawFilled);
  EXPECT_EQ(Calls("line")[0].a, 101);
  EXPECT_EQ(Calls("line")[0].d, 52);
  EXPECT_EQ(Calls("fillRect")[0].b, 50);
}

TEST_F(DrawContextRules, FontSizeAndStyleMakeANewDescriptionOnlyWhenTheyDiffer) {
  CFontDesc* base = GetStaticFont(kNormalFontBig);  // Arial 14
  const int32_t references = base->getNbReference();
  context->setFont(base, 0, -1);
  EXPECT_EQ(context->getFont(), base);
  EXPECT_EQ(base->getNbReference(), references + 1);
  context->setFont(base, 14, kNormalFace);
  EXPECT_EQ(context->getFont(), base);
  context->setFont(base, 20, -1);
  EXPECT_NE(context->getFont(), base);
  EXPECT_EQ(context->getFont()->getSize(), 20);
  EXPECT_EQ(context->getFont()->getName(), "Arial");
  EXPECT_EQ(base->getNbReference(), references);
}

// The real back end: pixel centres on whole numbers, as the surface promises.
TEST(CairoPixels, OnePixelLinesAndAliasedFillsLightWholePixels) {
  SharedPointer<COffscreenContext> context = COffscreenContext::create(20, 20);
  ASSERT_TRUE(context);
  context->setStrokeColor(MakeColor(255, 0, 0, 255));
  context->moveTo({0, 0});
  context->lineTo({19, 0});
  context->setFillColor(MakeColor(0, 255, 0, 255));
  context->drawRect({0, 5, 10, 15}, kDrawFilled);
  const std::vector<CColor> pixels = ImagePixels(*context->getBitmap()->getPlatformImage());
  auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y * 20 + x)]; };
  EXPECT_EQ(at(5, 0), MakeColor(255, 0, 0, 255));
  EXPECT_EQ(at(5, 1).alpha, 0);
  EXPECT_EQ(at(0, 5), MakeColor(0, 255, 0, 255));
  EXPECT_EQ(at(9, 14), MakeColor(0, 255, 0, 255));
  EXPECT_EQ(at(10, 5).alpha, 0);
  EXPECT_EQ(at(0, 15).alpha, 0);
  EXPECT_EQ(at(0, 4).alpha, 0);
}
