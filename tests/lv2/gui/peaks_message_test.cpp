// The UI's reading of the audio side's notify messages: what the audio side
// writes reads back as it was measured, and nothing else is taken.
#include "lv2/gui/peaks_message.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "lv2/lv2_facts.h"
#include "tests/lv2/gui/audio_side.h"
#include "tests/lv2/gui/foreign_events.h"
#include "tests/lv2/gui/object_writer.h"
#include "tests/lv2/host/urid_table.h"

namespace {

using namespace Lv2Facts;

class PeaksMessageReading : public ::testing::Test {
 protected:
  std::optional<PeaksMessage> Read(const std::vector<uint8_t>& bytes) {
    return ReadPeaksMessage(urids, transfer, bytes.data(), static_cast<uint32_t>(bytes.size()));
  }

  UridTable map;
  const PeaksMessageUrids urids = MapPeaksMessageUrids(*map.map());
  const uint32_t transfer = map.id(LV2_ATOM__eventTransfer);
};

// Alternating 0 and `step`: every step between samples is `step`.
std::vector<float> Steps(size_t frames, float step) {
  std::vector<float> samples(frames);
  for (size_t i = 0; i < frames; ++i)
    samples[i] = (i % 2) ? step : 0.0f;
  return samples;
}

}  // namespace

TEST_F(PeaksMessageReading, TheAudioSidesMessageReadsBackAsItWasMeasured) {
  AudioSide audio(map, 48000);
  const auto messages = audio.run(Steps(1000, 0.25f), Steps(1000, 0.125f));
  ASSERT_EQ(messages.size(), 1u);
  const auto message = Read(messages[0]);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->measured.peakLeft, 0.25);
  EXPECT_EQ(message->measured.peakRight, 0.125);
  EXPECT_EQ(message->measured.frames, 1000);
  EXPECT_EQ(message->sampleRate, 48000);
}

TEST_F(PeaksMessageReading, OrderUnknownPropertiesAndAlignmentDoNotMatter) {
  const auto reordered = ObjectWriter(map, kPeaksUri)
                             .real(kSampleRateUri, 96000)
                             .single("urn:elsewhere#gain", 2.0f)
                             .whole(kFramesUri, 64)
                             .real(kRightUri, 0.5)
                             .real(kLeftUri, 0)
                             .bytes();
  // One byte in: a host's buffer need not be aligned.
  std::vector<uint8_t> shifted(reordered.size() + 1);
  std::copy(reordered.begin(), reordered.end(), shifted.begin() + 1);
  for (const uint8_t* bytes : {reordered.data(), std::as_const(shifted).data() + 1}) {
    const auto message =
        ReadPeaksMessage(urids, transfer, bytes, static_cast<uint32_t>(reordered.size()));
    ASSERT_TRUE(message);
    EXPECT_EQ(message->measured.peakLeft, 0);
    EXPECT_EQ(message->measured.peakRight, 0.5);
    EXPECT_EQ(message->measured.frames, 64);
    EXPECT_EQ(message->sampleRate, 96000);
  }
}

TEST_F(PeaksMessageReading, AHostsBufferLargerThanTheMessageIsFine) {
  std::vector<uint8_t> bytes = PeaksMessageBytes(map, 0.1, 0.2, 30, 44100);
  bytes.resize(bytes.size() + 64, 0xFF);
  EXPECT_TRUE(Read(bytes));
}

TEST_F(PeaksMessageReading, NearMissesAreRefused) {
  // What each of them misses: this one is taken.
  ASSERT_TRUE(Read(PeaksMessageBytes(map, kForeignStep, kForeignStep, 1000, 48000)));
  for (const PortEvent& event : ForeignEvents(map, 48000)) {
    if (event.port != kNotify) continue;  // the port is the UI's to check
    SCOPED_TRACE(event.what);
    EXPECT_FALSE(ReadPeaksMessage(urids, event.format, event.bytes.data(), event.size));
  }
}

TEST_F(PeaksMessageReading, NothingIsReadFromNoBufferOrLessThanAnObjectsHeader) {
  const std::vector<uint8_t> bytes = PeaksMessageBytes(map, 0.1, 0.2, 30, 44100);
  EXPECT_FALSE(ReadPeaksMessage(urids, transfer, nullptr, static_cast<uint32_t>(bytes.size())));
  for (uint32_t size : {0u, 8u, 15u}) {
    SCOPED_TRACE(size);
    EXPECT_FALSE(ReadPeaksMessage(urids, transfer, bytes.data(), size));
  }
}
