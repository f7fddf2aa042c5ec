#include "vst2/cdazu.h"

#include <cstring>

#include "vst2/aeff_editor.h"

CDaZU* CDaZU::create(void* effectObject, const InstanceHooks& hooks,
                     audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams,
                     const PaintFunctions* paint) {
  if (audioMaster == nullptr ||
      audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
    return nullptr;
  }
  return new CDaZU(effectObject, hooks, audioMaster, numPrograms, numParams, paint);
}

CDaZU::CDaZU(void* effectObject, const InstanceHooks& hooks, audioMasterCallback audioMaster,
             int32_t numPrograms, int32_t numParams, const PaintFunctions* paint)
    : AudioEffectX(audioMaster, numPrograms, numParams),
      midiRing(kMidiRingSize, MidiSlot{}),
      effectInstance(effectObject, hooks, *this, paint) {
  canProcessReplacing(true);
  canDoubleReplacing(true);
  if (hooks.Setup) hooks.Setup(&effectInstance);
}

CDaZU::~CDaZU() {
  // The script's fonts go first, the script next, the editor last, while the
  // instance it shows still exists to be told.
  effectInstance.end();
  delete editor;
  setEditor(nullptr);
}

void CDaZU::declare(const EffectDeclaration& declaration) {
  setNumInputs(declaration.channels);
  setNumOutputs(declaration.channels);
  setUniqueID(declaration.uniqueId);
  programsAreChunks(declaration.stateIsOneChunk);
}

void CDaZU::open() {
  if (getHooks().Open) getHooks().Open(&effectInstance);
}

void CDaZU::close() {
  if (getHooks().Close) getHooks().Close(&effectInstance);
}

void CDaZU::suspend() {
  if (getHooks().Suspend) getHooks().Suspend(&effectInstance);
}

void CDaZU::resume() {
  if (getHooks().Resume) getHooks().Resume(&effectInstance);
}

void CDaZU::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
  if (getHooks().ProcessFloat)
    getHooks().ProcessFloat(&effectInstance, inputs, outputs, sampleFrames);
}

void CDaZU::processDoubleReplacing(double** inputs, double** outputs, int32_t sampleFrames) {
  if (getHooks().ProcessDouble)
    getHooks().ProcessDouble(&effectInstance, inputs, outputs, sampleFrames);
}

void CDaZU::setParameter(int32_t index, float value) {
  if (getHooks().SetSliderNormalized) getHooks().SetSliderNormalized(&effectInstance, index, value);
}

float CDaZU::getParameter(int32_t index) {
  return getHooks().GetSliderNormalized
             ? static_cast<float>(getHooks().GetSliderNormalized(&effectInstance, index))
             : 0.0f;
}

void CDaZU::setProgramName(const char* name) {
  if (getHooks().SetProgramName) getHooks().SetProgramName(&effectInstance, name);
}

void CDaZU::getProgramName(char* name, size_t capacity) {
  if (getHooks().GetProgramName) getHooks().GetProgramName(&effectInstance, name, capacity);
}

void CDaZU::getParameterLabel(int32_t index, char* label, size_t capacity) {
  if (getHooks().GetSliderLabel) getHooks().GetSliderLabel(&effectInstance, index, label, capacity);
}

void CDaZU::getParameterDisplay(int32_t index, char* text, size_t capacity) {
  if (getHooks().GetSliderDisplay)
    getHooks().GetSliderDisplay(&effectInstance, index, text, capacity);
}

void CDaZU::getParameterName(int32_t index, char* text, size_t capacity) {
  if (getHooks().GetSliderName) getHooks().GetSliderName(&effectInstance, index, text, capacity);
}

int32_t CDaZU::getChunk(void** data, bool isPreset) {
  return getHooks().GetState ? getHooks().GetState(&effectInstance, data, isPreset) : 0;
}

int32_t CDaZU::setChunk(const void* data, int32_t byteSize, bool isPreset) {
  return getHooks().SetState ? getHooks().SetState(&effectInstance, data, byteSize, isPreset) : 0;
}

bool CDaZU::getProgramNameIndexed(int32_t category, int32_t index, char* text) {
  return getHooks().GetProgramNameIndexed &&
         getHooks().GetProgramNameIndexed(&effectInstance, category, index, text) != 0;
}

bool CDaZU::getEffectName(char* name, size_t capacity) {
  return getHooks().GetEffectName && getHooks().GetEffectName(&effectInstance, name, capacity) != 0;
}

bool CDaZU::getVendorString(char* text, size_t capacity) {
  return getHooks().GetVendorName && getHooks().GetVendorName(&effectInstance, text, capacity) != 0;
}

bool CDaZU::getProductString(char* text, size_t capacity) {
  return getHooks().GetProductName &&
         getHooks().GetProductName(&effectInstance, text, capacity) != 0;
}

int32_t CDaZU::getVendorVersion() {
  return getHooks().GetVendorVersion ? getHooks().GetVendorVersion(&effectInstance) : 0;
}

intptr_t CDaZU::canDo(const char* text) {
  // MIDI is answered with the record's flags and the synth bit added.
  if (std::strcmp(text, "receiveVstMidiEvent") == 0) return cEffect.flags | effFlagsIsSynth;
  if (std::strcmp(text, "supportsViewDpiScaling") == 0) return 1;
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

bool CDaZU::receiveMidi(int32_t* deltaFrames, int32_t* status, int32_t* data1, int32_t* data2) {
  int32_t* outputs[] = {deltaFrames, status, data1, data2};
  if (midiReadIndex == midiWriteIndex) {
    for (int32_t* out : outputs) {
      if (out) *out = 0;
    }
    return false;
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
  return true;
}

namespace {

int32_t TimeFilter(uint32_t fields) {
  static constexpr struct {
    uint32_t field;
    int32_t filter;
  } kFilters[] = {{kTimeTempo, kVstTempoValid},         {kTimeSignature, kVstTimeSigValid},
                  {kTimePlaying, kVstTransportPlaying}, {kTimeRecording, kVstTransportRecording},
                  {kTimePosition, kVstPpqPosValid},     {kTimeBarStart, kVstBarsValid}};
  int32_t filter = 0;
  for (const auto& f : kFilters) {
    if (fields & f.field) filter |= f.filter;
  }
  return filter;
}

}  // namespace

HostTime CDaZU::time(uint32_t fields) {
  const auto* info = reinterpret_cast<const VstTimeInfo*>(
      callHost(audioMasterGetTime, 0, TimeFilter(fields), nullptr, 0.0f));
  if (info == nullptr) return {};
  return HostTime{
      .tempo = info->tempo,
      .numerator = info->timeSigNumerator,
      .denominator = info->timeSigDenominator,
      .position = info->ppqPos,
      .barStart = info->barStartPos,
      .playing = (info->flags & kVstTransportPlaying) != 0,
      .recording = (info->flags & kVstTransportRecording) != 0,
  };
}

bool CDaZU::updateDisplay() {
  return callHost(audioMasterUpdateDisplay) != 0;
}

bool CDaZU::setLatency(int32_t samples) {
  setInitialDelay(samples);
  return true;
}

bool CDaZU::setSynth(bool on) {
  isSynth(on);
  return true;
}

bool CDaZU::automate(int32_t index, double value) {
  const auto narrowed = static_cast<float>(value);
  cEffect.setParameter(&cEffect, index, narrowed);
  callHost(audioMasterAutomate, index, 0, nullptr, narrowed);
  return true;
}

bool CDaZU::beginEdit(int32_t index) {
  return callHost(audioMasterBeginEdit, index) != 0;
}

bool CDaZU::endEdit(int32_t index) {
  return callHost(audioMasterEndEdit, index) != 0;
}

void CDaZU::idle() {
  callHost(audioMasterIdle);
}

namespace {

bool SendEvent(CDaZU& adapter, VstEvent* event) {
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = event;
  return adapter.callHost(audioMasterProcessEvents, 0, 0, &list, 0.0f) == 1;
}

}  // namespace

bool CDaZU::sendMidi(int32_t deltaFrames, int32_t status, int32_t data1, int32_t data2) {
  VstMidiEvent midi{};
  midi.type = kVstMidiType;
  midi.byteSize = sizeof(VstMidiEvent);
  midi.deltaFrames = deltaFrames;
  midi.midiData[0] = static_cast<char>(status);
  midi.midiData[1] = static_cast<char>(data1);
  midi.midiData[2] = static_cast<char>(data2);
  return SendEvent(*this, reinterpret_cast<VstEvent*>(&midi));
}

bool CDaZU::sendSysex(int32_t deltaFrames, const void* data, int32_t byteCount) {
  VstMidiSysexEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.byteSize = sizeof(VstMidiSysexEvent);
  sysex.deltaFrames = deltaFrames;
  sysex.dumpBytes = byteCount;
  sysex.sysexDump = static_cast<char*>(const_cast<void*>(data));
  return SendEvent(*this, reinterpret_cast<VstEvent*>(&sysex));
}
