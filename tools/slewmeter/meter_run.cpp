#include "tools/slewmeter/meter_run.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "editor/offscreen_render.h"
#include "effect/vebrisk_effect.h"
#include "tools/loader/minimal_host.h"
#include "tools/slewmeter/inter_sample.h"
#include "vst2/cdazu.h"
#include "vst2/plugin/create_effect.h"

namespace {

constexpr size_t kChunksInFlight = 3;  // one being read, one being metered, one spare

intptr_t Dispatch(AEffect* effect, int32_t opcode, intptr_t value = 0, float opt = 0) {
  return effect->dispatcher(effect, opcode, 0, value, nullptr, opt);
}

struct Chunk {
  std::vector<float> left, right;
  size_t frames = 0;  // 0: the end of the input
};

// Chunks go round between the reading thread and the metering one: a fixed
// number of them, so that a fast reader waits rather than piling audio up.
class ChunkRing {
 public:
  explicit ChunkRing(size_t framesPerChunk) {
    for (Chunk& chunk : chunks) {
      chunk.left.resize(framesPerChunk);
      chunk.right.resize(framesPerChunk);
      empty.push_back(&chunk);
    }
  }
  Chunk* takeEmpty() { return take(empty); }
  Chunk* takeFull() { return take(full); }
  void giveFull(Chunk* chunk) { give(full, chunk); }
  void giveEmpty(Chunk* chunk) { give(empty, chunk); }
  // The reader stops at its next chunk.
  void stop() {
    std::lock_guard lock(mutex);
    stopped = true;
    changed.notify_all();
  }
  size_t heldBytes() const { return chunks.size() * 2 * chunks[0].left.capacity() * sizeof(float); }

 private:
  Chunk* take(std::deque<Chunk*>& queue) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return !queue.empty() || stopped; });
    if (queue.empty()) return nullptr;
    Chunk* chunk = queue.front();
    queue.pop_front();
    return chunk;
  }
  void give(std::deque<Chunk*>& queue, Chunk* chunk) {
    std::lock_guard lock(mutex);
    queue.push_back(chunk);
    changed.notify_all();
  }

  std::array<Chunk, kChunksInFlight> chunks;
  std::deque<Chunk*> empty, full;
  std::mutex mutex;
  std::condition_variable changed;
  bool stopped = false;
};

// The plug-in as a host holds it, from effOpen to effClose.
class RunningEffect {
 public:
  RunningEffect(double sampleRate, int32_t blockSize) {
    SetMinimalHostSampleRate(sampleRate);
    effect = CreateEffect(MinimalHostCallback);
    if (effect == nullptr) return;
    Dispatch(effect, effOpen);
    Dispatch(effect, effSetSampleRate, 0, static_cast<float>(sampleRate));
    Dispatch(effect, effSetBlockSize, blockSize);
    Dispatch(effect, effMainsChanged, 1);
  }
  ~RunningEffect() {
    if (effect == nullptr) return;
    Dispatch(effect, effMainsChanged, 0);
    Dispatch(effect, effClose);
  }
  RunningEffect(const RunningEffect&) = delete;
  RunningEffect& operator=(const RunningEffect&) = delete;

  AEffect* effect = nullptr;
  EffectInstance* instance() const { return &static_cast<CDaZU*>(effect->object)->instance(); }
  TVebriskEffect& meter() const {
    return *static_cast<TVebriskEffect*>(instance()->getEffectObject());
  }
};

// Everything the graph frames feed: the summaries, the timeline, the per-second peaks.
class Reductions {
 public:
  Reductions(const MeterSettings& settings, Measurement& measurement)
      : measurement(measurement),
        watch{{CeilingWatch(settings.ceilings, measurement.fullScale),
               CeilingWatch(settings.ceilings, measurement.fullScale)}} {
    for (ChannelSummary& channel : measurement.channels)
      channel = ChannelSummary(settings.ceilings.size());
    if (settings.timelineColumns > 0) {
      const int64_t expected = measurement.format.expectedFrames;
      measurement.timeline.emplace(
          settings.timelineColumns,
          expected > 0 ? static_cast<double>(expected) / measurement.format.sampleRate : 0,
          settings.ceilings);
    }
    if (settings.perSecond) measurement.perSecond = std::make_unique<PerSecondPeaks>();
  }

  void add(GraphFrame& graphFrame) {
    for (size_t c = 0; c < 2; ++c) {
      watch[c].place(graphFrame.channels[c]);
      measurement.channels[c].add(graphFrame, graphFrame.channels[c]);
    }
    if (measurement.timeline) measurement.timeline->add(graphFrame);
    if (measurement.perSecond) measurement.perSecond->add(graphFrame);
  }

  size_t heldBytes() const {
    return (measurement.timeline ? measurement.timeline->heldBytes() : 0) +
           (measurement.perSecond ? measurement.perSecond->heldBytes() : 0);
  }

 private:
  Measurement& measurement;
  std::array<CeilingWatch, 2> watch;
};

}  // namespace

bool MeterAudio(AudioReader& reader, AudioWriter* output, const MeterSettings& settings,
                Measurement& measurement, std::string& error, const Progress& progress) {
  measurement.format = reader.format();
  const double sampleRate = measurement.format.sampleRate;
  measurement.fullScale = GraphFullScale(sampleRate);
  if (settings.ceilings.size() > kMostCeilings) {
    error = "more ceilings than a run can watch";
    return false;
  }
  RunningEffect running(sampleRate, settings.blockSize);
  if (running.effect == nullptr) {
    error = "the plug-in made no effect";
    return false;
  }
  TVebriskEffect& meter = running.meter();
  Reductions reductions(settings, measurement);
  std::array<InterSampleSlope, 2> slopes;

  const auto block = static_cast<size_t>(settings.blockSize);
  ChunkRing ring(block * std::max<size_t>(1, (kStreamChunkFrames + block - 1) / block));
  std::thread readThread([&] {
    for (Chunk* chunk; (chunk = ring.takeEmpty()) != nullptr;) {
      chunk->frames = reader.read(chunk->left.data(), chunk->right.data(), chunk->left.size());
      const bool end = chunk->frames == 0;
      ring.giveFull(chunk);
      if (end) return;
    }
  });

  auto heldBytes = [&] {
    return ring.heldBytes() + slopes[0].heldBytes() + slopes[1].heldBytes() +
           reductions.heldBytes();
  };
  int64_t done = 0;
  GraphFrame graphFrame;
  auto runGraphFrame = [&](bool last) {
    if (last && settings.picture) {
      measurement.picture = RenderEditorOffscreen(running.instance());
    } else if (settings.picture) {
      // As in a DAW, the graphics section runs at every graph frame: the end picture
      // is the one a user would see.
      running.instance()->getHooks().Draw(running.instance(), kEditorWidth, kEditorHeight);
    } else {
      meter.AdvanceHistory();
    }
    graphFrame.to = static_cast<double>(done) / sampleRate;
    for (size_t c = 0; c < 2; ++c) {
      ChannelPoint& point = graphFrame.channels[c];
      point.step = meter.NewestPoint(c == 0 ? Channel::left : Channel::right);
      // The reconstruction passes through every sample, so its steepest slope is
      // never below the largest step: that bounds the estimate from below.
      point.interSample = settings.interSample ? std::max(slopes[c].takePeak(), point.step) : 0;
    }
    reductions.add(graphFrame);
    graphFrame.from = graphFrame.to;
    measurement.peakHeldBytes = std::max(measurement.peakHeldBytes, heldBytes());
  };

  const double framesPerGraphicsFrame = sampleRate / kGraphicsFramesPerSecond;
  double nextGraphicsFrame = framesPerGraphicsFrame;
  const int64_t expected = reader.format().expectedFrames;
  bool written = true;
  for (Chunk* chunk; (chunk = ring.takeFull()) != nullptr && chunk->frames > 0;) {
    for (size_t start = 0; start < chunk->frames; start += block) {
      const size_t count = std::min(block, chunk->frames - start);
      float* io[] = {chunk->left.data() + start, chunk->right.data() + start};
      running.effect->processReplacing(running.effect, io, io, static_cast<int32_t>(count));
      if (settings.interSample) {
        slopes[0].push(io[0], count);
        slopes[1].push(io[1], count);
      }
      done += static_cast<int64_t>(count);
      for (; static_cast<double>(done) >= nextGraphicsFrame;
           nextGraphicsFrame += framesPerGraphicsFrame) {
        runGraphFrame(false);
      }
    }
    if (output != nullptr) {
      written = written && output->write(chunk->left.data(), chunk->right.data(), chunk->frames);
    }
    ring.giveEmpty(chunk);
    if (progress && expected > 0) {
      progress(std::min(1.0, static_cast<double>(done) / static_cast<double>(expected)));
    }
  }
  ring.stop();
  readThread.join();
  if (settings.interSample) {
    slopes[0].finish();
    slopes[1].finish();
  }
  runGraphFrame(true);  // the last measurements, and the picture of the end
  measurement.frames = done;
  measurement.truncated = reader.truncated();
  if (measurement.perSecond && !measurement.perSecond->finish(measurement.seconds())) {
    error = "cannot keep the per-second peaks in a temporary file";
    return false;
  }
  if (!written) {
    error = "the output could not be written";
    return false;
  }
  return true;
}

std::string DescribeStep(double step, double fullScale, CeilingTable ceilings) {
  const double share = fullScale > 0 ? step / fullScale : 0;
  // The ceilings from the highest down: the step stands above the first it passes.
  std::string where = "below every ceiling";
  double highestPassed = 0;
  for (const Ceiling& ceiling : ceilings) {
    if (share >= ceiling.share() && ceiling.share() >= highestPassed) {
      highestPassed = ceiling.share();
      where = std::string("above the ") + ceiling.label;
    }
  }
  char text[200];
  std::snprintf(text, sizeof text, "%.4f (%.1f %% of the graph's full scale), %s%s", step,
                100 * share, where.c_str(), share > 1 ? ", beyond the top of the graph" : "");
  return text;
}
