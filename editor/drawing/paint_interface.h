// The drawing interface the script's primitives call. Each function acts on
// the instance's current surface, which exists only while the view draws;
// without it a function returns 0 and does nothing.
#pragma once

#include <cstdint>

class EffectInstance;

namespace VSTGUI {

// The editor's fixed size; needs no surface (0 without an editor).
int32_t paintGetViewSize(EffectInstance* instance, int32_t* width, int32_t* height);
int32_t paintSetMode(EffectInstance* instance, int32_t mode);
int32_t paintSetTextColor(EffectInstance* instance, int32_t red, int32_t green, int32_t blue,
                          int32_t alpha);
int32_t paintSetFillColor(EffectInstance* instance, int32_t red, int32_t green, int32_t blue,
                          int32_t alpha);
int32_t paintSetStrokeColor(EffectInstance* instance, int32_t red, int32_t green, int32_t blue,
                            int32_t alpha);
double paintTextWidth(EffectInstance* instance, const char* text);
int32_t paintFontSize(EffectInstance* instance);
int32_t paintMoveTo(EffectInstance* instance, double x, double y);
int32_t paintLineTo(EffectInstance* instance, double x, double y);
int32_t paintArc(EffectInstance* instance, double left, double top, double right, double bottom,
                 double startAngle, double endAngle, int32_t mode);
int32_t paintRectangle(EffectInstance* instance, double left, double top, double right,
                       double bottom, int32_t mode);
int32_t paintEllipse(EffectInstance* instance, double left, double top, double right, double bottom,
                     int32_t mode);
int32_t paintTextInRect(EffectInstance* instance, const char* text, double left, double top,
                        double right, double bottom, uint8_t ignored, int32_t alignment);
int32_t paintTextAt(EffectInstance* instance, const char* text, double x, double y, bool antialias);
int32_t paintTextAligned(EffectInstance* instance, const char* text, double left, double top,
                         double right, double bottom, int32_t alignment, bool antialias);
int32_t paintPoint(EffectInstance* instance, double x, double y, int32_t red, int32_t green,
                   int32_t blue, int32_t alpha);
// Reading pixels back is not supported: always opaque black.
int32_t paintGetPixel(EffectInstance* instance, double x, double y, int32_t* red, int32_t* green,
                      int32_t* blue, int32_t* alpha);
// Selects a family through the instance's font cache, searched newest first
// ignoring case; an unknown family is accepted and then draws nothing.
int32_t paintSetFont(EffectInstance* instance, const char* name, int32_t size, int32_t style);

}  // namespace VSTGUI
