#include "tools/slewmeter/per_second_peaks.h"

#include <algorithm>
#include <cmath>

PerSecondPeaks::PerSecondPeaks() : spill(std::tmpfile()) {}

PerSecondPeaks::~PerSecondPeaks() {
  if (spill != nullptr) std::fclose(spill);
}

void PerSecondPeaks::closeSecond() {
  failed = failed || spill == nullptr || std::fwrite(current.data(), sizeof current, 1, spill) != 1;
  current = {};
  ++closed;
}

void PerSecondPeaks::add(const GraphFrame& graphFrame) {
  const auto second = static_cast<size_t>(graphFrame.index / kGraphFramesPerSecond);
  while (closed < second)
    closeSecond();
  for (size_t c = 0; c < 2; ++c)
    current[c] = std::max(current[c], graphFrame.channels[c].step);
}

bool PerSecondPeaks::finish(double duration) {
  const auto seconds = static_cast<size_t>(std::ceil(duration));
  while (closed < seconds)
    closeSecond();
  return !failed && (spill == nullptr || std::fflush(spill) == 0);
}
