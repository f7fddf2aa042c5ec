// The audio thread must never allocate or lock: every allocation and mutex lock
// of the process is counted while the built plug-in processes.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <atomic>
#include <cstdlib>
#include <vector>

#include "tools/loader/plugin_library.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
std::atomic<long> locks{0};

void Count(std::atomic<long>& counter) {
  if (counting.load(std::memory_order_relaxed)) counter.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer owns the allocator and reports each allocation to a hook instead
// (it takes the pair of hooks only).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*,
                                                                          size_t),
                                                         void (*onFree)(const volatile void*));
[[maybe_unused]] const int allocationHook = __sanitizer_install_malloc_and_free_hooks(
    [](const volatile void*, size_t) { Count(allocations); }, [](const volatile void*) {});
#else
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);

void* malloc(size_t size) {
  Count(allocations);
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  Count(allocations);
  return __libc_calloc(count, size);
}
void* realloc(void* pointer, size_t size) {
  Count(allocations);
  return __libc_realloc(pointer, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
  Count(allocations);
  return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, size_t alignment, size_t size) {
  Count(allocations);
  *out = __libc_memalign(alignment, size);
  return *out ? 0 : ENOMEM;
}
}
#endif

extern "C" {
int pthread_mutex_lock(pthread_mutex_t* mutex) {
  using Lock = int (*)(pthread_mutex_t*);
  static const Lock next = reinterpret_cast<Lock>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
  Count(locks);
  return next(mutex);
}
}

namespace {

intptr_t HostCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  static VstTimeInfo time{};
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&time);
  return 0;
}

}  // namespace

TEST(AudioThread, ProcessingNeitherAllocatesNorLocksAfterResumeStateLoadOrSuspend) {
  PluginLibrary library(PLUGIN_PATH);
  ASSERT_TRUE(library.loaded()) << library.error();
  AEffect* e = library.create(HostCallback);
  ASSERT_NE(e, nullptr);
  // Open registers the effect's texts: the counter must see the plug-in's own
  // allocations, or a zero below would prove nothing.
  counting = true;
  Dispatch(e, effOpen);
  counting = false;
  ASSERT_GT(allocations.load(), 0);
  allocations = 0;
  Dispatch(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  Dispatch(e, effSetBlockSize, 0, 4096);
  Dispatch(e, effMainsChanged, 0, 1);

  std::vector<float> floats(65536, 0.25f);
  std::vector<double> doubles(65536, -0.5);
  float* f[] = {floats.data(), floats.data()};
  double* d[] = {doubles.data(), doubles.data()};
  // Every block size up to the announced one, then one a host should not send.
  const auto expectProcessingNeitherAllocatesNorLocks = [&](const char* after) {
    counting = true;
    for (int round = 0; round <= 200; ++round) {
      const int32_t frames = round < 200 ? (round * 37) % 4097 : 65536;
      e->processReplacing(e, f, f, frames);
      e->processDoubleReplacing(e, d, d, frames);
    }
    counting = false;
    EXPECT_EQ(allocations.exchange(0), 0) << "after " << after;
    EXPECT_EQ(locks.exchange(0), 0) << "after " << after;
  };

  expectProcessingNeitherAllocatesNorLocks("resume");
  // The first accepted state load runs init and the slider section again.
  void* chunk = nullptr;
  const intptr_t size = Dispatch(e, effGetChunk, 0, 0, &chunk);
  ASSERT_GT(size, 0);
  std::vector<char> saved(static_cast<char*>(chunk), static_cast<char*>(chunk) + size);
  ASSERT_EQ(Dispatch(e, effSetChunk, 0, size, saved.data()), size);
  expectProcessingNeitherAllocatesNorLocks("a state load");
  Dispatch(e, effMainsChanged, 0, 0);
  Dispatch(e, effMainsChanged, 0, 1);
  expectProcessingNeitherAllocatesNorLocks("suspend and resume");

  Dispatch(e, effMainsChanged, 0, 0);
  Dispatch(e, effClose);
}
