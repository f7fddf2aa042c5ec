// Numbered font records and the line height of the current font.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "runtime/files.h"

struct FontRecord {
  enum Style : int32_t { kBold = 1, kItalic = 2, kUnderline = 4 };

  std::string Name;
  double Size = 0.0;  // pixel size handed to the surface
  int32_t Style = 0;
};

class CVebriskFonts : public CVebriskFiles {
 public:
  std::map<int32_t, FontRecord> Fonts;
  double textHeight = 0.0;
};
