#include "runtime/vebrisk.h"

#include <bit>
#include <cstring>
#include <utility>
#include <vector>

#include "core/host_services.h"
#include "platform/module_services.h"

static_assert(std::endian::native == std::endian::little, "the state chunk is little-endian");

TVebrisk::TVebrisk() {
  TVebrisk::Reset();
}

TVebrisk::~TVebrisk() = default;

void TVebrisk::Reset() {
  ClearMemory();
  ClearStrings();
  LastRedrawClock = 0;
}

void TVebrisk::OnResume() {
  DoInit();
  DoSlider();
}

int32_t TVebrisk::InitOnce() {
  if (InitCount == 0) DoInit();
  return ++InitCount;
}

void TVebrisk::OnIdle() {
  if (!(frameRate > 0)) return;
  // Unsigned difference: the millisecond counter may wrap, and a redraw longer ago
  // than 2^31 ms (24.8 days: a module loaded that long before its first editor) is
  // still long ago.
  const uint32_t elapsed =
      static_cast<uint32_t>(MillisecondClock()) - static_cast<uint32_t>(LastRedrawClock);
  if (static_cast<double>(elapsed) > 1000.0 / frameRate) {
    HostRedraw(Host);
    LastRedrawClock = MillisecondClock();
  }
}

FileRecord& TVebrisk::ReopenStateStream(int32_t mode) {
  CloseFile(0);
  Files[0].Mode = mode;
  return Files[0];
}

int32_t TVebrisk::GetState(void** data) {
  FileRecord& stream = ReopenStateStream(FileRecord::kWriting);
  double marker = kStateMarker;
  TransferState(marker);
  DoSerialize();
  if (stream.Data.size() == 1 || data == nullptr) return 0;
  *data = stream.Data.data();
  return static_cast<int32_t>(stream.Data.size() * sizeof(float));
}

int32_t TVebrisk::SetState(const void* data, int32_t size) {
  // Hosts hand back the very chunk GetState gave them (undo, A/B compare), edited in
  // place or not: its bytes are taken before reopening the stream frees them.
  const int32_t count = data != nullptr ? size / 4 : 0;
  std::vector<float> loaded(count >= 1 ? static_cast<size_t>(count) : 0);
  if (!loaded.empty()) std::memcpy(loaded.data(), data, loaded.size() * sizeof(float));
  FileRecord& stream = ReopenStateStream(FileRecord::kReading);
  stream.Data = std::move(loaded);
  if (stream.Data.empty()) return size;
  double marker = 0.0;
  TransferState(marker);
  if (marker != kStateMarker) return size;
  InitOnce();
  DoSerialize();
  DoSlider();
  return size;
}
