// The current sample frame, one value per channel.
#pragma once

#include <cstdint>

#include "runtime/sliders.h"

class CVebriskSamples : public CVebriskSliders {
 public:
  static constexpr int32_t kMaxChannels = 64;

  virtual void DoBlock() {}
  virtual void DoSample() {}

  double Channels[kMaxChannels] = {};
};
