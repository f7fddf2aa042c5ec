#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "effect/vebrisk_effect.h"
#include "runtime/frame_services.h"
#include "tests/support/fake_host.h"
#include "vst2/cdazu.h"
#include "vst2/plugin/create_effect.h"

TEST(Adapter, RecordAfterCreation) {
  FakeHost host;
  PluginInstance plugin;
  const AEffect& e = *plugin.effect;
  EXPECT_EQ(e.magic, 0x56737450);
  EXPECT_EQ(e.numPrograms, 1);
  EXPECT_EQ(e.numParams, 0);
  EXPECT_EQ(e.numInputs, 2);
  EXPECT_EQ(e.numOutputs, 2);
  EXPECT_EQ(e.flags, 0x1031);
  EXPECT_EQ(e.uniqueID, 6248);
  EXPECT_EQ(e.version, 1);
  EXPECT_EQ(e.initialDelay, 0);
  EXPECT_EQ(e.ioRatio, 1.0f);
  EXPECT_EQ(e.object, plugin.adapter());
  EXPECT_EQ(e.user, nullptr);
  const char zeros[56] = {};
  EXPECT_EQ(std::memcmp(e.future, zeros, 56), 0);
  EXPECT_EQ(host.count(audioMasterVersion), 1);
}

TEST(Adapter, CreationAsksNothingMoreOfTheHostAndStartsNoSection) {
  FakeHost host;
  PluginInstance plugin;
  EXPECT_EQ(host.requests.size(), 1u);
  EXPECT_TRUE(plugin.script().Strings.empty());  // open has not run
}

TEST(Adapter, AHostAnsweringZeroToVersionGetsNoRecord) {
  FakeHost host;
  host.versionAnswer = 0;
  EXPECT_EQ(CreateEffect(FakeHost::callback), nullptr);
  EXPECT_EQ(CreateEffect(nullptr), nullptr);
}

TEST(Adapter, TheAccumulatingProcessLeavesTheOutputs) {
  FakeHost host;
  PluginInstance plugin;
  plugin.start();
  std::vector<float> in(16, 0.5f), out(16, 0.25f);
  float* ins[] = {in.data(), in.data()};
  float* outs[] = {out.data(), out.data()};
  plugin.effect->process(plugin.effect, ins, outs, 16);
  EXPECT_EQ(out, std::vector<float>(16, 0.25f));
}

TEST(Adapter, CloseAnswersOneAndReleasesEverything) {
  FakeHost host;
  AEffect* effect = CreateEffect(FakeHost::callback);
  ASSERT_NE(effect, nullptr);
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(Adapter, TheEntryModulesTableLeavesKeysOutAndIndexedNamesUnanswered) {
  const InstanceHooks hooks = FrameServices::MakeFrameHooks<TVebriskEffect>();
  EXPECT_EQ(hooks.KeyDown, nullptr);
  EXPECT_EQ(hooks.KeyUp, nullptr);
  char name[8] = "keep";
  EXPECT_EQ(hooks.GetProgramNameIndexed(nullptr, 0, 0, name), 0);
  EXPECT_STREQ(name, "keep");
}

// An adapter whose every hook is missing answers each request with its default.
TEST(Adapter, MissingHooksGiveTheDefaultAnswers) {
  FakeHost host;
  CDaZU* adapter = CDaZU::create(nullptr, InstanceHooks{}, FakeHost::callback, 1, 0);
  ASSERT_NE(adapter, nullptr);
  AEffect* effect = adapter->getAeffect();
  const auto dispatch = [&](int32_t opcode, int32_t index = 0, intptr_t value = 0,
                            void* ptr = nullptr) {
    return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
  };
  dispatch(effOpen);
  dispatch(effMainsChanged, 0, 1);
  char text[64] = "keep";
  for (const int32_t opcode : {effGetEffectName, effGetVendorString, effGetProductString}) {
    EXPECT_EQ(dispatch(opcode, 0, 0, text), 0) << opcode;
    EXPECT_STREQ(text, "keep") << opcode;
  }
  EXPECT_EQ(dispatch(effGetVendorVersion), 0);
  void* chunk = text;
  EXPECT_EQ(dispatch(effGetChunk, 0, 0, &chunk), 0);
  EXPECT_EQ(dispatch(effSetChunk, 0, 4, text), 0);
  EXPECT_EQ(effect->getParameter(effect, 0), 0.0f);
  std::vector<float> samples(8, 0.5f);
  float* io[] = {samples.data(), samples.data()};
  effect->processReplacing(effect, io, io, 8);
  EXPECT_EQ(samples, std::vector<float>(8, 0.5f));
  ERect* rect = nullptr;
  EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 0);  // no editor without the setup hook
  EXPECT_EQ(dispatch(effClose), 1);
}

namespace {
VstMidiEvent Note(int32_t delta, unsigned char status, unsigned char key) {
  VstMidiEvent e{};
  e.type = kVstMidiType;
  e.byteSize = sizeof e;
  e.deltaFrames = delta;
  e.midiData[0] = static_cast<char>(status);
  e.midiData[1] = static_cast<char>(key);
  e.midiData[2] = 100;
  return e;
}

struct EventList {
  explicit EventList(std::vector<VstEvent*> events) : pointers(std::move(events)) {
    storage.resize(sizeof(VstEvents) + pointers.size() * sizeof(VstEvent*));
    auto* list = reinterpret_cast<VstEvents*>(storage.data());
    list->numEvents = static_cast<int32_t>(pointers.size());
    std::memcpy(list->events, pointers.data(), pointers.size() * sizeof(VstEvent*));
  }
  VstEvents* get() { return reinterpret_cast<VstEvents*>(storage.data()); }
  std::vector<VstEvent*> pointers;
  std::vector<unsigned char> storage;
};
}  // namespace

TEST(Adapter, MidiEventsAreKeptInOrderAndSysExIsSkipped) {
  FakeHost host;
  PluginInstance plugin;
  VstMidiEvent a = Note(3, 0x90, 60), b = Note(5, 0x80, 61), c = Note(7, 0xB0, 7);
  VstMidiSysexEvent sysex{};
  sysex.type = kVstSysExType;
  EventList list({reinterpret_cast<VstEvent*>(&a), reinterpret_cast<VstEvent*>(&sysex),
                  reinterpret_cast<VstEvent*>(&b), reinterpret_cast<VstEvent*>(&c)});
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, list.get()), 1);
  EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, nullptr), 1);

  CDaZU* adapter = plugin.adapter();
  EXPECT_EQ(adapter->getMidiWriteIndex(), 3);
  int32_t delta, status, data1, data2;
  ASSERT_EQ(adapter->receiveMidi(&delta, &status, &data1, &data2), 1);
  EXPECT_EQ(delta, 3);
  EXPECT_EQ(status, -112);  // 0x90 as a signed byte
  EXPECT_EQ(data1, 60);
  EXPECT_EQ(data2, 100);
  adapter->receiveMidi(&delta, &status, &data1, &data2);
  adapter->receiveMidi(&delta, &status, &data1, &data2);
  EXPECT_EQ(delta, 7);
  EXPECT_EQ(adapter->receiveMidi(&delta, &status, &data1, &data2), 0);
  EXPECT_EQ(delta | status | data1 | data2, 0);
}

TEST(Adapter, AFullMidiRingOverwritesAndReadsAsHoldingOnlyTheNewest) {
  FakeHost host;
  PluginInstance plugin;
  std::vector<VstMidiEvent> notes;
  for (int i = 0; i < 1001; ++i)
    notes.push_back(Note(i, 0x90, static_cast<unsigned char>(i)));
  std::vector<VstEvent*> pointers;
  for (auto& n : notes)
    pointers.push_back(reinterpret_cast<VstEvent*>(&n));
  EventList list(pointers);
  plugin.dispatch(effProcessEvents, 0, 0, list.get());
  CDaZU* adapter = plugin.adapter();
  EXPECT_EQ(adapter->getMidiWriteIndex(), 1);
  int32_t delta, status, data1, data2;
  ASSERT_EQ(adapter->receiveMidi(&delta, &status, &data1, &data2), 1);
  EXPECT_EQ(delta, 1000);
  EXPECT_EQ(adapter->receiveMidi(&delta, &status, &data1, &data2), 0);
}
