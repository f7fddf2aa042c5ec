// The URID map and unmap a host gives plug-ins: URIs numbered from 1 in the
// order first asked for. One thread only, as the tests use it.
#pragma once

#include <lv2/urid/urid.h>

#include <string>
#include <vector>

class UridTable {
 public:
  UridTable() : mapFeature{this, &UridTable::Map}, unmapFeature{this, &UridTable::Unmap} {}
  UridTable(const UridTable&) = delete;
  UridTable& operator=(const UridTable&) = delete;

  LV2_URID id(const char* uri) { return Map(this, uri); }
  const char* uri(LV2_URID id) const { return Unmap(const_cast<UridTable*>(this), id); }
  LV2_URID_Map* map() { return &mapFeature; }
  LV2_URID_Unmap* unmap() { return &unmapFeature; }

 private:
  static LV2_URID Map(LV2_URID_Map_Handle handle, const char* uri) {
    std::vector<std::string>& uris = static_cast<UridTable*>(handle)->uris;
    for (size_t i = 0; i < uris.size(); ++i) {
      if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    }
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
  }
  static const char* Unmap(LV2_URID_Unmap_Handle handle, LV2_URID id) {
    const std::vector<std::string>& uris = static_cast<UridTable*>(handle)->uris;
    return id >= 1 && id <= uris.size() ? uris[id - 1].c_str() : nullptr;
  }

  std::vector<std::string> uris;
  LV2_URID_Map mapFeature;
  LV2_URID_Unmap unmapFeature;
};
