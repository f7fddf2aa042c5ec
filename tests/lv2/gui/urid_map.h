// A host's URID map for tests: URIs numbered from 1 in the order first asked for.
#pragma once

#include <lv2/urid/urid.h>

#include <string>
#include <vector>

class UridMap {
 public:
  UridMap() : map{this, &UridMap::Map} {}
  UridMap(const UridMap&) = delete;
  UridMap& operator=(const UridMap&) = delete;

  LV2_URID id(const char* uri) { return Map(this, uri); }
  LV2_URID_Map* get() { return &map; }

 private:
  static LV2_URID Map(LV2_URID_Map_Handle handle, const char* uri) {
    std::vector<std::string>& uris = static_cast<UridMap*>(handle)->uris;
    for (size_t i = 0; i < uris.size(); ++i) {
      if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    }
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
  }

  std::vector<std::string> uris;
  LV2_URID_Map map;
};
