#include "runtime/graphics.h"

#include "core/paint_functions.h"

CVebriskGraphics::~CVebriskGraphics() {
  for (auto& [number, record] : Images)
    CallImage(Host, &PaintFunctions::imageFree, record.Holder);
}
