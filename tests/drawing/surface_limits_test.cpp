// Coordinates far outside the surface and degenerate shapes, on the real back
// end (Cairo on Linux, GDI+ under Wine): far lines and rectangles are drawn as
// far as they show, in their own direction, and nothing stops later drawing.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "editor/drawing/offscreen_context.h"

using namespace VSTGUI;

namespace {

constexpr int kSize = 100;
const CColor kBlue = MakeColor(0, 0, 255, 255);

class SurfaceLimits : public ::testing::Test {
 protected:
  SurfaceLimits() : context(COffscreenContext::create(kSize, kSize)) {}

  void Read() { pixels = ImagePixels(*context->getBitmap()->getPlatformImage()); }
  bool Lit(int x, int y) const { return pixels[static_cast<size_t>(y * kSize + x)].alpha > 0; }
  // Every lit pixel lies in the columns [left, right] and rows [top, bottom].
  bool LitOnlyWithin(int left, int top, int right, int bottom) const {
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (Lit(x, y) && (x < left || x > right || y < top || y > bottom)) return false;
      }
    }
    return true;
  }
  bool RowLitWithin(int y, int left, int right) const {
    for (int x = left; x <= right; ++x) {
      if (Lit(x, y)) return true;
    }
    return false;
  }

  SharedPointer<COffscreenContext> context;
  std::vector<CColor> pixels;
};

}  // namespace

// The graph's steps of 7200, 1e6 and 1e30 at 44.1 kHz put a point this far
// above a 600-pixel view; Cairo wraps beyond 8.4e6, and both back ends once
// dropped anything beyond 1e7.
TEST_F(SurfaceLimits, ALineToAFarPointLeavesTheTopEdgeInItsOwnDirection) {
  for (double far : {-8.6e6, -1.2e7, -1.2e9, -1.2e33, -1e300}) {
    for (bool outward : {true, false}) {
      context->setFillColor(MakeColor(0, 0, 0, 0));
      context->drawRect({0, 0, kSize, kSize}, kDrawFilled);
      context->setStrokeColor(kWhiteCColor);
      // Nearly vertical: from (50, 90) up past the top edge.
      const CPoint near{50, 90}, away{56, far};
      context->moveTo(outward ? near : away);
      context->lineTo(outward ? away : near);
      Read();
      SCOPED_TRACE(testing::Message() << far << (outward ? " outward" : " inward"));
      EXPECT_TRUE(LitOnlyWithin(49, 0, 52, 91));
      for (int y = 0; y <= 89; ++y)
        ASSERT_TRUE(RowLitWithin(y, 49, 52)) << "row " << y;
      EXPECT_EQ(context->getPenPosition().y, outward ? far : 90);
    }
  }
}

TEST_F(SurfaceLimits, AFarRectangleFillsAndFramesWhatShows) {
  context->setFillColor(kBlue);
  context->drawRect({10, -1e30, 30, 50}, kDrawFilled);
  context->setStrokeColor(kWhiteCColor);
  context->drawRect({60, 20, 1e12, 1e300}, kDrawStroked);
  Read();
  EXPECT_TRUE(Lit(10, 0) && Lit(29, 0) && Lit(10, 49) && Lit(29, 49));
  EXPECT_FALSE(Lit(30, 0) || Lit(10, 50) || Lit(9, 10));
  // Only the frame's left and top edges lie in view.
  EXPECT_TRUE(Lit(60, 20) && Lit(99, 20) && Lit(60, 99));
  EXPECT_FALSE(Lit(61, 21) || Lit(99, 50) || Lit(80, 99));
}

// What follows a bad shape in the same paint still shows.
TEST_F(SurfaceLimits, DegenerateArcsAndNonFiniteShapesDrawNothingAndStopNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  const CRect tiny{0, 0, 2e-200, 2e-200}, flat{5, 5, 5, 50}, empty{5, 5, 5, 5};
  const CRect inverted{40, 40, 10, 10 + 1e-300}, thin{0, 0, 1e-300, 10};
  for (const CRect& bad : {tiny, flat, empty, inverted, thin, CRect{nan, 0, 5, 5}}) {
    for (int32_t style : {kDrawStroked, kDrawFilled, kDrawFilledAndStroked}) {
      context->drawArc(bad, 0, 270, style);
      context->drawEllipse(bad, style);
    }
  }
  context->drawArc({0, 0, 10, 10}, nan, 90, kDrawFilled);
  context->drawArc({0, 0, 10, 10}, 0, infinity, kDrawStroked);
  context->drawRect({nan, 0, 5, 5}, kDrawFilled);
  context->moveTo({nan, 0});
  context->lineTo({5, 5});
  context->setFillColor(kBlue);
  context->drawRect({0, 0, kSize, kSize}, kDrawFilled);
  Read();
  for (const CColor& pixel : pixels)
    ASSERT_EQ(pixel, kBlue);
}
