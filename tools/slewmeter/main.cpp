// slewmeter: the slew-rate meter plug-in outside a DAW.
#include <cstdio>
#include <string>

#include "editor/drawing/canvas.h"
#include "tools/slewmeter/audio.h"
#include "tools/slewmeter/meter_run.h"
#include "tools/slewmeter/options.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "slewmeter: %s\n", message.c_str());
  return 1;
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

  StereoAudio input;
  if (options->input.empty()) {
    input = TestSignal();
  } else if (!ReadAudioFile(options->input, input, error)) {
    return Fail(error);
  }

  StereoAudio output;
  MeterResult result;
  if (!RunMeter(input, options->blockSize, !options->png.empty(), output, result, error)) {
    return Fail(error);
  }

  const std::string name = options->input.empty() ? "built-in test signal" : options->input;
  std::printf("%s: %zu frames at %.0f Hz (%.2f s), %s\n", name.c_str(), input.left.size(),
              input.sampleRate, static_cast<double>(input.left.size()) / input.sampleRate,
              input.channels == 1 ? "mono, metered on both channels" : "stereo");
  std::printf("largest step, left:  %s\n",
              DescribeStep(result.largestLeft, result.fullScale).c_str());
  std::printf("largest step, right: %s\n",
              DescribeStep(result.largestRight, result.fullScale).c_str());

  if (!options->output.empty()) {
    if (!WriteAudioFile(options->output, output, error)) return Fail(error);
    std::printf("output: %s\n", options->output.c_str());
  }
  if (!options->png.empty()) {
    if (!result.picture ||
        !VSTGUI::SaveImagePng(*result.picture->getBitmap()->getPlatformImage(), options->png)) {
      return Fail("cannot write the picture to " + options->png);
    }
    std::printf("picture: %s\n", options->png.c_str());
  }
  return 0;
}
