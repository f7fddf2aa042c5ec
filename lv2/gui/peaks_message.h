// The audio side's notify message as the UI reads it: each channel's largest step
// over some frames, and the sample rate they were measured at. Anything not of
// exactly that shape is refused, so nothing else a host forwards reaches the graph.
#pragma once

#include <lv2/urid/urid.h>

#include <cstdint>
#include <optional>

#include "effect/vebrisk_effect.h"

struct PeaksMessage {
  UnshownMeasurements measured;
  double sampleRate;
};

struct PeaksMessageUrids {
  LV2_URID eventTransfer, object, doubleType, longType;
  LV2_URID peaks, left, right, frames, sampleRate;
};
PeaksMessageUrids MapPeaksMessageUrids(LV2_URID_Map& map);

// `buffer` is what a port event carries in `format`, `size` bytes of it; for an
// atom:eventTransfer that is one atom, here the message object. Every property
// must be there with its type and size, the steps finite and not negative, the
// frames not negative and the rate finite and positive.
std::optional<PeaksMessage> ReadPeaksMessage(const PeaksMessageUrids& urids, uint32_t format,
                                             const void* buffer, uint32_t size) noexcept;
