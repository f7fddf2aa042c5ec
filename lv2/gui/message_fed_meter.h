// The meter as the UI holds it: an instance of the effect that measures nothing
// itself. Its histories advance on the audio side's messages, and the graph's
// scale follows the sample rate they carry.
#pragma once

#include <cstdint>
#include <memory>

#include "core/effect_instance.h"
#include "core/host_interface.h"
#include "effect/vebrisk_effect.h"
#include "lv2/gui/peaks_message.h"

class MessageFedMeter final : public HostInterface {
 public:
  MessageFedMeter();
  ~MessageFedMeter() override;
  MessageFedMeter(const MessageFedMeter&) = delete;
  MessageFedMeter& operator=(const MessageFedMeter&) = delete;

  EffectInstance& instance() const { return *effectInstance; }
  // The steps go into the next history point; a new rate rescales the next picture.
  void take(const PeaksMessage& message) noexcept;

  // What the instance asks of the host: the UI has no host behind it but the
  // messages, so it knows the rate they carried, two channels each way, and
  // nothing else.
  double sampleRate() override { return rate; }
  int32_t inputCount() override { return 2; }
  int32_t outputCount() override { return 2; }

 private:
  // Until the first message: the rate a plug-in assumes before its host names one.
  double rate = 44100;
  std::unique_ptr<EffectInstance> effectInstance;
};
