#include "tools/slewmeter/timeline_columns.h"

#include <algorithm>
#include <cmath>

namespace {

// A pipe's columns start at a 64th of a graph frame, finer than any picture needs.
constexpr double kFirstSpan = 1.0 / (kGraphicsFramesPerSecond * 64);

void Merge(TimelineColumn& into, const TimelineColumn& other) {
  for (size_t c = 0; c < 2; ++c) {
    into.step[c] = std::max(into.step[c], other.step[c]);
    into.interSample[c] = std::max(into.interSample[c], other.interSample[c]);
    into.rose[c] |= other.rose[c];
  }
}

}  // namespace

TimelineColumns::TimelineColumns(int32_t count, double expectedSeconds, CeilingTable ceilings)
    : span(expectedSeconds > 0 ? expectedSeconds / count : kFirstSpan),
      ceilingTable(ceilings),
      held(static_cast<size_t>(count)) {}

void TimelineColumns::halveResolution() {
  const size_t half = held.size() / 2;
  for (size_t i = 0; i < half; ++i) {
    TimelineColumn merged = held[2 * i];
    Merge(merged, held[2 * i + 1]);
    held[i] = merged;
  }
  if (held.size() % 2) held[half] = held.back();
  std::fill(held.begin() + static_cast<std::ptrdiff_t>((held.size() + 1) / 2), held.end(),
            TimelineColumn{});
  span *= 2;
}

void TimelineColumns::add(const GraphFrame& graphFrame) {
  const auto count = static_cast<double>(held.size());
  while (graphFrame.to > span * count * (1 + 1e-12))
    halveResolution();
  // A graph frame covers the columns of the time since the graph frame before it.
  const auto first = static_cast<size_t>(std::max(std::floor(graphFrame.from / span), 0.0));
  const auto last = std::min(
      static_cast<size_t>(std::max(std::ceil(graphFrame.to / span), 1.0)) - 1, held.size() - 1);
  TimelineColumn point;
  for (size_t c = 0; c < 2; ++c) {
    point.step[c] = graphFrame.channels[c].step;
    point.interSample[c] = graphFrame.channels[c].interSample;
  }
  for (size_t i = first; i <= last; ++i)
    Merge(held[i], point);
  // A rise is marked in the column amid the graph frame in which it happened.
  const auto middle =
      std::min(static_cast<size_t>((graphFrame.from + graphFrame.to) / 2 / span), held.size() - 1);
  for (size_t c = 0; c < 2; ++c)
    held[middle].rose[c] |= graphFrame.channels[c].rose;
}
