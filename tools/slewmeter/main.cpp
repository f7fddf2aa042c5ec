// slewmeter: the slew-rate meter plug-in outside a DAW.
#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tools/slewmeter/file_figures.h"
#include "tools/slewmeter/held_text.h"
#include "tools/slewmeter/in_order_jobs.h"
#include "tools/slewmeter/meter_run.h"
#include "tools/slewmeter/numbers.h"
#include "tools/slewmeter/options.h"
#include "tools/slewmeter/output_names.h"
#include "tools/slewmeter/outputs.h"
#include "tools/slewmeter/progress_bar.h"
#include "tools/slewmeter/utf8_text.h"
#include "version.h"

namespace {

// One line, whatever bytes the file names in it hold.
void Complain(const std::string& message, std::FILE* to = stderr) {
  std::fprintf(to, "slewmeter: %s\n", Printable(message).c_str());
}

class Run {
 public:
  Run(const Options& options, const OutputPlan& plan)
      : options(options),
        wordsTo(plan.toStandardOutput ? stderr : stdout),
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

  // The outputs of the whole run; false when one could not be written.
  bool finish() {
    std::FILE* words = wordsTo;
    if (files.size() > 1) std::fprintf(words, "\n%s", SummaryTable(files, columns).c_str());
    const OutputSource source{options, columns, files, nullptr, nullptr, nullptr};
    bool written = true;
    for (const OutputKind& output : kOutputs) {
      if (output.perInput || (options.*(output.path)).empty()) continue;
      std::string error;
      if (!write(output, options.*(output.path), source, words, error)) {
        Complain(error);
        written = false;
      }
    }
    return written;
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
    std::unique_ptr<AudioWriter> audio;
    if (!options.output.empty()) {
      const std::string path = OutputPath(options.output, input);
      audio = AudioWriter::create(path, reader->format(), error);
      if (!audio) return fail(file, "cannot write the output to " + path + ": " + error);
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
      if (!MeterAudio(*reader, audio.get(), settings, measurement, error,
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
    const OutputSource source{options, columns, files, &file, &measurement, audio.get()};
    for (const OutputKind& output : kOutputs) {
      if (!output.perInput || (options.*(output.path)).empty()) continue;
      if (!write(output, OutputPath(options.*(output.path), input), source, words, error)) {
        return fail(file, error);
      }
    }
    return file.failure.empty();
  }

  // Writes one output and says where it went.
  bool write(const OutputKind& output, const std::string& path, const OutputSource& source,
             std::FILE* words, std::string& error) {
    if (!output.write(source, path, error)) {
      error = std::string("cannot write the ") + output.what + " to " + path + ": " + error;
      return false;
    }
    if (path != "-") std::fprintf(words, "%s: %s\n", output.what, Printable(path).c_str());
    return true;
  }

  bool fail(FileFigures& file, const std::string& reason) {
    file.failure = reason;
    return false;
  }

  void say(const FileFigures& file, const AudioFormat& format, std::FILE* words) {
    std::fprintf(words, "%s: %lld frames at %.0f Hz (%.2f s), %s\n", Printable(file.name).c_str(),
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
      std::fprintf(
          words, "largest step, %s %s%s%s\n", labels[c],
          DescribeStep(channel.step.value, file.fullScale).c_str(),
          volts(channel.step.value, file).c_str(),
          channel.largestStepFromSilence() ? ", at the first sample: the jump from silence" : "");
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

  const Options& options;
  std::FILE* wordsTo;
  bool sideBySide = false;
  FigureColumns columns;
  std::vector<FileFigures> files;
  std::optional<std::array<double, 2>> lastFrame;  // of the input before, for --gapless
};

int Main(int argc, char** argv) {
  std::string error;
  const std::optional<Options> options = ParseOptions(argc, argv, error);
  if (!options) {
    Complain(error);
    std::fputs(Usage().c_str(), stderr);
    return 2;
  }
  if (options->help) {
    std::fputs(Usage().c_str(), stdout);
    return 0;
  }
  if (options->version) {
    std::printf("slewmeter %s\n", SLEWMETER_VERSION);
    return 0;
  }
  OutputPlan plan;
  if (!CheckOutputNames(*options, plan, error)) {
    Complain(error);
    return 2;
  }
  Run run(*options, plan);
  // --gapless carries each input's end into the next: one at a time.
  const unsigned jobs = options->gapless    ? 1
                        : options->jobs > 0 ? options->jobs
                                            : std::max(1u, std::thread::hardware_concurrency());
  const bool allWhole =
      run.meterAll(options->inputs.empty() ? std::vector<std::string>{""} : options->inputs, jobs);
  return run.finish() && allWhole ? 0 : 1;
}

}  // namespace

// Every failure ends as one line and an exit status, never as an abort.
int main(int argc, char** argv) {
  try {
    return Main(argc, argv);
  } catch (const std::bad_alloc&) {
    Complain("out of memory");
  } catch (const std::exception& failure) {
    Complain(std::string("internal error: ") + failure.what());
  } catch (...) {
    Complain("internal error");
  }
  return 1;
}
