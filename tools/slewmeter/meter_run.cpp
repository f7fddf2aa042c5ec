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

intptr_t Dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, float opt = 0) {
  return effect->dispatcher(effect, opcode, 0, value, nullptr, opt);
}

}  // namespace

bool RunMeter(StereoAudio& audio, int32_t blockSize, bool wantPicture, MeterResult& result,
              std::string& error, const Progress& progress) {
  SetMinimalHostSampleRate(audio.sampleRate);
  AEffect* effect = CreateEffect(MinimalHostCallback);
  if (effect == nullptr) {
    error = "the plug-in made no effect";
    return false;
  }
  auto* adapter = static_cast<CDaZU*>(effect->object);
  auto& meter = *static_cast<TVebriskEffect*>(adapter->getScriptObject());
  Dispatch(effect, effOpen);
  Dispatch(effect, effSetSampleRate, 0, static_cast<float>(audio.sampleRate));
  Dispatch(effect, effSetBlockSize, blockSize);
  Dispatch(effect, effMainsChanged, 1);

  result.sampleRate = audio.sampleRate;
  // Without a surface the graphics section still advances the histories.
  auto graphicsFrame = [&](bool render, size_t framesDone) {
    if (render) {
      result.picture = RenderEditorOffscreen(adapter);
    } else {
      adapter->getHooks().Draw(adapter, 600, 600);
    }
    result.frameTimes.push_back(static_cast<double>(framesDone) / audio.sampleRate);
    result.left.push_back(meter.Cell(99, 0));
    result.right.push_back(meter.Cell(199, 0));
  };

  const size_t frames = audio.left.size();
  const double framesPerGraphicsFrame = audio.sampleRate / kGraphicsFramesPerSecond;
  double nextGraphicsFrame = framesPerGraphicsFrame;
  for (size_t start = 0; start < frames; start += static_cast<size_t>(blockSize)) {
    const auto count =
        static_cast<int32_t>(std::min(static_cast<size_t>(blockSize), frames - start));
    float* io[] = {audio.left.data() + start, audio.right.data() + start};
    effect->processReplacing(effect, io, io, count);
    const size_t done = start + static_cast<size_t>(count);
    for (; static_cast<double>(done) >= nextGraphicsFrame;
         nextGraphicsFrame += framesPerGraphicsFrame) {
      graphicsFrame(false, done);
    }
    if (progress) progress(static_cast<double>(done) / static_cast<double>(frames));
  }
  graphicsFrame(wantPicture, frames);  // the last measurements, and the picture of the end
  result.fullScale = meter.var.fullScale;

  Dispatch(effect, effMainsChanged, 0);
  Dispatch(effect, effClose);
  return true;
}

std::string DescribeStep(double step, double fullScale) {
  const double share = fullScale > 0 ? step / fullScale : 0;
  char text[160];
  const char* where = share < kCeilings[1].share ? "below the 1970/1980 typical ceiling"
                      : share < kCeilings[0].share
                          ? "between the 1970/1980 and 1990 typical ceilings"
                          : "above the 1990 typical ceiling";
  std::snprintf(text, sizeof text, "%.4f (%.1f %% of the graph's full scale), %s%s", step,
                100 * share, where, share > 1 ? ", beyond the top of the graph" : "");
  return text;
}
