// slewmeter: the slew-rate meter plug-in outside a DAW.
#include <cstdio>
#include <string>

#include "editor/drawing/canvas.h"
#include "tools/slewmeter/audio.h"
#include "tools/slewmeter/meter_run.h"
#include "tools/slewmeter/options.h"
#include "tools/slewmeter/progress_bar.h"
#include "tools/slewmeter/report_json.h"
#include "tools/slewmeter/timeline.h"
#include "version.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "slewmeter: %s\n", message.c_str());
  return 1;
}

bool SavePicture(VSTGUI::COffscreenContext* picture, const std::string& path) {
  return picture && VSTGUI::SaveImagePng(*picture->getBitmap()->getPlatformImage(), path);
}

bool WriteText(const std::string& path, const std::string& text) {
  std::FILE* file = path == "-" ? stdout : std::fopen(path.c_str(), "w");
  if (file == nullptr) return false;
  const bool written = std::fputs(text.c_str(), file) >= 0;
  return (file == stdout ? std::fflush(file) == 0 : std::fclose(file) == 0) && written;
}

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

  StereoAudio audio;
  if (options->input.empty()) {
    audio = TestSignal();
  } else if (!ReadAudioFile(options->input, audio, error)) {
    return Fail(error);
  }

  MeterResult result;
  {
    const double seconds = static_cast<double>(audio.left.size()) / audio.sampleRate;
    ProgressBar progress(ProgressBar::worthShowing(seconds));
    if (!RunMeter(audio, options->blockSize, !options->png.empty(), result, error,
                  [&](double done) { progress(done); })) {
      return Fail(error);
    }
  }

  // With the JSON on standard output, the words go to standard error.
  std::FILE* words = options->report == "-" ? stderr : stdout;
  const std::string name = options->input.empty() ? "built-in test signal" : options->input;
  std::fprintf(words, "%s: %zu frames at %.0f Hz (%.2f s), %s\n", name.c_str(), audio.left.size(),
               audio.sampleRate, static_cast<double>(audio.left.size()) / audio.sampleRate,
               audio.channels == 1 ? "mono, metered on both channels" : "stereo");
  for (const auto& [label, points] :
       {std::pair{"left: ", &result.left}, std::pair{"right:", &result.right}}) {
    double largest = 0;
    for (double point : *points)
      largest = std::max(largest, point);
    std::fprintf(words, "largest step, %s %s\n", label,
                 DescribeStep(largest, result.fullScale).c_str());
  }

  if (!options->output.empty()) {
    if (!WriteAudioFile(options->output, audio, error)) return Fail(error);
    std::fprintf(words, "output: %s\n", options->output.c_str());
  }
  if (!options->png.empty()) {
    if (!SavePicture(result.picture.get(), options->png)) {
      return Fail("cannot write the picture to " + options->png);
    }
    std::fprintf(words, "picture: %s\n", options->png.c_str());
  }
  if (!options->timeline.empty()) {
    auto timeline = DrawTimeline(result, options->timelineWidth, options->timelineHeight);
    if (!SavePicture(timeline.get(), options->timeline)) {
      return Fail("cannot write the timeline to " + options->timeline);
    }
    std::fprintf(words, "timeline: %s\n", options->timeline.c_str());
  }
  if (!options->report.empty()) {
    if (!WriteText(options->report, ReportJson(name, audio.left.size(), result))) {
      return Fail("cannot write the report to " + options->report);
    }
    if (options->report != "-") std::fprintf(words, "report: %s\n", options->report.c_str());
  }
  return 0;
}
