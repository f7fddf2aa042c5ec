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
  // The first sample's step up from silence; 0 when the input continues the one
  // before (--gapless), whose last samples it steps from.
  double stepFromSilence = 0;

  // The largest step is first reached at the first sample, coming from silence:
  // it tells how the input starts (a click, a cut from a loud master) rather than
  // a slope inside it. Like `step.from`, it names where the largest is first
  // reached, so a later step as large does not undo it.
  bool largestStepFromSilence() const {
    return stepFromSilence > 0 && step.value == stepFromSilence;
  }

  void add(const GraphFrame& graphFrame, const ChannelPoint& point) {
    step.offer(point.step, graphFrame);
    interSample.offer(point.interSample, graphFrame);
    for (size_t c = 0; c < secondsAbove.size(); ++c) {
      if (point.above[c]) secondsAbove[c] += graphFrame.to - graphFrame.from;
      if (point.rose[c]) ++crossings[c];
    }
  }
};
