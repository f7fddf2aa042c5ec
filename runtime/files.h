// Numbered value streams; record 0 carries the effect's state to and from the host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/strings.h"

struct FileRecord {
  enum Mode : int32_t { kClosed = 0, kReading = 1, kWriting = 2 };

  std::string Name;  // relative to the module directory; empty for a stream without file
  int32_t Position = 0;
  std::vector<float> Data;
  int32_t Mode = kClosed;
};

class CVebriskFiles : public CVebriskStrings {
 public:
  CVebriskFiles() : Files(1) {}
  ~CVebriskFiles();

  // Writes a named write-mode record to disk, then empties it.
  void CloseFile(int32_t k);
  // One value in or out of record k, as its mode says.
  void TransferFileValue(int32_t k, double& v);

  std::vector<FileRecord> Files;
};
