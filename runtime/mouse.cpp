#include "runtime/mouse.h"

#include <algorithm>

#include "editor/toolkit/buttons.h"

int32_t CVebriskMouse::ScriptButtons(uint32_t toolkitButtons) {
  struct Mapping {
    uint32_t toolkit;
    int32_t script;
  };
  static constexpr Mapping kMappings[] = {
      {VSTGUI::kLButton, kScriptLeft},    {VSTGUI::kRButton, kScriptRight},
      {VSTGUI::kControl, kScriptControl}, {VSTGUI::kShift, kScriptShift},
      {VSTGUI::kAlt, kScriptAlt},         {VSTGUI::kMButton, kScriptMiddle},
  };
  int32_t bits = 0;
  for (const Mapping& m : kMappings) {
    if (toolkitButtons & m.toolkit) bits |= m.script;
  }
  return bits;
}

void CVebriskMouse::MouseDown(double x, double y, uint32_t toolkitButtons) {
  mouseX = x;
  mouseY = y;
  mouseButtons = ScriptButtons(toolkitButtons);
  RaiseFrameRate();
}

void CVebriskMouse::MouseUp(double x, double y) {
  mouseX = x;
  mouseY = y;
  mouseButtons = 0.0;
  RaiseFrameRate();
}

void CVebriskMouse::MouseMove(double x, double y) {
  mouseX = x;
  mouseY = y;
  RaiseFrameRate();
}

void CVebriskMouse::RaiseFrameRate() {
  // A NaN rate is below 30 too: max keeps 30 then.
  frameRate = std::max(30.0, frameRate);
}
