// The least a host has to answer: its version, and a transport at rest.
#pragma once

#include "vst2/vst24.h"

intptr_t MinimalHostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                             void* ptr, float opt);
// The sample rate the transport reports.
void SetMinimalHostSampleRate(double rate);
