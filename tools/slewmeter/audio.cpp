#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <exception>

#include "tools/slewmeter/audio.h"

namespace {

// Files are read and written this many frames at a time, so that no interleaved
// copy of a whole long file is ever held beside the two channels.
constexpr sf_count_t kChunkFrames = 65536;

}  // namespace

bool ReadAudioFile(const std::string& path, StereoAudio& audio, std::string& error) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    error = path + ": " + sf_strerror(nullptr);
    return false;
  }
  if (info.channels < 1 || info.channels > 2) {
    error = path + " has " + std::to_string(info.channels) +
            " channels; slewmeter meters mono and stereo audio";
    sf_close(file);
    return false;
  }
  audio.sampleRate = info.samplerate;
  audio.channels = info.channels;
  const auto channels = static_cast<size_t>(info.channels);
  std::vector<float> chunk(static_cast<size_t>(kChunkFrames) * channels);
  try {
    const auto expected = static_cast<size_t>(std::max<sf_count_t>(info.frames, 0));
    audio.left.reserve(expected);
    audio.right.reserve(expected);
    sf_count_t read = 0;
    while ((read = sf_readf_float(file, chunk.data(), kChunkFrames)) > 0) {
      for (size_t i = 0; i < static_cast<size_t>(read); ++i) {
        audio.left.push_back(chunk[i * channels]);
        audio.right.push_back(chunk[i * channels + channels - 1]);
      }
    }
  } catch (const std::exception&) {  // bad_alloc, or a length past what a vector holds
    error = path + " is too long to meter in this machine's memory";
    sf_close(file);
    return false;
  }
  sf_close(file);
  return true;
}

bool WriteAudioFile(const std::string& path, const StereoAudio& audio, std::string& error) {
  SF_INFO info{};
  info.samplerate = static_cast<int>(audio.sampleRate);
  info.channels = audio.channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) {
    error = path + ": " + sf_strerror(nullptr);
    return false;
  }
  const auto channels = static_cast<size_t>(audio.channels);
  std::vector<float> chunk(static_cast<size_t>(kChunkFrames) * channels);
  bool complete = true;
  for (size_t start = 0; complete && start < audio.left.size();
       start += static_cast<size_t>(kChunkFrames)) {
    const size_t count = std::min(audio.left.size() - start, static_cast<size_t>(kChunkFrames));
    for (size_t i = 0; i < count; ++i) {
      chunk[i * channels] = audio.left[start + i];
      if (channels == 2) chunk[i * channels + 1] = audio.right[start + i];
    }
    const auto frames = static_cast<sf_count_t>(count);
    complete = sf_writef_float(file, chunk.data(), frames) == frames;
  }
  if (!complete) error = path + ": " + sf_strerror(file);
  sf_close(file);
  return complete;
}

namespace {

constexpr double kPi = 3.14159265358979323846;

double Tone(double frequency, double amplitude, double t) {
  return amplitude * std::sin(2 * kPi * frequency * t);
}

// A sine gliding linearly from one frequency to another over `length` seconds.
double Glide(double from, double to, double length, double amplitude, double t) {
  return amplitude * std::sin(2 * kPi * (from * t + (to - from) * t * t / (2 * length)));
}

double Square(double frequency, double amplitude, double t) {
  return std::fmod(t * frequency, 1.0) < 0.5 ? amplitude : -amplitude;
}

}  // namespace

StereoAudio TestSignal() {
  constexpr size_t kRate = 48000;
  StereoAudio audio;
  audio.sampleRate = kRate;
  audio.left.resize(4 * kRate);
  audio.right.resize(4 * kRate);
  for (size_t i = 0; i < audio.left.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    // Left: a low tone, a bright tone, a square burst, silence, a rising glide.
    const double left = t < 1     ? Tone(440, 0.5, t)
                        : t < 2   ? Tone(3000, 0.4, t - 1)
                        : t < 2.5 ? Square(150, 0.2, t - 2)
                        : t < 3   ? 0
                                  : Glide(200, 6000, 1, 0.4, t - 3);
    // Right: silence, a loud mid tone, a falling glide, a square burst past the
    // top of the graph, silence.
    const double right = t < 1     ? 0
                         : t < 2   ? Tone(1000, 0.8, t - 1)
                         : t < 3   ? Glide(6000, 1000, 1, 0.3, t - 2)
                         : t < 3.5 ? Square(300, 0.25, t - 3)
                                   : 0;
    audio.left[i] = static_cast<float>(left);
    audio.right[i] = static_cast<float>(right);
  }
  return audio;
}
