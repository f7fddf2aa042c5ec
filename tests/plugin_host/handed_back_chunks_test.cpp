// Hosts hand the plug-in's own chunk straight back to it (undo, A/B compare, preset
// copy), often edited in place: the bytes must be taken as if the host had copied
// them first, through the bank and the preset path alike.
#include <vector>

#include "tests/plugin_host/recording_host.h"

namespace {

constexpr int32_t kChunkBytes = 260;

class HandedBackChunks : public RecordingHost {
 protected:
  // A known state loaded from the host's own copy: the marker, then 0.25, 0.5, ...
  static std::vector<float> LoadKnownState(AEffect* e) {
    std::vector<float> state(kChunkBytes / sizeof(float));
    state[0] = -1000.0f;
    for (size_t i = 1; i < state.size(); ++i)
      state[i] = 0.25f * static_cast<float>(i);
    EXPECT_EQ(Dispatch(e, effSetChunk, 0, kChunkBytes, state.data()), kChunkBytes);
    return state;
  }

  // The plug-in's own transfer buffer, as effGetChunk hands it out.
  static float* OwnChunk(AEffect* e, int32_t index) {
    void* data = nullptr;
    EXPECT_EQ(Dispatch(e, effGetChunk, index, 0, &data), kChunkBytes);
    return static_cast<float*>(data);
  }
};

}  // namespace

TEST_F(HandedBackChunks, TheOwnChunkPassedBackUnchangedKeepsTheState) {
  for (int32_t index : {0, 1}) {
    AEffect* e = Start();
    const std::vector<float> state = LoadKnownState(e);
    float* own = OwnChunk(e, index);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(Dispatch(e, effSetChunk, index, kChunkBytes, own), kChunkBytes) << index;
    EXPECT_EQ(SavedState(e, index), state) << "path " << index;
    Stop(e);
  }
}

TEST_F(HandedBackChunks, EditsMadeInPlaceAreTakenThroughBothPaths) {
  for (int32_t index : {0, 1}) {
    AEffect* e = Start();
    std::vector<float> state = LoadKnownState(e);
    float* own = OwnChunk(e, index);
    ASSERT_NE(own, nullptr);
    own[3] = state[3] = 9.5f;
    own[64] = state[64] = -2.25f;
    EXPECT_EQ(Dispatch(e, effSetChunk, index, kChunkBytes, own), kChunkBytes) << index;
    EXPECT_EQ(SavedState(e, 1 - index), state) << "path " << index;
    Stop(e);
  }
}

TEST_F(HandedBackChunks, APartOfTheOwnChunkSetsOnlyTheValuesItHolds) {
  AEffect* e = Start();
  std::vector<float> state = LoadKnownState(e);
  float* own = OwnChunk(e, 1);
  ASSERT_NE(own, nullptr);
  own[1] = state[1] = 7.0f;
  own[2] = state[2] = -7.0f;
  own[3] = 123.0f;  // past the three floats handed back
  EXPECT_EQ(Dispatch(e, effSetChunk, 1, 14, own), 14);
  EXPECT_EQ(SavedState(e), state);
  Stop(e);
}

TEST_F(HandedBackChunks, TheOwnChunkWithItsMarkerEditedAwayIsIgnored) {
  AEffect* e = Start();
  const std::vector<float> state = LoadKnownState(e);
  float* own = OwnChunk(e, 0);
  ASSERT_NE(own, nullptr);
  own[0] = 1000.0f;
  own[5] = 42.0f;
  EXPECT_EQ(Dispatch(e, effSetChunk, 0, kChunkBytes, own), kChunkBytes);
  EXPECT_EQ(SavedState(e), state);
  Stop(e);
}

// An A/B compare: the host keeps a copy of A, hands back the plug-in's own B
// between blocks, a suspend and a resume, and then A again.
TEST_F(HandedBackChunks, AnABCompareBetweenBlocksKeepsBothStates) {
  AEffect* e = Start();
  const std::vector<float> a = LoadKnownState(e);
  float* own = OwnChunk(e, 0);
  ASSERT_NE(own, nullptr);
  for (size_t i = 1; i < 65; ++i)
    own[i] = -own[i];
  std::vector<float> b(own, own + 65);
  std::vector<float> left(64, 0.5f), right(64, -0.5f);
  float* io[] = {left.data(), right.data()};
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(Dispatch(e, effSetChunk, 0, kChunkBytes, own), kChunkBytes);
    e->processReplacing(e, io, io, 64);
    EXPECT_EQ(SavedState(e), b) << round;
    Dispatch(e, effMainsChanged, 0, 0);
    Dispatch(e, effMainsChanged, 0, 1);
    own = OwnChunk(e, 1);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(std::vector<float>(own, own + 65), b) << round;
  }
  std::vector<float> copyOfA = a;
  EXPECT_EQ(Dispatch(e, effSetChunk, 1, kChunkBytes, copyOfA.data()), kChunkBytes);
  EXPECT_EQ(SavedState(e), a);
  Stop(e);
}
