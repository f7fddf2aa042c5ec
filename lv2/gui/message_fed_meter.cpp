#include "lv2/gui/message_fed_meter.h"

#include "editor/drawing/paint_table.h"
#include "runtime/frame_services.h"

MessageFedMeter::MessageFedMeter() {
  auto effect = std::make_unique<TVebriskEffect>();
  effectInstance = std::make_unique<EffectInstance>(effect.get(),
                                                    FrameServices::MakeFrameHooks<TVebriskEffect>(),
                                                    *this, &SurfacePaintFunctions());
  effect.release()->Host = effectInstance.get();
  const InstanceHooks& hooks = effectInstance->getHooks();
  hooks.Setup(effectInstance.get());
  hooks.Open(effectInstance.get());
  // The histories start empty, as the audio side's do on activation.
  hooks.Resume(effectInstance.get());
}

MessageFedMeter::~MessageFedMeter() {
  effectInstance->getHooks().Close(effectInstance.get());
}

TVebriskEffect& MessageFedMeter::meter() const {
  return *static_cast<TVebriskEffect*>(effectInstance->getEffectObject());
}

void MessageFedMeter::take(const PeaksMessage& message) noexcept {
  if (message.sampleRate != rate) {
    rate = message.sampleRate;
    StoreShared(meter().var.sampleRateHost, rate);
    StoreShared(meter().var.sampleRate, rate);
  }
  meter().AddUnshownMeasurements(message.measured);
}
