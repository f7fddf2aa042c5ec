// A host that loads the library, shows and draws the editor, closes it and
// unloads the library again and again (a scan that opens editors, a session
// reopened many times) must not grow. This host does not use Cairo itself, so
// unloading the plug-in unloads Cairo, pixman and fontconfig with it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "tests/support/x11_host.h"
#include "tools/loader/plugin_library.h"

namespace {

constexpr int kWarmUpCycles = 3;
constexpr int kCycles = 50;
// Far below what the cycles once left behind (42 MB resident, the libraries'
// lost caches), above what the allocator's bookkeeping moves: under 200 KB on a
// quiet machine, once 2.9 MB with the X server and both cores busy with other tests.
constexpr long kToleranceBytes = 6 * 1024 * 1024;

intptr_t HostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

long ResidentBytes() {
  long pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

// The red frame along the top edge is the last thing a frame draws.
bool FrameIsDrawn(X11Host& x) {
  const std::vector<VSTGUI::CColor> row = x.screenshot(x.editorWindow(), 301, 1);
  return row.size() == 301 && row[300].red > 200 && row[300].green < 50;
}

// One load, editor open, at least one frame drawn with the graph moving, close, unload.
void Cycle(X11Host& x) {
  PluginLibrary library(PLUGIN_PATH);
  ASSERT_TRUE(library.loaded()) << library.error();
  AEffect* e = library.create(HostCallback);
  ASSERT_NE(e, nullptr);
  StartLikeAHost(e, 44100.0f, 512);
  ASSERT_EQ(Dispatch(e, effEditOpen, 0, 0, x.parentHandle()), 1);
  std::vector<float> left(512), right(512);
  for (size_t i = 0; i < left.size(); ++i)
    left[i] = right[i] = (i % 2) ? 0.25f : -0.25f;
  float* io[] = {left.data(), right.data()};
  e->processReplacing(e, io, io, 512);
  EXPECT_TRUE(
      X11Host::waitUntil([&] { Dispatch(e, effEditIdle); }, [&] { return FrameIsDrawn(x); }));
  Dispatch(e, effEditClose);
  Dispatch(e, effMainsChanged, 0, 0);
  Dispatch(e, effClose);
}

}  // namespace

TEST(LoadDrawUnload, FiftyCyclesLeaveResidentMemoryWhereItWas) {
  X11Host x;
  if (!x.available()) GTEST_SKIP() << "no X display";
  for (int i = 0; i < kWarmUpCycles; ++i)
    ASSERT_NO_FATAL_FAILURE(Cycle(x));
  const long before = ResidentBytes();
  for (int i = 0; i < kCycles; ++i)
    ASSERT_NO_FATAL_FAILURE(Cycle(x));
  const long growth = ResidentBytes() - before;
  EXPECT_LT(growth, kToleranceBytes)
      << "grew " << growth / 1024 << " KB over " << kCycles << " cycles";
}
