#include "tools/slewmeter/meter_model.h"

#include "effect/vebrisk_effect.h"
#include "host/cdazu.h"

TVebriskEffect& MeterOf(CDaZU* adapter) {
  return *static_cast<TVebriskEffect*>(adapter->getScriptObject());
}

double NewestPoint(const TVebriskEffect& meter, Channel channel) {
  // Cell is not const, yet reading it changes nothing.
  auto& memory = const_cast<TVebriskEffect&>(meter);
  const double history = channel == Channel::left ? meter.var.historyLeft : meter.var.historyRight;
  return memory.Cell(history, meter.var.historyLength - 1);
}

void AdvanceHistories(TVebriskEffect& meter) {
  meter.AdvanceHistory();
}

double GraphFullScale(double sampleRate) {
  return sampleRate > 0 ? 44100 / (2 * sampleRate) : 0;
}
