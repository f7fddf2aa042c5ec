#include "editor/drawing/paint_interface.h"

#include <cmath>
#include <type_traits>

#include "core/effect_instance.h"
#include "editor/drawing/draw_context.h"
#include "editor/drawing/font_cache.h"
#include "editor/drawing/surface_scale.h"

namespace VSTGUI {

namespace {

CDrawContext* Surface(EffectInstance* instance) {
  return instance ? instance->getDrawContext() : nullptr;
}

// Runs `draw` on the current surface, with the instance's scale where it takes
// one: 1 when there was a surface.
template <class Draw>
int32_t OnSurface(EffectInstance* instance, Draw draw) {
  CDrawContext* context = Surface(instance);
  if (context == nullptr) return 0;
  if constexpr (std::is_invocable_v<Draw, CDrawContext&, const SurfaceScale&>) {
    draw(*context, SurfaceScale(instance->getDisplayScale()));
  } else {
    draw(*context);
  }
  return 1;
}

CRect Edges(const SurfaceScale& s, double left, double top, double right, double bottom) {
  return {s.edge(left), s.edge(top), s.edge(right), s.edge(bottom)};
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
  if (context == nullptr || text == nullptr) return 0;
  const double width = context->measureText(text);
  return width < 0 ? width : SurfaceScale(instance->getDisplayScale()).toView(width);
}

int32_t paintFontSize(EffectInstance* instance) {
  CDrawContext* context = Surface(instance);
  if (context == nullptr || context->getFont() == nullptr) return 0;
  return TruncateToPixel(
      SurfaceScale(instance->getDisplayScale()).toView(context->getFont()->getSize()));
}

int32_t paintMoveTo(EffectInstance* instance, double x, double y) {
  return OnSurface(instance, [&](CDrawContext& c, const SurfaceScale& s) {
    c.moveTo({s.linePoint(x), s.linePoint(y)});
  });
}

int32_t paintLineTo(EffectInstance* instance, double x, double y) {
  return OnSurface(instance, [&](CDrawContext& c, const SurfaceScale& s) {
    c.setLineWidth(s.penWidth());
    c.lineTo({s.linePoint(x), s.linePoint(y)});
  });
}

int32_t paintArc(EffectInstance* instance, double left, double top, double right, double bottom,
                 double startAngle, double endAngle, int32_t mode) {
  return OnSurface(instance, [&](CDrawContext& c, const SurfaceScale& s) {
    c.drawArc(Edges(s, left, top, right, bottom), startAngle, endAngle, mode);
  });
}

int32_t paintRectangle(EffectInstance* instance, double left, double top, double right,
                       double bottom, int32_t mode) {
  return OnSurface(instance, [&](CDrawContext& c, const SurfaceScale& s) {
    c.setLineWidth(s.penWidth());
    c.drawRect(Edges(s, left, top, right, bottom), mode);
  });
}

int32_t paintEllipse(EffectInstance* instance, double left, double top, double right, double bottom,
                     int32_t mode) {
  return OnSurface(instance, [&](CDrawContext& c, const SurfaceScale& s) {
    c.setLineWidth(s.penWidth());
    c.drawEllipse(Edges(s, left, top, right, bottom), mode);
  });
}

int32_t paintTextInRect(EffectInstance* instance, const char* text, double left, double top,
                        double right, double bottom, uint8_t, int32_t alignment) {
  return paintTextAligned(instance, text, left, top, right, bottom, alignment, true);
}

int32_t paintTextAt(EffectInstance* instance, const char* text, double x, double y,
                    bool antialias) {
  return OnSurface(instance, [&](CDrawContext& c, const SurfaceScale& s) {
    if (text) c.drawTextAt(text, {s.length(x), s.length(y)}, antialias);
  });
}

int32_t paintTextAligned(EffectInstance* instance, const char* text, double left, double top,
                         double right, double bottom, int32_t alignment, bool antialias) {
  return OnSurface(instance, [&](CDrawContext& c, const SurfaceScale& s) {
    if (text) {
      const CRect box{s.length(left), s.length(top), s.length(right), s.length(bottom)};
      c.drawTextInRect(text, box, alignment, antialias);
    }
  });
}

int32_t paintPoint(EffectInstance* instance, double x, double y, int32_t red, int32_t green,
                   int32_t blue, int32_t alpha) {
  return OnSurface(instance, [&](CDrawContext& c, const SurfaceScale& s) {
    c.drawPoint({s.linePoint(x), s.linePoint(y)}, MakeColor(red, green, blue, alpha));
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
  const double surfaceSize = SurfaceScale(instance->getDisplayScale()).length(size);
  context->setFont(FontCache::of(*instance).family(name), std::floor(surfaceSize + 0.5), style);
  return 1;
}

}  // namespace VSTGUI
