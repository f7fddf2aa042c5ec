#include "editor/drawing/paint_interface.h"

#include "editor/drawing/draw_context.h"
#include "editor/drawing/font_cache.h"
#include "host/aeff_editor.h"
#include "host/cdazu.h"

namespace VSTGUI {

namespace {

CDrawContext* Surface(CDaZU* adapter) {
  return adapter ? adapter->getDrawContext() : nullptr;
}

// Runs `draw` on the current surface: 1 when there was one.
template <class Draw>
int32_t OnSurface(CDaZU* adapter, Draw draw) {
  CDrawContext* context = Surface(adapter);
  if (context == nullptr) return 0;
  draw(*context);
  return 1;
}

}  // namespace

int32_t paintGetViewSize(CDaZU* adapter, int32_t* width, int32_t* height) {
  AEffEditor* editor = adapter ? adapter->getEditor() : nullptr;
  ERect* rect = nullptr;
  if (editor == nullptr || !editor->getRect(&rect) || rect == nullptr) return 0;
  if (width) *width = rect->right - rect->left;
  if (height) *height = rect->bottom - rect->top;
  return 1;
}

int32_t paintSetMode(CDaZU* adapter, int32_t mode) {
  return OnSurface(adapter, [&](CDrawContext& c) { c.setSmoothing(mode); });
}

int32_t paintSetTextColor(CDaZU* adapter, int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  return OnSurface(adapter,
                   [&](CDrawContext& c) { c.setTextColor(MakeColor(red, green, blue, alpha)); });
}

int32_t paintSetFillColor(CDaZU* adapter, int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  return OnSurface(adapter,
                   [&](CDrawContext& c) { c.setFillColor(MakeColor(red, green, blue, alpha)); });
}

int32_t paintSetStrokeColor(CDaZU* adapter, int32_t red, int32_t green, int32_t blue,
                            int32_t alpha) {
  return OnSurface(adapter,
                   [&](CDrawContext& c) { c.setStrokeColor(MakeColor(red, green, blue, alpha)); });
}

double paintTextWidth(CDaZU* adapter, const char* text) {
  CDrawContext* context = Surface(adapter);
  return context && text ? context->measureText(text) : 0;
}

int32_t paintFontSize(CDaZU* adapter) {
  CDrawContext* context = Surface(adapter);
  return context && context->getFont() ? TruncateToPixel(context->getFont()->getSize()) : 0;
}

int32_t paintMoveTo(CDaZU* adapter, double x, double y) {
  return OnSurface(adapter, [&](CDrawContext& c) { c.moveTo({x, y}); });
}

int32_t paintLineTo(CDaZU* adapter, double x, double y) {
  return OnSurface(adapter, [&](CDrawContext& c) { c.lineTo({x, y}); });
}

int32_t paintArc(CDaZU* adapter, double left, double top, double right, double bottom,
                 double startAngle, double endAngle, int32_t mode) {
  return OnSurface(adapter, [&](CDrawContext& c) {
    c.drawArc({left, top, right, bottom}, startAngle, endAngle, mode);
  });
}

int32_t paintRectangle(CDaZU* adapter, double left, double top, double right, double bottom,
                       int32_t mode) {
  return OnSurface(adapter, [&](CDrawContext& c) { c.drawRect({left, top, right, bottom}, mode); });
}

int32_t paintEllipse(CDaZU* adapter, double left, double top, double right, double bottom,
                     int32_t mode) {
  return OnSurface(adapter, [&](CDrawContext& c) {
    c.drawEllipse({left, top, right, bottom}, mode);
  });
}

int32_t paintTextInRect(CDaZU* adapter, const char* text, double left, double top, double right,
                        double bottom, uint8_t, int32_t alignment) {
  return paintTextAligned(adapter, text, left, top, right, bottom, alignment, true);
}

int32_t paintTextAt(CDaZU* adapter, const char* text, double x, double y, bool antialias) {
  return OnSurface(adapter, [&](CDrawContext& c) {
    if (text) c.drawTextAt(text, {x, y}, antialias);
  });
}

int32_t paintTextAligned(CDaZU* adapter, const char* text, double left, double top, double right,
                         double bottom, int32_t alignment, bool antialias) {
  return OnSurface(adapter, [&](CDrawContext& c) {
    if (text) c.drawTextInRect(text, {left, top, right, bottom}, alignment, antialias);
  });
}

int32_t paintPoint(CDaZU* adapter, double x, double y, int32_t red, int32_t green, int32_t blue,
                   int32_t alpha) {
  return OnSurface(adapter, [&](CDrawContext& c) {
    c.drawPoint({x, y}, MakeColor(red, green, blue, alpha));
  });
}

int32_t paintGetPixel(CDaZU* adapter, double, double, int32_t* red, int32_t* green, int32_t* blue,
                      int32_t* alpha) {
  for (int32_t* component : {red, green, blue}) {
    if (component) *component = 0;
  }
  if (alpha) *alpha = 255;
  return Surface(adapter) ? 1 : 0;
}

int32_t paintSetFont(CDaZU* adapter, const char* name, int32_t size, int32_t style) {
  CDrawContext* context = Surface(adapter);
  if (context == nullptr || name == nullptr) return 0;
  context->setFont(FontCache::of(*adapter).family(name), size, style);
  return 1;
}

}  // namespace VSTGUI
