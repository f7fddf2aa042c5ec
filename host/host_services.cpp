#include "host/host_services.h"

#include "host/cdazu.h"

namespace {

const VstTimeInfo* timeInfo(CDaZU* adapter, int32_t filter) {
  return reinterpret_cast<const VstTimeInfo*>(
      adapter->callHost(audioMasterGetTime, 0, filter, nullptr, 0.0f));
}

int32_t sendEvent(CDaZU* adapter, VstEvent* event) {
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = event;
  return adapter->callHost(audioMasterProcessEvents, 0, 0, &list, 0.0f) == 1 ? 1 : 0;
}

}  // namespace

float HostSampleRate(CDaZU* adapter) {
  return adapter ? adapter->getSampleRate() : 0.0f;
}

int32_t HostInputCount(CDaZU* adapter) {
  return adapter ? adapter->getAeffect()->numInputs : 0;
}

int32_t HostOutputCount(CDaZU* adapter) {
  return adapter ? adapter->getAeffect()->numOutputs : 0;
}

int32_t HostBlockSize(CDaZU* adapter) {
  return adapter ? adapter->getBlockSize() : 0;
}

double HostTempo(CDaZU* adapter) {
  const VstTimeInfo* info = adapter ? timeInfo(adapter, kVstTempoValid) : nullptr;
  return info ? info->tempo : 0.0;
}

int32_t HostIsPlaying(CDaZU* adapter) {
  const VstTimeInfo* info = adapter ? timeInfo(adapter, kVstTransportPlaying) : nullptr;
  return info && (info->flags & kVstTransportPlaying) ? 1 : 0;
}

int32_t HostIsRecording(CDaZU* adapter) {
  const VstTimeInfo* info = adapter ? timeInfo(adapter, kVstTransportRecording) : nullptr;
  return info && (info->flags & kVstTransportRecording) ? 1 : 0;
}

double HostPosition(CDaZU* adapter) {
  const VstTimeInfo* info = adapter ? timeInfo(adapter, kVstPpqPosValid) : nullptr;
  return info ? info->ppqPos : 0.0;
}

double HostBarStart(CDaZU* adapter) {
  const VstTimeInfo* info = adapter ? timeInfo(adapter, kVstBarsValid) : nullptr;
  return info ? info->barStartPos : 0.0;
}

int32_t HostTempoAndSignature(CDaZU* adapter, double* tempo, double* numerator,
                              double* denominator) {
  const VstTimeInfo* info =
      adapter ? timeInfo(adapter, kVstTempoValid | kVstTimeSigValid) : nullptr;
  if (info == nullptr) return 0;
  if (tempo) *tempo = info->tempo;
  if (numerator) *numerator = info->timeSigNumerator;
  if (denominator) *denominator = info->timeSigDenominator;
  return 1;
}

int32_t HostUpdateDisplay(CDaZU* adapter) {
  return adapter && adapter->callHost(audioMasterUpdateDisplay) != 0 ? 1 : 0;
}

int32_t HostSetLatency(CDaZU* adapter, int32_t samples) {
  if (adapter == nullptr) return 0;
  adapter->setInitialDelay(samples);
  return 1;
}

int32_t HostSetSynth(CDaZU* adapter, bool on) {
  if (adapter == nullptr) return 0;
  adapter->isSynth(on);
  return 1;
}

int32_t HostAutomate(CDaZU* adapter, int32_t index, double value) {
  if (adapter == nullptr) return 0;
  const auto narrowed = static_cast<float>(value);
  adapter->getAeffect()->setParameter(adapter->getAeffect(), index, narrowed);
  adapter->callHost(audioMasterAutomate, index, 0, nullptr, narrowed);
  return 1;
}

int32_t HostSendMidi(CDaZU* adapter, int32_t deltaFrames, int32_t status, int32_t data1,
                     int32_t data2) {
  if (adapter == nullptr) return 0;
  VstMidiEvent midi{};
  midi.type = kVstMidiType;
  midi.byteSize = sizeof(VstMidiEvent);
  midi.deltaFrames = deltaFrames;
  midi.midiData[0] = static_cast<char>(status);
  midi.midiData[1] = static_cast<char>(data1);
  midi.midiData[2] = static_cast<char>(data2);
  return sendEvent(adapter, reinterpret_cast<VstEvent*>(&midi));
}

int32_t HostSendSysex(CDaZU* adapter, int32_t deltaFrames, const void* data, int32_t byteCount) {
  if (adapter == nullptr) return 0;
  VstMidiSysexEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.byteSize = sizeof(VstMidiSysexEvent);
  sysex.deltaFrames = deltaFrames;
  sysex.dumpBytes = byteCount;
  sysex.sysexDump = static_cast<char*>(const_cast<void*>(data));
  return sendEvent(adapter, reinterpret_cast<VstEvent*>(&sysex));
}

int32_t HostReceiveMidi(CDaZU* adapter, int32_t* deltaFrames, int32_t* status, int32_t* data1,
                        int32_t* data2) {
  return adapter ? adapter->receiveMidi(deltaFrames, status, data1, data2) : 0;
}
