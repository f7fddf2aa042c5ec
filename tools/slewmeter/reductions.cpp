#include "tools/slewmeter/reductions.h"

Reductions::Reductions(const MeterSettings& settings, Measurement& measurement)
    : measurement(measurement),
      watch{{CeilingWatch(settings.ceilings, measurement.fullScale),
             CeilingWatch(settings.ceilings, measurement.fullScale)}} {
  for (ChannelSummary& channel : measurement.channels)
    channel = ChannelSummary(settings.ceilings.size());
  if (settings.timelineColumns > 0) {
    const int64_t expected = measurement.format.expectedFrames;
    measurement.timeline.emplace(
        settings.timelineColumns,
        expected > 0 ? static_cast<double>(expected) / measurement.format.sampleRate : 0,
        settings.ceilings);
  }
  if (settings.perSecond) measurement.perSecond = std::make_unique<PerSecondPeaks>();
}

void Reductions::add(GraphFrame& graphFrame) {
  for (size_t c = 0; c < 2; ++c) {
    watch[c].place(graphFrame.channels[c]);
    measurement.channels[c].add(graphFrame, graphFrame.channels[c]);
  }
  if (measurement.timeline) measurement.timeline->add(graphFrame);
  if (measurement.perSecond) measurement.perSecond->add(graphFrame);
}

size_t Reductions::heldBytes() const {
  return (measurement.timeline ? measurement.timeline->heldBytes() : 0) +
         (measurement.perSecond ? measurement.perSecond->heldBytes() : 0);
}
