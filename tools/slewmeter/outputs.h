// The table of slewmeter's output files. Parsing, the checks on their names,
// --help and the writing at the end of each input all follow from it, and a
// test holds the manual page to it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/slewmeter/file_figures.h"
#include "tools/slewmeter/options.h"

class AudioWriter;
struct Measurement;

// What the writers write from.
struct OutputSource {
  const Options& options;
  const FigureColumns& columns;
  const std::vector<FileFigures>& files;  // every input's, for the outputs of the run
  const FileFigures* file;                // per input only: its own
  const Measurement* measurement;         // per input only
  AudioWriter* audio;                     // --out, written while metering
};

struct OutputKind {
  const char* flag;       // "--timeline"
  const char* valueName;  // "FILE.png", as --help and the manual page show it
  const char* what;       // "timeline", as the words name it
  bool standardOutput;    // "-" writes it to standard output
  bool perInput;          // one per input: with several inputs its name holds "{}"
  std::string Options::*path;
  const char* help;  // --help's lines for it
  // Puts the output at `path` in place; false with the reason in `error`.
  bool (*write)(const OutputSource& source, const std::string& path, std::string& error);
};

extern const std::array<OutputKind, 5> kOutputs;

// The row for `flag`, or null.
const OutputKind* FindOutput(const std::string& flag);
