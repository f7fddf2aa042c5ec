#include "lv2/lv2_meter.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2_util.h>
#include <lv2/options/options.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "effect/meter_instance.h"
#include "effect/meter_model.h"
#include "lv2/option_value.h"

namespace {

// The block length the host's options promise: nominal when given, else the maximum.
int32_t BlockLength(LV2_URID_Map& map, const LV2_Options_Option* options) {
  for (const char* key : {LV2_BUF_SIZE__nominalBlockLength, LV2_BUF_SIZE__maxBlockLength}) {
    const int32_t length = OptionValue<int32_t>(map, options, key, LV2_ATOM__Int).value_or(0);
    if (length > 0) return length;
  }
  return 0;
}

LV2_URID_Map* MapOf(LV2_URID_Map* own, const LV2_Feature* const* features) {
  return own ? own : static_cast<LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map));
}

LV2_URID Map(LV2_URID_Map* map, const char* uri) {
  return map->map(map->handle, uri);
}

}  // namespace

Lv2Meter* Lv2Meter::create(double sampleRate, const LV2_Feature* const* features) {
  try {
    return new Lv2Meter(sampleRate, features);
  } catch (...) {
    return nullptr;
  }
}

Lv2Meter::Lv2Meter(double sampleRate, const LV2_Feature* const* features)
    : rate(sampleRate), meterReadouts(sampleRate) {
  map = static_cast<LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map));
  if (map) {
    urids = {Map(map, Lv2Facts::kPeaksUri), Map(map, Lv2Facts::kLeftUri),
             Map(map, Lv2Facts::kRightUri), Map(map, Lv2Facts::kFramesUri),
             Map(map, Lv2Facts::kSampleRateUri)};
    lv2_atom_forge_init(&forge, map);
    blockLength = BlockLength(*map, static_cast<const LV2_Options_Option*>(
                                        lv2_features_data(features, LV2_OPTIONS__options)));
  }
  instance = MakeMeterInstance(*this);
}

Lv2Meter::~Lv2Meter() {
  instance->getHooks().Close(instance.get());
}

void Lv2Meter::connect(uint32_t port, void* data) {
  using namespace Lv2Facts;
  if (port < kNotify) {
    audio[port] = static_cast<float*>(data);
  } else if (port == kNotify) {
    notify = static_cast<LV2_Atom_Sequence*>(data);
  } else if (port < kPortCount) {
    readouts[port - kRecentLeft] = static_cast<float*>(data);
  }
}

void Lv2Meter::forgetMeasurements() {
  MeterOf(*instance).TakeUnshownMeasurements();
  meterReadouts.clear();
  unsent = {};
}

void Lv2Meter::activate() {
  forgetMeasurements();
  instance->getHooks().Resume(instance.get());
}

void Lv2Meter::deactivate() {
  instance->getHooks().Suspend(instance.get());
}

void Lv2Meter::run(uint32_t frames) {
  using namespace Lv2Facts;
  if (std::all_of(audio.begin(), audio.end(), [](float* port) { return port != nullptr; })) {
    float* const inputs[] = {audio[kInLeft], audio[kInRight]};
    float* const outputs[] = {audio[kOutLeft], audio[kOutRight]};
    const UnshownMeasurements measured = meterReadouts.process(*instance, inputs, outputs, frames);
    unsent.peakLeft = std::max(unsent.peakLeft, measured.peakLeft);
    unsent.peakRight = std::max(unsent.peakRight, measured.peakRight);
    unsent.frames += measured.frames;
  }
  writeReadouts();
  writeNotify();
}

void Lv2Meter::writeReadouts() {
  // A step between two huge samples can pass the largest float: the port says
  // the largest it can, never infinity.
  constexpr double kLargest = std::numeric_limits<float>::max();
  for (uint32_t r = 0; r < kReadoutCount; ++r) {
    const double value = meterReadouts.value(static_cast<Readout>(r));
    if (readouts[r]) *readouts[r] = static_cast<float>(std::min(value, kLargest));
  }
}

void Lv2Meter::writeNotify() {
  // Without urid:map there are no message types (lv2apply gives none).
  if (notify == nullptr || map == nullptr) return;
  // The host set the size to the space it has; counted whole, header included.
  lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(notify), notify->atom.size);
  LV2_Atom_Forge_Frame sequence;
  if (!lv2_atom_forge_sequence_head(&forge, &sequence, 0)) {
    notify->atom = LV2_Atom{0, 0};
    return;
  }
  if (unsent.frames > 0) {
    LV2_Atom_Forge_Frame object;
    bool written = false;
    if (lv2_atom_forge_frame_time(&forge, 0) &&
        lv2_atom_forge_object(&forge, &object, 0, urids.peaks)) {
      written = lv2_atom_forge_key(&forge, urids.left) &&
                lv2_atom_forge_double(&forge, unsent.peakLeft) &&
                lv2_atom_forge_key(&forge, urids.right) &&
                lv2_atom_forge_double(&forge, unsent.peakRight) &&
                lv2_atom_forge_key(&forge, urids.frames) &&
                lv2_atom_forge_long(&forge, static_cast<int64_t>(unsent.frames)) &&
                lv2_atom_forge_key(&forge, urids.sampleRate) && lv2_atom_forge_double(&forge, rate);
      lv2_atom_forge_pop(&forge, &object);
    }
    if (written) {
      unsent = {};
    } else {
      // Too little room: the message waits, its peaks carried into the next.
      notify->atom.size = sizeof(LV2_Atom_Sequence_Body);
    }
  }
  lv2_atom_forge_pop(&forge, &sequence);
}

LV2_State_Status Lv2Meter::save(LV2_State_Store_Function store, LV2_State_Handle handle,
                                const LV2_Feature* const* features) {
  LV2_URID_Map* stateMap = MapOf(map, features);
  if (stateMap == nullptr) return LV2_STATE_ERR_NO_FEATURE;
  void* data = nullptr;
  const int32_t size = instance->getHooks().GetState(instance.get(), &data, false);
  if (size <= 0 || data == nullptr) return LV2_STATE_ERR_UNKNOWN;
  return store(handle, Map(stateMap, Lv2Facts::kStateUri), data, static_cast<size_t>(size),
               Map(stateMap, LV2_ATOM__Chunk), LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status Lv2Meter::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                                   const LV2_Feature* const* features) {
  LV2_URID_Map* stateMap = MapOf(map, features);
  if (stateMap == nullptr) return LV2_STATE_ERR_NO_FEATURE;
  size_t size = 0;
  uint32_t type = 0, flags = 0;
  const void* value = retrieve(handle, Map(stateMap, Lv2Facts::kStateUri), &size, &type, &flags);
  if (value == nullptr) return LV2_STATE_ERR_NO_PROPERTY;
  if (type != Map(stateMap, LV2_ATOM__Chunk)) return LV2_STATE_ERR_BAD_TYPE;
  if (!LoadMeterState(*instance, value, size)) return LV2_STATE_ERR_UNKNOWN;
  return LV2_STATE_SUCCESS;
}
