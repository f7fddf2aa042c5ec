// The drawing pen and the timed-redraw rate.
#pragma once

#include "runtime/fonts.h"

class CVebriskGraphics : public CVebriskFonts {
 public:
  double penX = 0.0;
  double penY = 0.0;
  double frameRate = 0.0;  // timed redraws per second; 0 or less: none
};
