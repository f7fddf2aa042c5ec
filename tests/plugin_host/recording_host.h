// A host for the tests in this folder that load the built library through its
// entry point: it answers the time requests as told and writes down every request
// the plug-in makes of it.
#pragma once

#include <cstring>
#include <vector>

#include "tests/plugin_host/loaded_plugin.h"

struct HostRequest {
  int32_t opcode;
  int32_t index;
  intptr_t value;
  void* ptr;
  float opt;
};

class RecordingHost : public LoadedPlugin {
 protected:
  void SetUp() override {
    LoadedPlugin::SetUp();
    timeInfo.sampleRate = 48000;
    timeInfo.tempo = 120;
    timeInfo.timeSigNumerator = 3;
    timeInfo.timeSigDenominator = 4;
    current = this;
  }
  void TearDown() override { current = nullptr; }

  // Open, rate, block size, resume: the usual start-up.
  AEffect* Start() {
    AEffect* e = library->create(Callback);
    EXPECT_NE(e, nullptr);
    if (e == nullptr) return nullptr;
    StartLikeAHost(e, 48000.0f, 256);
    return e;
  }

  static void Stop(AEffect* e) {
    Dispatch(e, effMainsChanged, 0, 0);
    EXPECT_EQ(Dispatch(e, effClose), 1);
  }

  // A copy of the chunk the plug-in hands out through the bank (0) or preset (1) path.
  static std::vector<float> SavedState(AEffect* e, int32_t index = 0) {
    void* data = nullptr;
    const intptr_t size = Dispatch(e, effGetChunk, index, 0, &data);
    std::vector<float> floats(static_cast<size_t>(size > 0 ? size : 0) / sizeof(float));
    if (!floats.empty()) std::memcpy(floats.data(), data, floats.size() * sizeof(float));
    return floats;
  }

  static intptr_t Callback(AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                           float opt) {
    RecordingHost* host = current;
    if (host == nullptr) return opcode == audioMasterVersion ? 2400 : 0;
    host->requests.push_back({opcode, index, value, ptr, opt});
    switch (opcode) {
      case audioMasterVersion:
        return 2400;
      case audioMasterGetTime:
        return host->answersTime ? reinterpret_cast<intptr_t>(&host->timeInfo) : 0;
      default:
        return 0;
    }
  }

  bool answersTime = true;
  VstTimeInfo timeInfo{};
  std::vector<HostRequest> requests;

  static inline RecordingHost* current = nullptr;
};
