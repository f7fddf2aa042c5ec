// A canvas that records what the drawing surface asks of a 2D library.
#pragma once

#include <string>
#include <vector>

#include "editor/drawing/canvas.h"

struct CanvasCall {
  std::string what;  // "line", "rect", "fillRect", "text", "image", "clip", ...
  double a = 0, b = 0, c = 0, d = 0;
  std::string text;
  VSTGUI::CColor color;
};

class RecordingCanvas : public VSTGUI::Canvas {
 public:
  // Every character measures this wide; lines are this high.
  static constexpr double kCharWidth = 10;
  static constexpr double kLineHeight = 15;

  explicit RecordingCanvas(std::vector<CanvasCall>& calls) : calls(calls) {}

  void setAntialias(bool on) override { add("antialias", on); }
  void setClip(int32_t x, int32_t y, int32_t w, int32_t h) override { add("clip", x, y, w, h); }
  void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                const VSTGUI::StrokeStyle& s) override {
    add("line", x1, y1, x2, y2, {}, s.color);
  }
  void drawRect(double x, double y, double w, double h, const VSTGUI::StrokeStyle& s) override {
    add("rect", x, y, w, h, {}, s.color);
  }
  void fillRect(double x, double y, double w, double h, VSTGUI::CColor c) override {
    add("fillRect", x, y, w, h, {}, c);
  }
  void drawEllipse(int32_t x, int32_t y, int32_t w, int32_t h,
                   const VSTGUI::StrokeStyle& s) override {
    add("ellipse", x, y, w, h, {}, s.color);
  }
  void fillEllipse(int32_t x, int32_t y, int32_t w, int32_t h, VSTGUI::CColor c) override {
    add("fillEllipse", x, y, w, h, {}, c);
  }
  void drawArc(const VSTGUI::CRect& r, double start, double sweep,
               const VSTGUI::StrokeStyle& s) override {
    add("arc", r.left, r.top, start, sweep, {}, s.color);
  }
  void fillArc(const VSTGUI::CRect& r, double start, double sweep, VSTGUI::CColor c) override {
    add("fillArc", r.left, r.top, start, sweep, {}, c);
  }
  void drawPolyline(const VSTGUI::CPoint* p, int32_t n, bool closed,
                    const VSTGUI::StrokeStyle& s) override {
    add(closed ? "polygon" : "polyline", n, p[0].x, p[0].y, 0, {}, s.color);
  }
  void fillPolygon(const VSTGUI::CPoint* p, int32_t n, VSTGUI::CColor c) override {
    add("fillPolygon", n, p[0].x, p[0].y, 0, {}, c);
  }
  double textWidth(VSTGUI::PlatformFont&, std::string_view text) override {
    return kCharWidth * static_cast<double>(text.size());
  }
  double lineHeight(VSTGUI::PlatformFont&) override { return kLineHeight; }
  void drawText(VSTGUI::PlatformFont&, std::string_view text, double x, double top,
                VSTGUI::CColor c, bool antialias) override {
    add("text", x, top, antialias, 0, std::string(text), c);
  }
  // The image's width, which tells the artwork taken, then the source's corner.
  void drawImage(VSTGUI::PlatformImage& image, int32_t sx, int32_t sy, int32_t w, int32_t h,
                 int32_t dx, int32_t dy, uint8_t opacity) override {
    add("image", dx, dy, w, h,
        std::to_string(image.width()) + ":" + std::to_string(sx) + "," + std::to_string(sy),
        VSTGUI::CColor{0, 0, 0, opacity});
  }
  void drawImageScaled(VSTGUI::PlatformImage& image, const VSTGUI::CRect& source,
                       const VSTGUI::CRect& d, uint8_t opacity) override {
    add("scaledImage", d.left, d.top, d.width(), d.height(),
        std::to_string(image.width()) + ":" + std::to_string(source.left) + "," +
            std::to_string(source.top) + "," + std::to_string(source.width()),
        VSTGUI::CColor{0, 0, 0, opacity});
  }

 private:
  void add(const char* what, double a = 0, double b = 0, double c = 0, double d = 0,
           std::string text = {}, VSTGUI::CColor color = {}) {
    calls.push_back({what, a, b, c, d, std::move(text), color});
  }

  std::vector<CanvasCall>& calls;
};
