// What an LV2 host pays for the bundle, found through LV2_PATH as hosts find
// it: run() at three block sizes (beside the hand-written loop of
// process_bench), a scan (instantiate, read, free), and the resident memory of
// each further running instance.
#include <benchmark/benchmark.h>
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/desktop_libraries.h"
#include "bench/resident_memory.h"
#include "lv2/lv2_facts.h"
#include "tests/lv2/host/urid_table.h"

namespace {

// The host's URI table, and the one feature the bench gives: urid:map.
struct UridFeatures {
  UridTable table;
  LV2_Feature feature{LV2_URID__map, table.map()};
  const LV2_Feature* features[2] = {&feature, nullptr};
};

// One lilv world over the bundle's folder, as a host keeps one while it runs.
struct Lv2World {
  Lv2World() {
    setenv("LV2_PATH", LV2_BUNDLE_PARENT ":/usr/lib/lv2", 1);
    world = lilv_world_new();
    lilv_world_load_all(world);
    LilvNode* uri = lilv_new_uri(world, Lv2Facts::kPluginUri);
    plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
    lilv_node_free(uri);
  }
  ~Lv2World() { lilv_world_free(world); }
  Lv2World(const Lv2World&) = delete;
  Lv2World& operator=(const Lv2World&) = delete;

  LilvWorld* world;
  const LilvPlugin* plugin;
  UridFeatures urids;
};

Lv2World& World() {
  static Lv2World world;
  return world;
}

// A running instance with every port connected, as a host keeps it.
struct RunningInstance {
  explicit RunningInstance(uint32_t frames)
      : left(frames), right(frames), outLeft(frames), outRight(frames), notify(4096 / 8) {
    for (size_t i = 0; i < left.size(); ++i) {
      left[i] = std::sin(0.01f * static_cast<float>(i));
      right[i] = std::cos(0.013f * static_cast<float>(i));
    }
    instance = lilv_plugin_instantiate(World().plugin, 48000, World().urids.features);
    if (instance == nullptr) return;
    using namespace Lv2Facts;
    float* audio[] = {left.data(), right.data(), outLeft.data(), outRight.data()};
    for (uint32_t port = kInLeft; port <= kOutRight; ++port)
      lilv_instance_connect_port(instance, port, audio[port]);
    lilv_instance_connect_port(instance, kNotify, notify.data());
    for (uint32_t port = kRecentLeft; port < kPortCount; ++port)
      lilv_instance_connect_port(instance, port, &readouts[port - kRecentLeft]);
    lilv_instance_activate(instance);
  }
  ~RunningInstance() {
    if (instance == nullptr) return;
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
  }
  RunningInstance(const RunningInstance&) = delete;
  RunningInstance& operator=(const RunningInstance&) = delete;

  // What a host does before each run: the notify buffer's space, then run.
  void run() {
    auto* sequence = reinterpret_cast<LV2_Atom*>(notify.data());
    sequence->size = static_cast<uint32_t>(notify.size() * sizeof(uint64_t) - sizeof(LV2_Atom));
    sequence->type = 0;
    lilv_instance_run(instance, static_cast<uint32_t>(left.size()));
  }

  std::vector<float> left, right, outLeft, outRight;
  std::vector<uint64_t> notify;  // aligned as atoms must be
  float readouts[4] = {};
  LilvInstance* instance = nullptr;
};

void BM_Lv2Run(benchmark::State& state) {
  const auto frames = static_cast<uint32_t>(state.range(0));
  RunningInstance running(frames);
  if (running.instance == nullptr) {
    state.SkipWithError("the bundle cannot be instantiated");
    return;
  }
  for (auto _ : state) {
    running.run();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * frames);
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                                                  benchmark::Counter::kIsRate);
}

// What a host does with the plug-in when it scans its world: instantiate, read
// its name and ports, free; with the desktop libraries loaded, as in a DAW.
void BM_Lv2HostScan(benchmark::State& state) {
  DesktopLibraries desktop;
  const LilvPlugin* plugin = World().plugin;
  for (auto _ : state) {
    LilvInstance* instance = lilv_plugin_instantiate(plugin, 48000, World().urids.features);
    if (instance == nullptr) {
      state.SkipWithError("the bundle cannot be instantiated");
      return;
    }
    LilvNode* name = lilv_plugin_get_name(plugin);
    benchmark::DoNotOptimize(lilv_node_as_string(name));
    lilv_node_free(name);
    benchmark::DoNotOptimize(lilv_plugin_get_num_ports(plugin));
    lilv_instance_free(instance);
  }
}

// Instances as a session holds them: activated and running.
void BM_Lv2MemoryPerInstance(benchmark::State& state) {
  constexpr int kInstances = 64;
  constexpr uint32_t kBlock = 1024;
  RunningInstance(kBlock).run();  // the library's one-time set-up is not an instance's
  double bytesPerInstance = 0;
  for (auto _ : state) {
    const size_t before = ResidentBytes();
    std::vector<std::unique_ptr<RunningInstance>> instances;
    for (int i = 0; i < kInstances; ++i) {
      instances.push_back(std::make_unique<RunningInstance>(kBlock));
      instances.back()->run();
    }
    bytesPerInstance = static_cast<double>(ResidentBytes() - before) / kInstances;
  }
  state.counters["KiB/instance"] = bytesPerInstance / 1024;
}

}  // namespace

BENCHMARK(BM_Lv2Run)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_Lv2HostScan)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Lv2MemoryPerInstance)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
