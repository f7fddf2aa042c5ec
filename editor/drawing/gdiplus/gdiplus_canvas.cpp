#include "editor/drawing/gdiplus/gdiplus_canvas.h"

#include <algorithm>
#include <vector>

#include "editor/drawing/gdiplus/gdiplus_font.h"
#include "editor/drawing/surface_limits.h"
#include "platform/windows/utf16.h"

namespace VSTGUI {

using namespace Gdiplus::DllExports;
using Gdiplus::REAL;

namespace {

REAL Real(double v) {
  return static_cast<REAL>(v);
}

// The image's own alpha times an opacity, colours untouched; none at full opacity.
class ImageOpacity {
 public:
  explicit ImageOpacity(uint8_t opacity) {
    if (opacity == 255) return;
    Gdiplus::ColorMatrix matrix{};
    for (int i = 0; i < 5; ++i)
      matrix.m[i][i] = 1;
    matrix.m[3][3] = opacity / 255.0f;
    if (GdipCreateImageAttributes(&attributes) != Gdiplus::Ok) {
      attributes = nullptr;
      failed = true;
      return;
    }
    GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix,
                                      nullptr, Gdiplus::ColorMatrixFlagsDefault);
  }
  ~ImageOpacity() {
    if (attributes) GdipDisposeImageAttributes(attributes);
  }
  ImageOpacity(const ImageOpacity&) = delete;
  ImageOpacity& operator=(const ImageOpacity&) = delete;

  bool failed = false;
  Gdiplus::GpImageAttributes* attributes = nullptr;
};

}  // namespace

std::unique_ptr<GdiplusCanvas> GdiplusCanvas::onDevice(HDC dc, HWND owner) {
  GdiplusLibraryReference library;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (dc == nullptr || !library.started() || GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) {
    if (owner && dc) ReleaseDC(owner, dc);
    return nullptr;
  }
  return std::unique_ptr<GdiplusCanvas>(new GdiplusCanvas(graphics, dc, owner));
}

std::unique_ptr<GdiplusCanvas> GdiplusCanvas::onImage(Gdiplus::GpBitmap* image) {
  GdiplusLibraryReference library;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (!library.started() || GdipGetImageGraphicsContext(image, &graphics) != Gdiplus::Ok) {
    return nullptr;
  }
  return std::unique_ptr<GdiplusCanvas>(new GdiplusCanvas(graphics, nullptr, nullptr));
}

// Images copied unscaled need only the cheapest interpolation (scaled ones ask
// for better while they draw); pixel centres lie on whole numbers, as the
// surface's convention wants.
GdiplusCanvas::GdiplusCanvas(Gdiplus::GpGraphics* graphics, HDC dc, HWND owner)
    : graphics(graphics), dc(dc), owner(owner) {
  check(GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeLowQuality));
  check(GdipSetPageUnit(graphics, Gdiplus::UnitPixel));
  check(GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeNone));
  check(GdipCreatePen1(ToArgb(penStyle.color), Real(penStyle.width), Gdiplus::UnitWorld, &pen));
  check(GdipCreateSolidFill(ToArgb(fillColor), &fill));
  check(GdipCreateSolidFill(ToArgb(kBlackCColor), &textBrush));
}

GdiplusCanvas::~GdiplusCanvas() {
  if (textBrush) GdipDeleteBrush(textBrush);
  if (fill) GdipDeleteBrush(fill);
  if (pen) GdipDeletePen(pen);
  GdipDeleteGraphics(graphics);
  if (owner) ReleaseDC(owner, dc);
}

void GdiplusCanvas::check(Gdiplus::Status status) {
  if (status != Gdiplus::Ok) failure = status;
}

Gdiplus::GpPen* GdiplusCanvas::penFor(const StrokeStyle& style) {
  if (pen == nullptr) return nullptr;
  const double width = Drawable({style.width}) && style.width > 0 ? style.width : 1.0;
  if (style.color != penStyle.color) check(GdipSetPenColor(pen, ToArgb(style.color)));
  if (width != penStyle.width) check(GdipSetPenWidth(pen, Real(width)));
  if (style.dotted != penStyle.dotted) {
    check(GdipSetPenDashStyle(pen, style.dotted ? Gdiplus::DashStyleDot : Gdiplus::DashStyleSolid));
  }
  penStyle = {style.color, width, style.dotted};
  return pen;
}

Gdiplus::GpBrush* GdiplusCanvas::fillWith(CColor color) {
  if (fill == nullptr) return nullptr;
  if (color != fillColor) check(GdipSetSolidFillColor(fill, ToArgb(color)));
  fillColor = color;
  return fill;
}

void GdiplusCanvas::setAntialias(bool on) {
  check(GdipSetSmoothingMode(graphics,
                             on ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone));
}

void GdiplusCanvas::setClip(int32_t x, int32_t y, int32_t width, int32_t height) {
  check(GdipSetClipRectI(graphics, x, y, std::max(width, 0), std::max(height, 0),
                         Gdiplus::CombineModeReplace));
}

void GdiplusCanvas::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                             const StrokeStyle& style) {
  // GDI+ walks the whole length of a line, however little of it is visible.
  if (!Drawable({double(x1), double(y1), double(x2), double(y2)})) return;
  Gdiplus::GpPen* p = penFor(style);
  if (p == nullptr) return;
  if (!(style.width > 1)) {  // a width that is no number draws a hairline too
    check(GdipDrawLineI(graphics, p, x1, y1, x2, y2));
    return;
  }
  // A pen n pixels wide covers the n pixels from the one the line names, as a
  // 1-pixel pen covers that one: sharp at any whole width.
  const REAL shift = Real((style.width - 1) / 2);
  check(GdipDrawLine(graphics, p, Real(x1) + shift, Real(y1) + shift, Real(x2) + shift,
                     Real(y2) + shift));
}

void GdiplusCanvas::drawRect(double x, double y, double width, double height,
                             const StrokeStyle& style) {
  if (!Drawable({x, y, width, height}) || width < 0 || height < 0) return;
  if (Gdiplus::GpPen* p = penFor(style)) {
    check(GdipDrawRectangle(graphics, p, Real(x), Real(y), Real(width), Real(height)));
  }
}

void GdiplusCanvas::fillRect(double x, double y, double width, double height, CColor color) {
  if (!Drawable({x, y, width, height}) || width <= 0 || height <= 0) return;
  if (Gdiplus::GpBrush* b = fillWith(color)) {
    check(GdipFillRectangle(graphics, b, Real(x), Real(y), Real(width), Real(height)));
  }
}

void GdiplusCanvas::drawEllipse(int32_t x, int32_t y, int32_t width, int32_t height,
                                const StrokeStyle& style) {
  if (!Drawable({double(x), double(y), double(width), double(height)}) || width < 0 || height < 0) {
    return;
  }
  if (Gdiplus::GpPen* p = penFor(style)) {
    check(GdipDrawEllipseI(graphics, p, x, y, width, height));
  }
}

void GdiplusCanvas::fillEllipse(int32_t x, int32_t y, int32_t width, int32_t height, CColor color) {
  if (!Drawable({double(x), double(y), double(width), double(height)}) || width <= 0 ||
      height <= 0) {
    return;
  }
  if (Gdiplus::GpBrush* b = fillWith(color)) {
    check(GdipFillEllipseI(graphics, b, x, y, width, height));
  }
}

Gdiplus::GpPath* GdiplusCanvas::arcPath(const CRect& bounds, double start, double sweep) {
  if (!ArcDrawable(bounds, start, sweep)) return nullptr;
  Gdiplus::GpPath* path = nullptr;
  if (GdipCreatePath(Gdiplus::FillModeAlternate, &path) != Gdiplus::Ok) return nullptr;
  check(GdipAddPathArc(path, Real(bounds.left), Real(bounds.top), Real(bounds.width()),
                       Real(bounds.height()), Real(start), Real(sweep)));
  return path;
}

void GdiplusCanvas::drawArc(const CRect& bounds, double start, double sweep,
                            const StrokeStyle& style) {
  Gdiplus::GpPath* path = arcPath(bounds, start, sweep);
  if (path == nullptr) return;
  if (Gdiplus::GpPen* p = penFor(style)) check(GdipDrawPath(graphics, p, path));
  GdipDeletePath(path);
}

void GdiplusCanvas::fillArc(const CRect& bounds, double start, double sweep, CColor color) {
  Gdiplus::GpPath* path = arcPath(bounds, start, sweep);
  if (path == nullptr) return;
  check(GdipClosePathFigure(path));
  if (Gdiplus::GpBrush* b = fillWith(color)) check(GdipFillPath(graphics, b, path));
  GdipDeletePath(path);
}

namespace {

// Null when a point cannot be drawn.
std::vector<Gdiplus::PointF> ToPoints(const CPoint* points, int32_t count) {
  std::vector<Gdiplus::PointF> result;
  result.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    if (!Drawable({points[i].x, points[i].y})) return {};
    result.emplace_back(Real(points[i].x), Real(points[i].y));
  }
  return result;
}

}  // namespace

void GdiplusCanvas::drawPolyline(const CPoint* points, int32_t count, bool closed,
                                 const StrokeStyle& style) {
  if (points == nullptr || count < 2) return;
  const std::vector<Gdiplus::PointF> corners = ToPoints(points, count);
  Gdiplus::GpPen* p = penFor(style);
  if (corners.empty() || p == nullptr) return;
  check(closed ? GdipDrawPolygon(graphics, p, corners.data(), count)
               : GdipDrawLines(graphics, p, corners.data(), count));
}

void GdiplusCanvas::fillPolygon(const CPoint* points, int32_t count, CColor color) {
  if (points == nullptr || count < 3) return;
  const std::vector<Gdiplus::PointF> corners = ToPoints(points, count);
  Gdiplus::GpBrush* b = fillWith(color);
  if (corners.empty() || b == nullptr) return;
  check(GdipFillPolygon(graphics, b, corners.data(), count, Gdiplus::FillModeAlternate));
}

double GdiplusCanvas::textWidth(PlatformFont& font, std::string_view text) {
  const std::wstring wide = Utf8ToUtf16(text);
  if (wide.empty()) return 0;
  const Gdiplus::RectF origin(0, 0, 0, 0);
  Gdiplus::RectF bounds;
  const Gdiplus::Status status = GdipMeasureString(
      graphics, wide.c_str(), static_cast<INT>(wide.size()), static_cast<GdiplusFont&>(font).get(),
      &origin, nullptr, &bounds, nullptr, nullptr);
  check(status);
  return status == Gdiplus::Ok ? bounds.Width : 0;
}

double GdiplusCanvas::lineHeight(PlatformFont& font) {
  REAL dpi = 96, height = 0;
  check(GdipGetDpiY(graphics, &dpi));
  check(GdipGetFontHeightGivenDPI(static_cast<GdiplusFont&>(font).get(), dpi, &height));
  return height;
}

void GdiplusCanvas::drawText(PlatformFont& font, std::string_view text, double x, double top,
                             CColor color, bool antialias) {
  const std::wstring wide = Utf8ToUtf16(text);
  if (wide.empty() || textBrush == nullptr || !Drawable({x, top})) return;
  // Paired with the Cairo back end's choices (cairo_font.cpp).
  check(GdipSetTextRenderingHint(graphics, antialias ? Gdiplus::TextRenderingHintClearTypeGridFit
                                                     : Gdiplus::TextRenderingHintSystemDefault));
  check(GdipSetSolidFillColor(textBrush, ToArgb(color)));
  const Gdiplus::RectF layout(Real(x), Real(top), 0, 0);
  check(GdipDrawString(graphics, wide.c_str(), static_cast<INT>(wide.size()),
                       static_cast<GdiplusFont&>(font).get(), &layout, nullptr, textBrush));
}

void GdiplusCanvas::drawImage(PlatformImage& image, int32_t sourceX, int32_t sourceY, int32_t width,
                              int32_t height, int32_t destinationX, int32_t destinationY,
                              uint8_t opacity) {
  if (width <= 0 || height <= 0) return;
  Gdiplus::GpImage* source = static_cast<GdiplusImage&>(image).getBitmap();
  ImageOpacity blend(opacity);
  if (blend.failed) return;
  check(GdipDrawImageRectRectI(graphics, source, destinationX, destinationY, width, height, sourceX,
                               sourceY, width, height, Gdiplus::UnitPixel, blend.attributes,
                               nullptr, nullptr));
}

void GdiplusCanvas::drawImageScaled(PlatformImage& image, const CRect& source,
                                    const CRect& destination, uint8_t opacity) {
  if (!ImageDrawable(source, destination)) return;
  ImageOpacity blend(opacity);
  if (blend.failed) return;
  // Resampled smoothly, pixel areas rather than centres, then back to the surface's rules.
  check(GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic));
  check(GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHalf));
  check(GdipDrawImageRectRect(
      graphics, static_cast<GdiplusImage&>(image).getBitmap(), Real(destination.left),
      Real(destination.top), Real(destination.width()), Real(destination.height()),
      Real(source.left), Real(source.top), Real(source.width()), Real(source.height()),
      Gdiplus::UnitPixel, blend.attributes, nullptr, nullptr));
  check(GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeNone));
  check(GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeLowQuality));
}

GdiplusImage::GdiplusImage(Gdiplus::GpBitmap* bitmap) : bitmap(bitmap) {
  UINT w = 0, h = 0;
  GdipGetImageWidth(bitmap, &w);
  GdipGetImageHeight(bitmap, &h);
  imageWidth = static_cast<int32_t>(w);
  imageHeight = static_cast<int32_t>(h);
}

GdiplusImage::~GdiplusImage() {
  GdipDisposeImage(bitmap);
}

}  // namespace VSTGUI
