// What the drawing surface needs of a 2D library. Coordinates follow the
// surface's convention: pixel centres on whole numbers, so that a 1-pixel line
// at y = 0 lights row 0; a back end whose pixel centres lie elsewhere shifts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/drawing/geometry.h"

namespace VSTGUI {

struct StrokeStyle {
  CColor color;
  double width = 1;
  bool dotted = false;
};

// A font made by the back end for one family, size and style.
class PlatformFont {
 public:
  virtual ~PlatformFont() = default;
};

// A decoded image with its own alpha, owned by a CBitmap.
class PlatformImage {
 public:
  virtual ~PlatformImage() = default;
  virtual int32_t width() const = 0;
  virtual int32_t height() const = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void setAntialias(bool on) = 0;
  virtual void setClip(int32_t x, int32_t y, int32_t width, int32_t height) = 0;

  virtual void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const StrokeStyle&) = 0;
  virtual void drawRect(double x, double y, double width, double height, const StrokeStyle&) = 0;
  virtual void fillRect(double x, double y, double width, double height, CColor) = 0;
  virtual void drawEllipse(int32_t x, int32_t y, int32_t width, int32_t height,
                           const StrokeStyle&) = 0;
  virtual void fillEllipse(int32_t x, int32_t y, int32_t width, int32_t height, CColor) = 0;
  // Angles in degrees, clockwise from the x axis, of the ellipse inscribed in
  // `bounds` (normalised); a negative sweep runs counterclockwise.
  virtual void drawArc(const CRect& bounds, double start, double sweep, const StrokeStyle&) = 0;
  // The region between the arc and its chord.
  virtual void fillArc(const CRect& bounds, double start, double sweep, CColor) = 0;
  virtual void drawPolyline(const CPoint* points, int32_t count, bool closed,
                            const StrokeStyle&) = 0;
  virtual void fillPolygon(const CPoint* points, int32_t count, CColor) = 0;

  // Text is laid out as GDI+'s default string format lays it out, 1/6 em of
  // padding before and after the glyphs: the width of that layout box, the
  // font's line height, and drawing with the box's top-left corner at (x, top).
  virtual double textWidth(PlatformFont& font, std::string_view text) = 0;
  virtual double lineHeight(PlatformFont& font) = 0;
  virtual void drawText(PlatformFont& font, std::string_view text, double x, double top, CColor,
                        bool antialias) = 0;

  // Copies a source rectangle unscaled, blended by the image's alpha times opacity / 255.
  virtual void drawImage(PlatformImage& image, int32_t sourceX, int32_t sourceY, int32_t width,
                         int32_t height, int32_t destinationX, int32_t destinationY,
                         uint8_t opacity) = 0;
  // Stretches a source rectangle over a destination, smoothly, blended the same way.
  virtual void drawImageScaled(PlatformImage& image, const CRect& source, const CRect& destination,
                               uint8_t opacity) = 0;
};

// Back-end functions that need no surface.
// The library's process-wide start and stop (see GDIPlusGlobals).
void StartGraphicsLibrary();
void StopGraphicsLibrary();
// Null when no real face answers to the family (by name or a configured alias).
std::unique_ptr<PlatformFont> MakePlatformFont(const std::string& family, double size,
                                               int32_t style);
std::unique_ptr<PlatformImage> DecodeImage(const unsigned char* bytes, size_t size);
// The module's ordinary bitmap resource by number or name; null when it has none.
std::unique_ptr<PlatformImage> LoadBitmapResource(int32_t number);
std::unique_ptr<PlatformImage> LoadBitmapResource(const std::string& name);
std::unique_ptr<PlatformImage> LoadImageFile(const std::string& path);
// A transparent image to draw into offscreen, and a canvas on it.
std::unique_ptr<PlatformImage> MakeBlankImage(int32_t width, int32_t height);
std::unique_ptr<Canvas> MakeImageCanvas(PlatformImage& image);
bool SaveImagePng(PlatformImage& image, const std::string& path);
// The pixels row by row, alpha not premultiplied.
std::vector<CColor> ImagePixels(PlatformImage& image);

}  // namespace VSTGUI
