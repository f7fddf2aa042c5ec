// slewmeter: the slew-rate meter plug-in outside a DAW.
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "editor/drawing/canvas.h"
#include "tools/slewmeter/file_figures.h"
#include "tools/slewmeter/held_text.h"
#include "tools/slewmeter/in_order_jobs.h"
#include "tools/slewmeter/meter_run.h"
#include "tools/slewmeter/numbers.h"
#include "tools/slewmeter/options.h"
#include "tools/slewmeter/output_file.h"
#include "tools/slewmeter/progress_bar.h"
#include "tools/slewmeter/report_json.h"
#include "tools/slewmeter/timeline.h"
#include "version.h"

namespace {

void Complain(const std::string& message, std::FILE* to = stderr) {
  std::fprintf(to, "slewmeter: %s\n", message.c_str());
}

bool SavePicture(VSTGUI::COffscreenContext* picture, const std::string& path) {
  return picture && WriteWhole(path, [&](const std::string& temporary) {
           return VSTGUI::SaveImagePng(*picture->getBitmap()->getPlatformImage(), temporary);
         });
}

class Run {
 public:
  explicit Run(const Options& options)
      : options(options),
        // With the report or the CSV on standard output, the words go to standard error.
        wordsTo(options.report == "-" || options.csv == "-" ? stderr : stdout),
        columns{options.interSample, options.fullScaleVolts} {}

  // False when an input could not be metered whole. Side by side, each input's
  // lines wait for those of the inputs before it.
  bool meterAll(const std::vector<std::string>& inputs, unsigned jobs) {
    files.resize(inputs.size());
    sideBySide = jobs > 1 && inputs.size() > 1;
    std::vector<std::unique_ptr<HeldText>> words(inputs.size()), complaints(inputs.size());
    std::vector<char> whole(inputs.size());
    RunInOrder(
        inputs.size(), jobs,
        [&](size_t i) {
          words[i] = std::make_unique<HeldText>(wordsTo, sideBySide);
          complaints[i] = std::make_unique<HeldText>(stderr, sideBySide);
          whole[i] = meter(inputs[i], files[i], words[i]->file(), complaints[i]->file());
        },
        [&](size_t i) {
          words[i].reset();
          complaints[i].reset();
        });
    return std::all_of(whole.begin(), whole.end(), [](char w) { return w != 0; });
  }

  bool finish() {
    std::FILE* words = wordsTo;
    if (files.size() > 1) std::fprintf(words, "\n%s", SummaryTable(files, columns).c_str());
    if (options.csv.empty()) return true;
    if (!WriteText(options.csv, SummaryCsv(files, columns))) {
      Complain("cannot write the CSV to " + options.csv);
      return false;
    }
    if (options.csv != "-") std::fprintf(words, "csv: %s\n", options.csv.c_str());
    return true;
  }

 private:
  // False when the input could not be metered whole; its one line is said.
  bool meter(const std::string& input, FileFigures& file, std::FILE* words, std::FILE* complaints) {
    file.name = input.empty() ? "built-in test signal" : input == "-" ? "standard input" : input;
    const bool whole = meterInto(input, file, words);
    if (!whole) Complain(file.name + ": " + file.failure, complaints);
    return whole;
  }

  bool meterInto(const std::string& input, FileFigures& file, std::FILE* words) {
    std::string error;
    std::unique_ptr<AudioReader> reader = AudioReader::open(input, error);
    if (!reader) return fail(file, error);
    std::unique_ptr<AudioWriter> output;
    if (!options.output.empty()) {
      output = AudioWriter::create(OutputPath(options.output, input), reader->format(), error);
      if (!output) return fail(file, error);
    }
    const AudioFormat& format = reader->format();
    MeterSettings settings{options.blockSize, !options.png.empty(), options.interSample,
                           !options.report.empty(),
                           options.timeline.empty() ? 0 : options.timelineWidth};
    if (options.gapless) settings.continueFrom = lastFrame;
    Measurement measurement;
    {
      const double seconds = static_cast<double>(format.expectedFrames) / format.sampleRate;
      ProgressBar progress(!sideBySide && ProgressBar::worthShowing(seconds));
      if (!MeterAudio(*reader, output.get(), settings, measurement, error,
                      [&](double done) { progress(done); })) {
        return fail(file, error);
      }
    }
    if (measurement.frames == 0) return fail(file, "no audio (0 frames)");
    lastFrame = measurement.lastFrame;
    file.metered = true;
    file.sampleRate = format.sampleRate;
    file.frames = measurement.frames;
    file.nonFiniteSamples = measurement.nonFiniteSamples;
    file.fullScale = measurement.fullScale;
    file.channels = measurement.channels;
    file.failure = measurement.shortfall;
    say(file, format, words);
    return writeOutputs(input, file, measurement, output.get(), words) && file.failure.empty();
  }

  bool fail(FileFigures& file, const std::string& reason) {
    file.failure = reason;
    return false;
  }

  void say(const FileFigures& file, const AudioFormat& format, std::FILE* words) {
    std::fprintf(words, "%s: %lld frames at %.0f Hz (%.2f s), %s\n", file.name.c_str(),
                 static_cast<long long>(file.frames), file.sampleRate, file.seconds(),
                 format.channels == 1 ? "mono, metered on both channels" : "stereo");
    if (file.nonFiniteSamples > 0) {
      std::fprintf(words,
                   "%lld non-finite samples (NaN or infinity), metered as the plug-in does: no "
                   "step into one, the next step from 0\n",
                   static_cast<long long>(file.nonFiniteSamples));
    }
    const char* labels[] = {"left: ", "right:"};
    for (size_t c = 0; c < 2; ++c) {
      const ChannelSummary& channel = file.channels[c];
      std::fprintf(words, "largest step, %s %s%s\n", labels[c],
                   DescribeStep(channel.step.value, file.fullScale).c_str(),
                   volts(channel.step.value, file).c_str());
      if (options.interSample) {
        std::fprintf(words, "inter-sample, %s %s%s\n", labels[c],
                     DescribeStep(channel.interSample.value, file.fullScale).c_str(),
                     volts(channel.interSample.value, file).c_str());
      }
    }
  }

  std::string volts(double slope, const FileFigures& file) const {
    if (options.fullScaleVolts <= 0) return "";
    char text[64];
    std::snprintf(text, sizeof text, ", %.3f V/us",
                  VoltsPerMicrosecond(slope, file.sampleRate, options.fullScaleVolts));
    return text;
  }

  bool writeOutputs(const std::string& input, FileFigures& file, const Measurement& measurement,
                    AudioWriter* output, std::FILE* words) {
    std::string error;
    if (output != nullptr) {
      if (!output->commit(error)) return fail(file, error);
      std::fprintf(words, "output: %s\n", OutputPath(options.output, input).c_str());
    }
    if (!options.png.empty()) {
      const std::string path = OutputPath(options.png, input);
      if (!SavePicture(measurement.picture.get(), path)) {
        return fail(file, "cannot write the picture to " + path);
      }
      std::fprintf(words, "picture: %s\n", path.c_str());
    }
    if (!options.timeline.empty()) {
      const std::string path = OutputPath(options.timeline, input);
      auto timeline =
          DrawTimeline(*measurement.timeline, measurement.seconds(), measurement.fullScale,
                       options.interSample, options.timelineWidth, options.timelineHeight);
      if (!SavePicture(timeline.get(), path)) {
        return fail(file, "cannot write the timeline to " + path);
      }
      std::fprintf(words, "timeline: %s\n", path.c_str());
    }
    if (!options.report.empty()) {
      const std::string path = OutputPath(options.report, input);
      const std::string json = ReportJson(file, *measurement.perSecond, columns);
      if (json.empty() || !WriteText(path, json)) {
        return fail(file, "cannot write the report to " + path);
      }
      if (path != "-") std::fprintf(words, "report: %s\n", path.c_str());
    }
    return true;
  }

  const Options& options;
  std::FILE* wordsTo;
  bool sideBySide = false;
  FigureColumns columns;
  std::vector<FileFigures> files;
  std::optional<std::array<double, 2>> lastFrame;  // of the input before, for --gapless
};

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const std::optional<Options> options = ParseOptions(argc, argv, error);
  if (!options) {
    std::fprintf(stderr, "slewmeter: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (options->help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (options->version) {
    std::printf("slewmeter %s\n", SLEWMETER_VERSION);
    return 0;
  }
  Run run(*options);
  // --gapless carries each input's end into the next: one at a time.
  const unsigned jobs = options->gapless    ? 1
                        : options->jobs > 0 ? options->jobs
                                            : std::max(1u, std::thread::hardware_concurrency());
  const bool allWhole =
      run.meterAll(options->inputs.empty() ? std::vector<std::string>{""} : options->inputs, jobs);
  return run.finish() && allWhole ? 0 : 1;
}
