// From the view's pixels, in which the graphics section draws, to the surface's
// at the instance's display scale. The surface's pixel rules then apply in the
// screen's pixels, so lines stay sharp at any scale; at scale 1 every value
// passes unchanged and the picture is exactly the unscaled one.
#pragma once

#include <algorithm>
#include <cmath>

namespace VSTGUI {

class SurfaceScale {
 public:
  explicit SurfaceScale(double scale) : scale(scale) {}

  // Pens are a whole number of pixels wide.
  double penWidth() const { return std::max(1.0, std::floor(scale + 0.5)); }
  // A line's end: where a pen of penWidth() stands to cover the middle of the
  // view pixel that `v` falls in, so that a line on the view's last pixel row
  // stays on the surface's last rows.
  double linePoint(double v) const {
    return identity() ? v : std::floor((std::trunc(v) + 0.5) * scale - penWidth() / 2 + 0.5);
  }
  // A rectangle's or an image's edge, on the nearest pixel boundary.
  double edge(double v) const { return identity() ? v : std::floor(v * scale + 0.5); }
  // Text boxes and font sizes, which need not be whole.
  double length(double v) const { return v * scale; }
  double toView(double v) const { return v / scale; }

 private:
  bool identity() const { return scale == 1; }

  double scale;
};

}  // namespace VSTGUI
