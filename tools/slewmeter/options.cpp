#include "tools/slewmeter/options.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "tools/slewmeter/outputs.h"

namespace {

// The timeline is drawn whole in memory at 4 bytes a pixel: 16 million pixels
// keep it, with what is drawn beside it, within 64 MiB.
constexpr int64_t kMostTimelinePixels = 16'000'000;

// An option that is not an output file.
struct Setting {
  const char* flag;
  const char* valueName;  // null: takes no value
  const char* help;
  bool (*apply)(Options& options, const std::string& value, std::string& error);
};

// `text` as a whole number within the range; else none, with the reason.
std::optional<long> WholeNumber(const char* flag, const std::string& text, long lowest,
                                long highest, std::string& error) {
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || number < lowest || number > highest) {
    error = std::string(flag) + " takes a whole number from " + std::to_string(lowest) + " to " +
            std::to_string(highest) + ", not \"" + text + "\"";
    return std::nullopt;
  }
  return number;
}

bool SetBlock(Options& options, const std::string& text, std::string& error) {
  const std::optional<long> size = WholeNumber("--block", text, 1, 65536, error);
  if (size) options.blockSize = static_cast<int32_t>(*size);
  return size.has_value();
}

bool SetJobs(Options& options, const std::string& text, std::string& error) {
  const std::optional<long> jobs = WholeNumber("--jobs", text, 1, 256, error);
  if (jobs) options.jobs = static_cast<unsigned>(*jobs);
  return jobs.has_value();
}

bool SetSize(Options& options, const std::string& text, std::string& error) {
  int width = 0, height = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &end) != 2 || width < 200 ||
      height < 100 || width > 16000 || height > 8000) {
    error = "--size takes WIDTHxHEIGHT from 200x100 to 16000x8000, not \"" + text + "\"";
    return false;
  }
  if (int64_t{width} * height > kMostTimelinePixels) {
    error = "--size " + text + " is more than 16 million pixels, the most a timeline may have" +
            " (it is drawn in memory, within 64 MiB)";
    return false;
  }
  options.timelineWidth = width;
  options.timelineHeight = height;
  return true;
}

bool SetFullScaleVolts(Options& options, const std::string& text, std::string& error) {
  char* end = nullptr;
  const double volts = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(volts) || volts <= 0 || volts > 1e4) {
    error = "--full-scale-volts takes volts above 0 and up to 10000, not \"" + text + "\"";
    return false;
  }
  options.fullScaleVolts = volts;
  return true;
}

template <bool Options::*flag, bool value = true>
bool SetFlag(Options& options, const std::string&, std::string&) {
  options.*flag = value;
  return true;
}

constexpr Setting kSettings[] = {
    {"--block", "N", "frames per processing block (1 to 65536, default 512)", SetBlock},
    {"--jobs", "N",
     "inputs metered side by side (1 to 256, default one per core); what is said and written is "
     "the same as one at a time",
     SetJobs},
    {"--size", "WxH",
     "the timeline's size in pixels (default 1200x400; from 200x100 to 16000x8000, at most 16 "
     "million pixels)",
     SetSize},
    {"--no-header", nullptr,
     "leave out the CSV's header row, so that the CSVs of several runs (shards of a catalogue) "
     "join into one table",
     SetFlag<&Options::csvHeader, false>},
    {"--inter-sample", nullptr,
     "also measure the steepest slope of the signal the converter reconstructs between the "
     "samples, in the step's unit: in the words, the table, the CSV, the report and the timeline",
     SetFlag<&Options::interSample>},
    {"--gapless", nullptr,
     "meter the inputs as one continuous programme, as an album split from one master: each "
     "input's first step is from the last sample of the input before",
     SetFlag<&Options::gapless>},
    {"--full-scale-volts", "V",
     "also give slopes in volts per microsecond, for an analogue chain in which full scale is V "
     "volts peak",
     SetFullScaleVolts},
    {"--version", nullptr, "show the version", SetFlag<&Options::version>},
    {"--help", nullptr, "show this text", SetFlag<&Options::help>},
};

const Setting* FindSetting(const std::string& flag) {
  for (const Setting& setting : kSettings) {
    if (flag == setting.flag) return &setting;
  }
  return nullptr;
}

// "  --flag VALUE  help", the help wrapped to 80 columns in a column of its own
// (on the next line when the option is too long to leave room).
std::string HelpEntry(const std::string& option, const std::string& help) {
  constexpr size_t kColumn = 18, kWidth = 80;
  const std::string indent(kColumn, ' ');
  std::string text = "  " + option;
  text += text.size() + 2 > kColumn ? "\n" + indent : std::string(kColumn - text.size(), ' ');
  size_t column = kColumn;
  std::istringstream words(help);
  for (std::string word; words >> word;) {
    if (column > kColumn && column + 1 + word.size() > kWidth) {
      text += "\n" + indent;
      column = kColumn;
    }
    if (column > kColumn) {
      text += ' ';
      ++column;
    }
    text += word;
    column += word.size();
  }
  return text + "\n";
}

// "--out, --png, --timeline and --report".
std::string PerInputFlags() {
  std::vector<std::string> flags;
  for (const OutputKind& output : kOutputs) {
    if (output.perInput) flags.push_back(output.flag);
  }
  std::string list;
  for (size_t i = 0; i < flags.size(); ++i)
    list += (i == 0 ? "" : i + 1 == flags.size() ? " and " : ", ") + flags[i];
  return list;
}

}  // namespace

std::string Usage() {
  std::string usage =
      "usage: slewmeter [options] [--] [INPUT...]\n"
      "\n"
      "Runs the slew-rate meter plug-in over audio files (WAV, FLAC, AIFF and the\n"
      "other formats libsndfile reads; \"-\" for standard input), one after the\n"
      "other, as a DAW would; without any, over a built-in test signal of tones, a\n"
      "square burst and silence. With several inputs, a table of them all follows.\n"
      "\n";
  for (const OutputKind& output : kOutputs) {
    usage += HelpEntry(
        std::string(output.flag) + " " + output.valueName,
        std::string(output.help) + (output.standardOutput ? " (\"-\": to standard output)" : ""));
  }
  for (const Setting& setting : kSettings) {
    usage += HelpEntry(setting.valueName ? std::string(setting.flag) + " " + setting.valueName
                                         : std::string(setting.flag),
                       setting.help);
  }
  return usage +
         "\n"
         "Options take their value as the next argument or after \"=\" (--block=64);\n"
         "after \"--\" every argument is an input. With several inputs, the file names\n"
         "given to " +
         PerInputFlags() +
         " must hold \"{}\", which becomes\n"
         "each input's name without its folder and extension (\"stdin\" for standard\n"
         "input): --timeline 'pictures/{}.png'. An output that would overwrite an input\n"
         "or another output is refused before anything runs. Files are written whole\n"
         "or not at all; a device, FIFO or terminal is written straight into. When an\n"
         "output goes to standard output, the words go to standard error.\n"
         "\n"
         "The graph advances every 1/30 s of audio. The words give, per channel,\n"
         "the largest step between two samples in full-scale units and where it stands\n"
         "against the graph's full scale and its reference ceilings, and say when it is\n"
         "the first sample's jump from silence. The exit status is 1 when any input\n"
         "could not be metered whole or an output not written, 2 for a wrong command\n"
         "line.\n";
}

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

std::optional<Options> ParseOptions(int argc, char** argv, std::string& error) {
  Options options;
  int standardInputs = 0;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (optionsEnded || argument == "-" || argument.rfind('-', 0) != 0) {
      standardInputs += argument == "-";
      options.inputs.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    const size_t equals = argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
    const std::string flag = argument == "-h" ? "--help" : argument.substr(0, equals);
    const OutputKind* output = FindOutput(flag);
    const Setting* setting = FindSetting(flag);
    if (output == nullptr && setting == nullptr) {
      error = "unknown option " + argument;
      return std::nullopt;
    }
    const bool takesValue = output != nullptr || setting->valueName != nullptr;
    std::string value;
    if (equals != std::string::npos) {
      if (!takesValue) {
        error = flag + " takes no value";
        return std::nullopt;
      }
      value = argument.substr(equals + 1);
    } else if (takesValue) {
      if (i + 1 == argc) {
        error = flag + " needs a value";
        return std::nullopt;
      }
      value = argv[++i];
    }
    if (output != nullptr) {
      if (value.empty()) {
        error = flag + " needs a file name";
        return std::nullopt;
      }
      if (value == "-" && !output->standardOutput) {
        error = flag + " cannot write to standard output (\"-\"); for a file of that name, ./-";
        return std::nullopt;
      }
      options.*(output->path) = value;
    } else if (!setting->apply(options, value, error)) {
      return std::nullopt;
    }
  }
  if (standardInputs > 1) {
    error = "standard input can be read once only";
    return std::nullopt;
  }
  return options;
}
