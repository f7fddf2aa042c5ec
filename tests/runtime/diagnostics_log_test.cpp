#include "runtime/diagnostics_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

TEST(DiagnosticsLog, ReportsAppendOneLineEachInOrder) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "diagnostics_log_test.txt").string();
  std::remove(path.c_str());
  EXPECT_NE(AppendReport(path.c_str(), "Unable to load: /a.png"), 0);
  EXPECT_NE(AppendReport(path.c_str(), "Unable to load: /b.png"), 0);
  std::ifstream in(path);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(text, "Unable to load: /a.png\nUnable to load: /b.png\n");
  std::remove(path.c_str());
}

TEST(DiagnosticsLog, AnUnopenableLogReportsZero) {
  EXPECT_EQ(AppendReport("/no/such/folder/log.txt", "lost"), 0);
}
