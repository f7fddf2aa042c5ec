// Frames per second through processReplacing, beside a plain copy and a
// hand-written loop that measures the same way.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "runtime/value_rules.h"
#include "tools/loader/minimal_host.h"
#include "vst2/plugin/create_effect.h"

namespace {

struct Buffers {
  explicit Buffers(int32_t frames)
      : left(static_cast<size_t>(frames)),
        right(left.size()),
        outLeft(left.size()),
        outRight(left.size()) {
    for (size_t i = 0; i < left.size(); ++i) {
      left[i] = std::sin(0.01f * static_cast<float>(i));
      right[i] = std::cos(0.013f * static_cast<float>(i));
    }
  }
  std::vector<float> left, right, outLeft, outRight;
  float* in[2] = {left.data(), right.data()};
  float* out[2] = {outLeft.data(), outRight.data()};
};

void Report(benchmark::State& state, int32_t frames) {
  state.SetItemsProcessed(state.iterations() * frames);
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                                                  benchmark::Counter::kIsRate);
}

void BM_PluginProcessReplacing(benchmark::State& state) {
  const auto frames = static_cast<int32_t>(state.range(0));
  AEffect* effect = CreateEffect(MinimalHostCallback);
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  Buffers b(frames);
  for (auto _ : state) {
    effect->processReplacing(effect, b.in, b.out, frames);
    benchmark::ClobberMemory();
  }
  Report(state, frames);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

void BM_Memcpy(benchmark::State& state) {
  const auto frames = static_cast<int32_t>(state.range(0));
  Buffers b(frames);
  for (auto _ : state) {
    std::memcpy(b.out[0], b.in[0], sizeof(float) * static_cast<size_t>(frames));
    std::memcpy(b.out[1], b.in[1], sizeof(float) * static_cast<size_t>(frames));
    benchmark::ClobberMemory();
  }
  Report(state, frames);
}

// The same measurement written directly: steps, peaks and previous samples
// under the finite rule, samples copied through.
void BM_HandWrittenMeter(benchmark::State& state) {
  const auto frames = static_cast<int32_t>(state.range(0));
  Buffers b(frames);
  double previousLeft = 0, previousRight = 0, peakLeft = 0, peakRight = 0, pending = 0;
  for (auto _ : state) {
    for (int32_t i = 0; i < frames; ++i) {
      const double left = b.left[i], right = b.right[i];
      peakLeft = FiniteOrZero(std::max(peakLeft, FiniteOrZero(std::fabs(left - previousLeft))));
      peakRight = FiniteOrZero(std::max(peakRight, FiniteOrZero(std::fabs(right - previousRight))));
      previousLeft = FiniteOrZero(left);
      previousRight = FiniteOrZero(right);
      pending += 1;
      b.outLeft[i] = static_cast<float>(left);
      b.outRight[i] = static_cast<float>(right);
    }
    benchmark::DoNotOptimize(peakLeft);
    benchmark::DoNotOptimize(peakRight);
    benchmark::DoNotOptimize(pending);
    benchmark::ClobberMemory();
  }
  Report(state, frames);
}

}  // namespace

BENCHMARK(BM_PluginProcessReplacing)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_HandWrittenMeter)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_Memcpy)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK_MAIN();
