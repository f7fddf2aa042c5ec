#include "tools/slewmeter/meter_run.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <thread>

#include "editor/offscreen_render.h"
#include "tools/slewmeter/chunk_ring.h"
#include "tools/slewmeter/inter_sample.h"
#include "tools/slewmeter/reductions.h"
#include "tools/slewmeter/running_effect.h"

namespace {

// Fills chunks from the reader on a thread of its own. Joined on every way out;
// an exception there ends the input, and its message is kept for the run.
class ReadingThread {
 public:
  ReadingThread(AudioReader& reader, ChunkRing& ring)
      : ring(ring), thread([this, &reader] { readAll(reader); }) {}
  ~ReadingThread() {
    ring.stop();
    thread.join();
  }
  ReadingThread(const ReadingThread&) = delete;
  ReadingThread& operator=(const ReadingThread&) = delete;

  // Read once the end chunk came: handing it over orders the write before.
  const std::string& failure() const { return failed; }

 private:
  void readAll(AudioReader& reader) {
    for (Chunk* chunk; (chunk = ring.takeEmpty()) != nullptr;) {
      try {
        chunk->frames = reader.read(chunk->left.data(), chunk->right.data(), chunk->left.size());
      } catch (const std::exception& exception) {
        failed = std::string("reading stopped: ") + exception.what();
        chunk->frames = 0;
      }
      const bool end = chunk->frames == 0;
      ring.giveFull(chunk);
      if (end) return;
    }
  }

  ChunkRing& ring;
  std::string failed;
  std::thread thread;  // last: starts when the rest is ready
};

// One pass of the audio through the plug-in, graph frame by graph frame.
class MeterPass {
 public:
  MeterPass(AudioReader& reader, const MeterSettings& settings, Measurement& measurement)
      : reader(reader),
        settings(settings),
        measurement(measurement),
        sampleRate(static_cast<int64_t>(measurement.format.sampleRate)),
        running(measurement.format.sampleRate, settings.blockSize),
        reductions(settings, measurement) {}

  bool started() const { return running.effect != nullptr; }

  bool run(AudioWriter* output, std::string& error, const Progress& progress) {
    const auto block = static_cast<size_t>(settings.blockSize);
    const size_t chunkFrames =
        block * std::max<size_t>(1, (kStreamChunkFrames + block - 1) / block);
    ChunkRing ring(chunkFrames);
    const auto heldBytes = [&] {
      return ring.heldBytes() + slopes[0].heldBytes() + slopes[1].heldBytes() +
             reductions.heldBytes();
    };
    bool written = true;
    if (settings.continueFrom) continueFrom(*settings.continueFrom);
    {
      ReadingThread reading(reader, ring);
      const int64_t expected = reader.format().expectedFrames;
      for (Chunk* chunk; (chunk = ring.takeFull()) != nullptr && chunk->frames > 0;) {
        // The plug-in starts from silence, and steps into no non-finite sample.
        if (done == 0 && !settings.continueFrom) {
          measurement.channels[0].stepFromSilence = std::abs(FiniteOrZero(chunk->left[0]));
          measurement.channels[1].stepFromSilence = std::abs(FiniteOrZero(chunk->right[0]));
        }
        meter(*chunk, heldBytes);
        measurement.lastFrame = {chunk->left[chunk->frames - 1], chunk->right[chunk->frames - 1]};
        if (output != nullptr) {
          written =
              written && output->write(chunk->left.data(), chunk->right.data(), chunk->frames);
        }
        ring.giveEmpty(chunk);
        if (progress && expected > 0) {
          progress(std::min(1.0, static_cast<double>(done) / static_cast<double>(expected)));
        }
      }
      error = reading.failure();
    }
    if (settings.interSample) {
      slopes[0].finish();
      slopes[1].finish();
    }
    endGraphFrame(true);  // the last measurements, and the picture of the end
    measurement.peakHeldBytes = std::max(measurement.peakHeldBytes, heldBytes());
    if (!written && error.empty()) error = "the output could not be written";
    return error.empty();
  }

 private:
  // The plug-in and the slope filters take the samples the audio before ended
  // on; what that measures belongs to the audio before, and is dropped. The
  // filters take them as held, as that audio's own end was measured.
  void continueFrom(std::array<double, 2> last) {
    double* io[] = {&last[0], &last[1]};
    running.effect->processDoubleReplacing(running.effect, io, io, 1);
    running.meter().TakeUnshownMeasurements();
    if (!settings.interSample) return;
    for (size_t c = 0; c < 2; ++c) {
      std::array<double, 2 * InterSampleSlope::kTaps> held;
      held.fill(last[c]);
      slopes[c].push(held.data(), held.size());
      slopes[c].takePeak();
    }
  }

  // Hands the chunk to the plug-in in blocks of at most the block size, cut
  // where a graph frame ends.
  template <class HeldBytes>
  void meter(Chunk& chunk, const HeldBytes& heldBytes) {
    for (size_t start = 0; start < chunk.frames;) {
      const int64_t graphFrameEnd = GraphFrameStart(graphFrame.index + 1, sampleRate);
      const size_t count = std::min({static_cast<size_t>(settings.blockSize), chunk.frames - start,
                                     static_cast<size_t>(graphFrameEnd - done)});
      // In double precision whatever the input: a host may pass either, and the
      // plug-in meters and passes both exactly.
      double* io[] = {chunk.left.data() + start, chunk.right.data() + start};
      running.effect->processDoubleReplacing(running.effect, io, io, static_cast<int32_t>(count));
      // The filters take the block the plug-in has just brought into this core's cache.
      if (settings.interSample) {
        slopes[0].push(io[0], count);
        slopes[1].push(io[1], count);
      }
      done += static_cast<int64_t>(count);
      start += count;
      if (done == graphFrameEnd) {
        endGraphFrame(false);
        measurement.peakHeldBytes = std::max(measurement.peakHeldBytes, heldBytes());
      }
    }
  }

  void endGraphFrame(bool last) {
    if (last && settings.picture) {
      measurement.picture = RenderEditorOffscreen(running.instance());
    } else if (settings.picture) {
      // As in a DAW, the graphics section runs at every graph frame: the end picture
      // is the one a user would see.
      running.instance()->getHooks().Draw(running.instance(), kEditorWidth, kEditorHeight);
    } else {
      running.meter().AdvanceHistory();
    }
    const int64_t start = GraphFrameStart(graphFrame.index, sampleRate);
    if (done == start) return;  // the end fell on a graph frame's start: nothing more to tell
    const auto seconds = [&](int64_t frames) {
      return static_cast<double>(frames) / static_cast<double>(sampleRate);
    };
    graphFrame.from = seconds(start);
    graphFrame.to = seconds(done);
    for (size_t c = 0; c < 2; ++c) {
      ChannelPoint& point = graphFrame.channels[c];
      point.step = running.meter().NewestPoint(c == 0 ? Channel::left : Channel::right);
      // The reconstruction passes through every sample, so its steepest slope is
      // never below the largest step: that bounds the estimate from below.
      point.interSample = settings.interSample ? std::max(slopes[c].takePeak(), point.step) : 0;
    }
    reductions.add(graphFrame);
    ++graphFrame.index;
  }

  AudioReader& reader;
  const MeterSettings& settings;
  Measurement& measurement;
  const int64_t sampleRate;
  RunningEffect running;
  Reductions reductions;
  std::array<InterSampleSlope, 2> slopes;
  int64_t done = 0;  // frames metered
  GraphFrame graphFrame;
};

}  // namespace

bool MeterAudio(AudioReader& reader, AudioWriter* output, const MeterSettings& settings,
                Measurement& measurement, std::string& error, const Progress& progress) {
  measurement.format = reader.format();
  measurement.fullScale = GraphFullScale(measurement.format.sampleRate);
  if (settings.ceilings.size() > kMostCeilings) {
    error = "more ceilings than a run can watch";
    return false;
  }
  try {
    MeterPass pass(reader, settings, measurement);
    if (!pass.started()) {
      error = "the plug-in made no effect";
      return false;
    }
    const bool whole = pass.run(output, error, progress);
    measurement.frames = reader.framesRead();
    measurement.shortfall = reader.shortfall();
    measurement.truncated = !measurement.shortfall.empty();
    measurement.nonFiniteSamples = reader.nonFiniteSamples();
    if (!whole) return false;
  } catch (const std::exception& exception) {
    error = std::string("metering stopped: ") + exception.what();
    return false;
  }
  if (measurement.perSecond && !measurement.perSecond->finish(measurement.seconds())) {
    error = "cannot keep the per-second peaks in a temporary file";
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
