// The timeline's time axis: where its ticks stand and what each one reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TimeTick {
  double seconds;
  std::string label;
};

// Ticks from 0 to `duration` seconds at a round step that leaves about 100 of
// `width` pixels between them.
std::vector<TimeTick> TimeTicks(double duration, int32_t width);
