// slewmeter over a 24-bit stereo 48 kHz WAV file, as `--timeline --report` runs
// it (and with --inter-sample), beside reading the same file alone with
// libsndfile: the floor that no metering can go under.
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <vector>

#include "tools/slewmeter/audio_stream.h"
#include "tools/slewmeter/in_order_jobs.h"
#include "tools/slewmeter/inter_sample.h"
#include "tools/slewmeter/meter_run.h"
#include "tools/slewmeter/report_json.h"
#include "tools/slewmeter/timeline.h"

namespace {

constexpr int kRate = 48000;
constexpr int kSeconds = 120;

// Made once per run: music-like tones with a little noise.
const std::string& BenchFile() {
  static const std::string path = [] {
    const std::string made =
        (std::filesystem::temp_directory_path() / "slewmeter_bench_24bit.wav").string();
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    SNDFILE* file = sf_open(made.c_str(), SFM_WRITE, &info);
    std::vector<float> second(2 * kRate);
    uint32_t noise = 1;
    for (int s = 0; s < kSeconds && file != nullptr; ++s) {
      for (int i = 0; i < kRate; ++i) {
        const double t = s + static_cast<double>(i) / kRate;
        noise = noise * 1664525u + 1013904223u;
        const float hiss = static_cast<float>(noise >> 8) / 16777216.0f * 0.02f - 0.01f;
        second[2 * i] = static_cast<float>(0.5 * std::sin(2 * M_PI * 440 * t) +
                                           0.2 * std::sin(2 * M_PI * 7000 * t)) +
                        hiss;
        second[2 * i + 1] = static_cast<float>(0.4 * std::sin(2 * M_PI * 1000 * t)) + hiss;
      }
      sf_writef_float(file, second.data(), kRate);
    }
    if (file != nullptr) sf_close(file);
    return made;
  }();
  return path;
}

void ReportRealTime(benchmark::State& state) {
  state.counters["x real time"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kSeconds, benchmark::Counter::kIsRate);
}

void BM_LibsndfileReadAlone(benchmark::State& state) {
  // In the chunks slewmeter's reader asks for.
  constexpr auto kChunk = static_cast<sf_count_t>(kStreamChunkFrames);
  std::vector<float> chunk(2 * kStreamChunkFrames);
  for (auto _ : state) {
    SF_INFO info{};
    SNDFILE* file = sf_open(BenchFile().c_str(), SFM_READ, &info);
    sf_count_t frames = 0;
    for (sf_count_t read; (read = sf_readf_float(file, chunk.data(), kChunk)) > 0;)
      frames += read;
    sf_close(file);
    benchmark::DoNotOptimize(frames);
  }
  ReportRealTime(state);
}

// slewmeter's own reader, in the chunks its reading thread asks for.
void BM_SlewmeterReadAlone(benchmark::State& state) {
  std::vector<double> left(kStreamChunkFrames), right(kStreamChunkFrames);
  for (auto _ : state) {
    std::string error;
    auto reader = AudioReader::open(BenchFile(), error);
    size_t frames = 0;
    for (size_t read; reader && (read = reader->read(left.data(), right.data(), left.size())) > 0;)
      frames += read;
    benchmark::DoNotOptimize(frames);
  }
  ReportRealTime(state);
}

// All that `slewmeter FILE --timeline T.png --report R.json` does but the writing
// of the two files: read, meter, reduce, draw the timeline, make the report.
void BM_SlewmeterTimelineAndReport(benchmark::State& state) {
  const bool interSample = state.range(0) != 0;
  for (auto _ : state) {
    std::string error;
    auto reader = AudioReader::open(BenchFile(), error);
    MeterSettings settings;
    settings.interSample = interSample;
    settings.perSecond = true;
    settings.timelineColumns = 1200;
    Measurement measurement;
    if (!reader || !MeterAudio(*reader, nullptr, settings, measurement, error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    auto picture = DrawTimeline(*measurement.timeline, measurement.seconds(), measurement.fullScale,
                                interSample, 1200, 400);
    FileFigures figures;
    figures.sampleRate = measurement.format.sampleRate;
    figures.frames = measurement.frames;
    figures.fullScale = measurement.fullScale;
    figures.channels = measurement.channels;
    benchmark::DoNotOptimize(ReportJson(figures, *measurement.perSecond, {interSample, 0}));
    benchmark::DoNotOptimize(picture.get());
  }
  ReportRealTime(state);
}

// The slope filter alone over one channel of the bench file's length, a graph
// frame at a time as slewmeter measures it; with the x86-64 baseline or
// the widest vectors the processor has.
void BM_InterSampleSlope(benchmark::State& state) {
  const SlopeInstructions instructions =
      state.range(0) != 0 ? WidestSlopeInstructions() : SlopeInstructions::baseline;
  constexpr size_t kGraphFrame = kRate / 30;
  std::vector<double> second(kRate);
  uint32_t noise = 1;
  for (size_t i = 0; i < second.size(); ++i) {
    noise = noise * 1664525u + 1013904223u;
    second[i] = 0.5 * std::sin(2 * M_PI * 440 * static_cast<double>(i) / kRate) +
                static_cast<double>(noise >> 8) / 16777216.0 * 0.02 - 0.01;
  }
  for (auto _ : state) {
    InterSampleSlope slope(instructions);
    double steepest = 0;
    for (int s = 0; s < kSeconds; ++s) {
      for (size_t start = 0; start < second.size(); start += kGraphFrame) {
        slope.push(second.data() + start, kGraphFrame);
        steepest = std::max(steepest, slope.takePeak());
      }
    }
    benchmark::DoNotOptimize(steepest);
  }
  ReportRealTime(state);
}

// Four inputs metered as `slewmeter --jobs N A B C D` meters them (their
// outputs aside): one at a time, or side by side.
void BM_SlewmeterFourInputs(benchmark::State& state) {
  const auto jobs = static_cast<unsigned>(state.range(0));
  for (auto _ : state) {
    std::array<Measurement, 4> measurements;
    RunInOrder(
        measurements.size(), jobs,
        [&](size_t i) {
          std::string error;
          auto reader = AudioReader::open(BenchFile(), error);
          MeterSettings settings;
          settings.perSecond = true;
          settings.timelineColumns = 1200;
          if (reader) MeterAudio(*reader, nullptr, settings, measurements[i], error);
        },
        [](size_t) {});
    benchmark::DoNotOptimize(measurements[3].frames);
  }
  state.counters["x real time"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * 4 * kSeconds, benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_SlewmeterFourInputs)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("jobs")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SlewmeterReadAlone)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LibsndfileReadAlone)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_InterSampleSlope)->Arg(0)->Arg(1)->ArgName("widest")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlewmeterTimelineAndReport)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("interSample")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_MAIN();
