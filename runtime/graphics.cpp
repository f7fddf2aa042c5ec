#include "runtime/graphics.h"

#include "editor/drawing/image_functions.h"

CVebriskGraphics::~CVebriskGraphics() {
  for (auto& [number, record] : Images)
    VSTGUI::imageFree(record.Holder);
}
