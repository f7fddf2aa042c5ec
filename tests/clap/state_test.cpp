// The state through the host's streams: the chunk's 260 bytes, written and read
// in loops however little a stream moves at a time, taken back exactly by a
// fresh plug-in, and anything else refused without a change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/clap/host/loaded_clap.h"
#include "tools/loader/minimal_host.h"
#include "tools/loader/plugin_library.h"

namespace {

// The marker and 64 sliders, as in the VST chunk and the LV2 state.
constexpr size_t kChunkBytes = sizeof(float) * (1 + 64);
constexpr float kMarker = -1000.0f;

// A stream over bytes that moves at most `step` bytes a call; -1 once `failAt` is reached.
struct ByteStream {
  std::vector<uint8_t> bytes;
  size_t position = 0;
  uint64_t step = 1;
  size_t failAt = SIZE_MAX;
};

int64_t Read(const clap_istream* stream, void* buffer, uint64_t size) {
  auto& s = *static_cast<ByteStream*>(stream->ctx);
  if (s.position >= s.failAt) return -1;
  const size_t count = std::min<uint64_t>({size, s.step, s.bytes.size() - s.position});
  if (count > 0) std::memcpy(buffer, s.bytes.data() + s.position, count);
  s.position += count;
  return static_cast<int64_t>(count);
}

int64_t Write(const clap_ostream* stream, const void* buffer, uint64_t size) {
  auto& s = *static_cast<ByteStream*>(stream->ctx);
  if (s.bytes.size() >= s.failAt) return -1;
  const size_t count = std::min(size, s.step);
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  s.bytes.insert(s.bytes.end(), bytes, bytes + count);
  return static_cast<int64_t>(count);
}

class ClapState : public LoadedClap {
 protected:
  const clap_plugin_state* state() {
    return PluginExtension<clap_plugin_state>(plugin, kClapExtState);
  }
  std::vector<uint8_t> save(const clap_plugin* from, uint64_t step = 1) {
    ByteStream stream{.bytes = {}, .step = step};
    const clap_ostream out{&stream, Write};
    EXPECT_TRUE(state()->save(from, &out));
    return stream.bytes;
  }
  bool load(const clap_plugin* into, const std::vector<uint8_t>& bytes, uint64_t step = 1,
            size_t failAt = SIZE_MAX) {
    ByteStream stream{bytes, 0, step, failAt};
    const clap_istream in{&stream, Read};
    return state()->load(into, &in);
  }
  // A whole state unlike the default: every slider a value of its own.
  static std::vector<uint8_t> Distinct() {
    std::vector<uint8_t> chunk(kChunkBytes);
    std::memcpy(chunk.data(), &kMarker, sizeof kMarker);
    for (size_t slider = 1; slider <= 64; ++slider) {
      const float value = 0.25f * static_cast<float>(slider) * (slider % 2 ? -1.0f : 1.0f);
      std::memcpy(&chunk[slider * sizeof(float)], &value, sizeof value);
    }
    return chunk;
  }
};

TEST_F(ClapState, IsTheChunkAndTravelsIntoAFreshPluginByteByByte) {
  const std::vector<uint8_t> initial = save(plugin);
  ASSERT_EQ(initial.size(), kChunkBytes);
  float marker = 0;
  std::memcpy(&marker, initial.data(), sizeof marker);
  EXPECT_EQ(marker, kMarker);

  ASSERT_TRUE(load(plugin, Distinct()));
  EXPECT_EQ(save(plugin, 1000), Distinct());

  const clap_plugin* fresh = host.create();
  ASSERT_TRUE(fresh->init(fresh));
  ASSERT_TRUE(load(fresh, save(plugin), 7));
  EXPECT_EQ(save(fresh), Distinct());
  fresh->destroy(fresh);
}

TEST_F(ClapState, AnythingButAWholeStateIsRefusedAndChangesNothing) {
  ASSERT_TRUE(load(plugin, Distinct()));
  std::vector<uint8_t> shortState = Distinct(), longState = Distinct(), foreign = Distinct();
  shortState.pop_back();
  longState.push_back(0);
  const float otherMarker = 1.0f;
  std::memcpy(foreign.data(), &otherMarker, sizeof otherMarker);
  for (const auto& bytes : {shortState, longState, foreign, std::vector<uint8_t>{}})
    EXPECT_FALSE(load(plugin, bytes));
  EXPECT_FALSE(load(plugin, std::vector<uint8_t>(kChunkBytes, 0)));
  EXPECT_FALSE(load(plugin, Distinct(), 16, 100)) << "a read error halfway";
  EXPECT_EQ(save(plugin), Distinct());

  ByteStream full{.bytes = {}, .failAt = 0};
  const clap_ostream failing{&full, Write};
  EXPECT_FALSE(state()->save(plugin, &failing));
}

// A host moving a session between formats: the VST plug-in takes the CLAP state
// as its chunk and gives the same bytes back.
TEST_F(ClapState, IsTheVstChunkByteForByte) {
  PluginLibrary vst(VST_PLUGIN_PATH);
  ASSERT_TRUE(vst.loaded()) << vst.error();
  AEffect* effect = vst.create(MinimalHostCallback);
  ASSERT_NE(effect, nullptr);
  Dispatch(effect, effOpen);
  ASSERT_TRUE(load(plugin, Distinct()));
  std::vector<uint8_t> state = save(plugin);
  ASSERT_EQ(Dispatch(effect, effSetChunk, 0, static_cast<intptr_t>(state.size()), state.data()),
            static_cast<intptr_t>(state.size()));
  void* chunk = nullptr;
  const intptr_t size = Dispatch(effect, effGetChunk, 0, 0, &chunk);
  ASSERT_EQ(size, static_cast<intptr_t>(kChunkBytes));
  const auto* bytes = static_cast<const uint8_t*>(chunk);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + size), Distinct());
  Dispatch(effect, effClose);
}

}  // namespace
