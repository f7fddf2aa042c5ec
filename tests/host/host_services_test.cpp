#include "core/host_services.h"

#include <gtest/gtest.h>

#include "tests/support/fake_host.h"
#include "vst2/cdazu.h"

class HostServices : public ::testing::Test {
 protected:
  FakeHost host;
  PluginInstance plugin;
  EffectInstance* instance = plugin.instance();
};

TEST_F(HostServices, EveryServiceAnswersZeroWithoutAnAdapter) {
  double tempo = 5;
  int32_t delta = 9;
  EXPECT_EQ(HostSampleRate(nullptr), 0.0f);
  EXPECT_EQ(HostInputCount(nullptr), 0);
  EXPECT_EQ(HostBlockSize(nullptr), 0);
  EXPECT_EQ(HostTempo(nullptr), 0.0);
  EXPECT_EQ(HostTempoAndSignature(nullptr, &tempo, nullptr, nullptr), 0);
  EXPECT_EQ(tempo, 5);
  EXPECT_EQ(HostSetLatency(nullptr, 64), 0);
  EXPECT_EQ(HostSendMidi(nullptr, 0, 0x90, 1, 2), 0);
  EXPECT_EQ(HostReceiveMidi(nullptr, &delta, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(host.requests.size(), 1u);  // only the version question of creation
}

TEST_F(HostServices, AdapterValuesUntilTheHostSetsThem) {
  EXPECT_EQ(HostSampleRate(instance), 44100.0f);
  EXPECT_EQ(HostBlockSize(instance), 1024);
  EXPECT_EQ(HostInputCount(instance), 2);
  EXPECT_EQ(HostOutputCount(instance), 2);
  plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  plugin.dispatch(effSetBlockSize, 0, 64);
  EXPECT_EQ(HostSampleRate(instance), 96000.0f);
  EXPECT_EQ(HostBlockSize(instance), 64);
}

TEST_F(HostServices, TimeQueriesReadTheFieldTheyAskForWithTheirFilter) {
  host.timeInfo.tempo = 120;
  host.timeInfo.timeSigNumerator = 3;
  host.timeInfo.timeSigDenominator = 4;
  host.timeInfo.ppqPos = 17.5;
  host.timeInfo.barStartPos = 16;
  host.timeInfo.flags = kVstTransportPlaying;
  double tempo = 0, numerator = 0, denominator = 0;
  EXPECT_EQ(HostTempoAndSignature(instance, &tempo, &numerator, &denominator), 1);
  EXPECT_EQ(tempo, 120.0);
  EXPECT_EQ(numerator, 3.0);
  EXPECT_EQ(denominator, 4.0);
  EXPECT_EQ(host.requests.back().value, 0x2400);
  EXPECT_EQ(HostTempo(instance), 120.0);
  EXPECT_EQ(host.requests.back().value, kVstTempoValid);
  EXPECT_EQ(HostIsPlaying(instance), 1);
  EXPECT_EQ(HostIsRecording(instance), 0);
  EXPECT_EQ(host.requests.back().value, kVstTransportRecording);
  EXPECT_EQ(HostPosition(instance), 17.5);
  EXPECT_EQ(HostBarStart(instance), 16.0);
}

TEST_F(HostServices, NoTimeInfoReadsAsZero) {
  host.hasTimeInfo = false;
  double tempo = 7;
  EXPECT_EQ(HostTempoAndSignature(instance, &tempo, nullptr, nullptr), 0);
  EXPECT_EQ(tempo, 7);
  EXPECT_EQ(HostTempo(instance), 0.0);
  EXPECT_EQ(HostIsPlaying(instance), 0);
  EXPECT_EQ(HostPosition(instance), 0.0);
}

TEST_F(HostServices, LatencyAndSynthFlagChangeOnlyTheRecord) {
  const size_t before = host.requests.size();
  EXPECT_EQ(HostSetLatency(instance, 64), 1);
  EXPECT_EQ(plugin.effect->initialDelay, 64);
  EXPECT_EQ(HostSetSynth(instance, true), 1);
  EXPECT_EQ(plugin.effect->flags, 0x1131);
  EXPECT_EQ(plugin.dispatch(effGetPlugCategory), 2);
  HostSetSynth(instance, false);
  EXPECT_EQ(plugin.effect->flags, 0x1031);
  EXPECT_EQ(host.requests.size(), before);
}

TEST_F(HostServices, DisplayUpdateReportsTheHostsAnswer) {
  EXPECT_EQ(HostUpdateDisplay(instance), 1);
  host.updateDisplayAnswer = 0;
  EXPECT_EQ(HostUpdateDisplay(instance), 0);
  EXPECT_EQ(host.count(audioMasterUpdateDisplay), 2);
}

TEST_F(HostServices, MidiAndSysExAreSentAsOneEventLists) {
  EXPECT_EQ(HostSendMidi(instance, 12, 0x190, 60, 127), 1);
  ASSERT_EQ(host.sentMidi.size(), 1u);
  const VstMidiEvent& midi = host.sentMidi[0];
  EXPECT_EQ(midi.byteSize, 32);
  EXPECT_EQ(midi.deltaFrames, 12);
  EXPECT_EQ(static_cast<unsigned char>(midi.midiData[0]), 0x90);  // low byte only
  EXPECT_EQ(midi.midiData[3], 0);

  char dump[] = {static_cast<char>(0xF0), 0x7E, static_cast<char>(0xF7)};
  host.processEventsAnswer = 2;
  EXPECT_EQ(HostSendSysex(instance, 1, dump, 3), 0);  // only exactly 1 means accepted
  ASSERT_EQ(host.sentSysex.size(), 1u);
  EXPECT_EQ(host.sentSysex[0].byteSize, 48);
  EXPECT_EQ(host.sentSysex[0].dumpBytes, 3);
  EXPECT_EQ(host.sentSysex[0].sysexDump, dump);
}

TEST_F(HostServices, AutomationTellsTheHostTheNarrowedValue) {
  EXPECT_EQ(HostAutomate(instance, 3, 0.1), 1);
  ASSERT_EQ(host.count(audioMasterAutomate), 1);
  EXPECT_EQ(host.requests.back().index, 3);
  EXPECT_EQ(host.requests.back().opt, 0.1f);
}
