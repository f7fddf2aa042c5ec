// A host's loop over an instance just activated: an awkward signal through it in
// runs of given lengths, and after each run what a host sees checked against
// the plain computation (audio bit for bit, control outputs, notify port).
#pragma once

#include <cstdint>
#include <vector>

#include "tests/lv2/host/meter_instance.h"

enum class Notify {
  messages,  // one message per run that had frames
  nothing,   // the port left as the host set it
};

void ExpectMeteredPassThrough(MeterInstance& meter, double sampleRate,
                              const std::vector<uint32_t>& runs, Notify notify, unsigned seed);
