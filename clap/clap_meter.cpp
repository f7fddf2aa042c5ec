#include "clap/clap_meter.h"

#include <cmath>
#include <vector>

#include "effect/meter_instance.h"
#include "effect/vebrisk_effect.h"

ClapMeter::ClapMeter(const clap_host* host, const PaintFunctions* paint)
    : hostChecks(host), meterReadouts(rate), effectInstance(MakeMeterInstance(*this, paint)) {}

ClapMeter::~ClapMeter() {
  end();
  effectInstance->getHooks().Close(effectInstance.get());
}

void ClapMeter::end() {
  if (phase.load() >= Phase::active) {
    hostChecks.report("destroy called while the plug-in was active");
    if (phase.load() == Phase::processing) phase = Phase::active;
    deactivate();
  }
}

bool ClapMeter::inPhase(Phase expected, const char* message) {
  if (phase.load() == expected) return true;
  hostChecks.report(message);
  return false;
}

bool ClapMeter::init() {
  if (!inPhase(Phase::created, "init called twice")) return false;
  hostChecks.queryExtensions();
  hostChecks.expectMainThread("init called off the main thread");
  phase = Phase::initialized;
  return true;
}

bool ClapMeter::activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames) {
  hostChecks.expectMainThread("activate called off the main thread");
  if (!inPhase(Phase::initialized, "activate called before init, or while active")) return false;
  if (!std::isfinite(sampleRate) || sampleRate <= 0 || maxFrames == 0 || minFrames > maxFrames ||
      maxFrames > INT32_MAX) {
    hostChecks.report("activate called with an impossible sample rate or block size");
    return false;
  }
  rate = sampleRate;
  maxBlock = static_cast<int32_t>(maxFrames);
  meterReadouts = MeterReadouts(rate);
  for (std::atomic<double>& value : published)
    value.store(0, std::memory_order_relaxed);
  // Resume starts the meter afresh at the host's rate, as a VST resume does.
  effectInstance->getHooks().Resume(effectInstance.get());
  phase = Phase::active;
  return true;
}

void ClapMeter::deactivate() {
  hostChecks.expectMainThread("deactivate called off the main thread");
  if (!inPhase(Phase::active, "deactivate called while inactive or processing")) return;
  effectInstance->getHooks().Suspend(effectInstance.get());
  phase = Phase::initialized;
}

bool ClapMeter::startProcessing() {
  hostChecks.expectAudioThread("start_processing called off the audio thread");
  if (!inPhase(Phase::active, "start_processing called while inactive or processing")) return false;
  phase = Phase::processing;
  return true;
}

void ClapMeter::stopProcessing() {
  hostChecks.expectAudioThread("stop_processing called off the audio thread");
  if (inPhase(Phase::processing, "stop_processing called while not processing"))
    phase = Phase::active;
}

void ClapMeter::reset() {
  hostChecks.expectAudioThread("reset called off the audio thread");
  if (phase.load() < Phase::active) {
    hostChecks.report("reset called while inactive");
    return;
  }
  MeterOf(*effectInstance).ForgetPreviousSamples();
}

int32_t ClapMeter::process(const clap_process& block) {
  hostChecks.expectAudioThread("process called off the audio thread");
  if (!inPhase(Phase::processing, "process called without start_processing"))
    return CLAP_PROCESS_ERROR;
  const uint32_t frames = block.frames_count;
  if (frames == 0) return CLAP_PROCESS_CONTINUE;
  if (block.audio_inputs_count < 1 || block.audio_outputs_count < 1 ||
      block.audio_inputs == nullptr || block.audio_outputs == nullptr) {
    hostChecks.report("process called without the stereo input and output");
    return CLAP_PROCESS_ERROR;
  }
  const clap_audio_buffer& in = block.audio_inputs[0];
  clap_audio_buffer& out = block.audio_outputs[0];
  bool processed = false;
  transport = block.transport;
  if (in.channel_count >= 2 && out.channel_count >= 2) {
    if (in.data64 && out.data64) {
      processed = processBuffers(in.data64, out.data64, frames);
    } else if (in.data32 && out.data32) {
      processed = processBuffers(in.data32, out.data32, frames);
    }
  }
  transport = nullptr;
  if (!processed) {
    hostChecks.report("process called with missing or mixed-precision audio buffers");
    return CLAP_PROCESS_ERROR;
  }
  // A hint only; 0 is always true.
  out.constant_mask = 0;
  for (uint32_t r = 0; r < kReadoutCount; ++r)
    published[r].store(meterReadouts.value(static_cast<Readout>(r)), std::memory_order_relaxed);
  return CLAP_PROCESS_CONTINUE;
}

template <class Sample>
bool ClapMeter::processBuffers(Sample** const inputs, Sample** const outputs, uint32_t frames) {
  if (!inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return false;
  meterReadouts.process(*effectInstance, inputs, outputs, frames);
  return true;
}

double ClapMeter::readout(Readout which) const {
  return published[static_cast<uint32_t>(which)].load(std::memory_order_relaxed);
}

HostTime ClapMeter::time(uint32_t) {
  if (transport == nullptr) return {};
  const uint32_t flags = transport->flags;
  HostTime time;
  time.playing = (flags & CLAP_TRANSPORT_IS_PLAYING) != 0;
  time.recording = (flags & CLAP_TRANSPORT_IS_RECORDING) != 0;
  if (flags & CLAP_TRANSPORT_HAS_TEMPO) time.tempo = transport->tempo;
  if (flags & CLAP_TRANSPORT_HAS_TIME_SIGNATURE) {
    time.numerator = transport->tsig_num;
    time.denominator = transport->tsig_denom;
  }
  if (flags & CLAP_TRANSPORT_HAS_BEATS_TIMELINE) {
    constexpr double kFactor = static_cast<double>(kClapFixedPointFactor);
    time.position = static_cast<double>(transport->song_pos_beats) / kFactor;
    time.barStart = static_cast<double>(transport->bar_start) / kFactor;
  }
  return time;
}

bool ClapMeter::saveState(const clap_ostream& stream) {
  hostChecks.expectMainThread("state.save called off the main thread");
  if (stream.write == nullptr) return false;
  void* data = nullptr;
  const int32_t size = effectInstance->getHooks().GetState(effectInstance.get(), &data, false);
  if (size <= 0 || data == nullptr) return false;
  const auto* bytes = static_cast<const unsigned char*>(data);
  // A stream may take fewer bytes than offered; one that takes none has failed.
  for (int64_t written = 0; written < size;) {
    const int64_t count =
        stream.write(&stream, bytes + written, static_cast<uint64_t>(size - written));
    if (count <= 0 || count > size - written) return false;
    written += count;
  }
  return true;
}

bool ClapMeter::loadState(const clap_istream& stream) {
  hostChecks.expectMainThread("state.load called off the main thread");
  if (stream.read == nullptr) return false;
  const size_t expected = MeterStateSize(*effectInstance);
  if (expected == 0) return false;
  // One byte more than a state holds: a longer stream is not ours.
  std::vector<unsigned char> bytes(expected + 1);
  size_t total = 0;
  for (;;) {
    const size_t room = bytes.size() - total;
    if (room == 0) return false;
    const int64_t count = stream.read(&stream, bytes.data() + total, room);
    if (count < 0 || static_cast<uint64_t>(count) > room) return false;
    if (count == 0) break;
    total += static_cast<size_t>(count);
  }
  return LoadMeterState(*effectInstance, bytes.data(), total);
}
