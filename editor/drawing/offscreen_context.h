// A drawing surface that paints into an image of its own instead of a window.
#pragma once

#include "editor/drawing/bitmap.h"
#include "editor/drawing/draw_context.h"

namespace VSTGUI {

class COffscreenContext : public CDrawContext {
 public:
  // Null when no image of that size can be made.
  static SharedPointer<COffscreenContext> create(double width, double height,
                                                 CColor background = kBlackCColor);

  CBitmap* getBitmap() const { return bitmap.get(); }
  CColor getBackgroundColor() const { return background; }

 private:
  COffscreenContext(SharedPointer<CBitmap> bitmap, double width, double height, CColor background);

  SharedPointer<CBitmap> bitmap;
  double width;
  double height;
  CColor background;  // kept, not painted: the image starts transparent
};

}  // namespace VSTGUI
