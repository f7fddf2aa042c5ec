#include "editor/drawing/paint_interface.h"

#include "editor/drawing/draw_context.h"
#include "editor/drawing/font_cache.h"
#include "host/aeff_editor.h"
#include "host/cdazu.h"

namespace VSTGUI {

namespace {

CDrawContext* Surface(CDaZU* host) {
  return host ? host->getDrawContext() : nullptr;
}

// Runs `draw` on the current surface: 1 when there was one.
template <class Draw>
int32_t OnSurface(CDaZU* host, Draw draw) {
  CDrawContext* context = Surface(host);
  if (context == nullptr) return 0;
  draw(*context);
  return 1;
}

}  // namespace

int32_t paintGetViewSize(CDaZU* host, int32_t* width, int32_t* height) {
  AEffEditor* editor = host ? host->getEditor() : nullptr;
  ERect* rect = nullptr;
  if (editor == nullptr || !editor->getRect(&rect) || rect == nullptr) return 0;
  if (width) *width = rect->right - rect->left;
  if (height) *height = rect->bottom - rect->top;
  return 1;
}

int32_t paintSetMode(CDaZU* host, int32_t mode) {
  return OnSurface(host, [&](CDrawContext& c) { c.setSmoothing(mode); });
}

int32_t paintSetTextColor(CDaZU* host, int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  return OnSurface(host,
                   [&](CDrawContext& c) { c.setTextColor(MakeColor(red, green, blue, alpha)); });
}

int32_t paintSetFillColor(CDaZU* host, int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  return OnSurface(host,
                   [&](CDrawContext& c) { c.setFillColor(MakeColor(red, green, blue, alpha)); });
}

int32_t paintSetStrokeColor(CDaZU* host, int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  return OnSurface(host,
                   [&](CDrawContext& c) { c.setStrokeColor(MakeColor(red, green, blue, alpha)); });
}

double paintTextWidth(CDaZU* host, const char* text) {
  CDrawContext* context = Surface(host);
  return context && text ? context->measureText(text) : 0;
}

int32_t paintFontSize(CDaZU* host) {
  CDrawContext* context = Surface(host);
  return context && context->getFont() ? TruncateToPixel(context->getFont()->getSize()) : 0;
}

int32_t paintMoveTo(CDaZU* host, double x, double y) {
  return OnSurface(host, [&](CDrawContext& c) { c.moveTo({x, y}); });
}

int32_t paintLineTo(CDaZU* host, double x, double y) {
  return OnSurface(host, [&](CDrawContext& c) { c.lineTo({x, y}); });
}

int32_t paintArc(CDaZU* host, double left, double top, double right, double bottom,
                 double startAngle, double endAngle, int32_t mode) {
  return OnSurface(host, [&](CDrawContext& c) {
    c.drawArc({left, top, right, bottom}, startAngle, endAngle, mode);
  });
}

int32_t paintRectangle(CDaZU* host, double left, double top, double right, double bottom,
                       int32_t mode) {
  return OnSurface(host, [&](CDrawContext& c) { c.drawRect({left, top, right, bottom}, mode); });
}

int32_t paintEllipse(CDaZU* host, double left, double top, double right, double bottom,
                     int32_t mode) {
  return OnSurface(host, [&](CDrawContext& c) { c.drawEllipse({left, top, right, bottom}, mode); });
}

int32_t paintTextInRect(CDaZU* host, const char* text, double left, double top, double right,
                        double bottom, uint8_t, int32_t alignment) {
  return paintTextAligned(host, text, left, top, right, bottom, alignment, true);
}

int32_t paintTextAt(CDaZU* host, const char* text, double x, double y, bool antialias) {
  return OnSurface(host, [&](CDrawContext& c) {
    if (text) c.drawTextAt(text, {x, y}, antialias);
  });
}

int32_t paintTextAligned(CDaZU* host, const char* text, double left, double top, double right,
                         double bottom, int32_t alignment, bool antialias) {
  return OnSurface(host, [&](CDrawContext& c) {
    if (text) c.drawTextInRect(text, {left, top, right, bottom}, alignment, antialias);
  });
}

int32_t paintPoint(CDaZU* host, double x, double y, int32_t red, int32_t green, int32_t blue,
                   int32_t alpha) {
  return OnSurface(host, [&](CDrawContext& c) {
    c.drawPoint({x, y}, MakeColor(red, green, blue, alpha));
  });
}

int32_t paintGetPixel(CDaZU* host, double, double, int32_t* red, int32_t* green, int32_t* blue,
                      int32_t* alpha) {
  for (int32_t* component : {red, green, blue}) {
    if (component) *component = 0;
  }
  if (alpha) *alpha = 255;
  return Surface(host) ? 1 : 0;
}

int32_t paintSetFont(CDaZU* host, const char* name, int32_t size, int32_t style) {
  CDrawContext* context = Surface(host);
  if (context == nullptr || name == nullptr) return 0;
  context->setFont(FontCache::of(*host).family(name), size, style);
  return 1;
}

}  // namespace VSTGUI
