// Audio for slewmeter: read from a file, made up as the test signal, or written.
#pragma once

#include <string>
#include <vector>

struct StereoAudio {
  double sampleRate = 48000;
  int channels = 2;  // of the file: 1 or 2; a mono file is metered on both channels
  std::vector<float> left;
  std::vector<float> right;
};

// False with a one-line reason in `error`.
bool ReadAudioFile(const std::string& path, StereoAudio& audio, std::string& error);
bool WriteAudioFile(const std::string& path, const StereoAudio& audio, std::string& error);

// A few seconds of tones, a square burst and silence, different on each channel.
StereoAudio TestSignal();
