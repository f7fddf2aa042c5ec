#include <sndfile.h>

#include <cstdio>

#include "tools/slewmeter/audio_stream.h"
#include "tools/slewmeter/output_file.h"

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
