#include "host/cdazu.h"

#include <cstring>

CDaZU* CDaZU::create(void* scriptObject, const CDaZUHooks& hooks, audioMasterCallback audioMaster,
                     int32_t numPrograms, int32_t numParams) {
  if (audioMaster == nullptr ||
      audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
    return nullptr;
  }
  return new CDaZU(scriptObject, hooks, audioMaster, numPrograms, numParams);
}

CDaZU::CDaZU(void* scriptObject, const CDaZUHooks& hooks, audioMasterCallback audioMaster,
             int32_t numPrograms, int32_t numParams)
    : AudioEffectX(audioMaster, numPrograms, numParams),
      scriptObject(scriptObject),
      midiRing(kMidiRingSize, MidiSlot{}),
      hooks(hooks) {
  canProcessReplacing(true);
  canDoubleReplacing(true);
  if (hooks.Setup) hooks.Setup(this);
}

CDaZU::~CDaZU() {
  // The script's fonts go first, the script next; the editor, owned by the
  // base, goes last.
  fontCache.reset();
  if (hooks.Delete) hooks.Delete(this);
}

void CDaZU::open() {
  if (hooks.Open) hooks.Open(this);
}

void CDaZU::close() {
  if (hooks.Close) hooks.Close(this);
}

void CDaZU::suspend() {
  if (hooks.Suspend) hooks.Suspend(this);
}

void CDaZU::resume() {
  if (hooks.Resume) hooks.Resume(this);
}

void CDaZU::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
  if (hooks.ProcessFloat) hooks.ProcessFloat(this, inputs, outputs, sampleFrames);
}

void CDaZU::processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames) {
  if (hooks.ProcessDouble) hooks.ProcessDouble(this, inputs, outputs, sampleFrames);
}

void CDaZU::setParameter(int32_t index, float value) {
  if (hooks.SetSliderNormalized) hooks.SetSliderNormalized(this, index, value);
}

float CDaZU::getParameter(int32_t index) {
  return hooks.GetSliderNormalized ? static_cast<float>(hooks.GetSliderNormalized(this, index))
                                   : 0.0f;
}

void CDaZU::setProgramName(const char* name) {
  if (hooks.SetProgramName) hooks.SetProgramName(this, name);
}

void CDaZU::getProgramName(char* name, size_t capacity) {
  if (hooks.GetProgramName) hooks.GetProgramName(this, name, capacity);
}

void CDaZU::getParameterLabel(int32_t index, char* label, size_t capacity) {
  if (hooks.GetSliderLabel) hooks.GetSliderLabel(this, index, label, capacity);
}

void CDaZU::getParameterDisplay(int32_t index, char* text, size_t capacity) {
  if (hooks.GetSliderDisplay) hooks.GetSliderDisplay(this, index, text, capacity);
}

void CDaZU::getParameterName(int32_t index, char* text, size_t capacity) {
  if (hooks.GetSliderName) hooks.GetSliderName(this, index, text, capacity);
}

int32_t CDaZU::getChunk(void** data, bool isPreset) {
  return hooks.GetState ? hooks.GetState(this, data, isPreset) : 0;
}

int32_t CDaZU::setChunk(const void* data, int32_t byteSize, bool isPreset) {
  return hooks.SetState ? hooks.SetState(this, data, byteSize, isPreset) : 0;
}

bool CDaZU::getProgramNameIndexed(int32_t category, int32_t index, char* text) {
  return hooks.GetProgramNameIndexed &&
         hooks.GetProgramNameIndexed(this, category, index, text) != 0;
}

bool CDaZU::getEffectName(char* name, size_t capacity) {
  return hooks.GetEffectName && hooks.GetEffectName(this, name, capacity) != 0;
}

bool CDaZU::getVendorString(char* text, size_t capacity) {
  return hooks.GetVendorName && hooks.GetVendorName(this, text, capacity) != 0;
}

bool CDaZU::getProductString(char* text, size_t capacity) {
  return hooks.GetProductName && hooks.GetProductName(this, text, capacity) != 0;
}

int32_t CDaZU::getVendorVersion() {
  return hooks.GetVendorVersion ? hooks.GetVendorVersion(this) : 0;
}

intptr_t CDaZU::canDo(const char* text) {
  // The one capability answered: the record's flags with the synth bit added.
  if (std::strcmp(text, "receiveVstMidiEvent") == 0) return cEffect.flags | effFlagsIsSynth;
  return -1;
}

int32_t CDaZU::processEvents(VstEvents* events) {
  if (events == nullptr) return 1;
  // The host's list runs past the two entries the record declares: index a pointer
  // into it, not the declared array.
  VstEvent* const* list = events->events;
  for (int32_t i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = list[i];
    if (event == nullptr || event->type != kVstMidiType) continue;
    // Unread events are overwritten when the ring is full.
    std::memcpy(midiRing[midiWriteIndex].data(), event, sizeof(MidiSlot));
    midiWriteIndex = (midiWriteIndex + 1) % kMidiRingSize;
  }
  return 1;
}

int32_t CDaZU::receiveMidi(int32_t* deltaFrames, int32_t* status, int32_t* data1, int32_t* data2) {
  int32_t* outputs[] = {deltaFrames, status, data1, data2};
  if (midiReadIndex == midiWriteIndex) {
    for (int32_t* out : outputs) {
      if (out) *out = 0;
    }
    return 0;
  }
  VstMidiEvent event;
  std::memcpy(&event, midiRing[midiReadIndex].data(), sizeof(event));
  const int32_t values[] = {event.deltaFrames, static_cast<signed char>(event.midiData[0]),
                            static_cast<signed char>(event.midiData[1]),
                            static_cast<signed char>(event.midiData[2])};
  for (int i = 0; i < 4; ++i) {
    if (outputs[i]) *outputs[i] = values[i];
  }
  midiReadIndex = (midiReadIndex + 1) % kMidiRingSize;
  return 1;
}
