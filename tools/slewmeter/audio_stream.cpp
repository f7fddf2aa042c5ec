#include "tools/slewmeter/audio_stream.h"

#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "tools/slewmeter/output_file.h"
#include "tools/slewmeter/test_signal.h"

namespace {

// Bytes per sample of a plain encoding; 0 for compressed ones.
int64_t BytesPerSample(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
      return 1;
    case SF_FORMAT_PCM_16:
      return 2;
    case SF_FORMAT_PCM_24:
      return 3;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
      return 4;
    case SF_FORMAT_DOUBLE:
      return 8;
  }
  return 0;
}

// A writer that cannot seek back to its header (sox or ffmpeg into a pipe)
// leaves a size near 2^31 or 2^32 bytes there: no promise of a length.
constexpr int64_t kPlaceholderBytes = 0x7FFF0000;

bool PlaceholderLength(const SF_INFO& info) {
  return info.frames * info.channels * BytesPerSample(info.format) >= kPlaceholderBytes;
}

// libsndfile notes "data : 2147479552 (should be 96000)" when a size in a
// file's header runs past its end: the file was cut, unless the size is a
// placeholder.
bool HeaderPromisesMore(const std::string& log) {
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    const size_t colon = line.find(" : ");
    const size_t shouldBe = line.find("(should be ");
    if (colon == std::string::npos || shouldBe == std::string::npos || colon > shouldBe) continue;
    if (std::strtoll(line.c_str() + colon + 3, nullptr, 10) < kPlaceholderBytes) return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<AudioReader> AudioReader::open(const std::string& path, std::string& error) {
  if (path.empty()) return generated({kTestSignalRate, 2, kTestSignalFrames}, TestSignalChunk);
  std::unique_ptr<AudioReader> reader(new AudioReader);
  SF_INFO info{};
  SNDFILE* file = path == "-" ? sf_open_fd(STDIN_FILENO, SFM_READ, &info, 0)
                              : sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    error = sf_strerror(nullptr);
    return nullptr;
  }
  reader->file = file;
  if (info.channels < 1 || info.channels > 2) {
    error = std::to_string(info.channels) + " channels; slewmeter meters mono and stereo audio";
    return nullptr;
  }
  if (info.samplerate <= 0) {
    error = "no sample rate";
    return nullptr;
  }
  // A header read from a pipe may promise any length; a file's was checked
  // against its size, and libsndfile notes there when the data stops short.
  char log[2048] = {};
  sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
  reader->headerSaysShort = HeaderPromisesMore(log);
  const bool plausible = info.frames > 0 && info.frames < (int64_t{1} << 40) &&
                         (info.seekable || !PlaceholderLength(info));
  if (info.seekable && info.frames == 0) {
    error = "no audio (0 frames)";
    return nullptr;
  }
  reader->audioFormat = {static_cast<double>(info.samplerate), info.channels,
                         info.seekable && plausible ? info.frames : -1};
  reader->expectedFromHeader = plausible ? info.frames : -1;
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

AudioReader::~AudioReader() {
  if (file != nullptr) sf_close(file);
}

size_t AudioReader::read(double* left, double* right, size_t frames) {
  if (file == nullptr) {
    const size_t count = generator(static_cast<size_t>(done), left, right, frames);
    done += static_cast<int64_t>(count);
    return count;
  }
  const auto channels = static_cast<size_t>(audioFormat.channels);
  size_t count = 0;
  while (count < frames) {
    const size_t want = std::min(frames - count, kStreamChunkFrames);
    const sf_count_t got = sf_readf_double(file, interleaved.get(), static_cast<sf_count_t>(want));
    if (got <= 0) break;
    const double* in = interleaved.get();
    for (size_t i = 0; i < static_cast<size_t>(got); ++i) {
      left[count + i] = in[i * channels];
      right[count + i] = in[i * channels + channels - 1];
    }
    count += static_cast<size_t>(got);
  }
  done += static_cast<int64_t>(count);
  return count;
}

bool AudioReader::truncated() const {
  return headerSaysShort || (expectedFromHeader > 0 && done < expectedFromHeader) ||
         (file != nullptr && sf_error(file) != SF_ERR_NO_ERROR);
}

std::unique_ptr<AudioWriter> AudioWriter::create(const std::string& path, const AudioFormat& format,
                                                 std::string& error) {
  std::unique_ptr<AudioWriter> writer(new AudioWriter);
  writer->path = path;
  writer->temporary = PrepareTemporaryFor(path);
  writer->channels = format.channels;
  SF_INFO info{};
  info.samplerate = static_cast<int>(format.sampleRate);
  info.channels = format.channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  writer->file = sf_open(writer->temporary.c_str(), SFM_WRITE, &info);
  if (writer->file == nullptr) {
    error = path + ": " + sf_strerror(nullptr);
    return nullptr;
  }
  writer->interleaved = std::make_unique<double[]>(kStreamChunkFrames * 2);
  return writer;
}

AudioWriter::~AudioWriter() {
  if (file != nullptr) {
    sf_close(file);
    std::remove(temporary.c_str());
  }
}

bool AudioWriter::write(const double* left, const double* right, size_t frames) {
  const auto step = static_cast<size_t>(channels);
  for (size_t start = 0; !failed && start < frames; start += kStreamChunkFrames) {
    const size_t count = std::min(frames - start, kStreamChunkFrames);
    double* out = interleaved.get();
    for (size_t i = 0; i < count; ++i) {
      out[i * step] = left[start + i];
      if (step == 2) out[i * step + 1] = right[start + i];
    }
    failed = sf_writef_double(file, out, static_cast<sf_count_t>(count)) !=
             static_cast<sf_count_t>(count);
  }
  return !failed;
}

bool AudioWriter::commit(std::string& error) {
  if (!failed) failed = sf_close(file) != 0;
  file = nullptr;
  if (failed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    error = path + ": cannot be written";
    return false;
  }
  return true;
}
