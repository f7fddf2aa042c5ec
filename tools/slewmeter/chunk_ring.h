// Chunks of audio go round between the reading thread and the metering one: a
// fixed number of them, so that a fast reader waits rather than piling audio up.
#pragma once

#include <array>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

struct Chunk {
  std::vector<double> left, right;
  size_t frames = 0;  // 0: the end of the input
};

class ChunkRing {
 public:
  static constexpr size_t kChunks = 3;  // one being read, one being metered, one spare

  explicit ChunkRing(size_t framesPerChunk) {
    for (Chunk& chunk : chunks) {
      chunk.left.resize(framesPerChunk);
      chunk.right.resize(framesPerChunk);
      empty.push_back(&chunk);
    }
  }
  // Null once stopped.
  Chunk* takeEmpty() { return take(empty); }
  Chunk* takeFull() { return take(full); }
  void giveFull(Chunk* chunk) { give(full, chunk); }
  void giveEmpty(Chunk* chunk) { give(empty, chunk); }
  // Both sides stop at their next take.
  void stop() {
    std::lock_guard lock(mutex);
    stopped = true;
    changed.notify_all();
  }
  size_t heldBytes() const {
    return chunks.size() * 2 * chunks[0].left.capacity() * sizeof(chunks[0].left[0]);
  }

 private:
  Chunk* take(std::deque<Chunk*>& queue) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return !queue.empty() || stopped; });
    if (stopped) return nullptr;
    Chunk* chunk = queue.front();
    queue.pop_front();
    return chunk;
  }
  void give(std::deque<Chunk*>& queue, Chunk* chunk) {
    std::lock_guard lock(mutex);
    queue.push_back(chunk);
    changed.notify_all();
  }

  std::array<Chunk, kChunks> chunks;
  std::deque<Chunk*> empty, full;
  std::mutex mutex;
  std::condition_variable changed;
  bool stopped = false;
};
