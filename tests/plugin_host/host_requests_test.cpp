// What the plug-in asks of its host per block, and how it takes the host's
// switching of the mains with values a host may send.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "tests/plugin_host/recording_host.h"

namespace {

// Tempo and signature, playing, recording, musical position.
const intptr_t kBlockTimeFilters[] = {0x2400, 0x2, 0x8, 0x200};

class HostRequests : public RecordingHost {
 protected:
  // One block in each precision and one of no frames; each must ask for exactly
  // the four time values, in order, with index 0, no pointer and no opt.
  void ExpectFourTimeRequestsPerBlock(AEffect* e) {
    std::vector<float> left(64, 0.25f), right(64, -0.25f);
    std::vector<double> leftD(64, 0.25), rightD(64, -0.25);
    float* io[] = {left.data(), right.data()};
    double* ioD[] = {leftD.data(), rightD.data()};
    for (int block = 0; block < 3; ++block) {
      requests.clear();
      if (block == 0) e->processReplacing(e, io, io, 64);
      if (block == 1) e->processDoubleReplacing(e, ioD, ioD, 64);
      if (block == 2) e->processReplacing(e, io, io, 0);
      ASSERT_EQ(requests.size(), std::size(kBlockTimeFilters)) << "block " << block;
      for (size_t i = 0; i < requests.size(); ++i) {
        const HostRequest& r = requests[i];
        EXPECT_EQ(r.opcode, audioMasterGetTime) << block << "/" << i;
        EXPECT_EQ(r.index, 0) << block << "/" << i;
        EXPECT_EQ(r.value, kBlockTimeFilters[i]) << block << "/" << i;
        EXPECT_EQ(r.ptr, nullptr) << block << "/" << i;
        EXPECT_EQ(r.opt, 0.0f) << block << "/" << i;
      }
    }
    EXPECT_EQ(left, std::vector<float>(64, 0.25f));
    EXPECT_EQ(rightD, std::vector<double>(64, -0.25));
  }

  // The resume's init section asks for the tempo alone (filter 0x400); a suspend asks nothing.
  bool Resumed() const {
    return std::count_if(requests.begin(), requests.end(), [](const HostRequest& r) {
             return r.opcode == audioMasterGetTime && r.value == 0x400;
           }) == 1;
  }
};

}  // namespace

TEST_F(HostRequests, EachBlockAsksForTheFourTimeValuesInOrder) {
  AEffect* e = Start();
  timeInfo.flags = 0x2 | 0x8 | 0x200 | 0x400 | 0x2000;
  ExpectFourTimeRequestsPerBlock(e);
  Stop(e);
}

TEST_F(HostRequests, AHostWithoutTimeInfoIsAskedTheSameAndTheAudioPasses) {
  answersTime = false;
  AEffect* e = Start();
  ExpectFourTimeRequestsPerBlock(e);
  answersTime = true;
  ExpectFourTimeRequestsPerBlock(e);
  Stop(e);
}

TEST_F(HostRequests, EveryMainsValueOtherThanZeroResumes) {
  AEffect* e = Start();
  for (const intptr_t value :
       {intptr_t{2}, intptr_t{-1}, intptr_t{1} << 32, std::numeric_limits<intptr_t>::max(),
        std::numeric_limits<intptr_t>::min(), intptr_t{0x7FFFFFFF}}) {
    requests.clear();
    EXPECT_EQ(Dispatch(e, effMainsChanged, 0, value), 0) << value;
    EXPECT_TRUE(Resumed()) << value;
    requests.clear();
    EXPECT_EQ(Dispatch(e, effMainsChanged, 0, 0), 0) << value;
    EXPECT_TRUE(requests.empty()) << "a suspend after " << value << " asked the host";
  }
  // Resumed twice in a row, by odd values, and the audio still passes.
  Dispatch(e, effMainsChanged, 0, -1);
  Dispatch(e, effMainsChanged, 0, 2);
  ExpectFourTimeRequestsPerBlock(e);
  Stop(e);
}
