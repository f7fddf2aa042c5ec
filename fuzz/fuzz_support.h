// What the fuzzers share: a host that answers as a real one does, and the checks
// that end a run when the plug-in breaks a promise.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vst2/vst24.h"

inline intptr_t FuzzHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  static VstTimeInfo time = [] {
    VstTimeInfo t{};
    t.sampleRate = 44100;
    t.tempo = 120;
    t.timeSigNumerator = 4;
    t.timeSigDenominator = 4;
    t.flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid;
    return t;
  }();
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&time);
  return 0;
}

// libFuzzer keeps the input of a run that aborts.
inline void Require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

template <class Value>
std::vector<Value> ValuesFrom(const uint8_t* bytes, size_t count) {
  std::vector<Value> values(count);
  if (count > 0) std::memcpy(values.data(), bytes, count * sizeof(Value));
  return values;
}

template <class Sample>
bool SameBits(const std::vector<Sample>& a, const std::vector<Sample>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Sample)) == 0);
}

// One block of two channels of equal length, from separate buffers.
template <class Sample>
void RequirePassThrough(AEffect* e, void (*process)(AEffect*, Sample**, Sample**, int32_t),
                        std::vector<Sample> left, std::vector<Sample> right) {
  std::vector<Sample> outLeft(left.size()), outRight(right.size());
  Sample* in[] = {left.data(), right.data()};
  Sample* out[] = {outLeft.data(), outRight.data()};
  process(e, in, out, static_cast<int32_t>(left.size()));
  Require(SameBits(left, outLeft) && SameBits(right, outRight), "audio passes bit for bit");
}
