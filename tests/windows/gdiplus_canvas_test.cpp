// The GDI+ back end: every call it makes is one GDI+ accepts, and text lands
// where the surface's rules put it.
#include "editor/drawing/gdiplus/gdiplus_canvas.h"

#include <gtest/gtest.h>

#include <vector>

#include "editor/drawing/draw_context.h"
#include "editor/drawing/gdiplus/gdiplus_font.h"
#include "editor/drawing/graphics_globals.h"

using namespace VSTGUI;

namespace {

class GdiplusBackEnd : public ::testing::Test {
 protected:
  GdiplusBackEnd()
      : image(MakeBlankImage(80, 60)),
        canvas(GdiplusCanvas::onImage(static_cast<GdiplusImage&>(*image).getBitmap())),
        font(MakePlatformFont("Arial", 20, kNormalFace)) {}

  GraphicsLibraryUser library;
  std::unique_ptr<PlatformImage> image;
  std::unique_ptr<GdiplusCanvas> canvas;
  std::unique_ptr<PlatformFont> font;
};

}  // namespace

TEST_F(GdiplusBackEnd, EveryOperationIsOneGdiplusAccepts) {
  ASSERT_TRUE(canvas && font);
  const StrokeStyle solid{MakeColor(255, 0, 0, 255), 1, false};
  const StrokeStyle dotted{MakeColor(0, 255, 0, 128), 3, true};
  const CPoint triangle[] = {{5, 5}, {40, 10}, {20, 50}};
  std::unique_ptr<PlatformImage> other = MakeBlankImage(20, 20);
  for (bool antialias : {true, false}) {
    canvas->setAntialias(antialias);
    canvas->setClip(2, 2, 70, 50);
    canvas->drawLine(0, 0, 79, 59, solid);
    canvas->drawRect(10.5, 10.5, 20, 10, dotted);
    canvas->fillRect(1, 1, 5, 5, kWhiteCColor);
    canvas->drawEllipse(10, 10, 30, 20, solid);
    canvas->fillEllipse(10, 10, 30, 20, kBlackCColor);
    canvas->drawArc(CRect{10, 10, 40, 50}, 350, -60, dotted);  // counterclockwise
    canvas->fillArc(CRect{10, 10, 40, 50}, 0, 270, kWhiteCColor);
    canvas->drawPolyline(triangle, 3, true, solid);
    canvas->drawPolyline(triangle, 3, false, dotted);
    canvas->fillPolygon(triangle, 3, MakeColor(0, 0, 255, 255));
    EXPECT_GT(canvas->textWidth(*font, "Wide words"), 0);
    canvas->drawText(*font, "Wide words", 3, 4, kWhiteCColor, antialias);
    canvas->drawImage(*other, 0, 0, 20, 20, 30, 30, 255);
    canvas->drawImage(*other, 5, 5, 10, 10, 30, 30, 128);
  }
  EXPECT_EQ(canvas->lastFailure(), Gdiplus::Ok);
}

TEST_F(GdiplusBackEnd, ALineIsAsHighAsTheFontsSpacingInPixels) {
  ASSERT_TRUE(canvas && font);
  // Liberation Sans, Arial's twin, spaces its lines 1.15 em apart.
  EXPECT_NEAR(canvas->lineHeight(*font), 23, 1);
}

TEST_F(GdiplusBackEnd, TextIsDrawnInItsColourBelowAndRightOfItsTopLeftCorner) {
  ASSERT_TRUE(canvas && font);
  canvas->drawText(*font, "HH", 20, 15, MakeColor(255, 255, 0, 255), false);
  const std::vector<CColor> pixels = ImagePixels(*image);
  const double width = canvas->textWidth(*font, "HH");
  int inside = 0, outside = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 80; ++x) {
      const CColor& p = pixels[static_cast<size_t>(y * 80 + x)];
      if (p.alpha == 0) continue;
      EXPECT_GT(p.red, p.blue);
      const bool inBox = x >= 20 && x < 20 + width && y >= 15 && y < 15 + 23;
      (inBox ? inside : outside) += 1;
    }
  }
  EXPECT_GT(inside, 30);
  EXPECT_EQ(outside, 0);
}
