#include <gtest/gtest.h>

#include <cmath>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "editor/drawing/draw_context.h"
#include "editor/drawing/font_cache.h"
#include "editor/drawing/graphics_globals.h"
#include "editor/drawing/image_functions.h"
#include "editor/drawing/offscreen_context.h"
#include "editor/drawing/paint_interface.h"
#include "tests/support/fake_host.h"
#include "tests/support/recording_canvas.h"
#include "vst2/cdazu.h"

using namespace VSTGUI;

TEST(Fonts, ArialAndCourierNewBindToTheirMetricTwinsAndUnknownFamiliesToNothing) {
  for (const char* known : {"Arial", "arial", "Courier New", "Liberation Sans"}) {
    EXPECT_NE(MakePlatformFont(known, 12, kNormalFace), nullptr) << known;
  }
  for (const char* unknown : {"No Such Family 1234", "sans-serif", ""}) {
    EXPECT_EQ(MakePlatformFont(unknown, 12, kNormalFace), nullptr) << unknown;
  }
  EXPECT_EQ(MakePlatformFont("Arial", 0, kNormalFace), nullptr);
}

TEST(Fonts, TextMeasuresByTheFaceAndUnknownFamiliesMeasureZero) {
  SharedPointer<COffscreenContext> context = COffscreenContext::create(200, 50);
  context->setFont(GetStaticFont(kSystemFont), 20);
  const double narrow = context->measureText("iiii"), wide = context->measureText("WWWW");
  EXPECT_GT(narrow, 0);
  EXPECT_GT(wide, 2 * narrow);
  auto unknown = SharedPointer<CFontDesc>::adopt(new CFontDesc("No Such Family 1234", 20, 0));
  context->setFont(unknown.get());
  EXPECT_EQ(context->measureText("WWWW"), 0);
}

class PaintInterface : public ::testing::Test {
 protected:
  PaintInterface() {
    context = SharedPointer<CDrawContext>::adopt(
        new CDrawContext(std::make_unique<RecordingCanvas>(calls), CRect{0, 0, 600, 600}));
  }

  // Runs `draw` with the surface current, as the view does during its draw.
  template <class Draw>
  void WhileDrawing(Draw draw) {
    plugin.instance()->setDrawContext(context.get());
    draw();
    plugin.instance()->setDrawContext(nullptr);
  }

  FakeHost host;
  PluginInstance plugin;
  std::vector<CanvasCall> calls;
  SharedPointer<CDrawContext> context;
};

TEST_F(PaintInterface, WithoutASurfaceNothingDrawsButTheViewSizeIsKnown) {
  EffectInstance* instance = plugin.instance();
  int32_t width = 0, height = 0;
  EXPECT_EQ(paintGetViewSize(instance, &width, &height), 1);
  EXPECT_EQ(width, 600);
  EXPECT_EQ(height, 600);
  EXPECT_EQ(paintSetMode(instance, 3), 0);
  EXPECT_EQ(paintLineTo(instance, 1, 1), 0);
  EXPECT_EQ(paintSetFont(instance, "Arial", 12, 0), 0);
  EXPECT_EQ(paintTextWidth(instance, "abc"), 0);
  EXPECT_EQ(paintGetViewSize(nullptr, &width, &height), 0);
  EXPECT_EQ(instance->getFontCache(), nullptr);
}

TEST_F(PaintInterface, FontCacheFindsFamiliesIgnoringCaseAndKeepsUnknownOnes) {
  EffectInstance* instance = plugin.instance();
  WhileDrawing([&] {
    EXPECT_EQ(paintSetFont(instance, "Arial", 17, 0), 1);
    EXPECT_EQ(paintSetFont(instance, "ARIAL", 12, 0), 1);
    EXPECT_EQ(paintSetFont(instance, "No Such Family 1234", 12, 0), 1);
    EXPECT_EQ(paintTextWidth(instance, "abc"), 0);
    EXPECT_EQ(paintTextAt(instance, "abc", 5, 5, true), 1);
  });
  const std::vector<SharedPointer<CFontDesc>>& fonts = FontCache::of(*instance).entries();
  ASSERT_EQ(fonts.size(), 2u);
  EXPECT_EQ(fonts[0]->getName(), "Arial");
  for (const CanvasCall& call : calls)
    EXPECT_NE(call.what, "text");
}

TEST(FontCacheLifetime, TheInstanceReleasesItsFontsWhenItGoes) {
  FakeHost host;
  auto plugin = std::make_unique<PluginInstance>();
  EffectInstance* instance = plugin->instance();
  SharedPointer<CFontDesc> kept(FontCache::of(*instance).family("Arial"));
  EXPECT_EQ(kept->getNbReference(), 2);
  EXPECT_EQ(FontCache::of(*instance).family("arial"), kept.get());
  plugin.reset();
  EXPECT_EQ(kept->getNbReference(), 1);
}

TEST_F(PaintInterface, BoldAndItalicTogetherMakeItalic) {
  EffectInstance* instance = plugin.instance();
  WhileDrawing([&] { paintSetFont(instance, "Arial", 15, 3); });
  EXPECT_EQ(context->getFont()->getStyle(), 3);
  EXPECT_NE(context->getFont()->getPlatformFont(), nullptr);
  // The face is the italic one: its text measures like the italic face alone.
  SharedPointer<COffscreenContext> offscreen = COffscreenContext::create(100, 100);
  auto italic = SharedPointer<CFontDesc>::adopt(new CFontDesc("Arial", 15, kItalicFace));
  auto both = SharedPointer<CFontDesc>::adopt(new CFontDesc("Arial", 15, 3));
  auto bold = SharedPointer<CFontDesc>::adopt(new CFontDesc("Arial", 15, kBoldFace));
  offscreen->setFont(italic.get());
  const double italicWidth = offscreen->measureText("Wide words");
  offscreen->setFont(both.get());
  EXPECT_EQ(offscreen->measureText("Wide words"), italicWidth);
  offscreen->setFont(bold.get());
  EXPECT_NE(offscreen->measureText("Wide words"), italicWidth);
}

TEST_F(PaintInterface, ColoursKeepTheirLowBytesAndPixelsReadAsBlack) {
  EffectInstance* instance = plugin.instance();
  int32_t r = 1, g = 1, b = 1, a = 0;
  WhileDrawing([&] {
    paintSetStrokeColor(instance, 0x1FF, 2, 3, 255);
    EXPECT_EQ(paintGetPixel(instance, 1, 1, &r, &g, &b, &a), 1);
  });
  EXPECT_EQ(context->getStrokeColor(), MakeColor(255, 2, 3, 255));
  EXPECT_EQ(r + g + b, 0);
  EXPECT_EQ(a, 255);
}

TEST_F(PaintInterface, AtADisplayScaleLinesImagesAndTextAreScaledOnWholePixels) {
  EffectInstance* instance = plugin.instance();
  context = SharedPointer<CDrawContext>::adopt(
      new CDrawContext(std::make_unique<RecordingCanvas>(calls), CRect{0, 0, 1200, 1200}));
  ImageHolder* logo = imageCreate();
  ASSERT_EQ(imageLoadResourceId(logo, 0), 1);
  struct Case {
    double scale;
    double lineEnd;  // where a line to the view's last pixel, 599, ends
    double penWidth;
    double imageSide;     // the 99-pixel logo on the screen
    const char* drawn;    // a copy or a resampling
    const char* artwork;  // the artwork's width, and the source it was drawn from
  };
  for (const Case& c : {Case{1.5, 898, 2, 149, "scaledImage", "198:0.000000,0.000000,198.000000"},
                        Case{2, 1198, 2, 198, "image", "198:0,0"},
                        Case{1.25, 749, 1, 124, "scaledImage", "198:0.000000,0.000000,198.000000"},
                        Case{0.75, 449, 1, 74, "scaledImage", "99:0.000000,0.000000,99.000000"}}) {
    instance->setDisplayScale(c.scale);
    calls.clear();
    double measured = 0;
    WhileDrawing([&] {
      paintMoveTo(instance, 0, 599);
      paintLineTo(instance, 599, 599);
      paintImage(logo, instance, 0, 0, 99, 99, 0, 0);
      paintSetFont(instance, "Arial", 20, 0);
      measured = paintTextWidth(instance, "WW");
    });
    ASSERT_EQ(calls.size(), 2u) << c.scale;
    EXPECT_EQ(calls[0].what, "line");
    EXPECT_EQ(calls[0].c, c.lineEnd) << c.scale;
    EXPECT_EQ(calls[0].b, c.lineEnd) << c.scale;
    EXPECT_EQ(context->getLineWidth(), c.penWidth) << c.scale;
    EXPECT_EQ(calls[1].what, c.drawn) << c.scale;
    EXPECT_EQ(calls[1].c, c.imageSide) << c.scale;
    EXPECT_EQ(calls[1].text, c.artwork) << c.scale;
    // The font is made at the screen's size; the script measures in its own pixels.
    EXPECT_EQ(context->getFont()->getSize(), std::floor(20 * c.scale + 0.5)) << c.scale;
    EXPECT_EQ(measured, 2 * RecordingCanvas::kCharWidth / c.scale) << c.scale;
  }
  imageFree(logo);
}

TEST(Images, TheEmbeddedArtworkHasItsSizesAndTransparency) {
  struct Expected {
    int32_t number;
    double size;
  };
  for (const Expected& e : {Expected{0, 99}, Expected{1, 99}, Expected{2, 99}, Expected{3, 50}}) {
    ImageHolder* holder = imageCreate();
    ASSERT_EQ(imageLoadResourceId(holder, e.number), 1) << e.number;
    EXPECT_EQ(imageWidth(holder), e.size);
    EXPECT_EQ(imageHeight(holder), e.size);
    const std::vector<CColor> pixels = ImagePixels(*holder->bitmap->getPlatformImage());
    uint8_t lowest = 255, highest = 0;
    for (const CColor& p : pixels) {
      lowest = std::min(lowest, p.alpha);
      highest = std::max(highest, p.alpha);
    }
    if (e.number == 0) {
      EXPECT_EQ(lowest, 255);  // the logo is opaque
    } else if (e.number == 1) {
      EXPECT_LE(highest, 128);  // the link text is at most half opaque
    } else if (e.number == 2) {
      EXPECT_EQ(lowest, 0);  // the title lies on a transparent ground
    }
    EXPECT_EQ(imageFree(holder), 1);
  }
}

TEST(Images, MissingImagesLeaveTheHolderEmpty) {
  ImageHolder* holder = imageCreate();
  EXPECT_EQ(imageLoadResourceId(holder, 0), 1);
  EXPECT_EQ(imageLoadResourceId(holder, 4), 0);  // a failed load empties the holder too
  EXPECT_FALSE(holder->bitmap);
  EXPECT_EQ(imageLoadResourceName(holder, "logo"), 0);
  EXPECT_EQ(imageLoadFile(holder, "/no/such/file.png"), 0);
  const std::string notAnImage = "/tmp/images_test_not_png.png";
  if (std::FILE* f = std::fopen(notAnImage.c_str(), "w")) {
    std::fputs("hello", f);
    std::fclose(f);
  }
  EXPECT_EQ(imageLoadFile(holder, notAnImage.c_str()), 0);
  std::remove(notAnImage.c_str());
  EXPECT_EQ(imageWidth(holder), 0);
  EXPECT_EQ(imageGetFlag(holder), 0);
  EXPECT_EQ(paintImage(holder, nullptr, 0, 0, 10, 10, 0, 0), 0);
  EXPECT_EQ(imageFree(holder), 1);
  EXPECT_EQ(imageFree(nullptr), 0);
  EXPECT_EQ(imageWidth(nullptr), 0);
}

TEST(Images, DrawingKeepsTheImagesOwnAlphaAndMultipliesTheOpacity) {
  SharedPointer<COffscreenContext> context = COffscreenContext::create(120, 120);
  ImageHolder* link = imageCreate();
  ASSERT_EQ(imageLoadResourceId(link, 1), 1);
  ImageHolder* logo = imageCreate();
  ASSERT_EQ(imageLoadResourceId(logo, 0), 1);
  const std::vector<CColor> source = ImagePixels(*logo->bitmap->getPlatformImage());
  logo->bitmap->draw(context.get(), CRect{10, 10, 109, 109});
  link->bitmap->drawWithAlpha(context.get(), CRect{0, 0, 99, 99}, {}, 0);  // invisible
  std::vector<CColor> pixels = ImagePixels(*context->getBitmap()->getPlatformImage());
  EXPECT_EQ(pixels[static_cast<size_t>(10 * 120 + 10)], source[0]);
  EXPECT_EQ(pixels[static_cast<size_t>(60 * 120 + 60)], source[static_cast<size_t>(50 * 99 + 50)]);
  EXPECT_EQ(pixels[0].alpha, 0);

  // Half opacity over nothing leaves a half-transparent copy.
  SharedPointer<COffscreenContext> faded = COffscreenContext::create(99, 99);
  logo->bitmap->drawWithAlpha(faded.get(), CRect{0, 0, 99, 99}, {}, 128);
  pixels = ImagePixels(*faded->getBitmap()->getPlatformImage());
  EXPECT_NEAR(pixels[50 * 99 + 50].alpha, 128, 1);
  imageFree(link);
  imageFree(logo);
}

TEST(Images, TheGraphicsLibraryLivesAsLongAsAnyImage) {
  const int before = GDIPlusGlobals::referenceCount();
  ImageHolder* holder = imageCreate();
  imageLoadResourceId(holder, 3);
  EXPECT_EQ(GDIPlusGlobals::referenceCount(), before + 1);
  imageFree(holder);
  EXPECT_EQ(GDIPlusGlobals::referenceCount(), before);
}
