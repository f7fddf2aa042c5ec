// The timeline's reduction of a whole input: a fixed number of columns, each
// holding the largest points of the time it spans and the ceilings risen above
// in it. Its size never grows with the input: when audio runs past the last
// column (a pipe, or a header that said less), pairs of columns merge and each
// then spans twice the time.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/slewmeter/graph_frame.h"

struct TimelineColumn {
  std::array<double, 2> step{};
  std::array<double, 2> interSample{};
  std::array<CeilingSet, 2> rose{};  // a channel rose above a ceiling amid this column
};

class TimelineColumns {
 public:
  // With the duration known, each column spans an equal share of it; without
  // (0), columns start at a small span and widen as audio comes.
  TimelineColumns(int32_t count, double expectedSeconds, CeilingTable ceilings = kCeilings);

  void add(const GraphFrame& graphFrame);

  double secondsPerColumn() const { return span; }
  CeilingTable ceilings() const { return ceilingTable; }
  const std::vector<TimelineColumn>& columns() const { return held; }
  size_t heldBytes() const { return held.capacity() * sizeof(TimelineColumn); }

 private:
  void halveResolution();

  double span;
  CeilingTable ceilingTable;
  std::vector<TimelineColumn> held;
};
