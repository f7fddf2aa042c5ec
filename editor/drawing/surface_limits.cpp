#include "editor/drawing/surface_limits.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

namespace {

constexpr double kFixedPointStep = 1.0 / 256;

}  // namespace

bool Drawable(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(),
                     [](double v) { return std::fabs(v) <= kDrawableLimit; });
}

bool ArcDrawable(const CRect& bounds, double start, double sweep) {
  return Drawable({bounds.left, bounds.top, bounds.right, bounds.bottom}) && std::isfinite(start) &&
         std::isfinite(sweep) && std::fabs(bounds.width()) >= kFixedPointStep &&
         std::fabs(bounds.height()) >= kFixedPointStep;
}

bool ImageDrawable(const CRect& source, const CRect& destination) {
  return source.width() > 0 && source.height() > 0 && destination.width() > 0 &&
         destination.height() > 0 &&
         Drawable({destination.left, destination.top, destination.right, destination.bottom});
}

// Liang-Barsky on p(s) = from + s * half, s in [0, 2]: half the difference
// cannot overflow where the whole could (from -1e308 to 1e308).
bool ClipSegment(CPoint& from, CPoint& to, const CRect& area) {
  if (!std::isfinite(from.x) || !std::isfinite(from.y) || !std::isfinite(to.x) ||
      !std::isfinite(to.y)) {
    return false;
  }
  const double dx = to.x / 2 - from.x / 2, dy = to.y / 2 - from.y / 2;
  double enter = 0, leave = 2;
  // Keeps s where direction * s <= room.
  auto keep = [&](double direction, double room) {
    if (direction == 0) return room >= 0;
    const double s = room / direction;
    if (direction < 0) {
      enter = std::max(enter, s);
    } else {
      leave = std::min(leave, s);
    }
    return enter <= leave;
  };
  if (!(keep(-dx, from.x - area.left) && keep(dx, area.right - from.x) &&
        keep(-dy, from.y - area.top) && keep(dy, area.bottom - from.y))) {
    return false;
  }
  const CPoint start = from;
  if (enter > 0) from = {start.x + enter * dx, start.y + enter * dy};
  if (leave < 2) to = {start.x + leave * dx, start.y + leave * dy};
  return true;
}

bool ClipRect(CRect& rect, const CRect& area) {
  if (!(rect.left <= area.right && rect.right >= area.left && rect.top <= area.bottom &&
        rect.bottom >= area.top)) {
    return false;
  }
  rect = rect.intersect(area);
  return true;
}

CRect DrawableArea(const CRect& clip, double penWidth) {
  // Wide enough that a pen's width, its antialiased edge and the frame's
  // one-pixel inset all stay outside the clip.
  const double pen = std::isfinite(penWidth) && penWidth > 0 ? penWidth : 1;
  const double margin = std::min(pen, kDrawableLimit) + 2;
  const CRect limit{-kDrawableLimit, -kDrawableLimit, kDrawableLimit, kDrawableLimit};
  return CRect{clip.left - margin, clip.top - margin, clip.right + margin, clip.bottom + margin}
      .intersect(limit);
}

}  // namespace VSTGUI
