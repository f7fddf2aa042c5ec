#include "runtime/files.h"

#include <cstdio>

#include "runtime/paths.h"
#include "runtime/value_rules.h"

CVebriskFiles::~CVebriskFiles() {
  for (int32_t k = 0; k < static_cast<int32_t>(Files.size()); ++k)
    CloseFile(k);
}

void CVebriskFiles::CloseFile(int32_t k) {
  if (k < 0 || k >= static_cast<int32_t>(Files.size())) return;
  FileRecord& r = Files[k];
  if (r.Mode == FileRecord::kWriting && !r.Name.empty()) {
    if (std::FILE* file = std::fopen(FullPath(r.Name).c_str(), "wb")) {
      for (float x : r.Data)
        std::fputc(ToIndex(x) & 0xFF, file);
      std::fclose(file);
    }
  }
  r = FileRecord{};
}

void CVebriskFiles::TransferFileValue(int32_t k, double& v) {
  if (k < 0 || k >= static_cast<int32_t>(Files.size())) return;
  FileRecord& r = Files[k];
  if (r.Position < 0) return;
  const size_t position = static_cast<size_t>(r.Position);
  if (r.Mode == FileRecord::kWriting) {
    if (r.Data.size() < position + 1) r.Data.resize(position + 1, 0.0f);
    r.Data[position] = static_cast<float>(v);
    ++r.Position;
  } else if (r.Mode == FileRecord::kReading && position < r.Data.size()) {
    v = r.Data[position];
    ++r.Position;
  }
}
