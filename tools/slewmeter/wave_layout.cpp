#include "tools/slewmeter/wave_layout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

// Chunks before the samples are read whole up to this size, and skipped above it.
constexpr uint32_t kLargestReadChunk = 1 << 16;

uint64_t Little(const uint8_t* at, int bytes) {
  uint64_t value = 0;
  for (int b = bytes - 1; b >= 0; --b)
    value = value << 8 | at[b];
  return value;
}

uint64_t Big(const uint8_t* at, int bytes) {
  uint64_t value = 0;
  for (int b = 0; b < bytes; ++b)
    value = value << 8 | at[b];
  return value;
}

bool Is(const uint8_t* at, std::string_view id) {
  return std::memcmp(at, id.data(), id.size()) == 0;
}

// A chunk's body when it is small enough to be looked at; else skipped.
bool ReadBody(InputBytes& input, uint64_t size, std::vector<uint8_t>& body) {
  body.assign(size <= kLargestReadChunk ? size : 0, 0);
  if (size > kLargestReadChunk) return input.skip(size);
  return input.read(body.data(), body.size()) == body.size();
}

// The bytes a sample takes, from its bits and the frame's declared size.
int SampleBytes(int bits, int channels, uint64_t blockAlign) {
  const int fromBits = (bits + 7) / 8;
  if (channels > 0 && blockAlign % static_cast<unsigned>(channels) == 0) {
    const auto declared = static_cast<int>(blockAlign / static_cast<unsigned>(channels));
    if (declared >= fromBits && declared <= 8) return declared;
  }
  return fromBits;  // block align 0 or nonsense: trust the bits
}

bool ReadFormat(const std::vector<uint8_t>& fmt, WaveLayout& layout) {
  if (fmt.size() < 16) return false;
  const auto written = static_cast<unsigned>(Little(&fmt[0], 2));
  unsigned tag = written;
  if (tag == 0xFFFE && fmt.size() >= 26) tag = static_cast<unsigned>(Little(&fmt[24], 2));
  layout.channels = static_cast<int>(Little(&fmt[2], 2));
  layout.sampleRate = static_cast<int64_t>(Little(&fmt[4], 4));
  const auto bits = static_cast<int>(Little(&fmt[14], 2));
  const uint64_t blockAlign = Little(&fmt[12], 2);
  const int bytes = SampleBytes(bits, layout.channels, blockAlign);
  layout.plain = tag == 1 || tag == 3;
  layout.encoding = {bytes, tag == 3, false, tag == 1 && bytes == 1};
  if (!layout.plain) {
    // ADPCM and GSM give their frames per block after the extension's size;
    // 8-bit companding has one frame a block.
    const bool framesGiven = written != 0xFFFE && fmt.size() >= 20 && Little(&fmt[16], 2) >= 2;
    layout.packetBytes = blockAlign;
    layout.packetFrames = framesGiven ? Little(&fmt[18], 2) : bits == 8 ? 1 : 0;
  }
  return true;
}

std::optional<WaveLayout> ReadRiff(InputBytes& input, bool rf64) {
  WaveLayout layout;
  bool haveFormat = false;
  std::optional<uint64_t> ds64Data;
  std::vector<uint8_t> body;
  for (uint8_t header[8]; input.read(header, 8) == 8;) {
    const auto size = static_cast<uint32_t>(Little(header + 4, 4));
    if (Is(header, "data")) {
      if (!haveFormat) return std::nullopt;
      if (rf64 && size == 0xFFFFFFFF) {
        if (ds64Data && *ds64Data != 0 && *ds64Data != ~uint64_t{0}) layout.dataBytes = ds64Data;
      } else if (!IsPlaceholderSize(size)) {
        layout.dataBytes = size;
      }
      return layout;
    }
    if (!ReadBody(input, uint64_t{size} + (size & 1u), body)) return std::nullopt;
    if (Is(header, "fmt ")) haveFormat = ReadFormat(body, layout);
    if (Is(header, "fmt ") && !haveFormat) return std::nullopt;
    if (Is(header, "ds64") && body.size() >= 16) ds64Data = Little(&body[8], 8);
  }
  return std::nullopt;
}

// W64's chunks are named by GUIDs that share these last twelve bytes.
constexpr std::array<uint8_t, 12> kW64Suffix = {0xF3, 0xAC, 0xD3, 0x11, 0x8C, 0xD1,
                                                0x00, 0xC0, 0x4F, 0x8E, 0xDB, 0x8A};

std::optional<WaveLayout> ReadW64(InputBytes& input) {
  WaveLayout layout;
  bool haveFormat = false;
  std::vector<uint8_t> body;
  for (uint8_t header[24]; input.read(header, 24) == 24;) {
    if (std::memcmp(header + 4, kW64Suffix.data(), kW64Suffix.size()) != 0) return std::nullopt;
    const uint64_t size = Little(header + 16, 8);
    if (Is(header, "data")) {
      if (!haveFormat) return std::nullopt;
      if (size > 24 && size < (uint64_t{1} << 62)) layout.dataBytes = size - 24;
      return layout;
    }
    if (size < 24 || !ReadBody(input, (size - 24 + 7) / 8 * 8, body)) return std::nullopt;
    if (Is(header, "fmt ")) haveFormat = ReadFormat(body, layout);
    if (Is(header, "fmt ") && !haveFormat) return std::nullopt;
  }
  return std::nullopt;
}

// AIFF's sample rate is an 80-bit extended float; 0 when it is no rate at all.
int64_t ExtendedRate(const uint8_t* at) {
  const int exponent = static_cast<int>(Big(at, 2) & 0x7FFF) - 16383 - 63;
  const double rate = std::ldexp(static_cast<double>(Big(at + 2, 8)), exponent);
  return rate >= 1 && rate < 1e12 && (Big(at, 2) & 0x8000) == 0 ? static_cast<int64_t>(rate) : 0;
}

bool ReadCommon(const std::vector<uint8_t>& comm, bool aifc, WaveLayout& layout) {
  if (comm.size() < (aifc ? 22u : 18u)) return false;
  layout.channels = static_cast<int>(Big(&comm[0], 2));
  const auto bits = static_cast<int>(Big(&comm[6], 2));
  layout.sampleRate = ExtendedRate(&comm[8]);
  const int bytes = (bits + 7) / 8;
  const uint8_t* kind = aifc ? &comm[18] : nullptr;
  layout.plain = true;
  if (!aifc || Is(kind, "NONE") || Is(kind, "twos"))
    layout.encoding = {bytes, false, true, false};
  else if (Is(kind, "sowt"))
    layout.encoding = {bytes, false, false, false};
  else if (Is(kind, "fl32") || Is(kind, "FL32"))
    layout.encoding = {4, true, true, false};
  else if (Is(kind, "fl64") || Is(kind, "FL64"))
    layout.encoding = {8, true, true, false};
  else
    layout.plain = false;
  if (layout.plain) return true;
  const auto channels = static_cast<uint64_t>(layout.channels);
  if (Is(kind, "ulaw") || Is(kind, "ULAW") || Is(kind, "alaw") || Is(kind, "ALAW")) {
    layout.packetBytes = channels;
    layout.packetFrames = 1;
  } else if (Is(kind, "ima4")) {
    layout.packetBytes = 34 * channels;
    layout.packetFrames = 64;
  }
  return true;
}

std::optional<WaveLayout> ReadAiff(InputBytes& input, bool aifc) {
  WaveLayout layout;
  bool haveCommon = false;
  std::vector<uint8_t> body;
  for (uint8_t header[8]; input.read(header, 8) == 8;) {
    const auto size = static_cast<uint32_t>(Big(header + 4, 4));
    if (Is(header, "SSND")) {
      uint8_t offsets[8];
      // The samples before COMM cannot be read from a pipe: another decoder tries.
      if (!haveCommon || input.read(offsets, 8) != 8) return std::nullopt;
      const uint64_t skipped = Big(offsets, 4);
      if (!input.skip(skipped)) return std::nullopt;
      if (!IsPlaceholderSize(size) && size >= 8 + skipped) layout.dataBytes = size - 8 - skipped;
      return layout;
    }
    if (!ReadBody(input, uint64_t{size} + (size & 1u), body)) return std::nullopt;
    if (Is(header, "COMM")) haveCommon = ReadCommon(body, aifc, layout);
    if (Is(header, "COMM") && !haveCommon) return std::nullopt;
  }
  return std::nullopt;
}

// CAF's description: a 64-bit float rate, then the format, its flags and packets.
bool ReadDescription(const std::vector<uint8_t>& desc, WaveLayout& layout) {
  if (desc.size() < 32) return false;
  const double rate = std::bit_cast<double>(Big(&desc[0], 8));
  if (!(rate >= 1 && rate < 1e12)) return false;
  layout.sampleRate = std::llround(rate);
  const uint64_t flags = Big(&desc[12], 4);
  layout.packetBytes = Big(&desc[16], 4);
  layout.packetFrames = Big(&desc[20], 4);
  layout.channels = static_cast<int>(std::min<uint64_t>(Big(&desc[24], 4), 1 << 16));
  const auto bytes = static_cast<int>((std::min<uint64_t>(Big(&desc[28], 4), 64) + 7) / 8);
  layout.encoding = {bytes, (flags & 1) != 0, (flags & 2) == 0, false};
  layout.plain = Is(&desc[8], "lpcm") && layout.packetFrames == 1 &&
                 layout.packetBytes == static_cast<uint64_t>(layout.frameBytes());
  return true;
}

// `type`: the first chunk's, read with the file's own header.
std::optional<WaveLayout> ReadCaf(InputBytes& input, const uint8_t* type) {
  WaveLayout layout;
  bool haveDescription = false;
  std::vector<uint8_t> body;
  uint8_t header[12];
  std::memcpy(header, type, 4);
  for (bool more = input.read(header + 4, 8) == 8; more; more = input.read(header, 12) == 12) {
    const uint64_t size = Big(header + 4, 8);
    if (Is(header, "data")) {
      uint8_t edits[4];  // the edit count comes before the samples
      if (!haveDescription || input.read(edits, 4) != 4) return std::nullopt;
      // All ones: the data goes on to the end of the file, however far.
      if (size != ~uint64_t{0} && size >= 4) layout.dataBytes = size - 4;
      return layout;
    }
    if (size >= (uint64_t{1} << 62) || !ReadBody(input, size, body)) return std::nullopt;
    if (Is(header, "desc")) haveDescription = ReadDescription(body, layout);
    if (Is(header, "desc") && !haveDescription) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

int64_t WaveLayout::declaredFrames() const {
  if (!dataBytes || packetBytes == 0 || packetFrames == 0) return -1;
  const uint64_t packets = *dataBytes / packetBytes;
  if (packets > static_cast<uint64_t>(INT64_MAX) / packetFrames) return -1;  // no header's truth
  return static_cast<int64_t>(packets * packetFrames);
}

bool IsPlaceholderSize(uint32_t size) {
  return size == 0 || size == 0xFFFFFFFF || (size >= 0x7FFF0000 && size <= 0x7FFFFFFF);
}

std::optional<WaveLayout> ReadWaveLayout(InputBytes& input) {
  uint8_t start[12];
  if (input.read(start, sizeof start) != sizeof start) return std::nullopt;
  std::optional<WaveLayout> layout;
  if ((Is(start, "RIFF") || Is(start, "RF64") || Is(start, "BW64")) && Is(start + 8, "WAVE")) {
    layout = ReadRiff(input, !Is(start, "RIFF"));
  } else if (Is(start, "riff") && Is(start + 4, "\x2E\x91\xCF\x11")) {
    uint8_t rest[28];  // the rest of the GUID, the size and the "wave" GUID
    if (input.read(rest, sizeof rest) == sizeof rest && Is(rest + 12, "wave"))
      layout = ReadW64(input);
  } else if (Is(start, "FORM") && (Is(start + 8, "AIFF") || Is(start + 8, "AIFC"))) {
    layout = ReadAiff(input, Is(start + 8, "AIFC"));
  } else if (Is(start, "caff")) {
    layout = ReadCaf(input, start + 8);
  }
  if (!layout || layout->channels < 1) return std::nullopt;
  layout->dataStart = input.position();
  layout->plain = layout->plain && IsPlainEncoding(layout->encoding);
  if (layout->plain) {
    layout->packetBytes = static_cast<uint64_t>(layout->frameBytes());
    layout->packetFrames = 1;
  }
  return layout;
}
