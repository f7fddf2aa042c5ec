// The meter on an instance of its own, for a format whose adapter owns the
// instance outright (LV2's audio side and its UI): made, set up and opened, as
// a VST host's effOpen leaves it.
#pragma once

#include <cstddef>
#include <memory>

#include "core/effect_instance.h"

struct PaintFunctions;
class TVebriskEffect;

std::unique_ptr<EffectInstance> MakeMeterInstance(HostInterface& host,
                                                  const PaintFunctions* paint = nullptr);

// The meter an instance made above holds.
TVebriskEffect& MeterOf(const EffectInstance& instance);

// The state every format stores: the bytes of the VST chunk. Loads only bytes of
// exactly the state's size that begin with its marker; anything else answers
// false and changes nothing.
size_t MeterStateSize(EffectInstance& instance);
bool LoadMeterState(EffectInstance& instance, const void* data, size_t size);
