#include "clap/clap_plugin.h"

#include "clap/descriptor.h"

namespace {

bool Init(const clap_plugin* plugin) {
  return Guarded(plugin, false, [](ClapPlugin& p) { return p.meter.init(); });
}

void Destroy(const clap_plugin* plugin) {
  ClapPlugin* object = PluginOf(plugin);
  if (object == nullptr) return;
  try {
    // The editor goes first, giving the host its window back, then the audio side.
    if (object->editor && object->editor->isCreated()) {
      object->meter.checks().report("destroy called while the editor was open");
      object->editor->destroy();
    }
    object->meter.end();
  } catch (...) {
  }
  delete object;
}

bool Activate(const clap_plugin* plugin, double rate, uint32_t minFrames, uint32_t maxFrames) {
  return Guarded(plugin, false,
                 [&](ClapPlugin& p) { return p.meter.activate(rate, minFrames, maxFrames); });
}

void Deactivate(const clap_plugin* plugin) {
  Guarded(plugin, [](ClapPlugin& p) { p.meter.deactivate(); });
}

bool StartProcessing(const clap_plugin* plugin) {
  return Guarded(plugin, false, [](ClapPlugin& p) { return p.meter.startProcessing(); });
}

void StopProcessing(const clap_plugin* plugin) {
  Guarded(plugin, [](ClapPlugin& p) { p.meter.stopProcessing(); });
}

void Reset(const clap_plugin* plugin) {
  Guarded(plugin, [](ClapPlugin& p) { p.meter.reset(); });
}

int32_t Process(const clap_plugin* plugin, const clap_process* process) {
  if (process == nullptr) return CLAP_PROCESS_ERROR;
  return Guarded(plugin, int32_t{CLAP_PROCESS_ERROR},
                 [&](ClapPlugin& p) { return p.meter.process(*process); });
}

const void* GetExtension(const clap_plugin* plugin, const char* id) {
  if (id == nullptr) return nullptr;
  return Guarded(plugin, static_cast<const void*>(nullptr),
                 [&](ClapPlugin& p) { return PluginExtension(p, id); });
}

void OnMainThread(const clap_plugin*) {}

}  // namespace

ClapPlugin::ClapPlugin(const clap_host* host, const PaintFunctions* paint)
    : record{&MeterDescriptor(), this,           Init,  Destroy, Activate,     Deactivate,
             StartProcessing,    StopProcessing, Reset, Process, GetExtension, OnMainThread},
      meter(host, paint) {}

ClapPlugin* PluginOf(const clap_plugin* plugin) {
  return plugin ? static_cast<ClapPlugin*>(plugin->plugin_data) : nullptr;
}
