// The CLAP adapter's audio side: one instance of the meter as a CLAP host runs
// it. It owns the effect's instance, keeps the order of the host's calls
// (init, activate, start processing...) and refuses what comes out of it,
// answers what the instance asks of the host, and holds the state and the
// readouts. The audio passes through the same processing hooks as in every format.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "clap/clap_abi.h"
#include "clap/host_checks.h"
#include "core/effect_instance.h"
#include "core/host_interface.h"
#include "effect/meter_model.h"
#include "effect/meter_readouts.h"

struct PaintFunctions;

class ClapMeter final : public HostInterface {
 public:
  ClapMeter(const clap_host* host, const PaintFunctions* paint);
  ~ClapMeter() override;
  ClapMeter(const ClapMeter&) = delete;
  ClapMeter& operator=(const ClapMeter&) = delete;

  bool init();
  bool activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames);
  void deactivate();
  bool startProcessing();
  void stopProcessing();
  void reset();
  // Realtime: no allocation, lock or log of our own.
  int32_t process(const clap_process& process);
  // Before the instance ends: deactivates when the host did not.
  void end();

  bool saveState(const clap_ostream& stream);
  // Changes nothing unless the stream holds exactly the state's bytes.
  bool loadState(const clap_istream& stream);

  // The readouts, from any thread.
  double readout(Readout readout) const;

  bool isActive() const { return phase >= Phase::active; }
  EffectInstance& instance() const { return *effectInstance; }
  HostChecks& checks() { return hostChecks; }

  // What the instance asks of the host: the rate and the largest block of
  // activate, two channels each way, and the transport of the block being
  // processed (none outside process, or when the host gives none).
  double sampleRate() override { return rate; }
  int32_t blockSize() override { return maxBlock; }
  int32_t inputCount() override { return 2; }
  int32_t outputCount() override { return 2; }
  HostTime time(uint32_t fields) override;

 private:
  enum class Phase { created, initialized, active, processing };

  bool inPhase(Phase expected, const char* message);
  template <class Sample>
  bool processBuffers(Sample** const inputs, Sample** const outputs, uint32_t frames);

  HostChecks hostChecks;
  // Set on the main thread while the audio thread is stopped, read by both.
  std::atomic<Phase> phase = Phase::created;
  // Until the host names one, the rate a plug-in assumes.
  double rate = 44100;
  int32_t maxBlock = 0;
  MeterReadouts meterReadouts;
  std::array<std::atomic<double>, kReadoutCount> published{};
  const clap_event_transport* transport = nullptr;  // only while process runs
  std::unique_ptr<EffectInstance> effectInstance;
};
