// How the histories look in the meter's picture. Both are drawn half opaque over
// black, the right one last: white alone is (127, 127, 127), red alone
// (127, 0, 0), red over white (191, 64, 64). The labels are yellow and the
// ceilings olive, neither with any blue; the red frame runs along the edges.
#pragma once

#include <vector>

#include "editor/drawing/geometry.h"

inline bool IsLeftHistory(VSTGUI::CColor c) {
  return c.blue > 40;
}
inline bool IsRightHistory(VSTGUI::CColor c) {
  return c.red > c.green + 60;
}
inline bool IsHistory(VSTGUI::CColor c) {
  return IsLeftHistory(c) || IsRightHistory(c);
}

// The logo block in the top left corner, whose shade pulses at every graph frame.
inline bool InLogo(int x, int y) {
  return x < 125 && y < 115;
}

// History pixels above row `below` of a picture `width` pixels wide, inside the
// red frame and outside the logo.
inline int HistoryPixelsAbove(const std::vector<VSTGUI::CColor>& picture, int width, int below) {
  int count = 0;
  for (int y = 1; y < below; ++y) {
    for (int x = 1; x < width - 1; ++x) {
      count += !InLogo(x, y) && IsHistory(picture[static_cast<size_t>(y * width + x)]);
    }
  }
  return count;
}
