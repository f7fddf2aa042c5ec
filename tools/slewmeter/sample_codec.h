// Samples as bytes in a file and as doubles: integers of 1 to 4 bytes at their
// own full scale (2^(bits-1) maps to 1.0, as libsndfile reads them), floats of
// 4 or 8 bytes as they are. Every one of them is exact in a double, both ways.
#pragma once

#include <cstddef>
#include <cstdint>

struct SampleEncoding {
  int bytes = 4;
  bool isFloat = true;
  bool bigEndian = false;
  bool offsetBinary = false;  // 8-bit WAV: 128 is silence

  bool operator==(const SampleEncoding&) const = default;
};

// A plain encoding of a file's samples, or none.
bool IsPlainEncoding(const SampleEncoding& encoding);

void DecodeSamples(const SampleEncoding& encoding, const uint8_t* bytes, size_t count, double* to);
// Integers are rounded and held to their range; a value between two steps of
// the encoding comes only from something other than the input.
void EncodeSamples(const SampleEncoding& encoding, const double* samples, size_t count,
                   uint8_t* to);
