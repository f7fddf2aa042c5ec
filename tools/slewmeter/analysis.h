// What the graph's points say about a whole input, per channel.
#pragma once

#include <array>
#include <vector>

#include "tools/slewmeter/meter_run.h"

struct ChannelSummary {
  double largestStep = 0;
  // The graph frame that took the largest step: it happened between these times.
  double largestStepFrom = 0;
  double largestStepTo = 0;
  // Per ceiling, in the order of kCeilings: time the channel's points stood above
  // it, and how often they rose above it.
  std::array<double, 2> secondsAbove{};
  std::array<int, 2> crossings{};
  std::vector<double> peaksPerSecond;  // the largest step in each second of audio
};

ChannelSummary Summarize(const MeterResult& result, const std::vector<double>& points);
