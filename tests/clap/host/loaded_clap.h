// A test with the built .clap loaded by the test host and one plug-in made and
// initialised through its record, destroyed at the end.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/clap/host/clap_test_host.h"
#include "tests/clap/host/processing.h"

class LoadedClap : public ::testing::Test {
 protected:
  explicit LoadedClap(HostOffers offers = {}) : host(CLAP_PATH, offers) {}

  void SetUp() override {
    ASSERT_EQ(host.error(), "");
    plugin = host.create();
    ASSERT_NE(plugin, nullptr);
    ASSERT_TRUE(plugin->init(plugin));
  }
  void TearDown() override {
    if (plugin) plugin->destroy(plugin);
  }

  // Activated and processing, as a host starts a track.
  void start(double sampleRate = 48000, uint32_t maxFrames = 8192) {
    ASSERT_TRUE(plugin->activate(plugin, sampleRate, 1, maxFrames));
    onAudioThread([&] { ASSERT_TRUE(plugin->start_processing(plugin)); });
  }
  void stop() {
    onAudioThread([&] { plugin->stop_processing(plugin); });
    plugin->deactivate(plugin);
  }
  template <class Call>
  void onAudioThread(Call&& call) {
    host.thread = ClapTestHost::Thread::audio;
    call();
    host.thread = ClapTestHost::Thread::main;
  }
  template <class Sample>
  int32_t process(Sample* const inputs[2], Sample* const outputs[2], uint32_t frames,
                  const clap_event_transport* transport = nullptr, uint64_t* mask = nullptr) {
    int32_t status = CLAP_PROCESS_ERROR;
    onAudioThread(
        [&] { status = ProcessStereo(plugin, inputs, outputs, frames, transport, mask); });
    return status;
  }

  // 1024 frames of a square wave with steps of 0.5 on both channels: enough to
  // lift the graph's history off its floor.
  void playSquareWave() {
    std::vector<float> left(1024), right(1024);
    for (size_t i = 0; i < left.size(); ++i)
      left[i] = right[i] = (i / 8) % 2 ? 0.25f : -0.25f;
    float* channels[] = {left.data(), right.data()};
    process(channels, channels, 1024);
  }

  ClapTestHost host;
  const clap_plugin* plugin = nullptr;
};
