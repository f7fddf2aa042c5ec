// Hosts call a plug-in from several threads at once: audio on one, the editor on
// another (opened in a window when there is a display, idled, drawn and closed),
// state saves and loads on a third. Under ThreadSanitizer (scripts/sanitizers.sh)
// this proves that the threads share nothing unsynchronised; in every build it
// checks what each thread sees.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "editor/offscreen_render.h"
#include "effect/vebrisk_effect.h"
#include "tests/support/fake_host.h"
#include "tests/support/x11_host.h"

namespace {

// Each thread does at least this much, and goes on until every other one has too.
constexpr int kAudioBlocks = 2000;
constexpr int kEditorFrames = 30;
// With a display the editor thread opens the real editor in its window, idles it
// this many frames and closes it, as hosts do when a user shows and hides it.
constexpr int kFramesPerOpening = 6;
constexpr int kStateRounds = 200;
constexpr int32_t kBlockSizes[] = {256, 1, 0, 4096, 33, 512, 2, 1000, 64, 3};
constexpr int32_t kLargestBlock = 4096;
constexpr size_t kChunkFloats = 65;
// Steps of the alternating test signal: every history point holds one of these or 0.
constexpr double kLeftStep = 1.0, kRightStep = 0.5;

// Read by every thread and written by none: the host's answers must be thread-safe too.
const VstTimeInfo kHostTime = [] {
  VstTimeInfo time{};
  time.sampleRate = 48000;
  time.tempo = 128;
  time.timeSigNumerator = 7;
  time.timeSigDenominator = 8;
  time.flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid;
  return time;
}();

intptr_t ThreadSafeHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&kHostTime);
  return 0;
}

// Streams the alternating signal through the plug-in in blocks of varying size and
// precision, counting samples that do not come back bit for bit.
class AudioThread {
 public:
  explicit AudioThread(AEffect* effect) : effect(effect) {}

  void process(int block) {
    const int32_t frames = kBlockSizes[block % std::size(kBlockSizes)];
    if (block % 2 == 0) {
      processBlock(effect->processReplacing, floatIn, floatOut, frames);
    } else {
      processBlock(effect->processDoubleReplacing, doubleIn, doubleOut, frames);
    }
  }

  int mismatches = 0;

 private:
  template <class Process, class Sample>
  void processBlock(Process process, std::array<std::vector<Sample>, 2>& in,
                    std::array<std::vector<Sample>, 2>& out, int32_t frames) {
    for (int32_t i = 0; i < frames; ++i, ++sampleCount) {
      const Sample sign = sampleCount % 2 == 0 ? Sample(1) : Sample(-1);
      in[0][i] = sign * static_cast<Sample>(kLeftStep / 2);
      in[1][i] = sign * static_cast<Sample>(kRightStep / 2);
    }
    Sample* inputs[] = {in[0].data(), in[1].data()};
    Sample* outputs[] = {out[0].data(), out[1].data()};
    process(effect, inputs, outputs, frames);
    const auto bytes = static_cast<size_t>(frames) * sizeof(Sample);
    for (int c = 0; c < 2; ++c) {
      if (std::memcmp(in[c].data(), out[c].data(), bytes) != 0) ++mismatches;
    }
  }

  AEffect* effect;
  long sampleCount = 0;
  std::array<std::vector<float>, 2> floatIn{std::vector<float>(kLargestBlock),
                                            std::vector<float>(kLargestBlock)};
  std::array<std::vector<float>, 2> floatOut = floatIn;
  std::array<std::vector<double>, 2> doubleIn{std::vector<double>(kLargestBlock),
                                              std::vector<double>(kLargestBlock)};
  std::array<std::vector<double>, 2> doubleOut = doubleIn;
};

// Runs `work` at least `minimum` times and then for as long as another thread has
// not done its own minimum, so that all threads overlap from start to end.
template <class Work>
int RepeatWhileOthersRun(std::atomic<int>& unfinished, int minimum, Work work) {
  int rounds = 0;
  do {
    work(rounds);
    if (++rounds == minimum) unfinished.fetch_sub(1, std::memory_order_acq_rel);
  } while (rounds < minimum || unfinished.load(std::memory_order_acquire) > 0);
  return rounds;
}

bool HistoryHoldsOnly(TVebriskEffect& s, Channel channel, double step) {
  bool sawStep = false;
  for (double i = 0; i < s.var.historyLength; ++i) {
    const double point = s.HistoryPoint(channel, i);
    if (point != 0 && point != step) return false;
    sawStep = sawStep || point == step;
  }
  return sawStep;
}

void ExpectHistoriesHoldOnlyTheSignalsSteps(PluginInstance& plugin) {
  ASSERT_TRUE(RenderEditorOffscreen(plugin.instance()));
  TVebriskEffect& s = plugin.script();
  EXPECT_TRUE(HistoryHoldsOnly(s, Channel::left, kLeftStep));
  EXPECT_TRUE(HistoryHoldsOnly(s, Channel::right, kRightStep));
}

std::vector<float> GetChunk(PluginInstance& plugin) {
  void* data = nullptr;
  const intptr_t size = plugin.dispatch(effGetChunk, 0, 0, &data);
  std::vector<float> chunk(size > 0 ? static_cast<size_t>(size) / sizeof(float) : 0);
  if (!chunk.empty()) std::memcpy(chunk.data(), data, chunk.size() * sizeof(float));
  return chunk;
}

// Init (run by resume and by the first accepted state load) rewrites what the other
// threads read; hosts never resume while processing, so both happen before the threads start.
void StartForThreads(PluginInstance& plugin) {
  plugin.start(48000.0f, kLargestBlock);
  std::vector<float> chunk = GetChunk(plugin);
  ASSERT_EQ(chunk.size(), kChunkFloats);
  plugin.dispatch(effSetChunk, 0, static_cast<intptr_t>(chunk.size() * sizeof(float)),
                  chunk.data());
}

}  // namespace

TEST(HostThreads, AudioEditorAndStateThreadsRunAtOnce) {
  PluginInstance plugin(ThreadSafeHost);
  ASSERT_NO_FATAL_FAILURE(StartForThreads(plugin));
  AudioThread audio(plugin.effect);
  std::atomic<int> unfinished{3};

  int emptyFrames = 0, refusedOpens = 0;
  std::thread editor([&] {
    // The host's UI thread: its own X connection and window, when there is a display.
    X11Host x;
    bool open = false;
    RepeatWhileOthersRun(unfinished, kEditorFrames, [&](int graphFrame) {
      if (x.available() && graphFrame % kFramesPerOpening == 0) {
        if (open) plugin.dispatch(effEditClose);
        open = plugin.dispatch(effEditOpen, 0, 0, x.parentHandle()) == 1;
        if (!open) ++refusedOpens;
      }
      if (!RenderEditorOffscreen(plugin.instance())) ++emptyFrames;
      plugin.dispatch(effEditIdle);
    });
    if (open) plugin.dispatch(effEditClose);
    if (x.available()) {
      EXPECT_EQ(x.hostErrors(), 0);
    }
  });
  int badChunks = 0;
  std::thread state([&] {
    RepeatWhileOthersRun(unfinished, kStateRounds, [&](int round) {
      std::vector<float> chunk = GetChunk(plugin);
      if (chunk.size() != kChunkFloats || chunk[0] != TVebrisk::kStateMarker) {
        ++badChunks;
        return;
      }
      for (size_t i = 1; i < chunk.size(); ++i)
        chunk[i] = static_cast<float>(round * 100 + static_cast<int>(i));
      plugin.dispatch(effSetChunk, 0, static_cast<intptr_t>(chunk.size() * sizeof(float)),
                      chunk.data());
      if (GetChunk(plugin) != chunk) ++badChunks;
    });
  });
  RepeatWhileOthersRun(unfinished, kAudioBlocks, [&](int block) { audio.process(block); });
  editor.join();
  state.join();

  EXPECT_EQ(audio.mismatches, 0);
  EXPECT_EQ(emptyFrames, 0);
  EXPECT_EQ(refusedOpens, 0);
  EXPECT_EQ(badChunks, 0);
  ExpectHistoriesHoldOnlyTheSignalsSteps(plugin);
}

// Engines process different tracks on different threads; the editors of both
// instances still draw on the one UI thread.
TEST(HostThreads, TwoInstancesProcessOnTwoThreadsWhileBothEditorsDraw) {
  PluginInstance first(ThreadSafeHost), second(ThreadSafeHost);
  ASSERT_NO_FATAL_FAILURE(StartForThreads(first));
  ASSERT_NO_FATAL_FAILURE(StartForThreads(second));
  AudioThread firstAudio(first.effect), secondAudio(second.effect);
  std::atomic<int> unfinished{3};
  auto runAudio = [&](AudioThread& audio) {
    RepeatWhileOthersRun(unfinished, kAudioBlocks, [&](int block) { audio.process(block); });
  };
  std::thread firstThread(runAudio, std::ref(firstAudio));
  std::thread secondThread(runAudio, std::ref(secondAudio));
  int emptyFrames = 0;
  RepeatWhileOthersRun(unfinished, kEditorFrames, [&](int) {
    for (PluginInstance* plugin : {&first, &second}) {
      if (!RenderEditorOffscreen(plugin->instance())) ++emptyFrames;
      plugin->dispatch(effEditIdle);
    }
  });
  firstThread.join();
  secondThread.join();

  EXPECT_EQ(firstAudio.mismatches, 0);
  EXPECT_EQ(secondAudio.mismatches, 0);
  EXPECT_EQ(emptyFrames, 0);
  ExpectHistoriesHoldOnlyTheSignalsSteps(first);
  ExpectHistoriesHoldOnlyTheSignalsSteps(second);
}
