#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "tools/slewmeter/audio_stream.h"
#include "tools/slewmeter/output_file.h"

namespace {

// WAV holds the input's own samples but for their byte order, and its 8-bit
// samples are offset binary.
SampleEncoding InWav(SampleEncoding encoding) {
  if (!IsPlainEncoding(encoding)) return {4, true, false, false};
  return {encoding.bytes, encoding.isFloat, false, encoding.bytes == 1 && !encoding.isFloat};
}

// Where the header starts when it can be written again there: in a regular file
// not opened to append (where every write goes to the end); else -1.
off_t HeaderPlace(int descriptor) {
  struct stat status {};
  const int flags = fcntl(descriptor, F_GETFL);
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0 ||
      (flags & O_APPEND) != 0) {
    return -1;
  }
  return lseek(descriptor, 0, SEEK_CUR);
}

}  // namespace

AudioWriter::AudioWriter(int descriptor, const AudioFormat& format)
    : descriptor(descriptor),
      headerPlace(HeaderPlace(descriptor)),
      shape{InWav(format.encoding), format.channels, static_cast<uint32_t>(format.sampleRate)},
      interleaved(kStreamChunkFrames * 2),
      encoded(kStreamChunkFrames * 2 * 8) {
  if (format.expectedFrames >= 0) {
    promisedBytes = static_cast<uint64_t>(format.expectedFrames) *
                    static_cast<uint64_t>(shape.channels * shape.encoding.bytes);
  }
  const auto header = WaveHeader(shape, promisedBytes);
  failed = !put(header.data(), header.size());
}

std::unique_ptr<AudioWriter> AudioWriter::create(const std::string& path, const AudioFormat& format,
                                                 std::string& error) {
  std::unique_ptr<OutputFile> target = OutputFile::open(path, error);
  if (!target) return nullptr;
  std::unique_ptr<AudioWriter> writer(new AudioWriter(target->descriptor(), format));
  writer->target = std::move(target);
  return writer;
}

std::unique_ptr<AudioWriter> AudioWriter::into(int descriptor, const AudioFormat& format) {
  return std::unique_ptr<AudioWriter>(new AudioWriter(descriptor, format));
}

AudioWriter::~AudioWriter() = default;

bool AudioWriter::put(const uint8_t* bytes, size_t count) {
  while (count > 0) {
    const ssize_t written = ::write(descriptor, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    count -= static_cast<size_t>(written);
  }
  return true;
}

bool AudioWriter::write(const double* left, const double* right, size_t frames) {
  const auto channels = static_cast<size_t>(shape.channels);
  const auto sampleBytes = static_cast<size_t>(shape.encoding.bytes);
  for (size_t start = 0; !failed && start < frames; start += kStreamChunkFrames) {
    const size_t count = std::min(frames - start, kStreamChunkFrames);
    for (size_t i = 0; i < count; ++i) {
      interleaved[i * channels] = left[start + i];
      if (channels == 2) interleaved[i * channels + 1] = right[start + i];
    }
    EncodeSamples(shape.encoding, interleaved.data(), count * channels, encoded.data());
    failed = !put(encoded.data(), count * channels * sampleBytes);
    dataBytes += count * channels * sampleBytes;
  }
  return !failed;
}

bool AudioWriter::commit(std::string& error) {
  if (!failed && (dataBytes & 1)) {
    const uint8_t pad = 0;
    failed = !put(&pad, 1);
  }
  if (!failed && promisedBytes != dataBytes && headerPlace >= 0) {
    const auto header = WaveHeader(shape, dataBytes);
    failed = pwrite(descriptor, header.data(), header.size(), headerPlace) !=
             static_cast<ssize_t>(header.size());
  }
  if (failed) {
    error = "the output could not be written";
    return false;
  }
  return target == nullptr || target->commit(error);
}
