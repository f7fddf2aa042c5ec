#include "editor/drawing/offscreen_context.h"

namespace VSTGUI {

SharedPointer<COffscreenContext> COffscreenContext::create(double width, double height,
                                                           CColor background) {
  auto bitmap = SharedPointer<CBitmap>::adopt(
      new CBitmap(MakeBlankImage(TruncateToPixel(width), TruncateToPixel(height))));
  if (bitmap->getPlatformImage() == nullptr) return {};
  return SharedPointer<COffscreenContext>::adopt(
      new COffscreenContext(bitmap, width, height, background));
}

COffscreenContext::COffscreenContext(SharedPointer<CBitmap> image, double width, double height,
                                     CColor background)
    : CDrawContext(MakeImageCanvas(*image->getPlatformImage()), CRect{0, 0, width, height}),
      bitmap(std::move(image)),
      width(width),
      height(height),
      background(background) {}

}  // namespace VSTGUI
