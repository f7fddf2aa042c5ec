#include "effect/meter_instance.h"

#include <cstring>

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

size_t MeterStateSize(EffectInstance& instance) {
  void* data = nullptr;
  const int32_t size = instance.getHooks().GetState(&instance, &data, false);
  return size > 0 ? static_cast<size_t>(size) : 0;
}

bool LoadMeterState(EffectInstance& instance, const void* data, size_t size) {
  const size_t expected = MeterStateSize(instance);
  float marker = 0;
  if (data == nullptr || expected == 0 || size != expected || size < sizeof marker) return false;
  std::memcpy(&marker, data, sizeof marker);
  if (marker != TVebrisk::kStateMarker) return false;
  instance.getHooks().SetState(&instance, data, static_cast<int32_t>(size), false);
  return true;
}
