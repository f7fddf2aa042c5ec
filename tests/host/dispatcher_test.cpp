#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "effect/vebrisk_effect.h"
#include "tests/support/fake_host.h"

namespace {

class Dispatcher : public ::testing::Test {
 protected:
  // The text an opcode writes into a 128-byte buffer; bytes past `limit` must stay untouched.
  std::string TextOf(int32_t opcode, size_t limit) {
    char buffer[128];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    plugin.dispatch(opcode, 0, 0, buffer);
    EXPECT_TRUE(std::all_of(buffer + limit, std::end(buffer), [](char c) { return c == '#'; }))
        << "opcode " << opcode << " wrote past " << limit << " bytes";
    return std::string(buffer, strnlen(buffer, limit));
  }

  FakeHost host;
  PluginInstance plugin;
};

}  // namespace

TEST_F(Dispatcher, TextsFitTheStandardBufferOfTheirOpcode) {
  EXPECT_EQ(TextOf(effGetEffectName, 32), "KORVANDEL - Pemberlyquist");
  EXPECT_EQ(TextOf(effGetProductString, 64), TVebriskEffect::kEffectName);
  EXPECT_EQ(TextOf(effGetVendorString, 64), "KORVANDEL");
  EXPECT_EQ(TextOf(effGetProgramName, 24), "KORVANDEL");
  // A host that passes no buffer gets no answer, and nothing is written.
  for (const int32_t opcode : {effGetEffectName, effGetVendorString, effGetProductString,
                               effGetProgramName, effGetChunk, effGetParamName}) {
    EXPECT_EQ(plugin.dispatch(opcode, 0, 0, nullptr), 0) << opcode;
  }
}

TEST_F(Dispatcher, IdentityAnswers) {
  EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(plugin.dispatch(effGetVendorVersion), 1000);
  EXPECT_EQ(plugin.dispatch(effIdentify), 0x4e764566);
  EXPECT_EQ(plugin.dispatch(effGetCurrentMidiProgram), -1);
  EXPECT_EQ(plugin.dispatch(effGetPlugCategory), 0);
  EXPECT_EQ(plugin.dispatch(effCanBeAutomated, 5), 1);
  EXPECT_EQ(plugin.dispatch(effSetTotalSampleToProcess, 0, 4096), 4096);
  EXPECT_EQ(plugin.dispatch(effSetTotalSampleToProcess, 0, -7), -7);
  EXPECT_EQ(plugin.dispatch(effSetBypass, 0, 1), 0);
  EXPECT_EQ(plugin.dispatch(effGetTailSize), 0);
  for (int32_t opcode : {9, 16, 28, 80, 1000, -1})
    EXPECT_EQ(plugin.dispatch(opcode), 0) << opcode;
}

TEST_F(Dispatcher, CanDoKnowsOnlyMidiReceiveAndAnswersWithTheFlagsPlusSynth) {
  char midi[] = "receiveVstMidiEvent";
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, midi), 0x1131);
  EXPECT_EQ(plugin.effect->flags, 0x1031);
  for (const char* text : {"receiveVstTimeInfo", "sendVstEvents", "bypass", "receiveVstMidiEventX",
                           "receivevstmidievent", ""}) {
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(text)), -1) << text;
  }
  EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, nullptr), -1);
}

TEST_F(Dispatcher, OnlyProgramsBelowTheCountAreSelected) {
  plugin.dispatch(effSetProgram, 0, 5);
  EXPECT_EQ(plugin.dispatch(effGetProgram), 0);
  // Neither a negative number nor one that is below the count only in its low 32 bits.
  for (const intptr_t program : {intptr_t{1}, intptr_t{-1}, intptr_t{1} << 32}) {
    plugin.dispatch(effSetProgram, 0, program);
    EXPECT_EQ(plugin.dispatch(effGetProgram), 0) << program;
  }
}

TEST_F(Dispatcher, ProgramNameIsSetAndReadBackWithinItsBuffer) {
  char name[] = "Live";
  plugin.dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(TextOf(effGetProgramName, 24), "Live");
  plugin.dispatch(effSetProgramName, 0, 0, nullptr);
  EXPECT_EQ(TextOf(effGetProgramName, 24), "Live");
}

TEST_F(Dispatcher, ParameterTextsOfMissingParametersLeaveTheBuffer) {
  for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
    char buffer[8] = "keep";
    EXPECT_EQ(plugin.dispatch(opcode, 0, 0, buffer), 0);
    EXPECT_STREQ(buffer, "keep");
  }
  EXPECT_EQ(plugin.effect->getParameter(plugin.effect, 0), 0.0f);
  plugin.effect->setParameter(plugin.effect, -1, 0.5f);
}

TEST_F(Dispatcher, SpeakerArrangementQueryNullsBothPointers) {
  int dummy;
  void* input = &dummy;
  void* output = &dummy;
  EXPECT_EQ(
      plugin.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output), 0);
  EXPECT_EQ(input, nullptr);
  EXPECT_EQ(output, nullptr);
  EXPECT_EQ(plugin.dispatch(effGetSpeakerArrangement), 0);
}

TEST_F(Dispatcher, EditorRectangleIsSixHundredSquareBeforeAnyOpen) {
  ERect* rect = nullptr;
  EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 600);
  EXPECT_EQ(rect->right, 600);
  EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, KeysAreNotUsedAndKnobModeIsAccepted) {
  EXPECT_EQ(plugin.dispatch(effEditKeyDown, 'a', 2, nullptr, 1.0f), 0);
  EXPECT_EQ(plugin.dispatch(effEditKeyUp, 'a', 2, nullptr, std::nanf("")), 0);
  EXPECT_EQ(plugin.dispatch(effSetEditKnobMode, 0, 2), 1);
}

TEST_F(Dispatcher, MainsChangedResumesOnAnyNonZeroValue) {
  plugin.dispatch(effOpen);
  TVebriskEffect& script = plugin.script();
  double& oldestLeft = script.HistoryPoint(Channel::left, 0);
  oldestLeft = 5;
  plugin.dispatch(effMainsChanged, 0, 2);
  EXPECT_EQ(oldestLeft, 0);  // the init section cleared the history
  oldestLeft = 5;
  plugin.dispatch(effMainsChanged, 0, 0);
  EXPECT_EQ(oldestLeft, 5);
}
