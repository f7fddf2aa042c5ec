// The largest step of each channel in each second of audio, for the report. The
// list grows with the input, so it waits in a temporary file rather than in memory.
#pragma once

#include <array>
#include <cstdio>
#include <vector>

#include "tools/slewmeter/graph_frame.h"

class PerSecondPeaks {
 public:
  PerSecondPeaks();
  ~PerSecondPeaks();
  PerSecondPeaks(const PerSecondPeaks&) = delete;
  PerSecondPeaks& operator=(const PerSecondPeaks&) = delete;

  // A graph frame lies within one second: its points belong to that second.
  void add(const GraphFrame& graphFrame);
  // Closes the seconds up to `duration` (rounded up). False when the spill failed.
  bool finish(double duration);
  // Calls visit(left, right) for each second in order; false when the spill failed.
  template <class Visit>
  bool forEach(Visit visit) const;

  size_t heldBytes() const { return sizeof current; }

 private:
  void closeSecond();

  std::FILE* spill;
  bool failed = false;
  size_t closed = 0;  // seconds written
  std::array<double, 2> current{};
};

template <class Visit>
bool PerSecondPeaks::forEach(Visit visit) const {
  if (spill == nullptr || failed || std::fseek(spill, 0, SEEK_SET) != 0) return false;
  std::array<double, 2> pair{};
  for (size_t second = 0; second < closed; ++second) {
    if (std::fread(pair.data(), sizeof pair, 1, spill) != 1) return false;
    visit(pair[0], pair[1]);
  }
  return true;
}
