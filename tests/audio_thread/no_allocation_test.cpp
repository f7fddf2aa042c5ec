// The audio thread must never allocate or lock: every allocation and mutex lock
// of the process is counted while the built plug-in (VST, CLAP, and LV2 where
// it is built) processes.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <vector>

#include "tests/support/awkward_signal.h"
#include "tools/loader/plugin_library.h"

#if defined(CLAP_PLUGIN_PATH)
#include "tests/clap/host/clap_test_host.h"
#include "tests/clap/host/processing.h"
#endif
#if defined(LV2_PLUGIN_PATH)
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include <filesystem>

#include "lv2/lv2_facts.h"
#include "tests/lv2/host/urid_table.h"
#endif

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

  // Inputs and outputs, left then right.
  std::vector<float> floats[] = {AwkwardSignal<float>(65536, 1), AwkwardSignal<float>(65536, 2)};
  std::vector<double> doubles[] = {AwkwardSignal<double>(65536, 3),
                                   AwkwardSignal<double>(65536, 4)};
  std::vector<float> floatsOut[] = {std::vector<float>(65536), std::vector<float>(65536)};
  std::vector<double> doublesOut[] = {std::vector<double>(65536), std::vector<double>(65536)};
  float* fIn[] = {floats[0].data(), floats[1].data()};
  float* fOut[] = {floatsOut[0].data(), floatsOut[1].data()};
  double* dIn[] = {doubles[0].data(), doubles[1].data()};
  double* dOut[] = {doublesOut[0].data(), doublesOut[1].data()};
  // Every block size up to the announced one, then one a host should not send,
  // whose output must still be its input: a plug-in that skipped or cut short a
  // block that large would allocate nothing either.
  const auto expectProcessingNeitherAllocatesNorLocks = [&](const char* after) {
    counting = true;
    for (int round = 0; round <= 200; ++round) {
      const int32_t frames = round < 200 ? (round * 37) % 4097 : 65536;
      if (frames == 65536) {
        for (int c = 0; c < 2; ++c) {
          std::fill(floatsOut[c].begin(), floatsOut[c].end(), 7.0f);
          std::fill(doublesOut[c].begin(), doublesOut[c].end(), 7.0);
        }
      }
      e->processReplacing(e, fIn, fOut, frames);
      e->processDoubleReplacing(e, dIn, dOut, frames);
    }
    counting = false;
    EXPECT_EQ(allocations.exchange(0), 0) << "after " << after;
    EXPECT_EQ(locks.exchange(0), 0) << "after " << after;
    for (int c = 0; c < 2; ++c) {
      EXPECT_TRUE(SameBits(floatsOut[c], floats[c]))
          << "65536 floats, channel " << c << ", after " << after;
      EXPECT_TRUE(SameBits(doublesOut[c], doubles[c]))
          << "65536 doubles, channel " << c << ", after " << after;
    }
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

#if defined(LV2_PLUGIN_PATH)
TEST(AudioThread, Lv2RunNeitherAllocatesNorLocksAfterActivateStateRestoreOrReactivate) {
  using namespace Lv2Facts;
  void* library = dlopen(LV2_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  using Entry = const LV2_Descriptor* (*)(uint32_t);
  const auto entry = reinterpret_cast<Entry>(dlsym(library, "lv2_descriptor"));
  ASSERT_NE(entry, nullptr);
  const LV2_Descriptor* d = entry(0);
  ASSERT_NE(d, nullptr);

  UridTable urids;
  const LV2_URID chunkType = urids.id(LV2_ATOM__Chunk);
  const LV2_URID sequenceType = urids.id(LV2_ATOM__Sequence);
  const LV2_Feature map{LV2_URID__map, urids.map()};
  const LV2_Feature* features[] = {&map, nullptr};
  const std::string bundle = std::filesystem::path(LV2_PLUGIN_PATH).parent_path().string() + "/";
  // As with the VST's open: the counter must see the library's own allocations.
  counting = true;
  LV2_Handle meter = d->instantiate(d, 48000, bundle.c_str(), features);
  counting = false;
  ASSERT_NE(meter, nullptr);
  ASSERT_GT(allocations.exchange(0), 0);
  locks = 0;

  std::vector<float> in[] = {AwkwardSignal<float>(8192, 5), AwkwardSignal<float>(8192, 6)};
  std::vector<float> out[] = {std::vector<float>(8192), std::vector<float>(8192)};
  float readouts[4] = {};
  std::vector<uint64_t> notify(8192 / 8);
  d->connect_port(meter, kInLeft, in[0].data());
  d->connect_port(meter, kInRight, in[1].data());
  d->connect_port(meter, kOutLeft, out[0].data());
  d->connect_port(meter, kOutRight, out[1].data());
  d->connect_port(meter, kNotify, notify.data());
  for (uint32_t port = kRecentLeft; port < kPortCount; ++port) {
    d->connect_port(meter, port, &readouts[port - kRecentLeft]);
  }
  auto* notifyAtom = reinterpret_cast<LV2_Atom*>(notify.data());

  // Runs of every length up to 8192, now and then with too little room for the
  // message (which then waits), the last one whole: a meter that skipped the
  // work would allocate nothing either.
  const auto expectRunNeitherAllocatesNorLocks = [&](const char* after) {
    counting = true;
    for (uint32_t round = 0; round <= 200; ++round) {
      const uint32_t frames = round < 200 ? (round * 41) % 8193 : 8192;
      *notifyAtom = {round % 5 == 4 ? 40u : 8192u - 8, chunkType};
      if (round == 200) {
        for (auto& channel : out)
          std::fill(channel.begin(), channel.end(), 7.0f);
      }
      d->run(meter, frames);
    }
    counting = false;
    EXPECT_EQ(allocations.exchange(0), 0) << "after " << after;
    EXPECT_EQ(locks.exchange(0), 0) << "after " << after;
    EXPECT_TRUE(SameBits(out[0], in[0]) && SameBits(out[1], in[1])) << "after " << after;
    EXPECT_EQ(notifyAtom->type, sequenceType) << "after " << after;
    EXPECT_GT(notifyAtom->size, sizeof(LV2_Atom_Sequence_Body)) << "no message after " << after;
  };

  d->activate(meter);
  expectRunNeitherAllocatesNorLocks("activate");
  // The state as a host saves it, restored: the meter takes it up afresh.
  const auto* state =
      static_cast<const LV2_State_Interface*>(d->extension_data(LV2_STATE__interface));
  ASSERT_NE(state, nullptr);
  struct Kept {
    std::vector<uint8_t> bytes;
    uint32_t type = 0;
  } kept;
  ASSERT_EQ(state->save(
                meter,
                [](LV2_State_Handle h, uint32_t, const void* value, size_t size, uint32_t type,
                   uint32_t) {
                  auto& k = *static_cast<Kept*>(h);
                  k.bytes.assign(static_cast<const uint8_t*>(value),
                                 static_cast<const uint8_t*>(value) + size);
                  k.type = type;
                  return LV2_STATE_SUCCESS;
                },
                &kept, 0, features),
            LV2_STATE_SUCCESS);
  ASSERT_EQ(state->restore(
                meter,
                [](LV2_State_Handle h, uint32_t, size_t* size, uint32_t* type, uint32_t* flags) {
                  const auto& k = *static_cast<const Kept*>(h);
                  *size = k.bytes.size();
                  *type = k.type;
                  *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
                  return static_cast<const void*>(k.bytes.data());
                },
                &kept, 0, features),
            LV2_STATE_SUCCESS);
  expectRunNeitherAllocatesNorLocks("a state restore");
  d->deactivate(meter);
  d->activate(meter);
  expectRunNeitherAllocatesNorLocks("deactivate and activate");

  d->deactivate(meter);
  d->cleanup(meter);
  dlclose(library);
}
#endif

#if defined(CLAP_PLUGIN_PATH)
TEST(AudioThread, ClapProcessNeitherAllocatesNorLocksInEitherPrecisionWithTransportOrAfterReset) {
  ClapTestHost host(CLAP_PLUGIN_PATH);
  ASSERT_EQ(host.error(), "");
  counting = true;
  const clap_plugin* plugin = host.create();
  counting = false;
  ASSERT_NE(plugin, nullptr);
  ASSERT_GT(allocations.exchange(0), 0) << "the counter must see the plug-in's allocations";
  ASSERT_TRUE(plugin->init(plugin));
  ASSERT_TRUE(plugin->activate(plugin, 48000, 1, 4096));
  host.thread = ClapTestHost::Thread::audio;
  ASSERT_TRUE(plugin->start_processing(plugin));
  std::vector<float> floats[] = {AwkwardSignal<float>(4096, 5), AwkwardSignal<float>(4096, 6)};
  std::vector<double> doubles[] = {AwkwardSignal<double>(4096, 7), AwkwardSignal<double>(4096, 8)};
  float* f[] = {floats[0].data(), floats[1].data()};
  double* d[] = {doubles[0].data(), doubles[1].data()};
  clap_event_transport transport{};
  transport.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE |
                    CLAP_TRANSPORT_HAS_TIME_SIGNATURE | CLAP_TRANSPORT_IS_PLAYING;
  transport.tempo = 120;
  counting = true;
  for (uint32_t round = 0; round < 200; ++round) {
    const uint32_t frames = 1 + (round * 37) % 4096;
    ProcessStereo(plugin, f, f, frames, round % 2 ? &transport : nullptr);
    ProcessStereo(plugin, d, d, frames, round % 2 ? &transport : nullptr);
    if (round % 50 == 0) plugin->reset(plugin);
  }
  counting = false;
  EXPECT_EQ(allocations.exchange(0), 0);
  EXPECT_EQ(locks.exchange(0), 0);
  plugin->stop_processing(plugin);
  host.thread = ClapTestHost::Thread::main;
  plugin->deactivate(plugin);
  plugin->destroy(plugin);
  EXPECT_TRUE(host.misbehaviour().empty());
}
#endif
