// The built-in test signal: four seconds of tones, square bursts, glides and
// silence, different on each channel, made a chunk at a time.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr double kTestSignalRate = 48000;
constexpr int64_t kTestSignalFrames = 4 * 48000;

// Frames from `start` on, at most `frames`; 0 past the end.
// Samples are floats, as a float WAV of it holds them.
size_t TestSignalChunk(size_t start, double* left, double* right, size_t frames);
