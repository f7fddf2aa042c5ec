// Where coordinates stop being safe to hand to a 2D library. Cairo keeps paths
// in 24.8 fixed point and wraps beyond about 8.4e6 (a far point comes back on
// the other side); GDI+ works in single precision and walks a line's whole
// length. Lines and rectangles are therefore clipped to the surface, in double
// precision, before a back end sees them; other shapes this far out are not drawn.
#pragma once

#include <initializer_list>

#include "editor/drawing/geometry.h"

namespace VSTGUI {

// Far beyond any window, and far inside what both libraries compute exactly.
constexpr double kDrawableLimit = 2097152;  // 2^21

// Finite and within the limit.
bool Drawable(std::initializer_list<double> values);

// An arc's ellipse narrower than Cairo's fixed-point step shows nothing, and
// a scale that small would leave Cairo's context in its error state.
bool ArcDrawable(const CRect& bounds, double start, double sweep);

// An image stretched from `source` over `destination`: both with an area, the
// destination within the limit.
bool ImageDrawable(const CRect& source, const CRect& destination);

// Shortens the segment from `from` to `to` to its part inside `area` (edges
// included), keeping its direction; an end already inside is left exactly as
// it is. False when no part is inside or an end is not finite.
bool ClipSegment(CPoint& from, CPoint& to, const CRect& area);

// Cuts a normalised rectangle to its part inside `area`; false when it has
// none (a rectangle with a coordinate that is not a number has none).
bool ClipRect(CRect& rect, const CRect& area);

// What lines and rectangles are clipped to: `clip` widened by a margin across
// which a pen of `penWidth` shows nothing, held within the limit.
CRect DrawableArea(const CRect& clip, double penWidth);

}  // namespace VSTGUI
