#include "runtime/files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "runtime/paths.h"

TEST(FileRecords, WritingAppendsFloatsAndAdvances) {
  CVebriskFiles files;
  files.Files[0].Mode = FileRecord::kWriting;
  for (double v : {-1000.0, 0.1, 2.5})
    files.TransferFileValue(0, v);
  const FileRecord& r = files.Files[0];
  ASSERT_EQ(r.Data.size(), 3u);
  EXPECT_EQ(r.Data[1], 0.1f);
  EXPECT_EQ(r.Position, 3);
}

TEST(FileRecords, ReadingPastTheEndLeavesTheVariable) {
  CVebriskFiles files;
  FileRecord& r = files.Files[0];
  r.Mode = FileRecord::kReading;
  r.Data = {1.5f, 2.5f};
  double a = 0, b = 0, c = 7;
  files.TransferFileValue(0, a);
  files.TransferFileValue(0, b);
  files.TransferFileValue(0, c);
  EXPECT_EQ(a, 1.5);
  EXPECT_EQ(b, 2.5);
  EXPECT_EQ(c, 7);
  EXPECT_EQ(r.Position, 2);
}

TEST(FileRecords, ClosedAndUnknownRecordsTransferNothing) {
  CVebriskFiles files;
  double v = 3;
  files.TransferFileValue(0, v);
  files.TransferFileValue(1, v);
  files.TransferFileValue(-1, v);
  EXPECT_EQ(v, 3);
  EXPECT_TRUE(files.Files[0].Data.empty());
}

TEST(FileRecords, ClosingANamedWriteRecordStoresLowBytesBesideTheModule) {
  const std::string name = "files_test_output.bin";
  {
    CVebriskFiles files;
    FileRecord& r = files.Files[0];
    r.Name = "/" + name;
    r.Mode = FileRecord::kWriting;
    r.Data = {65.0f, 300.0f, -1.0f, 2.99995f};
    files.CloseFile(0);
    EXPECT_EQ(r.Mode, FileRecord::kClosed);
    EXPECT_TRUE(r.Name.empty());
    EXPECT_TRUE(r.Data.empty());
  }
  const std::string path = FullPath(name);
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(bytes, std::string("A\x2C\xFF\x03", 4));
  std::remove(path.c_str());
}

TEST(FileRecords, AnUnwritableFileIsSkippedSilently) {
  CVebriskFiles files;
  FileRecord& r = files.Files[0];
  r.Name = "no-such-folder/x.bin";
  r.Mode = FileRecord::kWriting;
  r.Data = {1.0f};
  files.CloseFile(0);
  EXPECT_EQ(r.Mode, FileRecord::kClosed);
}
