// The meter plug-in as a host holds it, from effOpen to effClose, made through
// its effect record.
#pragma once

#include "effect/vebrisk_effect.h"
#include "tools/loader/minimal_host.h"
#include "vst2/cdazu.h"
#include "vst2/plugin/create_effect.h"

class RunningEffect {
 public:
  RunningEffect(double sampleRate, int32_t blockSize) {
    SetMinimalHostSampleRate(sampleRate);
    effect = CreateEffect(MinimalHostCallback);
    if (effect == nullptr) return;
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
  intptr_t dispatch(int32_t opcode, intptr_t value = 0, float opt = 0) {
    return effect->dispatcher(effect, opcode, 0, value, nullptr, opt);
  }
};
