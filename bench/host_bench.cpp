// What a host pays for the built library: a scan (load, create, read the texts,
// close, unload), and the resident memory of each further running instance.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/desktop_libraries.h"
#include "bench/resident_memory.h"
#include "tools/loader/minimal_host.h"
#include "tools/loader/plugin_library.h"

namespace {

// 64 bytes: the largest text buffer of the standard.
void ReadText(AEffect* effect, int32_t opcode) {
  std::array<char, 64> text{};
  Dispatch(effect, opcode, 0, 0, text.data());
  benchmark::DoNotOptimize(text.data());
}

// What a scanner does with every file it finds: in a bare process (argument 0),
// or in a host that has the desktop libraries loaded (argument 1).
void BM_HostScan(benchmark::State& state) {
  std::unique_ptr<DesktopLibraries> desktop;
  if (state.range(0) != 0) desktop = std::make_unique<DesktopLibraries>();
  for (auto _ : state) {
    PluginLibrary library(PLUGIN_PATH);
    AEffect* effect = library.create(MinimalHostCallback);
    if (effect == nullptr) {
      state.SkipWithError(library.error().c_str());
      return;
    }
    benchmark::DoNotOptimize(effect->uniqueID);
    ReadText(effect, effGetEffectName);
    ReadText(effect, effGetVendorString);
    ReadText(effect, effGetProductString);
    benchmark::DoNotOptimize(Dispatch(effect, effGetVendorVersion));
    benchmark::DoNotOptimize(Dispatch(effect, effGetPlugCategory));
    Dispatch(effect, effClose);
  }
}

// Instances as a session holds them: opened, resumed and processing.
void BM_MemoryPerInstance(benchmark::State& state) {
  constexpr int kInstances = 64;
  constexpr int32_t kBlock = 1024;
  PluginLibrary library(PLUGIN_PATH);
  std::vector<float> left(kBlock, 0.25f), right(kBlock, -0.25f);
  float* io[] = {left.data(), right.data()};
  const auto start = [&] {
    AEffect* effect = library.create(MinimalHostCallback);
    StartLikeAHost(effect, 48000.0f, kBlock);
    effect->processReplacing(effect, io, io, kBlock);
    return effect;
  };
  Dispatch(start(), effClose);  // the library's own one-time set-up is not an instance's
  double bytesPerInstance = 0;
  for (auto _ : state) {
    const size_t before = ResidentBytes();
    std::vector<AEffect*> effects;
    for (int i = 0; i < kInstances; ++i)
      effects.push_back(start());
    bytesPerInstance = static_cast<double>(ResidentBytes() - before) / kInstances;
    for (AEffect* effect : effects)
      Dispatch(effect, effClose);
  }
  state.counters["KiB/instance"] = bytesPerInstance / 1024;
}

}  // namespace

BENCHMARK(BM_HostScan)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemoryPerInstance)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
