// The meter on an instance of its own, for a format whose adapter owns the
// instance outright (LV2's audio side and its UI): made, set up and opened, as
// a VST host's effOpen leaves it.
#pragma once

#include <memory>

#include "core/effect_instance.h"

struct PaintFunctions;
class TVebriskEffect;

std::unique_ptr<EffectInstance> MakeMeterInstance(HostInterface& host,
                                                  const PaintFunctions* paint = nullptr);

// The meter an instance made above holds.
TVebriskEffect& MeterOf(const EffectInstance& instance);
