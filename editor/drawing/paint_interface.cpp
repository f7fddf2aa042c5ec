#include "editor/drawing/paint_interface.h"

#include "core/effect_instance.h"
#include "editor/drawing/draw_context.h"
#include "editor/drawing/font_cache.h"

namespace VSTGUI {

namespace {

CDrawContext* Surface(EffectInstance* instance) {
  return instance ? instance->getDrawContext() : nullptr;
}

// Runs `draw` on the current surface: 1 when there was one.
template <class Draw>
int32_t OnSurface(EffectInstance* instance, Draw draw) {
  CDrawContext* context = Surface(instance);
  if (context == nullptr) return 0;
  draw(*context);
  return 1;
}

}  // namespace

int32_t paintGetViewSize(EffectInstance* instance, int32_t* width, int32_t* height) {
  if (instance == nullptr || !instance->hasView()) return 0;
  if (width) *width = instance->getViewWidth();
  if (height) *height = instance->getViewHeight();
  return 1;
}

int32_t paintSetMode(EffectInstance* instance, int32_t mode) {
  return OnSurface(instance, [&](CDrawContext& c) { c.setSmoothing(mode); });
}

int32_t paintSetTextColor(EffectInstance* instance, int32_t red, int32_t green, int32_t blue,
                          int32_t alpha) {
  return OnSurface(instance,
                   [&](CDrawContext& c) { c.setTextColor(MakeColor(red, green, blue, alpha)); });
}

int32_t paintSetFillColor(EffectInstance* instance, int32_t red, int32_t green, int32_t blue,
                          int32_t alpha) {
  return OnSurface(instance,
                   [&](CDrawContext& c) { c.setFillColor(MakeColor(red, green, blue, alpha)); });
}

int32_t paintSetStrokeColor(EffectInstance* instance, int32_t red, int32_t green, int32_t blue,
                            int32_t alpha) {
  return OnSurface(instance,
                   [&](CDrawContext& c) { c.setStrokeColor(MakeColor(red, green, blue, alpha)); });
}

double paintTextWidth(EffectInstance* instance, const char* text) {
  CDrawContext* context = Surface(instance);
  return context && text ? context->measureText(text) : 0;
}

int32_t paintFontSize(EffectInstance* instance) {
  CDrawContext* context = Surface(instance);
  return context && context->getFont() ? TruncateToPixel(context->getFont()->getSize()) : 0;
}

int32_t paintMoveTo(EffectInstance* instance, double x, double y) {
  return OnSurface(instance, [&](CDrawContext& c) { c.moveTo({x, y}); });
}

int32_t paintLineTo(EffectInstance* instance, double x, double y) {
  return OnSurface(instance, [&](CDrawContext& c) { c.lineTo({x, y}); });
}

int32_t paintArc(EffectInstance* instance, double left, double top, double right, double bottom,
                 double startAngle, double endAngle, int32_t mode) {
  return OnSurface(instance, [&](CDrawContext& c) {
    c.drawArc({left, top, right, bottom}, startAngle, endAngle, mode);
  });
}

int32_t paintRectangle(EffectInstance* instance, double left, double top, double right,
                       double bottom, int32_t mode) {
  return OnSurface(instance, [&](CDrawContext& c) {
    c.drawRect({left, top, right, bottom}, mode);
  });
}

int32_t paintEllipse(EffectInstance* instance, double left, double top, double right, double bottom,
                     int32_t mode) {
  return OnSurface(instance, [&](CDrawContext& c) {
    c.drawEllipse({left, top, right, bottom}, mode);
  });
}

int32_t paintTextInRect(EffectInstance* instance, const char* text, double left, double top,
                        double right, double bottom, uint8_t, int32_t alignment) {
  return paintTextAligned(instance, text, left, top, right, bottom, alignment, true);
}

int32_t paintTextAt(EffectInstance* instance, const char* text, double x, double y,
                    bool antialias) {
  return OnSurface(instance, [&](CDrawContext& c) {
    if (text) c.drawTextAt(text, {x, y}, antialias);
  });
}

int32_t paintTextAligned(EffectInstance* instance, const char* text, double left, double top,
                         double right, double bottom, int32_t alignment, bool antialias) {
  return OnSurface(instance, [&](CDrawContext& c) {
    if (text) c.drawTextInRect(text, {left, top, right, bottom}, alignment, antialias);
  });
}

int32_t paintPoint(EffectInstance* instance, double x, double y, int32_t red, int32_t green,
                   int32_t blue, int32_t alpha) {
  return OnSurface(instance, [&](CDrawContext& c) {
    c.drawPoint({x, y}, MakeColor(red, green, blue, alpha));
  });
}

int32_t paintGetPixel(EffectInstance* instance, double, double, int32_t* red, int32_t* green,
                      int32_t* blue, int32_t* alpha) {
  for (int32_t* component : {red, green, blue}) {
    if (component) *component = 0;
  }
  if (alpha) *alpha = 255;
  return Surface(instance) ? 1 : 0;
}

int32_t paintSetFont(EffectInstance* instance, const char* name, int32_t size, int32_t style) {
  CDrawContext* context = Surface(instance);
  if (context == nullptr || name == nullptr) return 0;
  context->setFont(FontCache::of(*instance).family(name), size, style);
  return 1;
}

}  // namespace VSTGUI
