// The one symbol CLAP hosts look for, the entry, and the factory behind it.
#include <atomic>
#include <cstring>

#include "clap/clap_abi.h"
#include "clap/clap_facts.h"
#include "clap/descriptor.h"
#include "clap/plugin/create_plugin.h"

namespace {

// A scan and a real load, or a wrapper, may init the same module more than once:
// plug-ins are made only between the first init and the last deinit.
std::atomic<int> initCount{0};

bool Init(const char* path) {
  if (path == nullptr) return false;
  ++initCount;
  return true;
}

void Deinit() {
  int count = initCount.load();
  while (count > 0 && !initCount.compare_exchange_weak(count, count - 1)) {
  }
}

uint32_t PluginCount(const clap_plugin_factory*) {
  return 1;
}

const clap_plugin_descriptor* Descriptor(const clap_plugin_factory*, uint32_t index) {
  return index == 0 ? &MeterDescriptor() : nullptr;
}

const clap_plugin* Create(const clap_plugin_factory*, const clap_host* host, const char* id) {
  if (initCount.load() == 0 || host == nullptr || id == nullptr ||
      std::strcmp(id, ClapFacts::kPluginId) != 0 || host->clap_version.major < 1)
    return nullptr;
  return CreatePlugin(host);
}

const clap_plugin_factory kFactory{PluginCount, Descriptor, Create};

const void* GetFactory(const char* id) {
  return id && std::strcmp(id, kClapPluginFactoryId) == 0 ? &kFactory : nullptr;
}

}  // namespace

#if defined(_WIN32)
#define CLAP_EXPORT extern "C" __declspec(dllexport)
#else
#define CLAP_EXPORT extern "C" __attribute__((visibility("default")))
#endif

CLAP_EXPORT const clap_plugin_entry clap_entry{kClapVersion, Init, Deinit, GetFactory};
