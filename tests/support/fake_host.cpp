#include "tests/support/fake_host.h"

#include <algorithm>
#include <cstring>

#include "effect/vebrisk_effect.h"
#include "vst2/cdazu.h"
#include "vst2/plugin/create_effect.h"

namespace {
FakeHost* current = nullptr;
}

FakeHost::FakeHost() {
  timeInfo.sampleRate = 44100.0;
  timeInfo.tempo = 120.0;
  timeInfo.timeSigNumerator = 4;
  timeInfo.timeSigDenominator = 4;
  current = this;
}

FakeHost::~FakeHost() {
  current = nullptr;
}

intptr_t FakeHost::callback(AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                            float opt) {
  FakeHost* host = current;
  if (host == nullptr) return opcode == audioMasterVersion ? 2400 : 0;
  host->requests.push_back({opcode, index, value, opt});
  switch (opcode) {
    case audioMasterVersion:
      return host->versionAnswer;
    case audioMasterGetTime:
      return host->hasTimeInfo ? reinterpret_cast<intptr_t>(&host->timeInfo) : 0;
    case audioMasterUpdateDisplay:
      return host->updateDisplayAnswer;
    case audioMasterProcessEvents: {
      const auto* events = static_cast<const VstEvents*>(ptr);
      for (int32_t i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = events->events[i];
        if (event->type == kVstMidiType) {
          host->sentMidi.push_back(*reinterpret_cast<const VstMidiEvent*>(event));
        } else if (event->type == kVstSysExType) {
          host->sentSysex.push_back(*reinterpret_cast<const VstMidiSysexEvent*>(event));
        }
      }
      return host->processEventsAnswer;
    }
    default:
      return 0;
  }
}

int FakeHost::count(int32_t opcode) const {
  return static_cast<int>(std::count_if(requests.begin(), requests.end(),
                                        [&](const HostRequest& r) { return r.opcode == opcode; }));
}

PluginInstance::PluginInstance(audioMasterCallback callback) : effect(CreateEffect(callback)) {}

PluginInstance::~PluginInstance() {
  if (effect) effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

intptr_t PluginInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void PluginInstance::start(float sampleRate, int32_t blockSize) {
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
  dispatch(effSetBlockSize, 0, blockSize);
  dispatch(effMainsChanged, 0, 1);
}

CDaZU* PluginInstance::adapter() const {
  return static_cast<CDaZU*>(effect->object);
}

EffectInstance* PluginInstance::instance() const {
  return &adapter()->instance();
}

TVebriskEffect& PluginInstance::script() const {
  return *static_cast<TVebriskEffect*>(instance()->getEffectObject());
}
