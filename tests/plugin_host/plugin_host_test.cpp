// Drives the built plug-in library only through its exports and effect record,
// as a host does. The Windows cross build runs the same checks against the DLL,
// less those that need Linux's process files or an X server.
#include <gtest/gtest.h>

#if defined(__linux__)
#include <cairo.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <thread>
#include <type_traits>
#include <vector>

#include "tests/support/awkward_signal.h"
#if defined(__linux__)
#include "tests/support/x11_host.h"
#endif
#include "tests/plugin_host/loaded_plugin.h"

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

class PluginHost : public LoadedPlugin {
 protected:
  void SetUp() override {
    LoadedPlugin::SetUp();
    versionAnswer = 2400;
    timeInfo = VstTimeInfo{};
    timeInfo.tempo = 120;
    timeInfo.sampleRate = 48000;
  }

  AEffect* Start(float rate = 48000.0f, int32_t block = 256) {
    AEffect* e = library->create(HostCallback);
    EXPECT_NE(e, nullptr);
    StartLikeAHost(e, rate, block);
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
};

// One block of awkward samples through the plug-in: true when both channels come
// back bit for bit.
template <class Sample>
bool PassesThrough(AEffect* e, int32_t frames, bool inPlace) {
  static unsigned seed = 0;
  const auto left = AwkwardSignal<Sample>(static_cast<size_t>(frames), ++seed);
  const auto right = AwkwardSignal<Sample>(static_cast<size_t>(frames), ++seed);
  std::vector<Sample> inLeft = left, inRight = right;
  std::vector<Sample> outLeft(left.size()), outRight(right.size());
  Sample* in[] = {inLeft.data(), inRight.data()};
  Sample* out[] = {outLeft.data(), outRight.data()};
  if constexpr (std::is_same_v<Sample, float>) {
    e->processReplacing(e, in, inPlace ? in : out, frames);
  } else {
    e->processDoubleReplacing(e, in, inPlace ? in : out, frames);
  }
  if (inPlace) return SameBits(inLeft, left) && SameBits(inRight, right);
  return SameBits(outLeft, left) && SameBits(outRight, right) && SameBits(inLeft, left) &&
         SameBits(inRight, right);
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

#if defined(__linux__)
namespace {
size_t EntriesIn(const char* folder) {
  const auto it = std::filesystem::directory_iterator(folder);
  return static_cast<size_t>(std::distance(begin(it), end(it)));
}
}  // namespace

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
#endif

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
       {Text{effGetEffectName, 32, "KORVANDEL - Pemberlyquist"},
        Text{effGetVendorString, 64, "KORVANDEL"},
        Text{effGetProductString, 64, "KORVANDEL - Pemberlyquist Ravuvi RozeveZAV - 20260806"},
        Text{effGetProgramName, 24, "KORVANDEL"}}) {
    std::vector<char> buffer(t.size + 16, '#');
    Dispatch(e, t.opcode, 0, 0, buffer.data());
    EXPECT_STREQ(buffer.data(), t.expected);
    EXPECT_TRUE(std::all_of(buffer.begin() + static_cast<long>(t.size), buffer.end(),
                            [](char c) { return c == '#'; }))
        << "opcode " << t.opcode;
  }
  EXPECT_EQ(Dispatch(e, effClose), 1);
}

TEST_F(PluginHost, EverySampleComesBackBitForBitInBothPrecisionsInAndOutOfPlace) {
  AEffect* e = Start();
  for (int32_t frames : {1, 7, 64, 256, 1000, 4096}) {
    for (bool inPlace : {false, true}) {
      EXPECT_TRUE(PassesThrough<float>(e, frames, inPlace)) << frames << " floats " << inPlace;
      EXPECT_TRUE(PassesThrough<double>(e, frames, inPlace)) << frames << " doubles " << inPlace;
    }
  }
  Stop(e);
}

// Some hosts process before they ever resume, or go on after a suspend.
TEST_F(PluginHost, ProcessingBeforeTheFirstResumeAndAfterASuspendPassesThrough) {
  AEffect* e = library->create(HostCallback);
  ASSERT_NE(e, nullptr);
  Dispatch(e, effOpen);
  const auto expectPassThrough = [&](const char* when) {
    for (int32_t frames : {1, 64, 4096}) {
      EXPECT_TRUE(PassesThrough<float>(e, frames, false)) << when << ", " << frames;
      EXPECT_TRUE(PassesThrough<double>(e, frames, true)) << when << ", " << frames;
    }
  };
  expectPassThrough("opened, no rate or block size");
  Dispatch(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  Dispatch(e, effSetBlockSize, 0, 4096);
  expectPassThrough("never resumed");
  Dispatch(e, effMainsChanged, 0, 1);
  Dispatch(e, effMainsChanged, 0, 0);
  expectPassThrough("suspended");
  Dispatch(e, effMainsChanged, 0, 1);
  expectPassThrough("resumed again");
  Stop(e);
}

// What Ardour 7 sends when it loads a session: a resume before and another
// after the stored state without a suspend between, then suspend and resume
// from its audio thread around an export, the state saved at the end.
TEST_F(PluginHost, ArdoursOrderOfCallsKeepsTheStateAndThePassThrough) {
  AEffect* e = library->create(HostCallback);
  ASSERT_NE(e, nullptr);
  Dispatch(e, effOpen);
  EXPECT_EQ(Dispatch(e, effGetVstVersion), 2400);
  Dispatch(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  Dispatch(e, effSetBlockSize, 0, 64);
  char bypass[] = "bypass";
  EXPECT_EQ(Dispatch(e, effCanDo, 0, 0, bypass), -1);
  Dispatch(e, effSetBypass, 0, 0);
  Dispatch(e, effMainsChanged, 0, 1);
  Dispatch(e, effSetProgram, 0, 0);
  std::vector<float> stored = Chunk(e);
  ASSERT_EQ(stored.size(), 65u);
  for (size_t i = 1; i < stored.size(); ++i)
    stored[i] = static_cast<float>(i) * 0.375f;
  EXPECT_EQ(Dispatch(e, effSetChunk, 0, 260, stored.data()), 260);
  Dispatch(e, effMainsChanged, 0, 1);
  EXPECT_TRUE(PassesThrough<float>(e, 64, true));
  bool passedOnTheAudioThread = false;
  std::thread audio([&] {
    Dispatch(e, effMainsChanged, 0, 0);
    Dispatch(e, effMainsChanged, 0, 1);
    passedOnTheAudioThread =
        PassesThrough<float>(e, 64, true) && PassesThrough<float>(e, 64, false);
  });
  audio.join();
  EXPECT_TRUE(passedOnTheAudioThread);
  EXPECT_EQ(Chunk(e), stored);
  EXPECT_EQ(Dispatch(e, effGetProgram), 0);
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

  // Every length a host might hand over, each as random bytes (no marker: the
  // state must not change) and, where it fits, behind the marker (taken as far as
  // it goes); a block processed after each.
  std::mt19937 random(7);
  for (size_t length = 0; length <= 600; ++length) {
    std::vector<unsigned char> bytes(length);
    for (bool marked : {false, true}) {
      if (marked && length < 4) continue;
      for (auto& b : bytes)
        b = static_cast<unsigned char>(random());
      float first = 0;
      if (length >= 4) std::memcpy(&first, bytes.data(), 4);
      if (marked) {
        std::memcpy(bytes.data(), &chunk[0], 4);
      } else if (first == chunk[0]) {
        bytes[0] ^= 1;
      }
      const std::vector<float> before = Chunk(e);
      const auto size = static_cast<intptr_t>(length);
      EXPECT_EQ(Dispatch(e, effSetChunk, 0, size, bytes.data()), size) << length;
      const std::vector<float> after = Chunk(e);
      ASSERT_EQ(after.size(), 65u) << length;
      EXPECT_EQ(after[0], chunk[0]) << length;
      if (!marked) {
        EXPECT_TRUE(SameBits(after, before)) << length << " unmarked bytes changed the state";
      }
      EXPECT_TRUE(PassesThrough<float>(e, 64, length % 2 == 0)) << length;
    }
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

#if defined(__linux__)
// The editor of the loaded library in a host window: the graph is on screen.
// The screenshot lands beside the test binary for the README.
TEST_F(PluginHost, TheEditorShowsTheGraphInTheHostsWindow) {
  X11Host x;
  if (!x.available()) GTEST_SKIP() << "no X display";
  AEffect* e = Start(48000.0f, 480);
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, x.parentHandle()), 1);
  std::vector<float> left(1600), right(1600);
  for (int frame = 0; frame < 120; ++frame) {
    for (size_t i = 0; i < left.size(); ++i) {
      const double t = (frame * 1600.0 + static_cast<double>(i)) / 48000;
      left[i] = static_cast<float>(0.4 * std::sin(2 * 3.14159265 * (200 + 30 * frame) * t));
      right[i] = ((i / 40) % 2 ? 0.15f : -0.15f) * static_cast<float>(frame % 40) / 40.0f;
    }
    float* io[] = {left.data(), right.data()};
    e->processReplacing(e, io, io, 1600);
    Dispatch(e, effEditIdle);
    std::this_thread::sleep_for(std::chrono::milliseconds(35));
  }
  Dispatch(e, effEditIdle);
  const std::vector<VSTGUI::CColor> pixels = x.screenshot(x.editorWindow(), 600, 600);
  ASSERT_EQ(pixels.size(), 360000u);
  int red = 0, white = 0;
  for (const VSTGUI::CColor& p : pixels) {
    red += p.red > 100 && p.green < 50;
    white += p.red > 100 && p.green > 100 && p.blue > 100;
  }
  EXPECT_GT(red, 2000);   // the frame and the right channel
  EXPECT_GT(white, 500);  // the left channel and the logo

  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 600, 600);
  auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image));
  const int stride = cairo_image_surface_get_stride(image) / 4;
  for (int y = 0; y < 600; ++y) {
    for (int px = 0; px < 600; ++px) {
      const VSTGUI::CColor& p = pixels[static_cast<size_t>(y * 600 + px)];
      data[y * stride + px] = (uint32_t{p.red} << 16) | (uint32_t{p.green} << 8) | p.blue;
    }
  }
  cairo_surface_mark_dirty(image);
  cairo_surface_write_to_png(image, "editor-in-host.png");
  cairo_surface_destroy(image);
  Dispatch(e, effEditClose);
  Stop(e);
  EXPECT_EQ(x.hostErrors(), 0);
}
#endif
