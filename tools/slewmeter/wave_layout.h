// Where the samples of a WAV, RF64, W64, AIFF or AIFC input lie and how they
// are stored, read from its header. slewmeter reads such samples itself, so
// that a stream's length is what the stream holds, not what a 32-bit header
// field can say.
#pragma once

#include <cstdint>
#include <optional>

#include "tools/slewmeter/input_bytes.h"
#include "tools/slewmeter/sample_codec.h"

struct WaveLayout {
  SampleEncoding encoding;
  int channels = 0;
  int64_t sampleRate = 0;
  // The data's declared size in bytes; none where a writer that could not seek
  // back left a placeholder (0, or all ones near 2^31 or 2^32).
  std::optional<uint64_t> dataBytes;

  int frameBytes() const { return channels * encoding.bytes; }
};

// Reads the header up to the first sample. None when the input is not one of
// these containers with plain samples, or its header is not as expected: then
// another decoder should try it from the start.
std::optional<WaveLayout> ReadWaveLayout(InputBytes& input);

// A 32-bit size that a streaming writer leaves for "unknown".
bool IsPlaceholderSize(uint32_t size);
