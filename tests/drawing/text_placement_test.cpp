// Where text lands, on whichever back end this is built for: the Linux suite
// runs it on Cairo, the Windows suite under Wine on GDI+. Windows is the
// reference: GDI+'s default string format pads each string by 1/6 em before
// and after its glyphs, when it measures and when it draws.
//
// What Wine's GDI+ (8.0) shows: the same padding, exactly 1/6 em on each side
// (Arial 13 px: a text measures its advance + 4.333 and its glyphs start
// 2.167 px into the box), whatever the text rendering hint. It differs from
// Cairo in the advances only: Wine rounds each glyph's advance to whole
// pixels ("v" at 13 px: 7 against the design's 6.5, "LEFT channel = White" at
// 26 px: 254 against 258) and draws glyphs from whole pixels. So every text
// starts in the same column on both, the texts end up to 4 px apart, and the
// version number, which starts where the "v" ends, stands 2 px further right
// under Wine (column 30).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "editor/drawing/offscreen_context.h"
#include "editor/offscreen_render.h"
#include "tests/support/fake_host.h"
#include "vst2/cdazu.h"

using namespace VSTGUI;

namespace {

enum class Ink { kLabelYellow, kVersionBlue };

// Every text the editor draws in its 600 x 600 view, where Windows starts it:
// the first inked column is the pen's x + 1/6 em + the first glyph's left
// bearing, the glyphs' advances as the font designs them; the first inked row
// is the glyphs' top. Each is looked for inside its own box of rows and
// columns, clear of the ceiling lines and other texts.
struct PlacedText {
  const char* text;
  Ink ink;
  int fromRow, toRow, fromColumn, toColumn;
  int firstColumn, firstRow;
  int within;  // pixels either way
};

// Labels in Arial 26 px (1/6 em = 4.3), the version in Arial 13 px (2.2).
constexpr PlacedText kEditorTexts[] = {
    // pen (240, 22.5)
    {"1990 typical ceiling", Ink::kLabelYellow, 24, 56, 200, 599, 246, 27, 1},
    // pen (15, 255)
    {"1970/1980 typical ceiling", Ink::kLabelYellow, 257, 295, 2, 599, 21, 260, 1},
    // pen (15, 540)
    {"LEFT channel = White", Ink::kLabelYellow, 542, 565, 2, 599, 21, 544, 1},
    // pen (15, 562.5)
    {"RIGHT channel = Red", Ink::kLabelYellow, 565, 598, 2, 599, 21, 567, 1},
    // pen (15, 85)
    {"v", Ink::kVersionBlue, 80, 99, 2, 25, 17, 90, 1},
    // The number primitive, at the pen the "v" left: 15 + 6.5 + 2 * 2.2. Text
    // grid-fitted to whole pixels, as GDI+ may draw it, can round the "v"'s
    // advance and the number's origin up by a pixel more.
    {"20260806", Ink::kVersionBlue, 80, 99, 25, 110, 28, 88, 2},
};

bool Inked(Ink ink, CColor c) {
  if (ink == Ink::kLabelYellow) return c.red > 50 && c.green > 50 && c.blue < 40;
  return c.blue > 50 && c.red < 40;
}

}  // namespace

TEST(TextPlacement, EveryTextOfTheEditorStartsWhereWindowsPutsIt) {
  FakeHost host;
  PluginInstance plugin;
  plugin.start(44100, 512);
  SharedPointer<COffscreenContext> picture = RenderEditorOffscreen(plugin.instance());
  ASSERT_TRUE(picture);
  const int width = static_cast<int>(picture->getBitmap()->getWidth());
  ASSERT_EQ(width, 600);
  const std::vector<CColor> pixels = ImagePixels(*picture->getBitmap()->getPlatformImage());
  for (const PlacedText& t : kEditorTexts) {
    int firstColumn = t.toColumn, firstRow = t.toRow;
    for (int y = t.fromRow; y < t.toRow; ++y) {
      for (int x = t.fromColumn; x < t.toColumn; ++x) {
        if (!Inked(t.ink, pixels[static_cast<size_t>(y * width + x)])) continue;
        firstColumn = std::min(firstColumn, x);
        firstRow = std::min(firstRow, y);
      }
    }
    EXPECT_NEAR(firstColumn, t.firstColumn, t.within) << t.text;
    EXPECT_NEAR(firstRow, t.firstRow, t.within) << t.text;
  }
}

// At 60 px the padding is 10 px: counted once per string, before and after.
TEST(TextPlacement, AStringIsPaddedBySixthOfAnEmOnBothSides) {
  SharedPointer<COffscreenContext> context = COffscreenContext::create(200, 100);
  auto font = SharedPointer<CFontDesc>::adopt(new CFontDesc("Arial", 60, kNormalFace));
  context->setFont(font.get());
  EXPECT_NEAR(2 * context->measureText("v") - context->measureText("vv"), 20, 1);
  // "v" has next to no left bearing: its ink starts where its glyphs do.
  context->setTextColor(kWhiteCColor);
  context->drawTextAt("v", {30, 80});
  const std::vector<CColor> pixels = ImagePixels(*context->getBitmap()->getPlatformImage());
  int firstColumn = 200;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (pixels[static_cast<size_t>(y * 200 + x)].alpha > 64)
        firstColumn = std::min(firstColumn, x);
    }
  }
  EXPECT_NEAR(firstColumn, 40, 1);
}
