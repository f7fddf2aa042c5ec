#include "editor/drawing/image_functions.h"

#include <string>

#include "core/effect_instance.h"
#include "editor/drawing/draw_context.h"
#include "editor/drawing/surface_scale.h"

namespace VSTGUI {

namespace {

// Keeps a freshly made bitmap only when it has a size.
int32_t Keep(ImageHolder* holder, CBitmap* bitmap) {
  auto owned = SharedPointer<CBitmap>::adopt(bitmap);
  if (!(owned->getWidth() > 0 && owned->getHeight() > 0)) return 0;
  holder->bitmap = owned;
  return 1;
}

}  // namespace

ImageHolder* imageCreate() {
  return new ImageHolder;
}

int32_t imageFree(ImageHolder* holder) {
  if (holder == nullptr) return 0;
  delete holder;
  return 1;
}

int32_t imageLoadResourceId(ImageHolder* holder, int32_t number) {
  if (holder == nullptr) return 0;
  holder->bitmap = {};
  return Keep(holder, new CBitmap(number));
}

int32_t imageLoadResourceName(ImageHolder* holder, const char* name) {
  if (holder == nullptr || name == nullptr) return 0;
  holder->bitmap = {};
  return Keep(holder, new CBitmap(std::string(name)));
}

int32_t imageLoadFile(ImageHolder* holder, const char* path) {
  if (holder == nullptr || path == nullptr) return 0;
  holder->bitmap = {};
  return Keep(holder, new CBitmap(LoadImageFile(path)));
}

double imageWidth(const ImageHolder* holder) {
  return holder && holder->bitmap ? holder->bitmap->getWidth() : 0;
}

double imageHeight(const ImageHolder* holder) {
  return holder && holder->bitmap ? holder->bitmap->getHeight() : 0;
}

int32_t imageGetTransparentColor(const ImageHolder* holder, int32_t* red, int32_t* green,
                                 int32_t* blue, int32_t* alpha) {
  if (holder == nullptr || !holder->bitmap) return 0;
  const CColor c = holder->bitmap->transparentColor;
  if (red) *red = c.red;
  if (green) *green = c.green;
  if (blue) *blue = c.blue;
  if (alpha) *alpha = c.alpha;
  return 1;
}

int32_t imageSetTransparentColor(ImageHolder* holder, int32_t red, int32_t green, int32_t blue,
                                 int32_t alpha) {
  if (holder == nullptr || !holder->bitmap) return 0;
  holder->bitmap->transparentColor = MakeColor(red, green, blue, alpha);
  return 1;
}

int32_t imageGetFlag(const ImageHolder* holder) {
  return holder && holder->bitmap ? holder->bitmap->flag : 0;
}

int32_t imageSetFlag(ImageHolder* holder, int32_t flag) {
  if (holder == nullptr || !holder->bitmap) return 0;
  holder->bitmap->flag = static_cast<uint8_t>(flag);
  return 1;
}

int32_t paintImageAlpha(ImageHolder* holder, EffectInstance* instance, double left, double top,
                        double right, double bottom, double sourceX, double sourceY,
                        int32_t opacity) {
  CDrawContext* context = instance ? instance->getDrawContext() : nullptr;
  if (context == nullptr || holder == nullptr || !holder->bitmap ||
      holder->bitmap->getPlatformImage() == nullptr) {
    return 0;
  }
  const SurfaceScale scale(instance->getDisplayScale());
  const CRect destination{scale.edge(left), scale.edge(top), scale.edge(right), scale.edge(bottom)};
  const CRect source{sourceX, sourceY, sourceX + (right - left), sourceY + (bottom - top)};
  holder->bitmap->drawScaled(context, destination, source, static_cast<uint8_t>(opacity & 0xFF));
  return 1;
}

int32_t paintImage(ImageHolder* holder, EffectInstance* instance, double left, double top,
                   double right, double bottom, double sourceX, double sourceY) {
  return paintImageAlpha(holder, instance, left, top, right, bottom, sourceX, sourceY, 255);
}

int32_t paintImageTransparent(ImageHolder* holder, EffectInstance* instance, double left,
                              double top, double right, double bottom, double sourceX,
                              double sourceY) {
  return paintImageAlpha(holder, instance, left, top, right, bottom, sourceX, sourceY, 255);
}

}  // namespace VSTGUI
