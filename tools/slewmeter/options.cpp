#include "tools/slewmeter/options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

const char* const kUsage =
    "usage: slewmeter [options] [INPUT...]\n"
    "\n"
    "Runs the slew-rate meter plug-in over audio files (WAV, FLAC, AIFF and the\n"
    "other formats libsndfile reads; \"-\" for standard input), one after the\n"
    "other, as a DAW would; without any, over a built-in test signal of tones, a\n"
    "square burst and silence. With several inputs, a table of them all follows.\n"
    "\n"
    "  --block N       frames per processing block (1 to 65536, default 512)\n"
    "  --jobs N        inputs metered side by side (1 to 256, default one per core);\n"
    "                  what is said and written is the same as one at a time\n"
    "  --out FILE.wav  write the plug-in's output: the input, untouched, in its own\n"
    "                  sample format (WAV; RF64 past 4 GiB)\n"
    "  --png FILE.png  write the editor's 600 x 600 picture at the end of the input\n"
    "  --timeline FILE.png\n"
    "                  write the whole input in one picture: time across, slew up on\n"
    "                  the editor's scale, the ceilings and where they are crossed\n"
    "  --size WxH      the timeline's size in pixels (default 1200x400)\n"
    "  --report FILE.json\n"
    "                  write the numbers as JSON (\"-\": to standard output)\n"
    "  --csv FILE.csv  write one row of figures per input, after a header row (\"-\":\n"
    "                  to standard output)\n"
    "  --inter-sample  also measure the steepest slope of the signal the converter\n"
    "                  reconstructs between the samples, in the step's unit: in the\n"
    "                  words, the table, the CSV, the report and the timeline\n"
    "  --gapless       meter the inputs as one continuous programme, as an album split\n"
    "                  from one master: each input's first step is from the last\n"
    "                  sample of the input before\n"
    "  --full-scale-volts V\n"
    "                  also give slopes in volts per microsecond, for an analogue\n"
    "                  chain in which full scale is V volts peak\n"
    "  --version       show the version\n"
    "  --help          show this text\n"
    "\n"
    "With several inputs, the file names given to --out, --png, --timeline and\n"
    "--report must hold \"{}\", which becomes each input's name without its folder\n"
    "and extension (\"stdin\" for standard input): --timeline 'pictures/{}.png'.\n"
    "Files are written whole or not at all. When the report or the CSV goes to\n"
    "standard output, the words go to standard error.\n"
    "\n"
    "The graph advances every 1/30 s of audio. The words give, per channel,\n"
    "the largest step between two samples in full-scale units and where it stands\n"
    "against the graph's full scale and its reference ceilings. The exit status is\n"
    "1 when any input could not be metered whole, 2 for a wrong command line.\n";

std::string InputStem(const std::string& input) {
  if (input.empty()) return "test-signal";
  if (input == "-") return "stdin";
  return std::filesystem::path(input).stem().string();
}

std::string OutputPath(const std::string& pattern, const std::string& input) {
  std::string path = pattern;
  for (size_t at = 0; (at = path.find("{}", at)) != std::string::npos;) {
    const std::string stem = InputStem(input);
    path.replace(at, 2, stem);
    at += stem.size();
  }
  return path;
}

namespace {

// Output names must tell several inputs apart.
bool CheckOutputNames(const Options& options, std::string& error) {
  if (options.inputs.size() < 2) return true;
  for (const auto& [option, pattern] :
       {std::pair{"--out", &options.output}, std::pair{"--png", &options.png},
        std::pair{"--timeline", &options.timeline}, std::pair{"--report", &options.report}}) {
    if (pattern->empty()) continue;
    if (pattern->find("{}") == std::string::npos) {
      error = std::string(option) + " needs \"{}\" in its file name with several inputs, " +
              "for each input's name (" + option + " '" + (*pattern == "-" ? "{}.json" : *pattern) +
              "' will not do)";
      return false;
    }
  }
  std::set<std::string> stems;
  const bool named = !(options.output + options.png + options.timeline + options.report).empty();
  for (const std::string& input : options.inputs) {
    if (named && !stems.insert(InputStem(input)).second) {
      error = "two inputs are named \"" + InputStem(input) + "\": their outputs would collide";
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<Options> ParseOptions(int argc, char** argv, std::string& error) {
  Options options;
  int standardInputs = 0;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 < argc) return argv[++i];
      error = std::string(argument) + " needs a value";
      return nullptr;
    };
    auto wholeNumber = [&](long lowest, long highest) -> std::optional<long> {
      const char* text = value();
      if (text == nullptr) return std::nullopt;
      char* end = nullptr;
      const long number = std::strtol(text, &end, 10);
      if (*text == '\0' || *end != '\0' || number < lowest || number > highest) {
        error = std::string(argument) + " takes a whole number from " + std::to_string(lowest) +
                " to " + std::to_string(highest) + ", not \"" + text + "\"";
        return std::nullopt;
      }
      return number;
    };
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
      options.help = true;
    } else if (std::strcmp(argument, "--version") == 0) {
      options.version = true;
    } else if (std::strcmp(argument, "--inter-sample") == 0) {
      options.interSample = true;
    } else if (std::strcmp(argument, "--gapless") == 0) {
      options.gapless = true;
    } else if (std::strcmp(argument, "--block") == 0) {
      const std::optional<long> size = wholeNumber(1, 65536);
      if (!size) return std::nullopt;
      options.blockSize = static_cast<int32_t>(*size);
    } else if (std::strcmp(argument, "--jobs") == 0) {
      const std::optional<long> jobs = wholeNumber(1, 256);
      if (!jobs) return std::nullopt;
      options.jobs = static_cast<unsigned>(*jobs);
    } else if (std::strcmp(argument, "--full-scale-volts") == 0) {
      const char* text = value();
      if (text == nullptr) return std::nullopt;
      char* end = nullptr;
      const double volts = std::strtod(text, &end);
      if (*text == '\0' || *end != '\0' || !std::isfinite(volts) || volts <= 0 || volts > 1e4) {
        error = "--full-scale-volts takes volts above 0 and up to 10000, not \"" +
                std::string(text) + "\"";
        return std::nullopt;
      }
      options.fullScaleVolts = volts;
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
                                   : std::strcmp(argument, "--csv") == 0      ? &options.csv
                                                                              : nullptr) {
      const char* text = value();
      if (text == nullptr) return std::nullopt;
      *path = text;
    } else if (argument[0] == '-' && argument[1] != '\0') {
      error = "unknown option " + std::string(argument);
      return std::nullopt;
    } else {
      standardInputs += std::strcmp(argument, "-") == 0;
      options.inputs.push_back(argument);
    }
  }
  if (standardInputs > 1) {
    error = "standard input can be read once only";
    return std::nullopt;
  }
  if (options.report == "-" && options.csv == "-") {
    error = "the report and the CSV cannot both go to standard output";
    return std::nullopt;
  }
  if (!CheckOutputNames(options, error)) return std::nullopt;
  return options;
}
