#include "lv2/gui/peaks_message.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>

#include <cmath>
#include <cstring>
#include <type_traits>

#include "lv2/lv2_facts.h"

namespace {

// Copied out: a host's buffer need not be aligned for the types inside it.
template <class T>
T ReadAt(const uint8_t* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

struct Fields {
  std::optional<double> left, right, sampleRate;
  std::optional<int64_t> frames;
};

bool IsStep(double value) {
  return std::isfinite(value) && value >= 0;
}

bool IsRate(double value) {
  return std::isfinite(value) && value > 0;
}

}  // namespace

PeaksMessageUrids MapPeaksMessageUrids(LV2_URID_Map& map) {
  auto id = [&map](const char* uri) { return map.map(map.handle, uri); };
  return {id(LV2_ATOM__eventTransfer), id(LV2_ATOM__Object),     id(LV2_ATOM__Double),
          id(LV2_ATOM__Long),          id(Lv2Facts::kPeaksUri),  id(Lv2Facts::kLeftUri),
          id(Lv2Facts::kRightUri),     id(Lv2Facts::kFramesUri), id(Lv2Facts::kSampleRateUri)};
}

std::optional<PeaksMessage> ReadPeaksMessage(const PeaksMessageUrids& urids, uint32_t format,
                                             const void* buffer, uint32_t size) noexcept {
  if (format != urids.eventTransfer || buffer == nullptr || size < sizeof(LV2_Atom_Object)) {
    return std::nullopt;
  }
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  const auto object = ReadAt<LV2_Atom_Object>(bytes);
  if (object.atom.type != urids.object || object.body.otype != urids.peaks) return std::nullopt;
  if (object.atom.size > size - sizeof(LV2_Atom)) return std::nullopt;
  const size_t end = sizeof(LV2_Atom) + object.atom.size;

  Fields fields;
  // Each property's value is checked against the object's end before it is read.
  for (size_t at = sizeof(LV2_Atom_Object); at + sizeof(LV2_Atom_Property_Body) <= end;) {
    const auto property = ReadAt<LV2_Atom_Property_Body>(bytes + at);
    const size_t valueAt = at + sizeof(LV2_Atom_Property_Body);
    if (property.value.size > end - valueAt) return std::nullopt;
    auto take = [&](auto& field, LV2_URID type) {
      using Value = typename std::remove_reference_t<decltype(field)>::value_type;
      if (property.value.type != type || property.value.size != sizeof(Value)) return false;
      field = ReadAt<Value>(bytes + valueAt);
      return true;
    };
    bool wellFormed = true;
    if (property.key == urids.left) {
      wellFormed = take(fields.left, urids.doubleType);
    } else if (property.key == urids.right) {
      wellFormed = take(fields.right, urids.doubleType);
    } else if (property.key == urids.frames) {
      wellFormed = take(fields.frames, urids.longType);
    } else if (property.key == urids.sampleRate) {
      wellFormed = take(fields.sampleRate, urids.doubleType);
    }
    if (!wellFormed) return std::nullopt;
    at = valueAt + lv2_atom_pad_size(property.value.size);
  }

  if (!fields.left || !fields.right || !fields.frames || !fields.sampleRate) return std::nullopt;
  if (!IsStep(*fields.left) || !IsStep(*fields.right) || *fields.frames < 0 ||
      !IsRate(*fields.sampleRate)) {
    return std::nullopt;
  }
  return PeaksMessage{{*fields.left, *fields.right, static_cast<double>(*fields.frames)},
                      *fields.sampleRate};
}
