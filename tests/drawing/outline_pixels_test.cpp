// Shapes that the runtime offers but this effect never draws, on whichever
// back end this is built for (Cairo on Linux, GDI+ under Wine): both must
// light the same pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "editor/drawing/offscreen_context.h"

using namespace VSTGUI;

namespace {

constexpr int kSize = 40;

// The pixels a drawing lights, aliased, in white on a transparent image.
std::vector<bool> Lit(const std::function<void(CDrawContext&)>& draw) {
  SharedPointer<COffscreenContext> context = COffscreenContext::create(kSize, kSize);
  context->setStrokeColor(kWhiteCColor);
  context->setFillColor(kWhiteCColor);
  draw(*context);
  std::vector<bool> lit;
  for (const CColor& p : ImagePixels(*context->getBitmap()->getPlatformImage()))
    lit.push_back(p.alpha > 0);
  return lit;
}

enum Quarter { kNone, kTopLeft, kTopRight, kBottomLeft, kBottomRight };

// The quarter of the image, split at x = 20 and y = 20, that holds nearly all
// the lit pixels (the pixels on the axes may fall either side).
Quarter InkQuarter(const std::vector<bool>& lit) {
  int count[5] = {}, total = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (!lit[static_cast<size_t>(y * kSize + x)]) continue;
      ++total;
      ++count[y < 20 ? (x < 20 ? kTopLeft : kTopRight) : (x < 20 ? kBottomLeft : kBottomRight)];
    }
  }
  for (Quarter q : {kTopLeft, kTopRight, kBottomLeft, kBottomRight}) {
    if (total > 10 && count[q] >= total * 9 / 10) return q;
  }
  return kNone;
}

}  // namespace

// The rectangle of an arc is not normalised: given right to left, 0 degrees
// lies on the left and the angles run counterclockwise, a mirror image.
TEST(OutlinePixels, AnArcGivenRightToLeftOrBottomToTopIsMirrored) {
  const CRect ellipse{4, 4, 36, 36};
  const CRect rightToLeft{36, 4, 4, 36}, bottomToTop{4, 36, 36, 4}, both{36, 36, 4, 4};
  for (int32_t style : {kDrawStroked, kDrawFilled}) {
    auto arc = [&](const CRect& rect) {
      return InkQuarter(Lit([&](CDrawContext& c) { c.drawArc(rect, 0, 90, style); }));
    };
    // 0 to 90 degrees: clockwise from the right, the lower right quarter.
    EXPECT_EQ(arc(ellipse), kBottomRight) << style;
    EXPECT_EQ(arc(rightToLeft), kBottomLeft) << style;
    EXPECT_EQ(arc(bottomToTop), kTopRight) << style;
    EXPECT_EQ(arc(both), kTopLeft) << style;
    // The mirror of 0..90 is 90..180 on the plain ellipse, pixel for pixel.
    EXPECT_EQ(Lit([&](CDrawContext& c) { c.drawArc(rightToLeft, 0, 90, style); }),
              Lit([&](CDrawContext& c) { c.drawArc(ellipse, 90, 180, style); }))
        << style;
  }
}

// GDI+ draws a pen of no width one pixel wide, where Cairo would draw nothing;
// a line must show, so a width of 0, below 0 or not a number draws as 1.
TEST(OutlinePixels, APenWithoutWidthDrawsOnePixelWide) {
  const CPoint triangle[] = {{22, 22}, {36, 24}, {28, 36}};
  auto outlines = [&](double width) {
    return Lit([&](CDrawContext& c) {
      c.setLineWidth(width);
      c.moveTo({2, 2});
      c.lineTo({30, 2});
      c.moveTo({3, 6});
      c.lineTo({17, 15});
      c.drawRect({2, 20, 18, 38});
      c.drawEllipse({20, 4, 38, 18});
      c.drawArc({4, 4, 16, 16}, 90, 200, kDrawStroked);
      c.drawPolygon(triangle, 3, kDrawStroked, true);
    });
  };
  const std::vector<bool> hairline = outlines(1);
  EXPECT_TRUE(hairline[2 * kSize + 10]);
  EXPECT_FALSE(hairline[3 * kSize + 10]);
  for (double width : {0.0, -2.0, std::nan("")})
    EXPECT_EQ(outlines(width), hairline) << width;
}
