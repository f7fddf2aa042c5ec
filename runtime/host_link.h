// The frame's link to its instance.
#pragma once

#include "runtime/memory.h"

class EffectInstance;

class CVebriskDaZU : public CVebriskMemory {
 public:
  EffectInstance* Host = nullptr;  // not owned: the instance owns the frame
};
