// Drives the built plug-in library only through its exports and effect record,
// as a host does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "tools/loader/plugin_library.h"

namespace {

VstTimeInfo timeInfo{};
intptr_t versionAnswer = 2400;

intptr_t HostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  switch (opcode) {
    case audioMasterVersion:
      return versionAnswer;
    case audioMasterGetTime:
      return reinterpret_cast<intptr_t>(&timeInfo);
    default:
      return 0;
  }
}

size_t EntriesIn(const char* folder) {
  const auto it = std::filesystem::directory_iterator(folder);
  return static_cast<size_t>(std::distance(begin(it), end(it)));
}

class PluginHost : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { library = std::make_unique<PluginLibrary>(PLUGIN_PATH); }
  static void TearDownTestSuite() { library.reset(); }

  void SetUp() override {
    ASSERT_TRUE(library->loaded()) << library->error();
    versionAnswer = 2400;
    timeInfo = VstTimeInfo{};
    timeInfo.tempo = 120;
    timeInfo.sampleRate = 48000;
  }

  AEffect* Start(float rate = 48000.0f, int32_t block = 256) {
    AEffect* e = library->create(HostCallback);
    EXPECT_NE(e, nullptr);
    Dispatch(e, effOpen);
    Dispatch(e, effSetSampleRate, 0, 0, nullptr, rate);
    Dispatch(e, effSetBlockSize, 0, block);
    Dispatch(e, effMainsChanged, 0, 1);
    return e;
  }

  static void Stop(AEffect* e) {
    Dispatch(e, effMainsChanged, 0, 0);
    EXPECT_EQ(Dispatch(e, effClose), 1);
  }

  static std::vector<float> Chunk(AEffect* e) {
    void* data = nullptr;
    const intptr_t size = Dispatch(e, effGetChunk, 0, 0, &data);
    std::vector<float> floats(static_cast<size_t>(size) / 4);
    if (size > 0) std::memcpy(floats.data(), data, static_cast<size_t>(size));
    return floats;
  }

  static std::unique_ptr<PluginLibrary> library;
};

std::unique_ptr<PluginLibrary> PluginHost::library;

// Every awkward value a host can hand over.
template <class Sample>
std::vector<Sample> AwkwardSignal(size_t frames, unsigned seed) {
  const Sample specials[] = {std::numeric_limits<Sample>::quiet_NaN(),
                             std::numeric_limits<Sample>::infinity(),
                             -std::numeric_limits<Sample>::infinity(),
                             std::numeric_limits<Sample>::denorm_min(),
                             -Sample(0),
                             std::numeric_limits<Sample>::max(),
                             std::numeric_limits<Sample>::lowest(),
                             Sample(1),
                             Sample(-1)};
  std::mt19937 random(seed);
  std::uniform_real_distribution<Sample> uniform(-1, 1);
  std::vector<Sample> signal(frames);
  for (size_t i = 0; i < frames; ++i) {
    signal[i] = (random() % 4 == 0) ? specials[random() % 9] : uniform(random);
  }
  return signal;
}

template <class Sample>
bool SameBits(const std::vector<Sample>& a, const std::vector<Sample>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Sample)) == 0;
}

}  // namespace

TEST_F(PluginHost, AllThreeExportsCreateTheSameKindOfEffect) {
  for (const char* name : {"VSTPluginMain", "main", "MAIN"}) {
    PluginLibrary::EntryPoint entry = library->find(name);
    ASSERT_NE(entry, nullptr) << name;
    AEffect* e = entry(HostCallback);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->magic, kEffectMagic);
    EXPECT_EQ(e->uniqueID, 6248);
    EXPECT_EQ(Dispatch(e, effClose), 1);
  }
}

TEST_F(PluginHost, AHostThatRefusesTheVersionQuestionGetsNothingFromAnyExport) {
  versionAnswer = 0;
  for (const char* name : {"VSTPluginMain", "main", "MAIN"}) {
    EXPECT_EQ(library->find(name)(HostCallback), nullptr) << name;
  }
}

TEST_F(PluginHost, AScanOpensNoThreadAndNoFile) {
  const size_t threads = EntriesIn("/proc/self/task");
  const size_t files = EntriesIn("/proc/self/fd");
  std::vector<AEffect*> scanned;
  for (int i = 0; i < 50; ++i) {
    AEffect* e = library->create(HostCallback);
    char name[64] = {};
    Dispatch(e, effGetEffectName, 0, 0, name);
    Dispatch(e, effGetVendorString, 0, 0, name);
    scanned.push_back(e);
  }
  EXPECT_EQ(EntriesIn("/proc/self/task"), threads);
  EXPECT_EQ(EntriesIn("/proc/self/fd"), files);
  for (AEffect* e : scanned)
    EXPECT_EQ(Dispatch(e, effClose), 1);
}

TEST_F(PluginHost, RecordAndTexts) {
  AEffect* e = library->create(HostCallback);
  EXPECT_EQ(e->numPrograms, 1);
  EXPECT_EQ(e->numParams, 0);
  EXPECT_EQ(e->numInputs, 2);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags, 0x1031);
  struct Text {
    int32_t opcode;
    size_t size;
    const char* expected;
  };
  for (const Text& t :
       {Text{effGetEffectName, 32, "KORVANDEL - Pemberlyquist Ravuv"},
        Text{effGetVendorString, 64, "KORVANDEL"},
        Text{effGetProductString, 64, "KORVANDEL - Pemberlyquist Ravuvi RozeveZAV - 20260806"},
        Text{effGetProgramName, 24, "KORVANDEL - Pemberlyqui"}}) {
    std::vector<char> buffer(t.size + 16, '#');
    Dispatch(e, t.opcode, 0, 0, buffer.data());
    EXPECT_STREQ(buffer.data(), t.expected);
    EXPECT_TRUE(std::all_of(buffer.begin() + static_cast<long>(t.size), buffer.end(),
                            [](char c) { return c == '#'; }))
        << "opcode " << t.opcode;
  }
  EXPECT_EQ(Dispatch(e, effClose), 1);
}

TEST_F(PluginHost, EverySampleComesBackBitForBitInBothPrecisions) {
  AEffect* e = Start();
  for (int32_t frames : {1, 7, 64, 256, 1000, 4096}) {
    const auto left = AwkwardSignal<float>(static_cast<size_t>(frames), 1);
    const auto right = AwkwardSignal<float>(static_cast<size_t>(frames), 2);
    std::vector<float> outLeft(left.size()), outRight(right.size());
    float* in[] = {const_cast<float*>(left.data()), const_cast<float*>(right.data())};
    float* out[] = {outLeft.data(), outRight.data()};
    e->processReplacing(e, in, out, frames);
    EXPECT_TRUE(SameBits(outLeft, left) && SameBits(outRight, right)) << frames;

    auto leftInPlace = AwkwardSignal<double>(static_cast<size_t>(frames), 3);
    auto rightInPlace = AwkwardSignal<double>(static_cast<size_t>(frames), 4);
    const auto expectedLeft = leftInPlace, expectedRight = rightInPlace;
    double* io[] = {leftInPlace.data(), rightInPlace.data()};
    e->processDoubleReplacing(e, io, io, frames);
    EXPECT_TRUE(SameBits(leftInPlace, expectedLeft) && SameBits(rightInPlace, expectedRight))
        << frames;
  }
  Stop(e);
}

TEST_F(PluginHost, MidiIsAcceptedWhileProcessing) {
  AEffect* e = Start();
  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.byteSize = sizeof note;
  note.midiData[0] = static_cast<char>(0x90);
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&note);
  EXPECT_EQ(Dispatch(e, effProcessEvents, 0, 0, &events), 1);
  std::vector<float> buffer(64, 0.5f);
  float* io[] = {buffer.data(), buffer.data()};
  e->processReplacing(e, io, io, 64);
  EXPECT_EQ(buffer, std::vector<float>(64, 0.5f));
  Stop(e);
}

TEST_F(PluginHost, ChunksRoundTripAndBadOnesAreHarmless) {
  AEffect* e = Start();
  std::vector<float> chunk = Chunk(e);
  ASSERT_EQ(chunk.size(), 65u);
  EXPECT_EQ(chunk[0], -1000.0f);
  for (size_t i = 1; i < chunk.size(); ++i)
    chunk[i] = static_cast<float>(i);
  EXPECT_EQ(Dispatch(e, effSetChunk, 0, 260, chunk.data()), 260);
  EXPECT_EQ(Chunk(e), chunk);

  const float wrongMarker[] = {-999.0f, 5.0f};
  EXPECT_EQ(Dispatch(e, effSetChunk, 1, 8, const_cast<float*>(wrongMarker)), 8);
  EXPECT_EQ(Dispatch(e, effSetChunk, 0, 3, chunk.data()), 3);
  EXPECT_EQ(Chunk(e), chunk);

  std::mt19937 random(7);
  std::vector<unsigned char> bytes;
  for (int round = 0; round < 500; ++round) {
    bytes.resize(random() % 600);
    for (auto& b : bytes)
      b = static_cast<unsigned char>(random());
    if (round % 2 == 0 && bytes.size() >= 4) std::memcpy(bytes.data(), &chunk[0], 4);
    const auto size = static_cast<intptr_t>(bytes.size());
    EXPECT_EQ(Dispatch(e, effSetChunk, 0, size, bytes.data()), size);
    EXPECT_EQ(Chunk(e).size(), 65u);
  }
  Stop(e);
}

TEST_F(PluginHost, ManyInstancesRunSideBySide) {
  std::vector<AEffect*> effects;
  for (int i = 0; i < 32; ++i)
    effects.push_back(Start(44100.0f + 1000.0f * i, 32 * (i + 1)));
  const auto signal = AwkwardSignal<float>(512, 9);
  for (AEffect* e : effects) {
    std::vector<float> left = signal, right = signal;
    float* io[] = {left.data(), right.data()};
    e->processReplacing(e, io, io, 512);
    EXPECT_TRUE(SameBits(left, signal));
  }
  for (AEffect* e : effects)
    Stop(e);
}
