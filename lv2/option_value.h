// One value from the options a host gives at instantiation (opts:options).
#pragma once

#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cstring>
#include <optional>

// The value of option `key` when the host gave it with `type` and T's size; the
// list ends at an option with neither key nor value.
template <class T>
std::optional<T> OptionValue(LV2_URID_Map& map, const LV2_Options_Option* options, const char* key,
                             const char* type) {
  if (options == nullptr) return std::nullopt;
  const LV2_URID keyUrid = map.map(map.handle, key), typeUrid = map.map(map.handle, type);
  for (const LV2_Options_Option* o = options; o->key != 0 || o->value != nullptr; ++o) {
    if (o->key != keyUrid || o->type != typeUrid || o->size != sizeof(T) || o->value == nullptr) {
      continue;
    }
    T value;
    std::memcpy(&value, o->value, sizeof value);
    return value;
  }
  return std::nullopt;
}
