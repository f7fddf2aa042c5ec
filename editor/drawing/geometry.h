// Points, rectangles and colours of the drawing surface: pixels, y downwards.
#pragma once

#include <algorithm>
#include <cstdint>

namespace VSTGUI {

struct CPoint {
  double x = 0;
  double y = 0;
};

struct CRect {
  double left = 0, top = 0, right = 0, bottom = 0;

  double width() const { return right - left; }
  double height() const { return bottom - top; }
  bool isEmpty() const { return !(right > left && bottom > top); }
  CRect offset(double dx, double dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  // Left and top become the smaller coordinates.
  CRect normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
  }
  CRect intersect(const CRect& other) const {
    CRect r{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
            std::min(bottom, other.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
  }
  bool pointInside(const CPoint& p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  bool operator==(const CRect&) const = default;
};

// A coordinate truncated toward zero to a whole pixel; values no surface could
// show are held at a far-away pixel instead of overflowing.
inline int32_t TruncateToPixel(double v) {
  if (!(v == v)) return 0;
  return static_cast<int32_t>(std::clamp(v, -1.0e9, 1.0e9));
}

struct CColor {
  uint8_t red = 0, green = 0, blue = 0, alpha = 255;
  bool operator==(const CColor&) const = default;
};

// Each component keeps its low 8 bits, as a packed colour word would.
inline CColor MakeColor(int32_t red, int32_t green, int32_t blue, int32_t alpha) {
  return {static_cast<uint8_t>(red & 0xFF), static_cast<uint8_t>(green & 0xFF),
          static_cast<uint8_t>(blue & 0xFF), static_cast<uint8_t>(alpha & 0xFF)};
}

constexpr CColor kBlackCColor{0, 0, 0, 255};
constexpr CColor kWhiteCColor{255, 255, 255, 255};

}  // namespace VSTGUI
