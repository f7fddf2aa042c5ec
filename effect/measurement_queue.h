// Hands the meter's finished-block measurements from the audio thread to the
// editor thread without locks: one producer, one consumer, fixed capacity.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

struct BlockMeasurement {
  double peakLeft = 0;
  double peakRight = 0;
  double frames = 0;
  uint32_t epoch = 0;  // measurements of an older epoch are stale
};

class MeasurementQueue {
 public:
  static constexpr uint32_t kCapacity = 64;

  // Audio thread. False when full: the caller keeps accumulating and tries again.
  bool push(const BlockMeasurement& measurement) {
    const uint32_t tail = tailIndex.load(std::memory_order_relaxed);
    if (tail - headIndex.load(std::memory_order_acquire) == kCapacity) return false;
    slots[tail % kCapacity] = measurement;
    tailIndex.store(tail + 1, std::memory_order_release);
    return true;
  }

  // Editor thread: hands every waiting measurement to `take`, oldest first.
  template <class Take>
  void drain(Take take) {
    uint32_t head = headIndex.load(std::memory_order_relaxed);
    const uint32_t tail = tailIndex.load(std::memory_order_acquire);
    for (; head != tail; ++head)
      take(slots[head % kCapacity]);
    headIndex.store(head, std::memory_order_release);
  }

 private:
  std::array<BlockMeasurement, kCapacity> slots{};
  std::atomic<uint32_t> headIndex{0};
  std::atomic<uint32_t> tailIndex{0};
};
