// The desktop's scale for the editor: 1 shows the design's pixels one to one.
// Every source of a scale (a host's request, the window's DPI, the X resources)
// passes through here, so that none can make the editor absurd.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

inline constexpr double kSmallestDisplayScale = 0.5, kLargestDisplayScale = 4;

// None for a scale outside the range or not a number: it is ignored.
inline std::optional<double> UsableDisplayScale(double scale) {
  if (!(scale >= kSmallestDisplayScale && scale <= kLargestDisplayScale)) return std::nullopt;
  return scale;
}

// What desktops state instead: dots per inch, of which 96 stand for scale 1.
inline std::optional<double> ScaleOfDotsPerInch(double dotsPerInch) {
  return UsableDisplayScale(dotsPerInch / 96);
}

// A length of the design shown at `scale`, in whole pixels.
inline int32_t ScaledLength(int32_t length, double scale) {
  return static_cast<int32_t>(std::lround(length * scale));
}
