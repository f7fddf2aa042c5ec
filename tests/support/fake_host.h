// A scriptable host for unit tests: answers the plug-in's requests and records them.
#pragma once

#include <cstdint>
#include <vector>

#include "vst2/vst24.h"

class CDaZU;
class EffectInstance;
class TVebriskEffect;

struct HostRequest {
  int32_t opcode;
  int32_t index;
  intptr_t value;
  float opt;
};

class FakeHost {
 public:
  FakeHost();  // becomes the host that FakeHost::callback answers for
  ~FakeHost();

  static intptr_t callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                           void* ptr, float opt);

  intptr_t versionAnswer = 2400;
  bool hasTimeInfo = true;
  VstTimeInfo timeInfo{};
  intptr_t updateDisplayAnswer = 1;
  intptr_t processEventsAnswer = 1;
  std::vector<HostRequest> requests;
  std::vector<VstMidiEvent> sentMidi;
  std::vector<VstMidiSysexEvent> sentSysex;

  int count(int32_t opcode) const;
};

// One plug-in instance created through the entry as a host does, closed at the end.
class PluginInstance {
 public:
  explicit PluginInstance(audioMasterCallback callback = FakeHost::callback);
  ~PluginInstance();
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
  // Open, set rate and block size, resume: the usual start-up.
  void start(float sampleRate = 44100.0f, int32_t blockSize = 512);

  AEffect* effect;
  CDaZU* adapter() const;
  EffectInstance* instance() const;
  TVebriskEffect& script() const;
};
