// Which numbers and names the system can take as ids of the module's own
// resources, for every kind of resource looked up.
#pragma once

#include <cstdint>
#include <string_view>

// Resource numbers are 16 bits: a larger one would find a different resource.
inline bool IsResourceNumber(int32_t number) {
  return number >= 0 && number <= 0xFFFF;
}

// An empty name, or one that reads as "#number", is no name.
inline bool IsResourceName(std::string_view name) {
  return !name.empty() && name[0] != '#';
}
