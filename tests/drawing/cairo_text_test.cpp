// The Cairo back end's text rendering, where pixels cannot tell: which font
// options the context draws with.
#include <cairo.h>
#include <gtest/gtest.h>

#include <memory>

#include "editor/drawing/cairo/cairo_font.h"
#include "editor/drawing/font_desc.h"

using namespace VSTGUI;

// Set, the flag asks for grey antialiasing; cleared, for the desktop's own
// choice, as GDI+'s system default hint does. Read back from the font the
// context draws with, so fontconfig's settings do not enter.
TEST(CairoText, TheAntialiasFlagChoosesTheTextRendering) {
  std::unique_ptr<PlatformFont> font = MakePlatformFont("Arial", 20, kNormalFace);
  ASSERT_TRUE(font);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 10, 10);
  cairo_t* cr = cairo_create(surface);
  cairo_font_options_t* options = cairo_font_options_create();
  auto antialiasInEffect = [&] {
    cairo_scaled_font_get_font_options(cairo_get_scaled_font(cr), options);
    return cairo_font_options_get_antialias(options);
  };
  const CairoFont& cairoFont = static_cast<CairoFont&>(*font);
  cairoFont.select(cr, true);
  EXPECT_EQ(antialiasInEffect(), CAIRO_ANTIALIAS_GRAY);
  cairoFont.select(cr, false);
  EXPECT_EQ(antialiasInEffect(), CAIRO_ANTIALIAS_DEFAULT);
  cairoFont.select(cr, true);
  EXPECT_EQ(antialiasInEffect(), CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_destroy(options);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}
