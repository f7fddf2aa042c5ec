// The host's calls in the order CLAP gives them, and out of it: each mistake is
// refused or answered safely, and reported once as host misbehaviour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/clap/host/loaded_clap.h"

namespace {

using Strings = std::vector<std::string>;

class ClapLifecycle : public LoadedClap {};

TEST_F(ClapLifecycle, InOrderNothingIsReported) {
  for (int round = 0; round < 2; ++round) {
    start();
    float silence[64] = {};
    float* channels[] = {silence, silence};
    EXPECT_EQ(process(channels, channels, 64), CLAP_PROCESS_CONTINUE);
    onAudioThread([&] { plugin->reset(plugin); });
    stop();
  }
  EXPECT_EQ(host.misbehaviour(), Strings{});
}

TEST_F(ClapLifecycle, CallsOutOfOrderAreRefusedAndReportedOnce) {
  float samples[16] = {};
  float* channels[] = {samples, samples};
  EXPECT_EQ(process(channels, channels, 16), CLAP_PROCESS_ERROR);
  EXPECT_EQ(process(channels, channels, 16), CLAP_PROCESS_ERROR);
  onAudioThread([&] { EXPECT_FALSE(plugin->start_processing(plugin)); });
  plugin->deactivate(plugin);
  EXPECT_FALSE(plugin->init(plugin));
  EXPECT_FALSE(plugin->activate(plugin, 0, 1, 64));
  EXPECT_FALSE(plugin->activate(plugin, 48000, 128, 64));
  ASSERT_TRUE(plugin->activate(plugin, 48000, 1, 64));
  EXPECT_FALSE(plugin->activate(plugin, 48000, 1, 64));
  EXPECT_EQ(process(channels, channels, 16), CLAP_PROCESS_ERROR);
  EXPECT_EQ(host.misbehaviour(),
            (Strings{"process called without start_processing",
                     "start_processing called while inactive or processing",
                     "deactivate called while inactive or processing", "init called twice",
                     "activate called with an impossible sample rate or block size",
                     "activate called before init, or while active"}));
}

TEST_F(ClapLifecycle, ProcessWithoutItsBuffersIsAnErrorNotACrash) {
  start();
  float samples[16] = {};
  float* channels[] = {samples, nullptr};
  EXPECT_EQ(process(channels, channels, 16), CLAP_PROCESS_ERROR);
  onAudioThread([&] { EXPECT_EQ(plugin->process(plugin, nullptr), CLAP_PROCESS_ERROR); });
  clap_process none{-1, 16, nullptr, nullptr, nullptr, 0, 0, &kNoInputEvents, &kNoRoomForEvents};
  onAudioThread([&] { EXPECT_EQ(plugin->process(plugin, &none), CLAP_PROCESS_ERROR); });
  // Mixed precisions, which the ports' common-sample-size flag rules out.
  double wide[16] = {};
  double* wideChannels[] = {wide, wide};
  float* narrow[] = {samples, samples};
  const clap_audio_buffer in = StereoBuffer(narrow);
  clap_audio_buffer out = StereoBuffer(wideChannels);
  const clap_process mixed{-1, 16, nullptr, &in, &out, 1, 1, &kNoInputEvents, &kNoRoomForEvents};
  onAudioThread([&] { EXPECT_EQ(plugin->process(plugin, &mixed), CLAP_PROCESS_ERROR); });
  EXPECT_EQ(host.misbehaviour(),
            (Strings{"process called with missing or mixed-precision audio buffers",
                     "process called without the stereo input and output"}));
}

TEST_F(ClapLifecycle, DestroyWhileProcessingEndsSafelyAndIsReported) {
  start();
  plugin->destroy(plugin);
  plugin = nullptr;
  EXPECT_EQ(host.misbehaviour(), Strings{"destroy called while the plug-in was active"});
}

TEST_F(ClapLifecycle, CallsOnTheWrongThreadAreReported) {
  host.thread = ClapTestHost::Thread::audio;
  ASSERT_TRUE(plugin->activate(plugin, 48000, 1, 64));
  host.thread = ClapTestHost::Thread::main;
  ASSERT_TRUE(plugin->start_processing(plugin));
  float samples[16] = {};
  float* channels[] = {samples, samples};
  EXPECT_EQ(ProcessStereo(plugin, channels, channels, 16), CLAP_PROCESS_CONTINUE);
  EXPECT_EQ(host.misbehaviour(), (Strings{"activate called off the main thread",
                                          "start_processing called off the audio thread",
                                          "process called off the audio thread"}));
}

class ClapWithoutLog : public LoadedClap {
 protected:
  ClapWithoutLog() : LoadedClap(HostOffers{.log = false, .threadCheck = false}) {}
};

TEST_F(ClapWithoutLog, MistakesAreStillRefused) {
  float samples[16] = {};
  float* channels[] = {samples, samples};
  EXPECT_EQ(process(channels, channels, 16), CLAP_PROCESS_ERROR);
  EXPECT_FALSE(plugin->init(plugin));
  EXPECT_TRUE(host.logged().empty());
}

}  // namespace
