#include "tools/loader/minimal_host.h"

namespace {
VstTimeInfo timeInfo{};
}

intptr_t MinimalHostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&timeInfo);
  return 0;
}

void SetMinimalHostSampleRate(double rate) {
  timeInfo.sampleRate = rate;
}
