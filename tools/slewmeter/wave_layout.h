// Where the samples of a WAV, RF64, W64, AIFF, AIFC or CAF input lie and how
// they are stored, read from its header. slewmeter reads plain samples itself,
// so that a stream's length is what the stream holds, not what a 32-bit header
// field can say; other encodings are left to libsndfile, and the layout still
// tells whether their data is whole.
#pragma once

#include <cstdint>
#include <optional>

#include "tools/slewmeter/input_bytes.h"
#include "tools/slewmeter/sample_codec.h"

struct WaveLayout {
  SampleEncoding encoding;
  bool plain = false;  // `encoding` holds the samples; else another decoder must
  int channels = 0;
  int64_t sampleRate = 0;
  uint64_t dataStart = 0;  // the first sample's byte in the input
  // The data's declared size in bytes; none where a writer that could not seek
  // back left a placeholder (0, or all ones near 2^31 or 2^32).
  std::optional<uint64_t> dataBytes;
  // A packet's bytes and frames where all are of one size (for plain samples, a
  // frame); 0 where not known.
  uint64_t packetBytes = 0;
  uint64_t packetFrames = 0;

  int frameBytes() const { return channels * encoding.bytes; }
  // The frames the declared data holds; -1 where that cannot be told.
  int64_t declaredFrames() const;
};

// Reads the header up to the first sample. None when the input is not one of
// these containers, or its header is not as expected: then another decoder
// should try it from the start.
std::optional<WaveLayout> ReadWaveLayout(InputBytes& input);

// A 32-bit size that a streaming writer leaves for "unknown".
bool IsPlaceholderSize(uint32_t size);
