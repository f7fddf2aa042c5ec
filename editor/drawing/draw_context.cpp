#include "editor/drawing/draw_context.h"

#include <cmath>
#include <utility>

#include "editor/drawing/surface_limits.h"
#include "editor/drawing/text_encoding.h"

namespace VSTGUI {

CDrawContext::CDrawContext(std::unique_ptr<Canvas> canvas, const CRect& containerSize,
                           CPoint windowOrigin, CursorLocator cursor)
    : canvas(std::move(canvas)),
      windowOrigin(windowOrigin),
      containerSize(containerSize),
      cursorLocator(std::move(cursor)) {
  if (this->canvas) this->canvas->setAntialias(true);
  applyClip(containerSize, true);
  setStrokeColor(kWhiteCColor);
  setDashStyle(kLineSolid);
  setLineWidth(1);
  setFillColor(kBlackCColor);
  setTextColor(kWhiteCColor);
  setFont(GetStaticFont(kSystemFont));
  setSmoothing(kAliasing);
}

CDrawContext::~CDrawContext() = default;

void CDrawContext::setSmoothing(int32_t mode) {
  const bool wasSmooth = drawMode == kAntialias;
  drawMode = mode;
  if (canvas && wasSmooth != (mode == kAntialias)) canvas->setAntialias(mode == kAntialias);
}

void CDrawContext::setStrokeColor(CColor color) {
  strokeColor = color;
}
void CDrawContext::setFillColor(CColor color) {
  fillColor = color;
}
void CDrawContext::setTextColor(CColor color) {
  textColor = color;
}
void CDrawContext::setLineWidth(double width) {
  lineWidth = width;
}

void CDrawContext::setDashStyle(int32_t style) {
  lineStyle = style == kLineOnOffDash ? kLineOnOffDash : kLineSolid;
}

void CDrawContext::moveTo(CPoint point) {
  pen = {point.x + offset.x, point.y + offset.y};
}

void CDrawContext::lineTo(CPoint point) {
  const CPoint end{point.x + offset.x, point.y + offset.y};
  CPoint from = pen, to = end;
  if (canvas && ClipSegment(from, to, DrawableArea(clipRect, lineWidth))) {
    canvas->drawLine(TruncateToPixel(from.x), TruncateToPixel(from.y), TruncateToPixel(to.x),
                     TruncateToPixel(to.y), stroke());
  }
  pen = end;
}

void CDrawContext::drawLines(const CPoint* points, int32_t count) {
  for (int32_t k = 0; k < count; ++k) {
    moveTo(points[2 * k]);
    lineTo(points[2 * k + 1]);
  }
}

void CDrawContext::drawRect(const CRect& rect, int32_t style) {
  if (!canvas) return;
  CRect r = rect.offset(offset.x, offset.y).normalized();
  // The frame's edges that move lie outside the clip.
  if (!ClipRect(r, DrawableArea(clipRect, lineWidth))) return;
  if (style == kDrawFilled || style == kDrawFilledAndStroked) {
    canvas->fillRect(r.left, r.top, r.width(), r.height(), fillColor);
  }
  if (style == kDrawStroked || style == kDrawFilledAndStroked) {
    canvas->drawRect(r.left, r.top, r.width() - 1, r.height() - 1, stroke());
  }
}

void CDrawContext::drawEllipse(const CRect& rect, int32_t style) {
  if (!canvas) return;
  const CRect r = rect.offset(offset.x, offset.y).normalized();
  const int32_t x = TruncateToPixel(r.left), y = TruncateToPixel(r.top);
  const int32_t width = TruncateToPixel(r.right) - x - 1;
  const int32_t height = TruncateToPixel(r.bottom) - y - 1;
  if (style == kDrawFilled || style == kDrawFilledAndStroked) {
    canvas->fillEllipse(x, y, width, height, fillColor);
  }
  if (style == kDrawStroked || style == kDrawFilledAndStroked) {
    canvas->drawEllipse(x, y, width, height, stroke());
  }
}

void CDrawContext::drawArc(const CRect& rect, double startAngle, double endAngle, int32_t style) {
  if (!canvas) return;
  if (endAngle < startAngle) endAngle += 360;
  double sweep = std::fabs(endAngle - startAngle);
  const CRect given = rect.offset(offset.x, offset.y);
  // The rectangle is not normalised: given right to left (or bottom to top),
  // its ellipse runs the other way round, so the arc comes out mirrored. The
  // canvas gets the same arc on the normalised ellipse, angles mirrored.
  if (given.right < given.left) {
    startAngle = 180 - startAngle;
    sweep = -sweep;
  }
  if (given.bottom < given.top) {
    startAngle = -startAngle;
    sweep = -sweep;
  }
  const CRect bounds = given.normalized();
  // A bad arc is skipped; what is drawn after it still shows.
  if (!ArcDrawable(bounds, startAngle, sweep)) return;
  if (style == kDrawFilled || style == kDrawFilledAndStroked) {
    canvas->fillArc(bounds, startAngle, sweep, fillColor);
  }
  if (style == kDrawStroked || style == kDrawFilledAndStroked) {
    canvas->drawArc(bounds, startAngle, sweep, stroke());
  }
}

void CDrawContext::drawPolygon(const CPoint* points, int32_t count, int32_t style, bool closed) {
  if (!canvas || points == nullptr || count <= 0) return;
  std::unique_ptr<CPoint[]> moved(new CPoint[static_cast<size_t>(count)]);
  for (int32_t i = 0; i < count; ++i)
    moved[i] = {points[i].x + offset.x, points[i].y + offset.y};
  if (style == kDrawFilled || style == kDrawFilledAndStroked) {
    canvas->fillPolygon(moved.get(), count, fillColor);
  }
  if (style == kDrawStroked || style == kDrawFilledAndStroked) {
    canvas->drawPolyline(moved.get(), count, closed, stroke());
  }
}

void CDrawContext::drawPoint(CPoint point, CColor color) {
  const CColor savedColor = strokeColor;
  const double savedWidth = lineWidth;
  setLineWidth(1);
  setStrokeColor(color);
  moveTo(point);
  lineTo({point.x + 1, point.y});
  setStrokeColor(savedColor);
  setLineWidth(savedWidth);
}

void CDrawContext::setClipRect(const CRect& clip) {
  applyClip(clip.offset(offset.x, offset.y), false);
}

void CDrawContext::clipToContainer() {
  applyClip(containerSize.isEmpty() ? CRect{0, 0, 1000, 1000} : containerSize, false);
}

void CDrawContext::applyClip(const CRect& absolute, bool force) {
  if (absolute == clipRect && !force) return;
  clipRect = absolute;
  if (canvas) {
    canvas->setClip(TruncateToPixel(clipRect.left), TruncateToPixel(clipRect.top),
                    TruncateToPixel(clipRect.width()), TruncateToPixel(clipRect.height()));
  }
}

void CDrawContext::setFont(CFontDesc* newFont, double size, int32_t style) {
  if (newFont == nullptr) return;
  const bool keepSize = size < 1 || size == newFont->getSize();
  const bool keepStyle = style == -1 || style == newFont->getStyle();
  if (keepSize && keepStyle) {
    font = SharedPointer<CFontDesc>(newFont);
  } else {
    font = SharedPointer<CFontDesc>::adopt(
        new CFontDesc(newFont->getName(), size < 1 ? newFont->getSize() : size,
                      style == -1 ? newFont->getStyle() : style));
  }
}

double CDrawContext::measureText(std::string_view text) {
  if (!canvas || !font) return -1;
  PlatformFont* platformFont = font->getPlatformFont();
  return platformFont ? canvas->textWidth(*platformFont, DrawableText(text)) : 0;
}

void CDrawContext::drawTextAt(std::string_view text, CPoint point, bool antialias) {
  if (!canvas || !font) return;
  PlatformFont* platformFont = font->getPlatformFont();
  if (platformFont == nullptr) return;
  const double top = point.y + offset.y + 1 - canvas->lineHeight(*platformFont);
  canvas->drawText(*platformFont, DrawableText(text), point.x + offset.x, top, textColor,
                   antialias);
}

void CDrawContext::drawTextInRect(std::string_view text, const CRect& rect, int32_t alignment,
                                  bool antialias) {
  if (!canvas || !font) return;
  const double height = font->getSize();
  double x = rect.left;
  if (alignment != kLeftText) {
    const double width = measureText(text);
    x = alignment == kRightText ? rect.right - width : rect.left + rect.width() * 0.5 - width * 0.5;
  }
  const double y = rect.bottom - (rect.height() * 0.5 - height * 0.5 + 1);
  const CRect saved = clipRect;
  applyClip(rect.offset(offset.x, offset.y).intersect(saved), false);
  drawTextAt(text, {x, y}, antialias);
  applyClip(saved, false);
}

}  // namespace VSTGUI
