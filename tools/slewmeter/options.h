// What the user asked slewmeter to do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Options {
  std::vector<std::string> inputs;  // none: the built-in test signal; "-": standard input
  // Output files; empty: none. With several inputs each holds "{}", which
  // becomes the input's name (see OutputPath).
  std::string output;     // processed audio, WAV in the input's own sample format
  std::string png;        // the editor's picture
  std::string timeline;   // the whole input in one picture
  std::string report;     // JSON; "-" for standard output
  std::string csv;        // one row per input; "-" for standard output
  bool csvHeader = true;  // off: rows only, for CSVs of several runs joined into one
  int32_t timelineWidth = 1200;
  int32_t timelineHeight = 400;
  int32_t blockSize = 512;
  bool interSample = false;
  bool gapless = false;       // the inputs are one programme: each continues the one before
  unsigned jobs = 0;          // inputs metered side by side; 0: one per core
  double fullScaleVolts = 0;  // 0: slopes in full-scale units only
  bool help = false;
  bool version = false;
};

// Null with a message in `error` when the command line is wrong. Options come
// as "--name value" or "--name=value"; after "--" every argument is an input.
std::optional<Options> ParseOptions(int argc, char** argv, std::string& error);

// The name "{}" stands for: the input's file name without its folder and
// extension, "stdin" for standard input, "test-signal" for the built-in signal.
std::string InputStem(const std::string& input);
// `pattern` with every "{}" replaced by the input's stem.
std::string OutputPath(const std::string& pattern, const std::string& input);

// What --help shows.
std::string Usage();
