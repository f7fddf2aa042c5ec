// The drawing interface the script's primitives call. Each function acts on
// the adapter's current surface, which exists only while the view draws;
// without it a function returns 0 and does nothing.
#pragma once

#include <cstdint>

class CDaZU;

namespace VSTGUI {

// The editor's fixed size; needs no surface (0 without an editor).
int32_t paintGetViewSize(CDaZU* adapter, int32_t* width, int32_t* height);
int32_t paintSetMode(CDaZU* adapter, int32_t mode);
int32_t paintSetTextColor(CDaZU* adapter, int32_t red, int32_t green, int32_t blue, int32_t alpha);
int32_t paintSetFillColor(CDaZU* adapter, int32_t red, int32_t green, int32_t blue, int32_t alpha);
int32_t paintSetStrokeColor(CDaZU* adapter, int32_t red, int32_t green, int32_t blue,
                            int32_t alpha);
double paintTextWidth(CDaZU* adapter, const char* text);
int32_t paintFontSize(CDaZU* adapter);
int32_t paintMoveTo(CDaZU* adapter, double x, double y);
int32_t paintLineTo(CDaZU* adapter, double x, double y);
int32_t paintArc(CDaZU* adapter, double left, double top, double right, double bottom,
                 double startAngle, double endAngle, int32_t mode);
int32_t paintRectangle(CDaZU* adapter, double left, double top, double right, double bottom,
                       int32_t mode);
int32_t paintEllipse(CDaZU* adapter, double left, double top, double right, double bottom,
                     int32_t mode);
int32_t paintTextInRect(CDaZU* adapter, const char* text, double left, double top, double right,
                        double bottom, uint8_t ignored, int32_t alignment);
int32_t paintTextAt(CDaZU* adapter, const char* text, double x, double y, bool antialias);
int32_t paintTextAligned(CDaZU* adapter, const char* text, double left, double top, double right,
                         double bottom, int32_t alignment, bool antialias);
int32_t paintPoint(CDaZU* adapter, double x, double y, int32_t red, int32_t green, int32_t blue,
                   int32_t alpha);
// Reading pixels back is not supported: always opaque black.
int32_t paintGetPixel(CDaZU* adapter, double x, double y, int32_t* red, int32_t* green,
                      int32_t* blue, int32_t* alpha);
// Selects a family through the adapter's font cache, searched newest first
// ignoring case; an unknown family is accepted and then draws nothing.
int32_t paintSetFont(CDaZU* adapter, const char* name, int32_t size, int32_t style);

}  // namespace VSTGUI
