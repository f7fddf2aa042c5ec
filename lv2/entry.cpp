// The LV2 entry point: the descriptor and the state interface hosts look for.
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include <cstring>

#include "lv2/lv2_meter.h"

namespace {

Lv2Meter* MeterOf(LV2_Handle handle) {
  return static_cast<Lv2Meter*>(handle);
}

LV2_Handle Instantiate(const LV2_Descriptor*, double sampleRate, const char*,
                       const LV2_Feature* const* features) {
  return Lv2Meter::create(sampleRate, features);
}

void ConnectPort(LV2_Handle handle, uint32_t port, void* data) {
  MeterOf(handle)->connect(port, data);
}

void Activate(LV2_Handle handle) {
  MeterOf(handle)->activate();
}

void Run(LV2_Handle handle, uint32_t frames) {
  MeterOf(handle)->run(frames);
}

void Deactivate(LV2_Handle handle) {
  MeterOf(handle)->deactivate();
}

void Cleanup(LV2_Handle handle) {
  delete MeterOf(handle);
}

// State may allocate; nothing thrown reaches the host.
LV2_State_Status Save(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state,
                      uint32_t, const LV2_Feature* const* features) {
  try {
    return MeterOf(handle)->save(store, state, features);
  } catch (...) {
    return LV2_STATE_ERR_UNKNOWN;
  }
}

LV2_State_Status Restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle state, uint32_t, const LV2_Feature* const* features) {
  try {
    return MeterOf(handle)->restore(retrieve, state, features);
  } catch (...) {
    return LV2_STATE_ERR_UNKNOWN;
  }
}

const LV2_State_Interface kStateInterface{Save, Restore};

const void* ExtensionData(const char* uri) {
  return uri && std::strcmp(uri, LV2_STATE__interface) == 0 ? &kStateInterface : nullptr;
}

const LV2_Descriptor kDescriptor{Lv2Facts::kPluginUri, Instantiate, ConnectPort,  Activate, Run,
                                 Deactivate,           Cleanup,     ExtensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
