#include "editor/drawing/cairo/cairo_canvas.h"

#include <algorithm>
#include <string>

#include "editor/drawing/cairo/cairo_font.h"
#include "editor/drawing/surface_limits.h"

namespace VSTGUI {

namespace {

// The surface's pixel centres lie on whole numbers, Cairo's on halves.
constexpr double kPixelCentre = 0.5;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

CairoCanvas::CairoCanvas(cairo_surface_t* surface) : cr(cairo_create(surface)) {}

CairoCanvas::~CairoCanvas() {
  cairo_destroy(cr);
}

void CairoCanvas::setSource(CColor c) {
  cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

void CairoCanvas::setPen(const StrokeStyle& pen) {
  setSource(pen.color);
  cairo_set_line_width(cr, Drawable({pen.width}) && pen.width > 0 ? pen.width : 1.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  if (pen.dotted) {
    const double dot = cairo_get_line_width(cr);
    const double pattern[] = {dot, dot};
    cairo_set_dash(cr, pattern, 2, 0);
  } else {
    cairo_set_dash(cr, nullptr, 0, 0);
  }
}

void CairoCanvas::setAntialias(bool on) {
  cairo_set_antialias(cr, on ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void CairoCanvas::setClip(int32_t x, int32_t y, int32_t width, int32_t height) {
  cairo_reset_clip(cr);
  cairo_rectangle(cr, x, y, std::max(width, 0), std::max(height, 0));
  cairo_clip(cr);
}

void CairoCanvas::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const StrokeStyle& pen) {
  if (!Drawable({double(x1), double(y1), double(x2), double(y2)})) return;
  setPen(pen);
  // A pen n pixels wide covers the n pixels from the one the line names, as a
  // 1-pixel pen covers that one: sharp at any whole width.
  const double centre = cairo_get_line_width(cr) / 2;
  cairo_move_to(cr, x1 + centre, y1 + centre);
  cairo_line_to(cr, x2 + centre, y2 + centre);
  cairo_stroke(cr);
}

void CairoCanvas::drawRect(double x, double y, double width, double height,
                           const StrokeStyle& pen) {
  if (!Drawable({x, y, width, height})) return;
  setPen(pen);
  cairo_rectangle(cr, x + kPixelCentre, y + kPixelCentre, width, height);
  cairo_stroke(cr);
}

void CairoCanvas::fillRect(double x, double y, double width, double height, CColor color) {
  if (!Drawable({x, y, width, height})) return;
  setSource(color);
  cairo_rectangle(cr, x + kPixelCentre, y + kPixelCentre, width, height);
  cairo_fill(cr);
}

bool CairoCanvas::arcPath(const CRect& bounds, double start, double sweep) {
  // A context given a scale it cannot invert draws nothing more in this paint.
  if (!ArcDrawable(bounds, start, sweep)) return false;
  const double radiusX = bounds.width() / 2, radiusY = bounds.height() / 2;
  cairo_save(cr);
  cairo_translate(cr, bounds.left + radiusX + kPixelCentre, bounds.top + radiusY + kPixelCentre);
  cairo_scale(cr, radiusX, radiusY);
  const double from = start * kPi / 180, to = (start + sweep) * kPi / 180;
  cairo_new_path(cr);
  if (sweep < 0) {
    cairo_arc_negative(cr, 0, 0, 1, from, to);
  } else {
    cairo_arc(cr, 0, 0, 1, from, to);
  }
  cairo_restore(cr);
  return true;
}

void CairoCanvas::drawEllipse(int32_t x, int32_t y, int32_t width, int32_t height,
                              const StrokeStyle& pen) {
  drawArc(CRect{double(x), double(y), double(x) + width, double(y) + height}, 0, 360, pen);
}

void CairoCanvas::fillEllipse(int32_t x, int32_t y, int32_t width, int32_t height, CColor color) {
  fillArc(CRect{double(x), double(y), double(x) + width, double(y) + height}, 0, 360, color);
}

void CairoCanvas::drawArc(const CRect& bounds, double start, double sweep, const StrokeStyle& pen) {
  if (!arcPath(bounds, start, sweep)) return;
  setPen(pen);
  cairo_stroke(cr);
}

void CairoCanvas::fillArc(const CRect& bounds, double start, double sweep, CColor color) {
  if (!arcPath(bounds, start, sweep)) return;
  cairo_close_path(cr);
  setSource(color);
  cairo_fill(cr);
}

void CairoCanvas::drawPolyline(const CPoint* points, int32_t count, bool closed,
                               const StrokeStyle& pen) {
  cairo_new_path(cr);
  for (int32_t i = 0; i < count; ++i) {
    if (!Drawable({points[i].x, points[i].y})) return cairo_new_path(cr);
    cairo_line_to(cr, points[i].x + kPixelCentre, points[i].y + kPixelCentre);
  }
  if (closed) cairo_close_path(cr);
  setPen(pen);
  cairo_stroke(cr);
}

void CairoCanvas::fillPolygon(const CPoint* points, int32_t count, CColor color) {
  cairo_new_path(cr);
  for (int32_t i = 0; i < count; ++i) {
    if (!Drawable({points[i].x, points[i].y})) return cairo_new_path(cr);
    cairo_line_to(cr, points[i].x + kPixelCentre, points[i].y + kPixelCentre);
  }
  cairo_close_path(cr);
  setSource(color);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

double CairoCanvas::textWidth(PlatformFont& font, std::string_view text) {
  return static_cast<CairoFont&>(font).layoutWidth(text);
}

double CairoCanvas::lineHeight(PlatformFont& font) {
  return static_cast<CairoFont&>(font).lineHeight();
}

void CairoCanvas::drawText(PlatformFont& font, std::string_view text, double x, double top,
                           CColor color, bool antialias) {
  if (text.empty() || !Drawable({x, top})) return;
  static_cast<CairoFont&>(font).draw(cr, text, x, top, color, antialias);
}

void CairoCanvas::drawImage(PlatformImage& image, int32_t sourceX, int32_t sourceY, int32_t width,
                            int32_t height, int32_t destinationX, int32_t destinationY,
                            uint8_t opacity) {
  if (width <= 0 || height <= 0) return;
  cairo_save(cr);
  cairo_set_source_surface(cr, static_cast<CairoImage&>(image).getSurface(),
                           double(destinationX) - sourceX, double(destinationY) - sourceY);
  cairo_rectangle(cr, destinationX, destinationY, width, height);
  cairo_clip(cr);
  cairo_paint_with_alpha(cr, opacity / 255.0);
  cairo_restore(cr);
}

void CairoCanvas::drawImageScaled(PlatformImage& image, const CRect& source,
                                  const CRect& destination, uint8_t opacity) {
  if (!ImageDrawable(source, destination)) return;
  cairo_save(cr);
  cairo_rectangle(cr, destination.left, destination.top, destination.width(), destination.height());
  cairo_clip(cr);
  cairo_translate(cr, destination.left, destination.top);
  cairo_scale(cr, destination.width() / source.width(), destination.height() / source.height());
  cairo_set_source_surface(cr, static_cast<CairoImage&>(image).getSurface(), -source.left,
                           -source.top);
  // Edges blend with nothing beyond the image rather than repeat it.
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint_with_alpha(cr, opacity / 255.0);
  cairo_restore(cr);
}

}  // namespace VSTGUI
