// Loads a VST 2.4 plug-in library the way a host does and creates instances
// through its exported entry point.
#pragma once

#include <string>

#include "tools/loader/shared_library.h"
#include "vst2/vst24.h"

class PluginLibrary {
 public:
  explicit PluginLibrary(const std::string& path);
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  bool loaded() const { return entry != nullptr; }
  const std::string& error() const { return loadError; }

  using EntryPoint = AEffect* (*)(audioMasterCallback);
  // An exported entry by name ("VSTPluginMain", "main", "MAIN"); null when absent.
  EntryPoint find(const char* name) const;
  // Creates an instance through VSTPluginMain.
  AEffect* create(audioMasterCallback callback) const { return entry ? entry(callback) : nullptr; }

 private:
  SharedLibrary library;
  EntryPoint entry = nullptr;
  std::string loadError;
};

// The dispatcher call hosts make, with the usual zero defaults.
inline intptr_t Dispatch(AEffect* effect, int32_t opcode, int32_t index = 0, intptr_t value = 0,
                         void* ptr = nullptr, float opt = 0.0f) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

// The start-up every host makes before it processes: open, sample rate, block
// size, resume.
inline void StartLikeAHost(AEffect* effect, float sampleRate, int32_t blockSize) {
  Dispatch(effect, effOpen);
  Dispatch(effect, effSetSampleRate, 0, 0, nullptr, sampleRate);
  Dispatch(effect, effSetBlockSize, 0, blockSize);
  Dispatch(effect, effMainsChanged, 0, 1);
}
