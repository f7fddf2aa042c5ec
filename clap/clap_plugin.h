// One plug-in object as a CLAP host holds it: the record the host calls, the
// audio side behind it and, where the binary has one, the editor.
#pragma once

#include <memory>

#include "clap/clap_abi.h"
#include "clap/clap_editor.h"
#include "clap/clap_meter.h"

struct ClapPlugin {
  ClapPlugin(const clap_host* host, const PaintFunctions* paint);

  clap_plugin record;
  ClapMeter meter;
  std::unique_ptr<ClapEditor> editor;  // null in a binary without one
};

// The object behind a record the host hands back; null for a null record.
ClapPlugin* PluginOf(const clap_plugin* plugin);

// What the record's get_extension answers: null for ids the plug-in does not offer.
const void* PluginExtension(const ClapPlugin& plugin, const char* id);

// Every call runs under this guard: nothing thrown reaches the host.
template <class Result, class Call>
Result Guarded(const clap_plugin* plugin, Result fallback, Call&& call) {
  ClapPlugin* object = PluginOf(plugin);
  if (object == nullptr) return fallback;
  try {
    return call(*object);
  } catch (...) {
    return fallback;
  }
}

template <class Call>
void Guarded(const clap_plugin* plugin, Call&& call) {
  Guarded(plugin, 0, [&](ClapPlugin& object) {
    call(object);
    return 0;
  });
}
