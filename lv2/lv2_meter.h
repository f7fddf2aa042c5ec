// The LV2 adapter: one instance of the meter as an LV2 host runs it. It owns the
// effect's instance and answers what the instance asks of the host; the audio
// passes through the same processing hooks as in every format.
#pragma once

#include <lv2/atom/forge.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <array>
#include <cstdint>
#include <memory>

#include "core/effect_instance.h"
#include "core/host_interface.h"
#include "effect/meter_readouts.h"
#include "effect/vebrisk_effect.h"
#include "lv2/lv2_facts.h"

class Lv2Meter final : public HostInterface {
 public:
  // Null when the instance cannot be made.
  static Lv2Meter* create(double sampleRate, const LV2_Feature* const* features);
  ~Lv2Meter() override;
  Lv2Meter(const Lv2Meter&) = delete;
  Lv2Meter& operator=(const Lv2Meter&) = delete;

  void connect(uint32_t port, void* data);
  void activate();
  void deactivate();
  // Realtime: no allocation, lock or log.
  void run(uint32_t frames);
  LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle handle,
                        const LV2_Feature* const* features);
  // Changes nothing unless the stored property is whole: an atom:Chunk of the
  // state's own size that begins with the state's marker.
  LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                           const LV2_Feature* const* features);

  // What the instance asks of the host: the rate, the block length the options
  // gave, two channels each way; LV2 hosts give no transport here (the meter
  // has no time port), take no MIDI and no automation.
  double sampleRate() override { return rate; }
  int32_t blockSize() override { return blockLength; }
  int32_t inputCount() override { return 2; }
  int32_t outputCount() override { return 2; }

 private:
  struct Urids {
    LV2_URID peaks, left, right, frames, sampleRate;
  };

  Lv2Meter(double sampleRate, const LV2_Feature* const* features);
  void writeReadouts();
  void writeNotify();
  void forgetMeasurements();

  double rate;
  int32_t blockLength = 0;  // unknown until the host's options say
  LV2_URID_Map* map = nullptr;
  Urids urids{};
  LV2_Atom_Forge forge{};
  std::array<float*, 4> audio{};
  LV2_Atom_Sequence* notify = nullptr;
  std::array<float*, kReadoutCount> readouts{};
  MeterReadouts meterReadouts;
  UnshownMeasurements unsent{};  // measured, not yet in a notify message
  std::unique_ptr<EffectInstance> instance;
};
