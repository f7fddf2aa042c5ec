// The Cairo back end of the drawing surface: on a window's surface or an image.
#pragma once

#include <cairo.h>

#include "editor/drawing/canvas.h"

namespace VSTGUI {

class CairoCanvas : public Canvas {
 public:
  // Draws on `surface`, which the caller keeps alive for the canvas's lifetime.
  explicit CairoCanvas(cairo_surface_t* surface);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  void setAntialias(bool on) override;
  void setClip(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const StrokeStyle&) override;
  void drawRect(double x, double y, double width, double height, const StrokeStyle&) override;
  void fillRect(double x, double y, double width, double height, CColor) override;
  void drawEllipse(int32_t x, int32_t y, int32_t width, int32_t height,
                   const StrokeStyle&) override;
  void fillEllipse(int32_t x, int32_t y, int32_t width, int32_t height, CColor) override;
  void drawArc(const CRect& bounds, double start, double sweep, const StrokeStyle&) override;
  void fillArc(const CRect& bounds, double start, double sweep, CColor) override;
  void drawPolyline(const CPoint* points, int32_t count, bool closed, const StrokeStyle&) override;
  void fillPolygon(const CPoint* points, int32_t count, CColor) override;
  double textWidth(PlatformFont& font, std::string_view text) override;
  double lineHeight(PlatformFont& font) override;
  void drawText(PlatformFont& font, std::string_view text, double x, double top, CColor,
                bool antialias) override;
  void drawImage(PlatformImage& image, int32_t sourceX, int32_t sourceY, int32_t width,
                 int32_t height, int32_t destinationX, int32_t destinationY,
                 uint8_t opacity) override;
  void drawImageScaled(PlatformImage& image, const CRect& source, const CRect& destination,
                       uint8_t opacity) override;

 private:
  void setSource(CColor color);
  void setPen(const StrokeStyle& pen);
  // The path of an ellipse arc inside `bounds`; false when it has no area.
  bool arcPath(const CRect& bounds, double start, double sweep);

  cairo_t* cr;
};

// A decoded image: an ARGB32 (premultiplied) Cairo image surface.
class CairoImage : public PlatformImage {
 public:
  explicit CairoImage(cairo_surface_t* surface) : surface(surface) {}
  ~CairoImage() override { cairo_surface_destroy(surface); }
  CairoImage(const CairoImage&) = delete;
  CairoImage& operator=(const CairoImage&) = delete;

  int32_t width() const override { return cairo_image_surface_get_width(surface); }
  int32_t height() const override { return cairo_image_surface_get_height(surface); }
  cairo_surface_t* getSurface() const { return surface; }

 private:
  cairo_surface_t* surface;
};

}  // namespace VSTGUI
