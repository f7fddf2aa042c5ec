// The other ways a module's image is found on Windows: an ordinary bitmap resource
// when no image of type "DATA" has the number, and "DATA" images by name. This
// program carries both (tests/windows/CMakeLists.txt); the plug-in has neither.
#include <gtest/gtest.h>

#include <vector>

#include "editor/drawing/bitmap.h"
#include "editor/drawing/image_functions.h"

using namespace VSTGUI;

TEST(BitmapResources, AnOrdinaryBitmapServesWhenNoDataImageHasTheNumber) {
  SharedPointer<CBitmap> bitmap = SharedPointer<CBitmap>::adopt(new CBitmap(7));
  ASSERT_EQ(bitmap->getWidth(), 2);
  ASSERT_EQ(bitmap->getHeight(), 2);
  const std::vector<CColor> pixels = ImagePixels(*bitmap->getPlatformImage());
  ASSERT_EQ(pixels.size(), 4u);
  EXPECT_EQ(pixels[0], MakeColor(255, 0, 0, 255));  // top row first
  EXPECT_EQ(pixels[1], MakeColor(0, 255, 0, 255));
  EXPECT_EQ(pixels[2], MakeColor(0, 0, 255, 255));
  EXPECT_EQ(pixels[3], MakeColor(255, 255, 255, 255));
}

TEST(BitmapResources, DataImagesAreFoundByNameIgnoringCaseAndOnlyByName) {
  ImageHolder* holder = imageCreate();
  EXPECT_EQ(imageLoadResourceName(holder, "square"), 1);
  EXPECT_EQ(imageWidth(holder), 50);
  EXPECT_EQ(imageHeight(holder), 50);
  EXPECT_EQ(holder->bitmap->getSourceKind(), CBitmap::kResourceName);
  // "#7" would be the number 7 to the system: a name never finds a numbered image.
  for (const char* name : {"", "#7", "#0", "nosuch"}) {
    EXPECT_EQ(imageLoadResourceName(holder, name), 0) << name;
    EXPECT_FALSE(holder->bitmap) << name;
  }
  EXPECT_EQ(imageFree(holder), 1);
}
