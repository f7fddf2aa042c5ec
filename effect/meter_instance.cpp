#include "effect/meter_instance.h"

#include "effect/vebrisk_effect.h"
#include "runtime/frame_services.h"

std::unique_ptr<EffectInstance> MakeMeterInstance(HostInterface& host,
                                                  const PaintFunctions* paint) {
  auto effect = std::make_unique<TVebriskEffect>();
  auto instance = std::make_unique<EffectInstance>(
      effect.get(), FrameServices::MakeFrameHooks<TVebriskEffect>(), host, paint);
  effect.release()->Host = instance.get();
  const InstanceHooks& hooks = instance->getHooks();
  hooks.Setup(instance.get());
  hooks.Open(instance.get());
  return instance;
}

TVebriskEffect& MeterOf(const EffectInstance& instance) {
  return *static_cast<TVebriskEffect*>(instance.getEffectObject());
}
