// The meter's readouts as hosts name them beside the audio (LV2's control
// outputs, CLAP's read-only parameters), each fact written once; the values
// come from effect/meter_readouts.h.
#pragma once

#include <cstdint>

enum class Readout : uint32_t { recentLeft, recentRight, largestLeft, largestRight };
inline constexpr uint32_t kReadoutCount = 4;

struct ReadoutFacts {
  const char* name;
  const char* comment;
};

// Steps are in the audio's own unit: 1 is full scale, 2 a jump from -1 to +1.
inline constexpr double kStepDisplayMaximum = 2;
inline constexpr const char* kStepUnitSymbol = "FS";
inline constexpr const char* kStepTextFormat = "%.4f FS";

inline constexpr ReadoutFacts kReadouts[kReadoutCount] = {
    {"Left step, last 1/30 s",
     "The largest step between consecutive left samples in the last 1/30 second of audio, "
     "in full scale (1 is full scale)."},
    {"Right step, last 1/30 s",
     "The largest step between consecutive right samples in the last 1/30 second of audio, "
     "in full scale (1 is full scale)."},
    {"Left step, largest",
     "The largest step between consecutive left samples since the plug-in was activated, "
     "in full scale (1 is full scale)."},
    {"Right step, largest",
     "The largest step between consecutive right samples since the plug-in was activated, "
     "in full scale (1 is full scale)."},
};
