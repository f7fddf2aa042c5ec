// The header slewmeter writes before its output's samples: always 80 bytes,
// so that it can be rewritten in place once the length is known. Plain WAV
// while the sizes fit in 32 bits, with a JUNK chunk where RF64 keeps its
// 64-bit sizes (ds64); RF64 past that. With the length unknown, the sizes are
// the placeholder a streaming writer leaves (all ones), which promises nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "tools/slewmeter/sample_codec.h"

struct WaveShape {
  SampleEncoding encoding;  // little-endian; one byte is offset binary
  int channels = 2;
  uint32_t sampleRate = 48000;
};

inline constexpr size_t kWaveHeaderBytes = 80;

std::array<uint8_t, kWaveHeaderBytes> WaveHeader(const WaveShape& shape,
                                                 std::optional<uint64_t> dataBytes);
