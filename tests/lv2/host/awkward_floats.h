// Samples a host may hand over, down to the bits: AwkwardSignal's, and every
// fifth one of those that a float-to-double round trip or a careless copy would
// change (NaN payloads, signalling NaNs, denormals, negative zero).
#pragma once

#include <bit>
#include <cstdint>
#include <iterator>
#include <vector>

#include "tests/support/awkward_signal.h"

inline std::vector<float> AwkwardFloats(size_t frames, unsigned seed) {
  static const float kSpecial[] = {
      std::bit_cast<float>(0x7fc12345u),  // quiet NaN with a payload
      std::bit_cast<float>(0xffc00001u),  // negative quiet NaN with a payload
      std::bit_cast<float>(0x7f800001u),  // signalling NaN
      std::bit_cast<float>(0xff812345u),  // negative signalling NaN with a payload
      std::bit_cast<float>(0x00000001u),  // smallest denormal
      std::bit_cast<float>(0x807fffffu),  // largest negative denormal
      std::bit_cast<float>(0x80000000u),  // -0.0
      std::bit_cast<float>(0x7f800000u),  // +inf
      std::bit_cast<float>(0xff800000u),  // -inf
      1e30f,
      -1e30f,
  };
  std::vector<float> signal = AwkwardSignal<float>(frames, seed);
  for (size_t i = seed % 5; i < frames; i += 5) {
    signal[i] = kSpecial[(i / 5 + seed) % std::size(kSpecial)];
  }
  return signal;
}
