// The meter plug-in as a host holds it, from effOpen to effClose, made through
// its effect record. Each answers the plug-in's host calls from its own
// transport, so that runs at different rates can go side by side.
#pragma once

#include "effect/vebrisk_effect.h"
#include "vst2/cdazu.h"
#include "vst2/plugin/create_effect.h"

class RunningEffect {
 public:
  RunningEffect(double sampleRate, int32_t blockSize) {
    transport.sampleRate = sampleRate;
    effect = CreateEffect(HostCallback);
    if (effect == nullptr) return;
    effect->user = this;
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, blockSize);
    dispatch(effMainsChanged, 1);
  }
  ~RunningEffect() {
    if (effect == nullptr) return;
    dispatch(effMainsChanged, 0);
    dispatch(effClose);
  }
  RunningEffect(const RunningEffect&) = delete;
  RunningEffect& operator=(const RunningEffect&) = delete;

  AEffect* effect = nullptr;
  EffectInstance* instance() const { return &static_cast<CDaZU*>(effect->object)->instance(); }
  TVebriskEffect& meter() const {
    return *static_cast<TVebriskEffect*>(instance()->getEffectObject());
  }

 private:
  // The least a host answers: its version, and a transport at rest at the run's rate.
  static intptr_t HostCallback(AEffect* effect, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    const auto* running =
        effect != nullptr ? static_cast<const RunningEffect*>(effect->user) : nullptr;
    if (opcode == audioMasterGetTime && running != nullptr) {
      return reinterpret_cast<intptr_t>(&running->transport);
    }
    return 0;
  }

  intptr_t dispatch(int32_t opcode, intptr_t value = 0, float opt = 0) {
    return effect->dispatcher(effect, opcode, 0, value, nullptr, opt);
  }

  VstTimeInfo transport{};
};
