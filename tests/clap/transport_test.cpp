// The host's transport as the meter's block section reads it: every field the
// host's flags vouch for, nothing of the others, and nothing at all when the
// host gives no transport (offline).
#include <gtest/gtest.h>

#include "clap/clap_meter.h"
#include "effect/meter_instance.h"
#include "effect/vebrisk_effect.h"
#include "tests/clap/host/processing.h"

namespace {

const clap_host kSilentHost{kClapVersion, nullptr, "",      "",      "",
                            "",           nullptr, nullptr, nullptr, nullptr};

struct SeenByTheMeter {
  double tempo, numerator, denominator, playState, beatPosition;
};

SeenByTheMeter ProcessWith(const clap_event_transport* transport) {
  ClapMeter meter(&kSilentHost, nullptr);
  EXPECT_TRUE(meter.init());
  EXPECT_TRUE(meter.activate(48000, 1, 64));
  EXPECT_TRUE(meter.startProcessing());
  float samples[16] = {};
  float* channels[] = {samples, samples};
  const clap_audio_buffer in = StereoBuffer(channels);
  clap_audio_buffer out = StereoBuffer(channels);
  const clap_process block{0, 16, transport, &in, &out, 1, 1, &kNoInputEvents, &kNoRoomForEvents};
  EXPECT_EQ(meter.process(block), CLAP_PROCESS_CONTINUE);
  const EffectVariables& var = MeterOf(meter.instance()).var;
  return {var.tempo, var.timeSigNumerator, var.timeSigDenominator, var.playState, var.beatPosition};
}

clap_event_transport Transport(uint32_t flags) {
  clap_event_transport transport{};
  transport.header = {sizeof transport, 0, kClapCoreEventSpace, kClapEventTransport, 0};
  transport.flags = flags;
  transport.tempo = 132;
  transport.tsig_num = 7;
  transport.tsig_denom = 8;
  transport.song_pos_beats = 10 * kClapFixedPointFactor + kClapFixedPointFactor / 4;
  return transport;
}

TEST(ClapTransport, FeedsWhatItsFlagsVouchFor) {
  const clap_event_transport full = Transport(
      CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_TIME_SIGNATURE |
      CLAP_TRANSPORT_HAS_BEATS_TIMELINE | CLAP_TRANSPORT_IS_PLAYING | CLAP_TRANSPORT_IS_RECORDING);
  const SeenByTheMeter seen = ProcessWith(&full);
  EXPECT_EQ(seen.tempo, 132);
  EXPECT_EQ(seen.numerator, 7);
  EXPECT_EQ(seen.denominator, 8);
  EXPECT_EQ(seen.playState, 1 + 4);
  EXPECT_EQ(seen.beatPosition, 10.25);

  const clap_event_transport stopped = Transport(CLAP_TRANSPORT_HAS_TEMPO);
  const SeenByTheMeter partial = ProcessWith(&stopped);
  EXPECT_EQ(partial.tempo, 132);
  EXPECT_EQ(partial.numerator, 0);
  EXPECT_EQ(partial.playState, 0);
  EXPECT_EQ(partial.beatPosition, 0);
}

TEST(ClapTransport, NoneGivenMeansNothingKnown) {
  const SeenByTheMeter seen = ProcessWith(nullptr);
  EXPECT_EQ(seen.tempo, 0);
  EXPECT_EQ(seen.numerator, 0);
  EXPECT_EQ(seen.playState, 0);
  EXPECT_EQ(seen.beatPosition, 0);
}

}  // namespace
