// What the effect, the runtime and the editor ask of whatever hosts an instance:
// each plug-in format answers it in its own adapter.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

// The parts of the host's time information a query asks for.
enum TimeField : uint32_t {
  kTimeTempo = 1,
  kTimeSignature = 2,
  kTimePlaying = 4,
  kTimeRecording = 8,
  kTimePosition = 16,
  kTimeBarStart = 32,
};

// One answer about the transport: a field the host did not give is empty.
struct HostTime {
  std::optional<double> tempo;
  std::optional<double> numerator;
  std::optional<double> denominator;
  std::optional<double> position;  // in quarter notes
  std::optional<double> barStart;
  std::optional<bool> playing;
  std::optional<bool> recording;
};

// What the effect declares of itself when it is set up.
struct EffectDeclaration {
  int32_t channels = 0;
  int32_t uniqueId = 0;
  bool stateIsOneChunk = false;
};

// Each answer defaults to what a host that offers nothing would give: nothing
// known (0, empty), no request taken. A format's adapter overrides what its
// host does offer.
class HostInterface {
 public:
  virtual ~HostInterface() = default;

  virtual void declare(const EffectDeclaration&) {}
  virtual double sampleRate() { return 0; }
  virtual int32_t blockSize() { return 0; }
  virtual int32_t inputCount() { return 0; }
  virtual int32_t outputCount() { return 0; }
  // One question to the host per call; `fields` is a set of TimeField.
  virtual HostTime time(uint32_t /*fields*/) { return {}; }
  // Each request answers whether the host took it.
  virtual bool updateDisplay() { return false; }
  virtual bool setLatency(int32_t /*samples*/) { return false; }
  virtual bool setSynth(bool /*on*/) { return false; }
  virtual bool automate(int32_t /*index*/, double /*value*/) { return false; }
  virtual bool beginEdit(int32_t /*index*/) { return false; }
  virtual bool endEdit(int32_t /*index*/) { return false; }
  // Lets the host run its own idle work while the editor waits.
  virtual void idle() {}
  virtual bool sendMidi(int32_t /*deltaFrames*/, int32_t /*status*/, int32_t /*data1*/,
                        int32_t /*data2*/) {
    return false;
  }
  virtual bool sendSysex(int32_t /*deltaFrames*/, const void* /*data*/, int32_t /*byteCount*/) {
    return false;
  }
  // Takes the oldest MIDI event the host sent: false, and zeros, when there is none.
  virtual bool receiveMidi(int32_t* deltaFrames, int32_t* status, int32_t* data1, int32_t* data2) {
    for (int32_t* out : {deltaFrames, status, data1, data2}) {
      if (out) *out = 0;
    }
    return false;
  }
};
