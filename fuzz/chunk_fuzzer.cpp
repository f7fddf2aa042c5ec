// Any bytes as a state chunk, then a save and a block of audio: whatever a host
// loads, the plug-in keeps its state well formed and its audio untouched.
#include <cmath>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "plugin/create_effect.h"
#include "tools/loader/plugin_library.h"

namespace {

constexpr size_t kSavedFloats = 65;
constexpr float kStateMarker = -1000.0f;

// A loaded value that is no plain number may come back as anything.
bool SameValue(float saved, float expected) {
  return saved == expected || !std::isfinite(expected);
}

std::vector<float> Save(AEffect* e) {
  void* data = nullptr;
  const intptr_t size = Dispatch(e, effGetChunk, 0, 0, &data);
  Require(size == kSavedFloats * sizeof(float) && data != nullptr, "a save is 65 floats");
  std::vector<float> saved(kSavedFloats);
  std::memcpy(saved.data(), data, static_cast<size_t>(size));
  return saved;
}

// What a save after loading `bytes` into a fresh instance holds: a chunk that starts
// with the marker sets the sliders it carries; anything else leaves them at 0.
std::vector<float> ExpectedSave(const std::vector<float>& loaded) {
  std::vector<float> expected(kSavedFloats, 0.0f);
  expected[0] = kStateMarker;
  if (loaded.empty() || loaded[0] != kStateMarker) return expected;
  for (size_t i = 1; i < kSavedFloats && i < loaded.size(); ++i)
    expected[i] = loaded[i];
  return expected;
}

// The input's bytes as the two channels of one block.
template <class Sample>
void RequireAudioPassesThrough(AEffect* e, const uint8_t* data, size_t size,
                               void (*process)(AEffect*, Sample**, Sample**, int32_t)) {
  const size_t frames = size / (2 * sizeof(Sample));
  RequirePassThrough(e, process, ValuesFrom<Sample>(data, frames),
                     ValuesFrom<Sample>(data + frames * sizeof(Sample), frames));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  AEffect* e = CreateEffect(FuzzHost);
  Require(e != nullptr, "a VST host gets an effect");
  Dispatch(e, effOpen);
  Dispatch(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  Dispatch(e, effSetBlockSize, 0, 512);
  Dispatch(e, effMainsChanged, 0, 1);

  const std::vector<float> loaded = ValuesFrom<float>(data, size / sizeof(float));
  {
    // The host's copy goes away after the call: the plug-in may keep no pointer into it.
    const std::vector<uint8_t> chunk(data, data + size);
    const auto byteSize = static_cast<intptr_t>(size);
    Require(Dispatch(e, effSetChunk, 0, byteSize, const_cast<uint8_t*>(chunk.data())) == byteSize,
            "a load answers its size");
  }
  const std::vector<float> saved = Save(e);
  const std::vector<float> expected = ExpectedSave(loaded);
  for (size_t i = 0; i < kSavedFloats; ++i)
    Require(SameValue(saved[i], expected[i]), "a save holds what was loaded");

  RequireAudioPassesThrough<float>(e, data, size, e->processReplacing);
  RequireAudioPassesThrough<double>(e, data, size, e->processDoubleReplacing);
  Dispatch(e, effMainsChanged, 0, 0);
  Require(Dispatch(e, effClose) == 1, "close answers 1");
  return 0;
}
