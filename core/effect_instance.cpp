#include "core/effect_instance.h"

EffectInstance::EffectInstance(void* effectObject, const InstanceHooks& hooks, HostInterface& host,
                               const PaintFunctions* paint)
    : effectObject(effectObject), hooks(hooks), hostInterface(host), paint(paint) {}

void EffectInstance::end() {
  fontCache.reset();
  if (hooks.Delete) hooks.Delete(this);
  hooks = InstanceHooks{};
  effectObject = nullptr;
}
