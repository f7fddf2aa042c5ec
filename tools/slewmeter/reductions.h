// Everything the graph frames feed: each channel's summary, the timeline and
// the per-second peaks, with where each point stands against the ceilings.
#pragma once

#include <array>

#include "tools/slewmeter/meter_run.h"

class Reductions {
 public:
  Reductions(const MeterSettings& settings, Measurement& measurement);
  void add(GraphFrame& graphFrame);
  size_t heldBytes() const;

 private:
  Measurement& measurement;
  std::array<CeilingWatch, 2> watch;
};
