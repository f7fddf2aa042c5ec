#include "tests/lv2/host/lilv_host.h"

#include <cstdlib>

#include "lv2/lv2_facts.h"

LilvHost::LilvHost() {
  setenv("LV2_PATH", DEFAULT_LV2_PATH, 0);
  lilvWorld = lilv_world_new();
  lilv_world_load_all(lilvWorld);
  const Node uri = this->uri(Lv2Facts::kPluginUri);
  meter = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(lilvWorld), uri.get());
}

LilvHost::~LilvHost() {
  lilv_world_free(lilvWorld);
}
