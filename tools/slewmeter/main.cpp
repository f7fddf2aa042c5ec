// slewmeter: runs the slew-rate meter plug-in outside a DAW, as a host would.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/loader/plugin_library.h"

namespace {

constexpr float kSampleRate = 48000.0f;
constexpr int32_t kBlockSize = 512;
constexpr int32_t kSeconds = 2;

intptr_t HostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  static VstTimeInfo time{};
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&time);
  return 0;
}

// Left: a 1 kHz sine at half scale. Right: a 100 Hz square, the steepest steps there are.
void TestSignal(std::vector<float>& left, std::vector<float>& right) {
  const double pi = 3.14159265358979323846;
  for (size_t i = 0; i < left.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    left[i] = static_cast<float>(0.5 * std::sin(2 * pi * 1000 * t));
    right[i] = (static_cast<long>(t * 200) % 2 == 0) ? 0.5f : -0.5f;
  }
}

int Usage() {
  std::fprintf(stderr, "usage: slewmeter [--plugin PATH]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pluginPath = DEFAULT_PLUGIN_PATH;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
      pluginPath = argv[++i];
    } else {
      return Usage();
    }
  }

  PluginLibrary library(pluginPath);
  if (!library.loaded()) {
    std::fprintf(stderr, "slewmeter: %s\n", library.error().c_str());
    return 1;
  }
  AEffect* effect = library.create(HostCallback);
  if (effect == nullptr) {
    std::fprintf(stderr, "slewmeter: the plug-in created no effect\n");
    return 1;
  }
  char name[64] = {}, vendor[64] = {};
  Dispatch(effect, effGetProductString, 0, 0, name);
  Dispatch(effect, effGetVendorString, 0, 0, vendor);
  std::printf("%s by %s (unique id %d)\n", name, vendor, effect->uniqueID);

  Dispatch(effect, effOpen);
  Dispatch(effect, effSetSampleRate, 0, 0, nullptr, kSampleRate);
  Dispatch(effect, effSetBlockSize, 0, kBlockSize);
  Dispatch(effect, effMainsChanged, 0, 1);

  const size_t frames = static_cast<size_t>(kSampleRate) * kSeconds;
  std::vector<float> left(frames), right(frames);
  TestSignal(left, right);
  std::vector<float> outLeft(frames), outRight(frames);
  for (size_t start = 0; start < frames; start += kBlockSize) {
    float* in[] = {left.data() + start, right.data() + start};
    float* out[] = {outLeft.data() + start, outRight.data() + start};
    const auto count = static_cast<int32_t>(std::min<size_t>(kBlockSize, frames - start));
    effect->processReplacing(effect, in, out, count);
  }
  const bool untouched = std::memcmp(left.data(), outLeft.data(), frames * 4) == 0 &&
                         std::memcmp(right.data(), outRight.data(), frames * 4) == 0;
  void* chunk = nullptr;
  const intptr_t chunkSize = Dispatch(effect, effGetChunk, 0, 0, &chunk);
  std::printf("metered %zu frames of the test signal at %.0f Hz: audio %s\n", frames, kSampleRate,
              untouched ? "passed through unchanged" : "CHANGED");
  std::printf("state chunk: %ld bytes\n", static_cast<long>(chunkSize));

  Dispatch(effect, effMainsChanged, 0, 0);
  Dispatch(effect, effClose);
  return untouched ? 0 : 1;
}
