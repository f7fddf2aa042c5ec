#include "tools/slewmeter/meter_run.h"

#include <algorithm>
#include <cstdio>

#include "editor/offscreen_render.h"
#include "effect/vebrisk_effect.h"
#include "host/cdazu.h"
#include "plugin/create_effect.h"
#include "tools/loader/minimal_host.h"

namespace {

constexpr double kGraphicsFramesPerSecond = 30;
// The ceilings' heights as shares of the graph's full scale.
constexpr double kUpperCeiling = 0.9625;  // "1990 typical ceiling"
constexpr double kLowerCeiling = 0.575;   // "1970/1980 typical ceiling"

intptr_t Dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, float opt = 0) {
  return effect->dispatcher(effect, opcode, 0, value, nullptr, opt);
}

}  // namespace

bool RunMeter(const StereoAudio& input, int32_t blockSize, bool wantPicture, StereoAudio& output,
              MeterResult& result, std::string& error) {
  SetMinimalHostSampleRate(input.sampleRate);
  AEffect* effect = CreateEffect(MinimalHostCallback);
  if (effect == nullptr) {
    error = "the plug-in made no effect";
    return false;
  }
  auto* adapter = static_cast<CDaZU*>(effect->object);
  auto& meter = *static_cast<TVebriskEffect*>(adapter->getScriptObject());
  Dispatch(effect, effOpen);
  Dispatch(effect, effSetSampleRate, 0, static_cast<float>(input.sampleRate));
  Dispatch(effect, effSetBlockSize, blockSize);
  Dispatch(effect, effMainsChanged, 1);

  // Without a surface the graphics section still advances the histories.
  auto graphicsFrame = [&](bool render) {
    if (render) {
      result.picture = RenderEditorOffscreen(adapter);
    } else {
      adapter->getHooks().Draw(adapter, 600, 600);
    }
    ++result.graphicsFrames;
    result.largestLeft = std::max(result.largestLeft, meter.Cell(99, 0));
    result.largestRight = std::max(result.largestRight, meter.Cell(199, 0));
  };

  output = input;
  const size_t frames = input.left.size();
  const double framesPerGraphicsFrame = input.sampleRate / kGraphicsFramesPerSecond;
  double nextGraphicsFrame = framesPerGraphicsFrame;
  for (size_t start = 0; start < frames; start += static_cast<size_t>(blockSize)) {
    const auto count =
        static_cast<int32_t>(std::min(static_cast<size_t>(blockSize), frames - start));
    float* in[] = {const_cast<float*>(input.left.data()) + start,
                   const_cast<float*>(input.right.data()) + start};
    float* out[] = {output.left.data() + start, output.right.data() + start};
    effect->processReplacing(effect, in, out, count);
    for (; static_cast<double>(start + static_cast<size_t>(count)) >= nextGraphicsFrame;
         nextGraphicsFrame += framesPerGraphicsFrame) {
      graphicsFrame(false);
    }
  }
  graphicsFrame(wantPicture);  // the last measurements, and the picture of the end
  result.fullScale = meter.var.fullScale;

  Dispatch(effect, effMainsChanged, 0);
  Dispatch(effect, effClose);
  return true;
}

std::string DescribeStep(double step, double fullScale) {
  const double share = fullScale > 0 ? step / fullScale : 0;
  char text[160];
  const char* where = share < kLowerCeiling   ? "below the 1970/1980 typical ceiling"
                      : share < kUpperCeiling ? "between the 1970/1980 and 1990 typical ceilings"
                                              : "above the 1990 typical ceiling";
  std::snprintf(text, sizeof text, "%.4f (%.1f %% of the graph's full scale), %s%s", step,
                100 * share, where, share > 1 ? ", beyond the top of the graph" : "");
  return text;
}
