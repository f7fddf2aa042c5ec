// The notify port: each run's measurements as one message, held back whole
// when the host gives too little room, and nothing at all without a URID map.
#include <gtest/gtest.h>

#include "tests/lv2/host/awkward_floats.h"
#include "tests/lv2/host/lilv_host.h"
#include "tests/lv2/host/meter_instance.h"
#include "tests/lv2/host/meter_reference.h"
#include "tests/lv2/host/metered_runs.h"

namespace {

class NotifyMessages : public Lv2HostTest {};

TEST_F(NotifyMessages, EachRunSendsOneMessageWithItsFramesAndLargestSteps) {
  unsigned seed = 0;
  for (double rate : {44100.0, 48000.0, 96000.0}) {
    SCOPED_TRACE(rate);
    HostFeatures features;
    MeterInstance meter(host->plugin(), rate, features);
    ASSERT_TRUE(meter.made());
    meter.activate();
    ExpectMeteredPassThrough(meter, rate, {1, 2, 0, 1470, 1471, 8192, 3, 700, 1}, Notify::messages,
                             seed += 2);
    meter.deactivate();
  }
}

TEST_F(NotifyMessages, AMessageWithoutRoomWaitsAndIsCarriedIntoTheNext) {
  constexpr double kRate = 44100;
  HostFeatures features;
  MeterInstance meter(host->plugin(), kRate, features);
  ASSERT_TRUE(meter.made());
  meter.activate();
  // A first run, then two per space tried: one with that space, one with plenty.
  constexpr uint32_t kFramesPerRun = 37;
  constexpr uint32_t kLargestSpace = 256;
  const size_t total = kFramesPerRun * (1 + 2 * (kLargestSpace + 1));
  Stereo in{AwkwardFloats(total, 11), AwkwardFloats(total, 12)};
  const std::vector<double> steps[] = {Steps(in[0]), Steps(in[1])};

  // The bytes a message takes, header included, as the plug-in writes it.
  meter.run(in, in, 0, kFramesPerRun);
  ASSERT_EQ(meter.messages().size(), 1u);
  const uint32_t messageBytes = sizeof(LV2_Atom) + meter.notifyAtom().size;
  ASSERT_LT(messageBytes, kLargestSpace);

  size_t done = kFramesPerRun, unsentFrom = kFramesPerRun;
  for (uint32_t space = 0; space <= kLargestSpace; ++space) {
    SCOPED_TRACE(testing::Message() << space << " bytes of space");
    for (uint32_t given : {space, MeterInstance::kRoomyNotify}) {
      meter.connectNotify(given);
      meter.run(in, in, done, kFramesPerRun);
      done += kFramesPerRun;
      const LV2_Atom& atom = meter.notifyAtom();
      const bool emptySequence = atom.type == features.urids.id(LV2_ATOM__Sequence) &&
                                 atom.size == sizeof(LV2_Atom_Sequence_Body);
      if (given < sizeof(LV2_Atom_Sequence)) {
        // No room even for a sequence's header: nothing a host would read as events.
        EXPECT_TRUE(atom.size == 0 || emptySequence);
        continue;
      }
      const std::vector<PeaksMessage> messages = meter.messages();
      // Below the message's own body no reading of the space fits it; at its
      // whole size, every reading does.
      if (given < messageBytes - sizeof(LV2_Atom)) {
        EXPECT_TRUE(emptySequence);
      }
      if (given >= messageBytes) {
        EXPECT_EQ(messages.size(), 1u);
      }
      if (messages.size() != 1) continue;
      EXPECT_EQ(messages[0].frames, static_cast<int64_t>(done - unsentFrom));
      EXPECT_EQ(messages[0].left, LargestStep(steps[0], unsentFrom, done));
      EXPECT_EQ(messages[0].right, LargestStep(steps[1], unsentFrom, done));
      unsentFrom = done;
    }
  }
  meter.deactivate();
}

TEST_F(NotifyMessages, UnconnectedTheAudioAndControlOutputsStillRun) {
  HostFeatures features;
  MeterInstance meter(host->plugin(), 44100, features);
  ASSERT_TRUE(meter.made());
  meter.disconnectNotify();
  meter.activate();
  ExpectMeteredPassThrough(meter, 44100, {1, 1470, 1471, 4096, 2}, Notify::nothing, 21);
  meter.deactivate();
}

// As lv2apply hosts it: no features at all.
TEST_F(NotifyMessages, WithoutAUridMapNothingIsWrittenAndTheRestRuns) {
  HostFeatures features(false);
  MeterInstance meter(host->plugin(), 44100, features);
  ASSERT_TRUE(meter.made());
  meter.activate();
  ExpectMeteredPassThrough(meter, 44100, {1, 1470, 1471, 4096, 2}, Notify::nothing, 31);
  meter.deactivate();
}

}  // namespace
