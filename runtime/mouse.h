// The mouse state a script's graphics section reads.
#pragma once

#include <cstdint>

#include "runtime/graphics.h"

class CVebriskMouse : public CVebriskGraphics {
 public:
  // Button bits the script sees.
  enum ScriptButton : int32_t {
    kScriptLeft = 1,
    kScriptRight = 2,
    kScriptControl = 4,
    kScriptShift = 8,
    kScriptAlt = 16,
    kScriptMiddle = 64,
  };

  // From the toolkit's button bits.
  static int32_t ScriptButtons(uint32_t toolkitButtons);

  void MouseDown(double x, double y, uint32_t toolkitButtons);
  void MouseUp(double x, double y);
  void MouseMove(double x, double y);

  double mouseButtons = 0.0;
  double mouseX = 0.0;
  double mouseY = 0.0;

 private:
  // Once the mouse is used the view redraws at least 30 times a second.
  void RaiseFrameRate();
};
