// The image functions the script's built-ins call: holders need no surface;
// the paintImage family draws on the instance's current surface.
#pragma once

#include <cstdint>

#include "editor/drawing/bitmap.h"

class EffectInstance;

namespace VSTGUI {

ImageHolder* imageCreate();
int32_t imageFree(ImageHolder* holder);
// Each load empties the holder first; 1 when an image of some size was kept.
int32_t imageLoadResourceId(ImageHolder* holder, int32_t number);
int32_t imageLoadResourceName(ImageHolder* holder, const char* name);
int32_t imageLoadFile(ImageHolder* holder, const char* path);
double imageWidth(const ImageHolder* holder);
double imageHeight(const ImageHolder* holder);
int32_t imageGetTransparentColor(const ImageHolder* holder, int32_t* red, int32_t* green,
                                 int32_t* blue, int32_t* alpha);
int32_t imageSetTransparentColor(ImageHolder* holder, int32_t red, int32_t green, int32_t blue,
                                 int32_t alpha);
int32_t imageGetFlag(const ImageHolder* holder);
int32_t imageSetFlag(ImageHolder* holder, int32_t flag);

// 0, drawing nothing, without a surface, a holder or an image.
int32_t paintImage(ImageHolder* holder, EffectInstance* instance, double left, double top,
                   double right, double bottom, double sourceX, double sourceY);
int32_t paintImageAlpha(ImageHolder* holder, EffectInstance* instance, double left, double top,
                        double right, double bottom, double sourceX, double sourceY,
                        int32_t opacity);
int32_t paintImageTransparent(ImageHolder* holder, EffectInstance* instance, double left,
                              double top, double right, double bottom, double sourceX,
                              double sourceY);

}  // namespace VSTGUI
