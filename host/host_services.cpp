#include "host/host_services.h"

#include "host/cdazu.h"

namespace {

const VstTimeInfo* timeInfo(CDaZU* host, int32_t filter) {
  return reinterpret_cast<const VstTimeInfo*>(
      host->callHost(audioMasterGetTime, 0, filter, nullptr, 0.0f));
}

int32_t sendEvent(CDaZU* host, VstEvent* event) {
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = event;
  return host->callHost(audioMasterProcessEvents, 0, 0, &list, 0.0f) == 1 ? 1 : 0;
}

}  // namespace

float HostSampleRate(CDaZU* host) {
  return host ? host->getSampleRate() : 0.0f;
}

int32_t HostInputCount(CDaZU* host) {
  return host ? host->getAeffect()->numInputs : 0;
}

int32_t HostOutputCount(CDaZU* host) {
  return host ? host->getAeffect()->numOutputs : 0;
}

int32_t HostBlockSize(CDaZU* host) {
  return host ? host->getBlockSize() : 0;
}

double HostTempo(CDaZU* host) {
  const VstTimeInfo* info = host ? timeInfo(host, kVstTempoValid) : nullptr;
  return info ? info->tempo : 0.0;
}

int32_t HostIsPlaying(CDaZU* host) {
  const VstTimeInfo* info = host ? timeInfo(host, kVstTransportPlaying) : nullptr;
  return info && (info->flags & kVstTransportPlaying) ? 1 : 0;
}

int32_t HostIsRecording(CDaZU* host) {
  const VstTimeInfo* info = host ? timeInfo(host, kVstTransportRecording) : nullptr;
  return info && (info->flags & kVstTransportRecording) ? 1 : 0;
}

double HostPosition(CDaZU* host) {
  const VstTimeInfo* info = host ? timeInfo(host, kVstPpqPosValid) : nullptr;
  return info ? info->ppqPos : 0.0;
}

double HostBarStart(CDaZU* host) {
  const VstTimeInfo* info = host ? timeInfo(host, kVstBarsValid) : nullptr;
  return info ? info->barStartPos : 0.0;
}

int32_t HostTempoAndSignature(CDaZU* host, double* tempo, double* numerator, double* denominator) {
  const VstTimeInfo* info = host ? timeInfo(host, kVstTempoValid | kVstTimeSigValid) : nullptr;
  if (info == nullptr) return 0;
  if (tempo) *tempo = info->tempo;
  if (numerator) *numerator = info->timeSigNumerator;
  if (denominator) *denominator = info->timeSigDenominator;
  return 1;
}

int32_t HostUpdateDisplay(CDaZU* host) {
  return host && host->callHost(audioMasterUpdateDisplay) != 0 ? 1 : 0;
}

int32_t HostSetLatency(CDaZU* host, int32_t samples) {
  if (host == nullptr) return 0;
  host->setInitialDelay(samples);
  return 1;
}

int32_t HostSetSynth(CDaZU* host, bool on) {
  if (host == nullptr) return 0;
  host->isSynth(on);
  return 1;
}

int32_t HostAutomate(CDaZU* host, int32_t index, double value) {
  if (host == nullptr) return 0;
  const auto narrowed = static_cast<float>(value);
  host->getAeffect()->setParameter(host->getAeffect(), index, narrowed);
  host->callHost(audioMasterAutomate, index, 0, nullptr, narrowed);
  return 1;
}

int32_t HostSendMidi(CDaZU* host, int32_t deltaFrames, int32_t status, int32_t data1,
                     int32_t data2) {
  if (host == nullptr) return 0;
  VstMidiEvent midi{};
  midi.type = kVstMidiType;
  midi.byteSize = sizeof(VstMidiEvent);
  midi.deltaFrames = deltaFrames;
  midi.midiData[0] = static_cast<char>(status);
  midi.midiData[1] = static_cast<char>(data1);
  midi.midiData[2] = static_cast<char>(data2);
  return sendEvent(host, reinterpret_cast<VstEvent*>(&midi));
}

int32_t HostSendSysex(CDaZU* host, int32_t deltaFrames, const void* data, int32_t byteCount) {
  if (host == nullptr) return 0;
  VstMidiSysexEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.byteSize = sizeof(VstMidiSysexEvent);
  sysex.deltaFrames = deltaFrames;
  sysex.dumpBytes = byteCount;
  sysex.sysexDump = static_cast<char*>(const_cast<void*>(data));
  return sendEvent(host, reinterpret_cast<VstEvent*>(&sysex));
}

int32_t HostReceiveMidi(CDaZU* host, int32_t* deltaFrames, int32_t* status, int32_t* data1,
                        int32_t* data2) {
  return host ? host->receiveMidi(deltaFrames, status, data1, data2) : 0;
}
