// Atom objects written with the forge, as the audio side writes its messages:
// the meter's own Peaks message, and foreign or broken ones written the same way.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>

#include <array>
#include <cstdint>
#include <vector>

#include "lv2/lv2_facts.h"
#include "tests/lv2/host/urid_table.h"

class ObjectWriter {
 public:
  ObjectWriter(UridTable& map, const char* type) : map(map) {
    lv2_atom_forge_init(&forge, map.map());
    lv2_atom_forge_set_buffer(&forge, buffer.data(), buffer.size());
    lv2_atom_forge_object(&forge, &frame, 0, map.id(type));
  }

  ObjectWriter& real(const char* key, double value) {
    lv2_atom_forge_key(&forge, map.id(key));
    lv2_atom_forge_double(&forge, value);
    return *this;
  }
  ObjectWriter& single(const char* key, float value) {
    lv2_atom_forge_key(&forge, map.id(key));
    lv2_atom_forge_float(&forge, value);
    return *this;
  }
  ObjectWriter& whole(const char* key, int64_t value) {
    lv2_atom_forge_key(&forge, map.id(key));
    lv2_atom_forge_long(&forge, value);
    return *this;
  }
  ObjectWriter& integer(const char* key, int32_t value) {
    lv2_atom_forge_key(&forge, map.id(key));
    lv2_atom_forge_int(&forge, value);
    return *this;
  }

  // The object as one atom, header included.
  std::vector<uint8_t> bytes() {
    lv2_atom_forge_pop(&forge, &frame);
    const auto* atom = reinterpret_cast<const LV2_Atom*>(buffer.data());
    return {buffer.data(), buffer.data() + sizeof(LV2_Atom) + atom->size};
  }

 private:
  UridTable& map;
  alignas(8) std::array<uint8_t, 1024> buffer{};
  LV2_Atom_Forge forge{};
  LV2_Atom_Forge_Frame frame{};
};

// The message the audio side sends, its properties in the audio side's order.
inline std::vector<uint8_t> PeaksMessageBytes(UridTable& map, double left, double right,
                                              int64_t frames, double sampleRate) {
  using namespace Lv2Facts;
  return ObjectWriter(map, kPeaksUri)
      .real(kLeftUri, left)
      .real(kRightUri, right)
      .whole(kFramesUri, frames)
      .real(kSampleRateUri, sampleRate)
      .bytes();
}
