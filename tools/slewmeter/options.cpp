#include "tools/slewmeter/options.h"

#include <cstdlib>
#include <cstring>

const char* const kUsage =
    "usage: slewmeter [options] [INPUT.wav]\n"
    "\n"
    "Runs the slew-rate meter plug-in over an audio file (or, without one, over a\n"
    "built-in test signal of tones, a square burst and silence), as a DAW would.\n"
    "\n"
    "  --block N       frames per processing block (1 to 65536, default 512)\n"
    "  --out FILE.wav  write the plug-in's output (32-bit float WAV; it is the input,\n"
    "                  untouched)\n"
    "  --png FILE.png  write the editor's 600 x 600 picture at the end of the input\n"
    "  --timeline FILE.png\n"
    "                  write the whole input in one picture: time across, slew up on\n"
    "                  the editor's scale, the ceilings and where they are crossed\n"
    "  --size WxH      the timeline's size in pixels (default 1200x400)\n"
    "  --report FILE.json\n"
    "                  write the numbers as JSON (\"-\": to standard output)\n"
    "  --version       show the version\n"
    "  --help          show this text\n"
    "\n"
    "The graph advances 30 times per second of audio. The report gives, per channel,\n"
    "the largest step between two samples in full-scale units and where it stands\n"
    "against the graph's full scale and its two reference ceilings.\n";

std::optional<Options> ParseOptions(int argc, char** argv, std::string& error) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 < argc) return argv[++i];
      error = std::string(argument) + " needs a value";
      return nullptr;
    };
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
      options.help = true;
    } else if (std::strcmp(argument, "--version") == 0) {
      options.version = true;
    } else if (std::strcmp(argument, "--block") == 0) {
      const char* text = value();
      if (text == nullptr) return std::nullopt;
      char* end = nullptr;
      const long size = std::strtol(text, &end, 10);
      if (*text == '\0' || *end != '\0' || size < 1 || size > 65536) {
        error = "--block takes a whole number from 1 to 65536, not \"" + std::string(text) + "\"";
        return std::nullopt;
      }
      options.blockSize = static_cast<int32_t>(size);
    } else if (std::strcmp(argument, "--size") == 0) {
      const char* text = value();
      if (text == nullptr) return std::nullopt;
      int width = 0, height = 0;
      char end = 0;
      if (std::sscanf(text, "%dx%d%c", &width, &height, &end) != 2 || width < 200 || height < 100 ||
          width > 16000 || height > 8000) {
        error = "--size takes WIDTHxHEIGHT from 200x100 to 16000x8000, not \"" + std::string(text) +
                "\"";
        return std::nullopt;
      }
      options.timelineWidth = width;
      options.timelineHeight = height;
    } else if (std::string* path = std::strcmp(argument, "--out") == 0        ? &options.output
                                   : std::strcmp(argument, "--png") == 0      ? &options.png
                                   : std::strcmp(argument, "--timeline") == 0 ? &options.timeline
                                   : std::strcmp(argument, "--report") == 0   ? &options.report
                                                                              : nullptr) {
      const char* text = value();
      if (text == nullptr) return std::nullopt;
      *path = text;
    } else if (argument[0] == '-' && argument[1] != '\0') {
      error = "unknown option " + std::string(argument);
      return std::nullopt;
    } else if (options.input.empty()) {
      options.input = argument;
    } else {
      error = "only one input file, please";
      return std::nullopt;
    }
  }
  return options;
}
