// The 128 slider values a script reads and its serialise section saves.
#pragma once

#include <cstdint>

#include "runtime/host_link.h"
#include "runtime/value_rules.h"

class CVebriskSliders : public CVebriskDaZU {
 public:
  static constexpr int32_t kSliderCount = 128;

  virtual void DoSlider() {}

  // Slider numbers wrap: 128 is entry 0 and -1 is entry 127.
  double& Slider(double number) { return SliderValues[ToIndex(number) & (kSliderCount - 1)]; }

  double SliderValues[kSliderCount] = {};
};
