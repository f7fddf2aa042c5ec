// The drawing surface: state and caching of colours, pen, font and clip, and
// the pixel rules every back end shares, over a Canvas.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>

#include "editor/drawing/base_object.h"
#include "editor/drawing/canvas.h"
#include "editor/drawing/font_desc.h"
#include "editor/drawing/geometry.h"

namespace VSTGUI {

enum CDrawMode : int32_t { kAliasing = 0, kAntialias = 3 };
enum CLineStyle : int32_t { kLineSolid = 0, kLineOnOffDash = 1 };
enum CDrawStyle : int32_t { kDrawStroked = 0, kDrawFilled = 1, kDrawFilledAndStroked = 2 };
enum CHoriTxtAlign : int32_t { kLeftText = 0, kCenterText = 1, kRightText = 2 };

// Where the pointer is now, in the coordinates of the window a surface draws on.
using CursorLocator = std::function<CPoint()>;

class CDrawContext : public CBaseObject {
 public:
  // `canvas` may be null (a window that could not be drawn on): then nothing is drawn.
  // `containerSize` gives the initial clip; the origin is the window's on the screen.
  // `cursor` is given by surfaces made for a window, and must not outlive it.
  CDrawContext(std::unique_ptr<Canvas> canvas, const CRect& containerSize, CPoint windowOrigin = {},
               CursorLocator cursor = {});
  ~CDrawContext() override;

  void setSmoothing(int32_t mode);
  int32_t getDrawMode() const { return drawMode; }
  void setStrokeColor(CColor color);
  void setFillColor(CColor color);
  void setTextColor(CColor color);
  CColor getStrokeColor() const { return strokeColor; }
  CColor getFillColor() const { return fillColor; }
  CColor getTextColor() const { return textColor; }
  void setLineWidth(double width);
  double getLineWidth() const { return lineWidth; }
  void setDashStyle(int32_t style);
  int32_t getLineStyle() const { return lineStyle; }
  void setOffset(CPoint offset) { this->offset = offset; }
  CPoint getOffset() const { return offset; }

  void moveTo(CPoint point);
  void lineTo(CPoint point);
  CPoint getPenPosition() const { return pen; }
  void drawLines(const CPoint* points, int32_t count);
  void drawRect(const CRect& rect, int32_t style = kDrawStroked);
  void fillRect(const CRect& rect) { drawRect(rect, kDrawFilled); }
  void drawEllipse(const CRect& rect, int32_t style = kDrawStroked);
  void drawArc(const CRect& rect, double startAngle, double endAngle, int32_t style);
  void drawPolygon(const CPoint* points, int32_t count, int32_t style, bool closed);
  void drawPoint(CPoint point, CColor color);

  void setClipRect(const CRect& clip);
  CRect getClipRect() const { return clipRect; }
  void clipToContainer();

  // Text: y of drawTextAt is the line's bottom edge.
  void setFont(CFontDesc* font, double size = 0, int32_t style = -1);
  CFontDesc* getFont() const { return font.get(); }
  double measureText(std::string_view text);
  void drawTextAt(std::string_view text, CPoint point, bool antialias = true);
  void drawTextInRect(std::string_view text, const CRect& rect, int32_t alignment = kCenterText,
                      bool antialias = true);

  CPoint getWindowOrigin() const { return windowOrigin; }
  // The cursor position minus the window's origin; (0, 0) on a surface for no window.
  CPoint cursorInWindow() const { return cursorLocator ? cursorLocator() : CPoint{}; }
  // For a surface kept across paints (a back buffer), told anew for each paint of a window.
  void setCursorLocator(CursorLocator cursor) { cursorLocator = std::move(cursor); }
  Canvas* getCanvas() const { return canvas.get(); }

 private:
  // Clips to a rectangle that already includes the offset; the canvas hears of changes only.
  void applyClip(const CRect& absolute, bool force);
  StrokeStyle stroke() const { return {strokeColor, lineWidth, lineStyle == kLineOnOffDash}; }

  std::unique_ptr<Canvas> canvas;
  CPoint windowOrigin;
  CPoint offset;
  CRect containerSize;
  SharedPointer<CFontDesc> font;
  CColor textColor;
  CPoint pen;
  double lineWidth = 0;
  CColor strokeColor;
  CColor fillColor;
  int32_t lineStyle = kLineOnOffDash;
  int32_t drawMode = kAntialias;
  CRect clipRect;
  CursorLocator cursorLocator;
};

}  // namespace VSTGUI
