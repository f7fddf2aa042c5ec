#include "tools/slewmeter/audio_stream.h"

#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "tools/slewmeter/input_bytes.h"
#include "tools/slewmeter/pcm_source.h"
#include "tools/slewmeter/sndfile_source.h"
#include "tools/slewmeter/test_signal.h"

namespace {

// The input's own decoder: slewmeter's for plain WAV, RF64, W64, AIFF and CAF, else libsndfile's.
std::unique_ptr<SampleSource> OpenSource(std::unique_ptr<InputBytes> input, AudioFormat& format,
                                         std::string& error) {
  input->keep();
  const std::optional<WaveLayout> layout = ReadWaveLayout(*input);
  if (layout && layout->plain) {
    input->keepNoMore(true);
    auto source = std::make_unique<PcmSource>(std::move(input), *layout);
    format = {static_cast<double>(layout->sampleRate), layout->channels, source->expectedFrames(),
              layout->encoding};
    return source;
  }
  if (input->position() == 0) {
    error = "is empty";
    return nullptr;
  }
  if (!input->seek(0)) {
    error = "cannot be read again from its start (a header too large to keep from a pipe)";
    return nullptr;
  }
  return SndfileSource::open(std::move(input), layout, format, error);
}

int64_t CountNonFinite(const double* samples, size_t count) {
  int64_t found = 0;
  for (size_t i = 0; i < count; ++i)
    found += !std::isfinite(samples[i]);
  return found;
}

// The first and last channel of interleaved frames into chunks that the metering
// thread reads on another core. Stored past the cache where the processor can:
// plain stores must first take back each line from that core's cache, which
// took as long again as the whole reading.
void SpreadChannels(const double* frames, size_t count, size_t channels, double* left,
                    double* right) {
  size_t i = 0;
#if defined(__SSE2__)
  if (((reinterpret_cast<uintptr_t>(left) | reinterpret_cast<uintptr_t>(right)) & 15) == 0) {
    const size_t last = channels - 1;
    for (; i + 2 <= count; i += 2) {
      const double* now = frames + i * channels;
      _mm_stream_pd(left + i, _mm_set_pd(now[channels], now[0]));
      _mm_stream_pd(right + i, _mm_set_pd(now[channels + last], now[last]));
    }
    _mm_sfence();  // seen by the metering thread once the chunk is handed over
  }
#endif
  for (; i < count; ++i) {
    left[i] = frames[i * channels];
    right[i] = frames[i * channels + channels - 1];
  }
}

}  // namespace

std::unique_ptr<AudioReader> AudioReader::open(const std::string& path, std::string& error) {
  if (path.empty()) return generated({kTestSignalRate, 2, kTestSignalFrames, {}}, TestSignalChunk);
  std::unique_ptr<InputBytes> input = InputBytes::open(path, error);
  if (!input) return nullptr;
  std::unique_ptr<AudioReader> reader(new AudioReader);
  AudioFormat& format = reader->audioFormat;
  reader->source = OpenSource(std::move(input), format, error);
  if (!reader->source) return nullptr;
  if (format.channels < 1 || format.channels > 2) {
    error = std::to_string(format.channels) + " channels; slewmeter meters mono and stereo audio";
    return nullptr;
  }
  if (!(format.sampleRate >= kLowestSampleRate)) {
    error = "a sample rate of " + std::to_string(std::llround(format.sampleRate)) +
            " Hz; slewmeter meters audio at " + std::to_string(std::lround(kLowestSampleRate)) +
            " Hz and above";
    return nullptr;
  }
  if (format.expectedFrames == 0) {
    error = "no audio (0 frames)";
    return nullptr;
  }
  reader->interleaved = std::make_unique<double[]>(kStreamChunkFrames * 2);
  return reader;
}

std::unique_ptr<AudioReader> AudioReader::generated(const AudioFormat& format,
                                                    AudioGenerator generator) {
  std::unique_ptr<AudioReader> reader(new AudioReader);
  reader->audioFormat = format;
  reader->generator = std::move(generator);
  return reader;
}

AudioReader::~AudioReader() = default;

size_t AudioReader::read(double* left, double* right, size_t frames) {
  if (!source) {
    const size_t count = generator(static_cast<size_t>(done), left, right, frames);
    nonFinite += CountNonFinite(left, count) + CountNonFinite(right, count);
    done += static_cast<int64_t>(count);
    return count;
  }
  const auto channels = static_cast<size_t>(audioFormat.channels);
  size_t count = 0;
  while (count < frames) {
    const size_t want = std::min(frames - count, kStreamChunkFrames);
    const size_t got = source->read(interleaved.get(), want);
    if (got == 0) break;
    const double* in = interleaved.get();
    if (audioFormat.encoding.isFloat) nonFinite += CountNonFinite(in, got * channels);
    SpreadChannels(in, got, channels, left + count, right + count);
    count += got;
  }
  done += static_cast<int64_t>(count);
  return count;
}

std::string AudioReader::shortfall() const {
  return source ? source->shortfall(done) : "";
}
