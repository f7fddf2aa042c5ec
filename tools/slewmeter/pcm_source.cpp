#include "tools/slewmeter/pcm_source.h"

#include <algorithm>

PcmSource::PcmSource(std::unique_ptr<InputBytes> input, const WaveLayout& layout)
    : input(std::move(input)), layout(layout), dataStart(this->input->position()) {
  promised = layout.declaredFrames();
}

size_t PcmSource::read(double* interleaved, size_t frames) {
  const auto frameBytes = static_cast<uint64_t>(layout.frameBytes());
  uint64_t want = frames * frameBytes;
  if (layout.dataBytes)
    want = std::min(want, (*layout.dataBytes - taken) / frameBytes * frameBytes);
  buffer.resize(static_cast<size_t>(want));
  const size_t got = input->read(buffer.data(), buffer.size());
  taken += got;
  const size_t whole = got / frameBytes;  // a last frame cut short is not audio
  DecodeSamples(layout.encoding, buffer.data(), whole * static_cast<size_t>(layout.channels),
                interleaved);
  return whole;
}

int64_t PcmSource::expectedFrames() const {
  const uint64_t there = input->seekable() ? static_cast<uint64_t>(input->size()) - dataStart
                                           : layout.dataBytes.value_or(0);
  const uint64_t available = std::min(there, layout.dataBytes.value_or(there));
  return available > 0 ? static_cast<int64_t>(available / layout.frameBytes()) : -1;
}
