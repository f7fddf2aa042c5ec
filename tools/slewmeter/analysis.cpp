#include "tools/slewmeter/analysis.h"

#include <algorithm>
#include <cmath>

ChannelSummary Summarize(const MeterResult& result, const std::vector<double>& points) {
  ChannelSummary summary;
  const double duration = result.frameTimes.empty() ? 0 : result.frameTimes.back();
  summary.peaksPerSecond.assign(static_cast<size_t>(std::ceil(duration)), 0.0);
  std::array<bool, 2> above{};
  double previousTime = 0;
  for (size_t k = 0; k < points.size(); ++k) {
    const double point = points[k], time = result.frameTimes[k];
    if (point > summary.largestStep) {
      summary.largestStep = point;
      summary.largestStepFrom = previousTime;
      summary.largestStepTo = time;
    }
    for (size_t c = 0; c < above.size(); ++c) {
      const bool nowAbove = point > kCeilings[c].share * result.fullScale;
      if (nowAbove) summary.secondsAbove[c] += time - previousTime;
      if (nowAbove && !above[c]) ++summary.crossings[c];
      above[c] = nowAbove;
    }
    // A point belongs to the second in which its measurements ended.
    if (!summary.peaksPerSecond.empty()) {
      const auto second = std::min(static_cast<size_t>(std::max(time - 1e-9, 0.0)),
                                   summary.peaksPerSecond.size() - 1);
      summary.peaksPerSecond[second] = std::max(summary.peaksPerSecond[second], point);
    }
    previousTime = time;
  }
  return summary;
}
