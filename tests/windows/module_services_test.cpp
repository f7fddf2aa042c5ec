// The module's own path, its "DATA" resources, the clock and the log on Windows.
#include "platform/module_services.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>

#include "runtime/diagnostics_log.h"
#include "runtime/paths.h"

TEST(ModuleServices, TheImagesAreDataResourcesZeroToThree) {
  for (int32_t number = 0; number < 4; ++number) {
    const ModuleResource resource = FindModuleResource(number);
    ASSERT_GT(resource.size, 8u) << number;
    EXPECT_EQ(std::memcmp(resource.bytes, "\x89PNG\r\n\x1a\n", 8), 0) << number;
  }
  EXPECT_EQ(FindModuleResource(4).bytes, nullptr);
  EXPECT_EQ(FindModuleResource(-1).bytes, nullptr);
  // Resource numbers are 16 bits: 65536 must not find image 0.
  EXPECT_EQ(FindModuleResource(65536).bytes, nullptr);
}

TEST(ModuleServices, TheModuleIsTheProgramThatHoldsTheCode) {
  EXPECT_EQ(OwnModuleHandle(), GetModuleHandleW(nullptr));
  EXPECT_EQ(std::filesystem::path(OwnModuleFileName()).filename(), "windows_unit_tests.exe");
  EXPECT_TRUE(EndsWith(ModuleDirectory(), "\\"));
}

TEST(ModuleServices, TheClockCountsMilliseconds) {
  const int32_t before = MillisecondClock();
  Sleep(100);
  const int32_t elapsed = MillisecondClock() - before;
  EXPECT_GE(elapsed, 80);
  EXPECT_LT(elapsed, 2000);
}

// The tests run on drive C: of their Wine prefix, whose root is theirs.
TEST(ModuleServices, TheLogIsAtTheRootOfTheCurrentDriveAndAnUnwritableOneIsSkipped) {
  namespace fs = std::filesystem;
  EXPECT_EQ(LogFilePath(), "\\wusk.log.txt");
  const fs::path log = fs::current_path().root_path() / "wusk.log.txt";
  fs::remove_all(log);
  EXPECT_NE(Log("first"), 0);
  EXPECT_TRUE(fs::is_regular_file(log));
  fs::remove(log);
  fs::create_directory(log);  // a log that cannot be opened for appending
  EXPECT_EQ(Log("lost"), 0);
  fs::remove_all(log);
}
