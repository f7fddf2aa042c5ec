// Hosts hand the plug-in's own chunk straight back to it (undo, A/B compare, preset
// copy), often edited in place: the bytes must be taken as if the host had copied
// them first, through the bank and the preset path alike.
#include <vector>

#include "tests/plugin_host/recording_host.h"

namespace {

constexpr int32_t kChunkBytes = 260;

class HandedBackChunks : public RecordingHost {
 protected:
  void TearDown() override {
    if (e != nullptr) Stop(e);
    RecordingHost::TearDown();
  }

  // A started effect with a known state loaded from the host's own copy (the marker,
  // then 0.25, 0.5, ...), and the plug-in's own chunk as effGetChunk hands it out.
  float* OwnChunkOfKnownState(int32_t index) {
    if (e != nullptr) Stop(e);
    e = Start();
    state.assign(kChunkBytes / sizeof(float), 0.0f);
    state[0] = -1000.0f;
    for (size_t i = 1; i < state.size(); ++i)
      state[i] = 0.25f * static_cast<float>(i);
    std::vector<float> hostsCopy = state;
    EXPECT_EQ(Dispatch(e, effSetChunk, 0, kChunkBytes, hostsCopy.data()), kChunkBytes);
    return OwnChunk(index);
  }

  float* OwnChunk(int32_t index) {
    void* data = nullptr;
    EXPECT_EQ(Dispatch(e, effGetChunk, index, 0, &data), kChunkBytes);
    EXPECT_NE(data, nullptr);
    return static_cast<float*>(data);
  }

  AEffect* e = nullptr;
  std::vector<float> state;
};

}  // namespace

TEST_F(HandedBackChunks, TheOwnChunkPassedBackUnchangedKeepsTheState) {
  for (int32_t index : {0, 1}) {
    float* own = OwnChunkOfKnownState(index);
    EXPECT_EQ(Dispatch(e, effSetChunk, index, kChunkBytes, own), kChunkBytes);
    EXPECT_EQ(SavedState(e, index), state) << "path " << index;
  }
}

TEST_F(HandedBackChunks, EditsMadeInPlaceAreTakenThroughBothPaths) {
  for (int32_t index : {0, 1}) {
    float* own = OwnChunkOfKnownState(index);
    own[3] = state[3] = 9.5f;
    own[64] = state[64] = -2.25f;
    EXPECT_EQ(Dispatch(e, effSetChunk, index, kChunkBytes, own), kChunkBytes);
    EXPECT_EQ(SavedState(e, 1 - index), state) << "path " << index;
  }
}

TEST_F(HandedBackChunks, APartOfTheOwnChunkSetsOnlyTheValuesItHolds) {
  float* own = OwnChunkOfKnownState(1);
  own[1] = state[1] = 7.0f;
  own[2] = state[2] = -7.0f;
  own[3] = 123.0f;  // past the three floats handed back
  EXPECT_EQ(Dispatch(e, effSetChunk, 1, 14, own), 14);
  EXPECT_EQ(SavedState(e), state);
}

TEST_F(HandedBackChunks, TheOwnChunkWithItsMarkerEditedAwayIsIgnored) {
  float* own = OwnChunkOfKnownState(0);
  own[0] = 1000.0f;
  own[5] = 42.0f;
  EXPECT_EQ(Dispatch(e, effSetChunk, 0, kChunkBytes, own), kChunkBytes);
  EXPECT_EQ(SavedState(e), state);
}

// An A/B compare: the host keeps a copy of A, hands back the plug-in's own B
// between blocks, a suspend and a resume, and then A again.
TEST_F(HandedBackChunks, AnABCompareBetweenBlocksKeepsBothStates) {
  float* own = OwnChunkOfKnownState(0);
  const std::vector<float> a = state;
  for (size_t i = 1; i < 65; ++i)
    own[i] = -own[i];
  const std::vector<float> b(own, own + 65);
  std::vector<float> left(64, 0.5f), right(64, -0.5f);
  float* io[] = {left.data(), right.data()};
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(Dispatch(e, effSetChunk, 0, kChunkBytes, own), kChunkBytes);
    e->processReplacing(e, io, io, 64);
    EXPECT_EQ(SavedState(e), b) << round;
    Dispatch(e, effMainsChanged, 0, 0);
    Dispatch(e, effMainsChanged, 0, 1);
    own = OwnChunk(1);
    EXPECT_EQ(std::vector<float>(own, own + 65), b) << round;
  }
  std::vector<float> copyOfA = a;
  EXPECT_EQ(Dispatch(e, effSetChunk, 1, kChunkBytes, copyOfA.data()), kChunkBytes);
  EXPECT_EQ(SavedState(e), a);
}
