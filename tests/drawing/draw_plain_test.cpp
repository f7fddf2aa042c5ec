// drawPlain on the platform's own 2D library: the picture that draw makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "editor/drawing/bitmap.h"
#include "editor/drawing/image_functions.h"
#include "editor/drawing/offscreen_context.h"

using namespace VSTGUI;

TEST(Images, DrawPlainMakesThePictureThatDrawMakes) {
  ImageHolder* logo = imageCreate();
  ASSERT_EQ(imageLoadResourceId(logo, 0), 1);
  const CRect rect{5, 7, 85, 97};
  const CPoint sourceOffset{3, 4};
  std::vector<CColor> pictures[2];
  for (const bool plain : {false, true}) {
    SharedPointer<COffscreenContext> context = COffscreenContext::create(100, 100);
    context->setOffset({2, 1});
    if (plain) {
      logo->bitmap->drawPlain(context.get(), rect, sourceOffset);
    } else {
      logo->bitmap->draw(context.get(), rect, sourceOffset);
    }
    pictures[plain] = ImagePixels(*context->getBitmap()->getPlatformImage());
  }
  EXPECT_EQ(pictures[true], pictures[false]);
  // Something was drawn, where the rectangle says, and nothing beside it.
  const std::vector<CColor>& picture = pictures[true];
  EXPECT_NE(picture[static_cast<size_t>(50 * 100 + 50)].alpha, 0);
  EXPECT_EQ(picture[0].alpha, 0);
  EXPECT_EQ(picture[static_cast<size_t>(99 * 100 + 99)].alpha, 0);
  imageFree(logo);
}
