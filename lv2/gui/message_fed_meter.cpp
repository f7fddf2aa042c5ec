#include "lv2/gui/message_fed_meter.h"

#include "editor/drawing/paint_table.h"
#include "effect/meter_instance.h"

MessageFedMeter::MessageFedMeter() {
  effectInstance = MakeMeterInstance(*this, &SurfacePaintFunctions());
  // The histories start empty, as the audio side's do on activation.
  effectInstance->getHooks().Resume(effectInstance.get());
}

MessageFedMeter::~MessageFedMeter() {
  effectInstance->getHooks().Close(effectInstance.get());
}

void MessageFedMeter::take(const PeaksMessage& message) noexcept {
  if (message.sampleRate != rate) {
    rate = message.sampleRate;
    StoreShared(MeterOf(*effectInstance).var.sampleRateHost, rate);
    StoreShared(MeterOf(*effectInstance).var.sampleRate, rate);
  }
  MeterOf(*effectInstance).AddUnshownMeasurements(message.measured);
}
