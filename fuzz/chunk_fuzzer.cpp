// Any bytes as a state chunk, then a save and a block of audio: whatever a host
// loads, the plug-in keeps its state well formed and its audio untouched. The same
// bytes then go back in the plug-in's own chunk, written over it in place, as hosts
// hand a chunk back for undo or an A/B compare.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "tools/loader/plugin_library.h"
#include "vst2/plugin/create_effect.h"

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

// What a save holds after loading the first `count` of `loaded` over a state that
// saved as `before`: a chunk that starts with the marker sets the sliders it
// carries; anything else leaves them as they were.
std::vector<float> ExpectedLoad(std::vector<float> before, const std::vector<float>& loaded,
                                size_t count) {
  if (count == 0 || loaded[0] != kStateMarker) return before;
  for (size_t i = 1; i < kSavedFloats && i < count; ++i)
    before[i] = loaded[i];
  return before;
}

// The same for a fresh instance, whose sliders are all 0.
std::vector<float> ExpectedSave(const std::vector<float>& loaded) {
  std::vector<float> fresh(kSavedFloats, 0.0f);
  fresh[0] = kStateMarker;
  return ExpectedLoad(fresh, loaded, loaded.size());
}

std::vector<float> RequireSaveHolds(AEffect* e, const std::vector<float>& expected) {
  std::vector<float> saved = Save(e);
  for (size_t i = 0; i < kSavedFloats; ++i)
    Require(SameValue(saved[i], expected[i]), "a save holds what was loaded");
  return saved;
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
  StartLikeAHost(e, 48000.0f, 512);

  const std::vector<float> loaded = ValuesFrom<float>(data, size / sizeof(float));
  {
    // The host's copy goes away after the call: the plug-in may keep no pointer into it.
    const std::vector<uint8_t> chunk(data, data + size);
    const auto byteSize = static_cast<intptr_t>(size);
    Require(Dispatch(e, effSetChunk, 0, byteSize, const_cast<uint8_t*>(chunk.data())) == byteSize,
            "a load answers its size");
  }
  const std::vector<float> before = RequireSaveHolds(e, ExpectedSave(loaded));

  // An odd length goes back through the preset path, an even one through the bank's.
  const auto index = static_cast<int32_t>(size & 1);
  void* own = nullptr;
  const intptr_t ownSize = Dispatch(e, effGetChunk, index, 0, &own);
  Require(ownSize == kSavedFloats * sizeof(float) && own != nullptr, "a save is 65 floats");
  const size_t handedBack = std::min(size, static_cast<size_t>(ownSize));
  if (handedBack > 0) std::memcpy(own, data, handedBack);
  const std::vector<float> edited = ValuesFrom<float>(static_cast<uint8_t*>(own), kSavedFloats);
  const auto backSize = static_cast<intptr_t>(handedBack);
  Require(Dispatch(e, effSetChunk, index, backSize, own) == backSize,
          "a load of the own chunk answers its size");
  RequireSaveHolds(e, ExpectedLoad(before, edited, handedBack / sizeof(float)));

  RequireAudioPassesThrough<float>(e, data, size, e->processReplacing);
  RequireAudioPassesThrough<double>(e, data, size, e->processDoubleReplacing);
  Dispatch(e, effMainsChanged, 0, 0);
  Require(Dispatch(e, effClose) == 1, "close answers 1");
  return 0;
}
