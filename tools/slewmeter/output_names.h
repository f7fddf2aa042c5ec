// Checks on the names of the output files, made before anything runs: every
// input must get outputs of its own, and no output may overwrite an input or
// another output.
#pragma once

#include <string>

#include "tools/slewmeter/options.h"

struct OutputPlan {
  bool toStandardOutput = false;  // an output goes there ("-", /dev/stdout...): words go to stderr
};

// False with a message naming both files when two would collide.
bool CheckOutputNames(const Options& options, OutputPlan& plan, std::string& error);
