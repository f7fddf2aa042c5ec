// Audio for slewmeter, a chunk at a time: read from a file or standard input,
// made up as the built-in test signal, or written as WAV; in double precision,
// which holds every sample of every input exactly.
#pragma once

#include <sys/types.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/slewmeter/sample_codec.h"
#include "tools/slewmeter/wave_header.h"

class OutputFile;
class SampleSource;

struct AudioFormat {
  double sampleRate = 48000;
  int channels = 2;             // of the input: 1 or 2; mono is metered on both channels
  int64_t expectedFrames = -1;  // from the header; -1 when it cannot be trusted (a pipe)
  SampleEncoding encoding;      // the input's samples, which --out keeps where WAV can
};

// Below this rate a graph frame would hold too few samples to be worth its
// graphics work (at 1 Hz, 30 of them to one sample).
constexpr double kLowestSampleRate = 8000;

// Made-up audio: fills up to `frames` frames from frame `start` on, and says how
// many; 0 at the end.
using AudioGenerator =
    std::function<size_t(size_t start, double* left, double* right, size_t frames)>;

class AudioReader {
 public:
  // "-" reads standard input, an empty path the built-in test signal. Null with
  // the reason in `error`, a phrase to follow the input's name.
  static std::unique_ptr<AudioReader> open(const std::string& path, std::string& error);
  static std::unique_ptr<AudioReader> generated(const AudioFormat& format,
                                                AudioGenerator generator);
  ~AudioReader();
  AudioReader(const AudioReader&) = delete;
  AudioReader& operator=(const AudioReader&) = delete;

  const AudioFormat& format() const { return audioFormat; }
  // Up to `frames` frames into the two channels; 0 at the end.
  size_t read(double* left, double* right, size_t frames);
  // After the end: empty when the input was whole, else a phrase that says
  // what went short and where.
  std::string shortfall() const;
  int64_t framesRead() const { return done; }
  // NaN and infinities among the input's samples, each channel's counted.
  int64_t nonFiniteSamples() const { return nonFinite; }

 private:
  AudioReader() = default;

  std::unique_ptr<SampleSource> source;  // null: made up by `generator`
  AudioGenerator generator;
  AudioFormat audioFormat;
  int64_t done = 0;
  int64_t nonFinite = 0;
  std::unique_ptr<double[]> interleaved;
};

// The plug-in's output as WAV, in the input's own sample format where WAV holds
// it (8-bit as it is, 16, 24 and 32-bit integers, 32 and 64-bit floats; other
// encodings as 32-bit float), plain WAV or RF64 past 4 GiB of data.
class AudioWriter {
 public:
  // Writes `path` as an OutputFile does; commit() puts it in place. Null with
  // the reason in `error`.
  static std::unique_ptr<AudioWriter> create(const std::string& path, const AudioFormat& format,
                                             std::string& error);
  // Writes straight into an open descriptor, a device or a pipe too; it is
  // left open. Where it cannot seek, the header is written first and once:
  // with the final sizes when the input's length is known, else with the
  // streaming placeholder.
  static std::unique_ptr<AudioWriter> into(int descriptor, const AudioFormat& format);
  ~AudioWriter();  // without commit(), a temporary file goes
  AudioWriter(const AudioWriter&) = delete;
  AudioWriter& operator=(const AudioWriter&) = delete;

  bool write(const double* left, const double* right, size_t frames);
  // The last pad byte and, where the target can seek, the header's final sizes.
  bool commit(std::string& error);

 private:
  AudioWriter(int descriptor, const AudioFormat& format);
  bool put(const uint8_t* bytes, size_t count);

  int descriptor;
  off_t headerPlace;  // where the header can be written again; -1: it cannot
  WaveShape shape;
  std::optional<uint64_t> promisedBytes;  // in the header as first written
  uint64_t dataBytes = 0;
  std::unique_ptr<OutputFile> target;  // null when writing into a descriptor of the caller's
  bool failed = false;
  std::vector<double> interleaved;
  std::vector<uint8_t> encoded;
};

// Frames a reader or writer moves at a time.
constexpr size_t kStreamChunkFrames = 16384;
