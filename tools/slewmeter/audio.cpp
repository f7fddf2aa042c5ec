#include <sndfile.h>

#include <cmath>

#include "tools/slewmeter/audio.h"

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
  std::vector<float> interleaved(static_cast<size_t>(info.frames) *
                                 static_cast<size_t>(info.channels));
  const sf_count_t frames = sf_readf_float(file, interleaved.data(), info.frames);
  sf_close(file);
  audio.left.resize(static_cast<size_t>(frames));
  audio.right.resize(static_cast<size_t>(frames));
  for (size_t i = 0; i < audio.left.size(); ++i) {
    audio.left[i] = interleaved[i * static_cast<size_t>(info.channels)];
    audio.right[i] = interleaved[i * static_cast<size_t>(info.channels) +
                                 static_cast<size_t>(info.channels - 1)];
  }
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
  std::vector<float> interleaved;
  interleaved.reserve(audio.left.size() * static_cast<size_t>(audio.channels));
  for (size_t i = 0; i < audio.left.size(); ++i) {
    interleaved.push_back(audio.left[i]);
    if (audio.channels == 2) interleaved.push_back(audio.right[i]);
  }
  const auto frames = static_cast<sf_count_t>(audio.left.size());
  const bool complete = sf_writef_float(file, interleaved.data(), frames) == frames;
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
