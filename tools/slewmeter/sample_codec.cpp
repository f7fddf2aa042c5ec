#include "tools/slewmeter/sample_codec.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

template <int kWidth, bool kBigEndian>
uint64_t LoadWord(const uint8_t* at) {
  uint64_t word = 0;
  for (int b = 0; b < kWidth; ++b)
    word |= uint64_t{at[kBigEndian ? kWidth - 1 - b : b]} << (8 * b);
  return word;
}

void StoreWord(uint64_t word, int bytes, bool bigEndian, uint8_t* at) {
  for (int b = 0; b < bytes; ++b)
    at[bigEndian ? bytes - 1 - b : b] = static_cast<uint8_t>(word >> (8 * b));
}

double FullScale(int bytes) {
  return std::ldexp(1.0, 8 * bytes - 1);
}

// A loop per kind, so that each compiles to tight code.
template <class Sample>
void DecodeEach(const uint8_t* bytes, size_t count, int width, double* to, Sample sample) {
  for (size_t i = 0; i < count; ++i)
    to[i] = sample(bytes + i * static_cast<size_t>(width));
}

template <int kWidth, bool kBigEndian>
void DecodeIntegers(const uint8_t* bytes, size_t count, bool offsetBinary, double* to) {
  constexpr int kShift = 64 - 8 * kWidth;
  const double scale = 1 / FullScale(kWidth);
  const int64_t offset = offsetBinary ? int64_t{1} << (8 * kWidth - 1) : 0;
  DecodeEach(bytes, count, kWidth, to, [=](const uint8_t* at) {
    const uint64_t word = LoadWord<kWidth, kBigEndian>(at);
    const int64_t value = offset != 0 ? static_cast<int64_t>(word) - offset
                                      : static_cast<int64_t>(word << kShift) >> kShift;
    return static_cast<double>(value) * scale;
  });
}

template <bool kBigEndian>
void DecodeIn(const SampleEncoding& encoding, const uint8_t* bytes, size_t count, double* to) {
  const bool offsetBinary = encoding.offsetBinary;
  if (encoding.isFloat && encoding.bytes == 4) {
    return DecodeEach(bytes, count, 4, to, [](const uint8_t* at) {
      return static_cast<double>(
          std::bit_cast<float>(static_cast<uint32_t>(LoadWord<4, kBigEndian>(at))));
    });
  }
  if (encoding.isFloat) {
    return DecodeEach(bytes, count, 8, to, [](const uint8_t* at) {
      return std::bit_cast<double>(LoadWord<8, kBigEndian>(at));
    });
  }
  switch (encoding.bytes) {
    case 1:
      return DecodeIntegers<1, kBigEndian>(bytes, count, offsetBinary, to);
    case 2:
      return DecodeIntegers<2, kBigEndian>(bytes, count, offsetBinary, to);
    case 3:
      return DecodeIntegers<3, kBigEndian>(bytes, count, offsetBinary, to);
    default:
      return DecodeIntegers<4, kBigEndian>(bytes, count, offsetBinary, to);
  }
}

}  // namespace

bool IsPlainEncoding(const SampleEncoding& encoding) {
  if (encoding.isFloat) return encoding.bytes == 4 || encoding.bytes == 8;
  return encoding.bytes >= 1 && encoding.bytes <= 4 &&
         (!encoding.offsetBinary || encoding.bytes == 1);
}

void DecodeSamples(const SampleEncoding& encoding, const uint8_t* bytes, size_t count, double* to) {
  if (encoding.bigEndian) {
    DecodeIn<true>(encoding, bytes, count, to);
  } else {
    DecodeIn<false>(encoding, bytes, count, to);
  }
}

void EncodeSamples(const SampleEncoding& encoding, const double* samples, size_t count,
                   uint8_t* to) {
  const int width = encoding.bytes;
  for (size_t i = 0; i < count; ++i) {
    uint8_t* at = to + i * static_cast<size_t>(width);
    if (encoding.isFloat && width == 4) {
      StoreWord(std::bit_cast<uint32_t>(static_cast<float>(samples[i])), 4, encoding.bigEndian, at);
    } else if (encoding.isFloat) {
      StoreWord(std::bit_cast<uint64_t>(samples[i]), 8, encoding.bigEndian, at);
    } else {
      const double scale = FullScale(width);
      // NaN becomes silence: an integer has no place for it.
      const double held = std::isnan(samples[i])
                              ? 0
                              : std::clamp(std::nearbyint(samples[i] * scale), -scale, scale - 1);
      const auto value =
          static_cast<int64_t>(held) + (encoding.offsetBinary ? static_cast<int64_t>(scale) : 0);
      StoreWord(static_cast<uint64_t>(value), width, encoding.bigEndian, at);
    }
  }
}
