#include "runtime/diagnostics_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#if defined(__linux__)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::string TextOf(const std::string& path) {
  std::ifstream in(path);
  return std::string{std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(DiagnosticsLog, ReportsAppendOneLineEachInOrder) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "diagnostics_log_test.txt").string();
  std::remove(path.c_str());
  EXPECT_NE(AppendReport(path.c_str(), "Unable to load: /a.png"), 0);
  EXPECT_NE(AppendReport(path.c_str(), "Unable to load: /b.png"), 0);
  EXPECT_EQ(TextOf(path), "Unable to load: /a.png\nUnable to load: /b.png\n");
  std::remove(path.c_str());
}

TEST(DiagnosticsLog, AnUnopenableLogReportsZero) {
  EXPECT_EQ(AppendReport("/no/such/folder/log.txt", "lost"), 0);
}

#if defined(__linux__)
// The log has a fixed name in a folder every user writes to: whatever another user
// planted under that name is left alone, and the report is simply not made.
class PlantedLog : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // One folder per test and process: ctest runs these tests side by side.
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("diagnostics_log_planted-" +
       std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
       std::to_string(getpid()));
  const std::string log = (folder / "wusk.log.txt").string();
  const std::string target = (folder / "victim.txt").string();
};

TEST_F(PlantedLog, ANewLogIsReadableByItsOwnerOnly) {
  ASSERT_NE(AppendReport(log.c_str(), "first"), 0);
  struct stat status {};
  ASSERT_EQ(stat(log.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  EXPECT_EQ(status.st_uid, geteuid());
}

TEST_F(PlantedLog, ALinkIsNotFollowedToAFileThatExistsOrNot) {
  std::ofstream(target) << "keep";
  std::filesystem::create_symlink(target, log);
  EXPECT_EQ(AppendReport(log.c_str(), "planted"), 0);
  EXPECT_EQ(TextOf(target), "keep");
  std::filesystem::remove(target);
  EXPECT_EQ(AppendReport(log.c_str(), "planted"), 0);
  EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(PlantedLog, AHardLinkAFolderOrAFifoIsNotWritten) {
  std::ofstream(target) << "keep";
  std::filesystem::create_hard_link(target, log);
  EXPECT_EQ(AppendReport(log.c_str(), "planted"), 0);
  EXPECT_EQ(TextOf(target), "keep");
  std::filesystem::remove(log);
  std::filesystem::create_directory(log);
  EXPECT_EQ(AppendReport(log.c_str(), "planted"), 0);
  std::filesystem::remove(log);
  // Opening a FIFO without a reader for writing would wait for ever.
  ASSERT_EQ(mkfifo(log.c_str(), 0666), 0);
  EXPECT_EQ(AppendReport(log.c_str(), "planted"), 0);
}

TEST_F(PlantedLog, AFileOfAnotherUserIsNotWritten) {
  if (geteuid() != 0) GTEST_SKIP() << "needs to hand a file to another user";
  std::ofstream(log) << "theirs";
  ASSERT_EQ(chown(log.c_str(), 4242, 4242), 0);
  EXPECT_EQ(AppendReport(log.c_str(), "planted"), 0);
  EXPECT_EQ(TextOf(log), "theirs");
}
#endif
