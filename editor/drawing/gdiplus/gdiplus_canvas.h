// The GDI+ back end of the drawing surface: on a device context or an image.
#pragma once

#include <memory>

#include "editor/drawing/canvas.h"
#include "editor/drawing/gdiplus/gdiplus_library.h"

namespace VSTGUI {

class GdiplusCanvas : public Canvas {
 public:
  // Draws on `dc`; when `owner` is given the DC came from GetDC(owner) and is
  // released with the canvas.
  static std::unique_ptr<GdiplusCanvas> onDevice(HDC dc, HWND owner = nullptr);
  static std::unique_ptr<GdiplusCanvas> onImage(Gdiplus::GpBitmap* image);
  ~GdiplusCanvas() override;
  GdiplusCanvas(const GdiplusCanvas&) = delete;
  GdiplusCanvas& operator=(const GdiplusCanvas&) = delete;

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

  // The status of the last GDI+ call that failed (Ok when none did): failures
  // are kept and otherwise ignored, drawing goes on.
  Gdiplus::Status lastFailure() const { return failure; }

 private:
  GdiplusCanvas(Gdiplus::GpGraphics* graphics, HDC dc, HWND owner);
  void check(Gdiplus::Status status);
  Gdiplus::GpPen* penFor(const StrokeStyle& style);
  Gdiplus::GpBrush* fillWith(CColor color);
  // A path of the arc of the ellipse in `bounds`; null when it has no area.
  Gdiplus::GpPath* arcPath(const CRect& bounds, double start, double sweep);

  GdiplusLibraryReference library;  // first: outlives every GDI+ object below
  Gdiplus::GpGraphics* graphics = nullptr;
  Gdiplus::GpPen* pen = nullptr;
  Gdiplus::GpSolidFill* fill = nullptr;
  Gdiplus::GpSolidFill* textBrush = nullptr;
  StrokeStyle penStyle{kBlackCColor, 1, false};
  CColor fillColor = kBlackCColor;
  HDC dc;
  HWND owner;
  Gdiplus::Status failure = Gdiplus::Ok;
};

// A decoded image: a 32-bit ARGB GDI+ bitmap.
class GdiplusImage : public PlatformImage {
 public:
  explicit GdiplusImage(Gdiplus::GpBitmap* bitmap);
  ~GdiplusImage() override;
  GdiplusImage(const GdiplusImage&) = delete;
  GdiplusImage& operator=(const GdiplusImage&) = delete;

  int32_t width() const override { return imageWidth; }
  int32_t height() const override { return imageHeight; }
  Gdiplus::GpBitmap* getBitmap() const { return bitmap; }

 private:
  GdiplusLibraryReference library;
  Gdiplus::GpBitmap* bitmap;
  int32_t imageWidth = 0;
  int32_t imageHeight = 0;
};

}  // namespace VSTGUI
