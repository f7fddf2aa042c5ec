// One channel's figures over a whole input, gathered graph frame by graph frame.
#pragma once

#include <iterator>
#include <vector>

#include "tools/slewmeter/graph_frame.h"

struct Largest {
  double value = 0;
  double from = 0, to = 0;  // the graph frame it happened in, in seconds
  void offer(double candidate, const GraphFrame& graphFrame) {
    if (candidate > value) *this = {candidate, graphFrame.from, graphFrame.to};
  }
};

struct ChannelSummary {
  ChannelSummary() : ChannelSummary(std::size(kCeilings)) {}
  explicit ChannelSummary(size_t ceilingCount)
      : secondsAbove(ceilingCount), crossings(ceilingCount) {}

  Largest step;
  Largest interSample;
  // One value per ceiling, in the order of the run's ceiling table.
  std::vector<double> secondsAbove;
  std::vector<int> crossings;

  void add(const GraphFrame& graphFrame, const ChannelPoint& point) {
    step.offer(point.step, graphFrame);
    interSample.offer(point.interSample, graphFrame);
    for (size_t c = 0; c < secondsAbove.size(); ++c) {
      if (point.above[c]) secondsAbove[c] += graphFrame.to - graphFrame.from;
      if (point.rose[c]) ++crossings[c];
    }
  }
};
