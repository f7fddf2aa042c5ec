// What the user asked slewmeter to do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct Options {
  std::string input;     // empty: the built-in test signal
  std::string output;    // processed audio, 32-bit float WAV; empty: none
  std::string png;       // the editor's picture; empty: none
  std::string timeline;  // the whole input in one picture; empty: none
  int32_t timelineWidth = 1200;
  int32_t timelineHeight = 400;
  std::string report;  // JSON; "-" for standard output; empty: none
  int32_t blockSize = 512;
  bool help = false;
  bool version = false;
};

// Null with a message in `error` when the command line is wrong.
std::optional<Options> ParseOptions(int argc, char** argv, std::string& error);

extern const char* const kUsage;
