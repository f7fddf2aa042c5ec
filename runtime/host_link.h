// The frame's link to its host adapter.
#pragma once

#include "runtime/memory.h"

class CDaZU;

class CVebriskDaZU : public CVebriskMemory {
 public:
  CDaZU* Host = nullptr;  // not owned: the adapter owns the frame
};
