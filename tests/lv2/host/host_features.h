// The features a host hands to instantiate: urid:map and unmap (or none, as
// lv2apply gives), and instance options such as the block lengths.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>

#include <deque>
#include <vector>

#include "tests/lv2/host/urid_table.h"

class HostFeatures {
 public:
  explicit HostFeatures(bool giveMap = true) : giveMap(giveMap) {}
  HostFeatures(const HostFeatures&) = delete;
  HostFeatures& operator=(const HostFeatures&) = delete;

  // Once an option is added, the options feature is given, ended as the
  // options extension ends its array.
  void addOption(const char* key, int32_t value, const char* type = LV2_ATOM__Int) {
    values.push_back(value);
    options.push_back(
        {LV2_OPTIONS_INSTANCE, 0, urids.id(key), sizeof(int32_t), urids.id(type), &values.back()});
  }

  // Valid until the next call or addOption.
  const LV2_Feature* const* list() {
    features.clear();
    if (giveMap) {
      features.push_back({LV2_URID__map, urids.map()});
      features.push_back({LV2_URID__unmap, urids.unmap()});
    }
    if (!options.empty()) {
      ended = options;
      ended.push_back({LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr});
      features.push_back({LV2_OPTIONS__options, ended.data()});
    }
    pointers.clear();
    for (const LV2_Feature& feature : features)
      pointers.push_back(&feature);
    pointers.push_back(nullptr);
    return pointers.data();
  }

  UridTable urids;

 private:
  bool giveMap;
  std::deque<int32_t> values;
  std::vector<LV2_Options_Option> options, ended;
  std::vector<LV2_Feature> features;
  std::vector<const LV2_Feature*> pointers;
};
