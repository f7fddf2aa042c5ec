#include "tools/slewmeter/wave_header.h"

#include <cstring>

namespace {

class HeaderBytes {
 public:
  void id(const char* text) { put(text, 4); }
  void little(uint64_t value, int bytes) {
    for (int b = 0; b < bytes; ++b)
      out[at++] = static_cast<uint8_t>(value >> (8 * b));
  }
  std::array<uint8_t, kWaveHeaderBytes> out{};

 private:
  void put(const char* text, size_t count) {
    std::memcpy(out.data() + at, text, count);
    at += count;
  }
  size_t at = 0;
};

constexpr uint32_t kUnknown = 0xFFFFFFFF;
constexpr uint32_t kDs64Bytes = 28;

}  // namespace

std::array<uint8_t, kWaveHeaderBytes> WaveHeader(const WaveShape& shape,
                                                 std::optional<uint64_t> dataBytes) {
  const int frameBytes = shape.channels * shape.encoding.bytes;
  // Everything after the RIFF size: the rest of the header, the data, its pad byte.
  const std::optional<uint64_t> riffBytes =
      dataBytes ? std::optional(kWaveHeaderBytes - 8 + *dataBytes + (*dataBytes & 1))
                : std::nullopt;
  const bool rf64 = riffBytes && *riffBytes > kUnknown - 1;
  HeaderBytes header;
  header.id(rf64 ? "RF64" : "RIFF");
  header.little(rf64 || !riffBytes ? kUnknown : *riffBytes, 4);
  header.id("WAVE");
  header.id(rf64 ? "ds64" : "JUNK");
  header.little(kDs64Bytes, 4);
  header.little(rf64 ? *riffBytes : 0, 8);
  header.little(rf64 ? *dataBytes : 0, 8);
  header.little(rf64 ? *dataBytes / static_cast<uint64_t>(frameBytes) : 0, 8);
  header.little(0, 4);  // no table of other chunks' sizes
  header.id("fmt ");
  header.little(16, 4);
  header.little(shape.encoding.isFloat ? 3 : 1, 2);
  header.little(static_cast<uint64_t>(shape.channels), 2);
  header.little(shape.sampleRate, 4);
  header.little(uint64_t{shape.sampleRate} * static_cast<uint64_t>(frameBytes), 4);
  header.little(static_cast<uint64_t>(frameBytes), 2);
  header.little(static_cast<uint64_t>(8 * shape.encoding.bytes), 2);
  header.id("data");
  header.little(rf64 || !dataBytes ? kUnknown : *dataBytes, 4);
  return header.out;
}
