// What a CLAP host pays for the .clap: process at three block sizes (beside the
// hand-written loop of process_bench) and a scan (entry init, factory, create,
// init, destroy, deinit) with the desktop libraries loaded, as in a DAW.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench/desktop_libraries.h"
#include "clap/clap_abi.h"
#include "clap/clap_facts.h"
#include "tests/clap/host/processing.h"
#include "tools/loader/shared_library.h"

namespace {

// A host that offers no extension: what the plug-in would log goes nowhere.
const clap_host kHost{kClapVersion,
                      nullptr,
                      "clap bench",
                      "bench",
                      "",
                      "1",
                      [](const clap_host*, const char*) -> const void* { return nullptr; },
                      [](const clap_host*) {},
                      [](const clap_host*) {},
                      [](const clap_host*) {}};

const clap_plugin_entry* Entry(const SharedLibrary& library) {
  return static_cast<const clap_plugin_entry*>(library.symbol("clap_entry"));
}

const clap_plugin* Create(const clap_plugin_entry& entry) {
  const auto* factory =
      static_cast<const clap_plugin_factory*>(entry.get_factory(kClapPluginFactoryId));
  return factory ? factory->create_plugin(factory, &kHost, ClapFacts::kPluginId) : nullptr;
}

void BM_ClapProcess(benchmark::State& state) {
  const auto frames = static_cast<uint32_t>(state.range(0));
  SharedLibrary library(CLAP_PATH);
  const clap_plugin_entry* entry = Entry(library);
  if (entry == nullptr || !entry->init(CLAP_PATH)) {
    state.SkipWithError("the .clap cannot be loaded");
    return;
  }
  const clap_plugin* plugin = Create(*entry);
  if (!plugin || !plugin->init(plugin) || !plugin->activate(plugin, 48000, 1, frames) ||
      !plugin->start_processing(plugin)) {
    state.SkipWithError("the plug-in cannot be started");
    return;
  }
  std::vector<float> left(frames), right(frames), outLeft(frames), outRight(frames);
  for (size_t i = 0; i < left.size(); ++i) {
    left[i] = std::sin(0.01f * static_cast<float>(i));
    right[i] = std::cos(0.013f * static_cast<float>(i));
  }
  float* inputs[] = {left.data(), right.data()};
  float* outputs[] = {outLeft.data(), outRight.data()};
  for (auto _ : state) {
    ProcessStereo(plugin, inputs, outputs, frames);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * frames);
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                                                  benchmark::Counter::kIsRate);
  plugin->stop_processing(plugin);
  plugin->deactivate(plugin);
  plugin->destroy(plugin);
  entry->deinit();
}

// The module stays loaded, as a host keeps it while it scans the file's plug-ins.
void BM_ClapHostScan(benchmark::State& state) {
  DesktopLibraries desktop;
  SharedLibrary library(CLAP_PATH);
  const clap_plugin_entry* entry = Entry(library);
  if (entry == nullptr) {
    state.SkipWithError("the .clap cannot be loaded");
    return;
  }
  for (auto _ : state) {
    if (!entry->init(CLAP_PATH)) {
      state.SkipWithError("init refused");
      return;
    }
    const clap_plugin* plugin = Create(*entry);
    if (plugin == nullptr || !plugin->init(plugin)) {
      state.SkipWithError("the plug-in cannot be made");
      return;
    }
    benchmark::DoNotOptimize(plugin->desc->name);
    plugin->destroy(plugin);
    entry->deinit();
  }
}

}  // namespace

BENCHMARK(BM_ClapProcess)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_ClapHostScan)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
