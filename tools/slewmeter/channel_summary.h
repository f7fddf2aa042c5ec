// One channel's figures over a whole input, gathered frame by frame.
#pragma once

#include <algorithm>
#include <vector>

#include "tools/slewmeter/graph_frame.h"

struct Largest {
  double value = 0;
  double from = 0, to = 0;  // the graph frame it happened in, in seconds
  void offer(double candidate, const GraphFrame& frame) {
    if (candidate > value) *this = {candidate, frame.from, frame.to};
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

  void add(const GraphFrame& frame, const ChannelPoint& point) {
    step.offer(point.step, frame);
    // The reconstruction passes through every sample, so its steepest slope is
    // never below the largest step: that bounds the estimate from below.
    interSample.offer(std::max(point.interSample, point.step), frame);
    for (size_t c = 0; c < secondsAbove.size(); ++c) {
      if (point.above[c]) secondsAbove[c] += frame.to - frame.from;
      if (point.rose[c]) ++crossings[c];
    }
  }
};
