// The drawing pen, the timed-redraw rate and the numbered images.
#pragma once

#include <cstdint>
#include <map>

#include "runtime/fonts.h"

namespace VSTGUI {
struct ImageHolder;
}

struct ImageRecord {
  VSTGUI::ImageHolder* Holder = nullptr;  // owned; none until a load is tried
  double Width = 0;
  double Height = 0;
};

class CVebriskGraphics : public CVebriskFonts {
 public:
  CVebriskGraphics() = default;
  ~CVebriskGraphics();
  CVebriskGraphics(const CVebriskGraphics&) = delete;
  CVebriskGraphics& operator=(const CVebriskGraphics&) = delete;

  std::map<int32_t, ImageRecord> Images;
  double penX = 0.0;
  double penY = 0.0;
  double frameRate = 0.0;  // timed redraws per second; 0 or less: none
};
