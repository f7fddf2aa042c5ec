// The extensions the plug-in offers, as tables of plain functions that find the
// plug-in object and call it under the guard.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "clap/clap_facts.h"
#include "clap/clap_plugin.h"

namespace {

// --- audio ports: one stereo pair, in place, either precision ---------------
constexpr clap_id kInputPortId = 0, kOutputPortId = 1;

uint32_t PortCount(const clap_plugin*, bool) {
  return 1;
}

bool PortInfo(const clap_plugin* plugin, uint32_t index, bool isInput, clap_audio_port_info* info) {
  if (PluginOf(plugin) == nullptr || index != 0 || info == nullptr) return false;
  *info = clap_audio_port_info{};
  info->id = isInput ? kInputPortId : kOutputPortId;
  std::snprintf(info->name, sizeof info->name, "%s", isInput ? "Stereo in" : "Stereo out");
  info->flags = CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS |
                CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE;
  info->channel_count = 2;
  info->port_type = "stereo";
  info->in_place_pair = isInput ? kOutputPortId : kInputPortId;
  return true;
}

const clap_plugin_audio_ports kAudioPorts{PortCount, PortInfo};

// --- state: the chunk's bytes ----------------------------------------------
bool SaveState(const clap_plugin* plugin, const clap_ostream* stream) {
  return stream &&
         Guarded(plugin, false, [&](ClapPlugin& p) { return p.meter.saveState(*stream); });
}

bool LoadState(const clap_plugin* plugin, const clap_istream* stream) {
  return stream &&
         Guarded(plugin, false, [&](ClapPlugin& p) { return p.meter.loadState(*stream); });
}

const clap_plugin_state kState{SaveState, LoadState};

// --- params: the readouts, read-only ----------------------------------------
uint32_t ParamCount(const clap_plugin*) {
  return kReadoutCount;
}

bool ParamInfo(const clap_plugin* plugin, uint32_t index, clap_param_info* info) {
  if (PluginOf(plugin) == nullptr || index >= kReadoutCount || info == nullptr) return false;
  *info = clap_param_info{};
  info->id = index;
  info->flags = CLAP_PARAM_IS_READONLY;
  std::snprintf(info->name, sizeof info->name, "%s", kReadouts[index].name);
  info->min_value = 0;
  info->max_value = kStepDisplayMaximum;
  info->default_value = 0;
  return true;
}

bool ParamValue(const clap_plugin* plugin, clap_id id, double* value) {
  if (id >= kReadoutCount || value == nullptr) return false;
  return Guarded(plugin, false, [&](ClapPlugin& p) {
    *value = p.meter.readout(static_cast<Readout>(id));
    return true;
  });
}

bool ValueToText(const clap_plugin* plugin, clap_id id, double value, char* text,
                 uint32_t capacity) {
  if (PluginOf(plugin) == nullptr || id >= kReadoutCount || text == nullptr || capacity == 0 ||
      !std::isfinite(value))
    return false;
  const int length = std::snprintf(text, capacity, kStepTextFormat, value);
  return length > 0 && static_cast<uint32_t>(length) < capacity;
}

// A number, optionally followed by the unit's symbol.
bool TextToValue(const clap_plugin* plugin, clap_id id, const char* text, double* value) {
  if (PluginOf(plugin) == nullptr || id >= kReadoutCount || text == nullptr || value == nullptr)
    return false;
  char* end = nullptr;
  const double number = std::strtod(text, &end);
  if (end == text || !std::isfinite(number)) return false;
  while (*end == ' ')
    ++end;
  const size_t unitLength = std::strlen(kStepUnitSymbol);
  if (std::strncmp(end, kStepUnitSymbol, unitLength) == 0) end += unitLength;
  while (*end == ' ')
    ++end;
  if (*end != '\0') return false;
  *value = number;
  return true;
}

// Nothing to take: every parameter is read-only.
void FlushParams(const clap_plugin*, const clap_input_events*, const clap_output_events*) {}

const clap_plugin_params kParams{ParamCount,  ParamInfo,   ParamValue,
                                 ValueToText, TextToValue, FlushParams};

// --- gui, and the host's timer and descriptor calls that drive it ------------
template <class Result, class Call>
Result WithEditor(const clap_plugin* plugin, Result fallback, Call&& call) {
  return Guarded(plugin, fallback, [&](ClapPlugin& p) {
    return p.editor ? call(*p.editor, p.meter.checks()) : fallback;
  });
}

bool GuiIsApiSupported(const clap_plugin* plugin, const char* api, bool isFloating) {
  return WithEditor(plugin, false,
                    [&](ClapEditor& e, HostChecks&) { return e.isApiSupported(api, isFloating); });
}

bool GuiGetPreferredApi(const clap_plugin* plugin, const char** api, bool* isFloating) {
  if (api == nullptr || isFloating == nullptr || PluginOf(plugin) == nullptr) return false;
  *api = ClapFacts::kWindowApi;
  *isFloating = false;
  return true;
}

bool GuiCreate(const clap_plugin* plugin, const char* api, bool isFloating) {
  return WithEditor(plugin, false, [&](ClapEditor& e, HostChecks& checks) {
    checks.expectMainThread("gui.create called off the main thread");
    if (e.isCreated()) {
      checks.report("gui.create called twice");
      return false;
    }
    return e.create(api, isFloating);
  });
}

void GuiDestroy(const clap_plugin* plugin) {
  WithEditor(plugin, 0, [](ClapEditor& e, HostChecks& checks) {
    checks.expectMainThread("gui.destroy called off the main thread");
    if (!e.isCreated()) checks.report("gui.destroy called without gui.create");
    e.destroy();
    return 0;
  });
}

// Runs a gui call only between create and destroy; else reports and answers `fallback`.
template <class Result, class Call>
Result WithCreatedEditor(const clap_plugin* plugin, Result fallback, const char* message,
                         Call&& call) {
  return WithEditor(plugin, fallback, [&](ClapEditor& e, HostChecks& checks) {
    if (e.isCreated()) return call(e);
    checks.report(message);
    return fallback;
  });
}

bool GuiSetScale(const clap_plugin* plugin, double scale) {
  return WithCreatedEditor(plugin, false, "gui.set_scale called without gui.create",
                           [&](ClapEditor& e) { return e.setScale(scale); });
}

bool GuiGetSize(const clap_plugin* plugin, uint32_t* width, uint32_t* height) {
  if (width == nullptr || height == nullptr) return false;
  return WithCreatedEditor(plugin, false, "gui.get_size called without gui.create",
                           [&](ClapEditor& e) { return e.getSize(width, height); });
}

bool GuiCanResize(const clap_plugin*) {
  return false;
}

bool GuiGetResizeHints(const clap_plugin*, clap_gui_resize_hints*) {
  return false;
}

bool GuiAdjustSize(const clap_plugin*, uint32_t*, uint32_t*) {
  return false;
}

bool GuiSetSize(const clap_plugin* plugin, uint32_t width, uint32_t height) {
  return WithCreatedEditor(plugin, false, "gui.set_size called without gui.create",
                           [&](ClapEditor& e) { return e.setSize(width, height); });
}

bool GuiSetParent(const clap_plugin* plugin, const clap_window* window) {
  if (window == nullptr) return false;
  return WithCreatedEditor(plugin, false, "gui.set_parent called without gui.create",
                           [&](ClapEditor& e) { return e.setParent(*window); });
}

// Embedded only: there is no floating window to make transient.
bool GuiSetTransient(const clap_plugin*, const clap_window*) {
  return false;
}

void GuiSuggestTitle(const clap_plugin*, const char*) {}

bool GuiShow(const clap_plugin* plugin) {
  return WithCreatedEditor(plugin, false, "gui.show called without gui.create",
                           [](ClapEditor& e) { return e.show(); });
}

bool GuiHide(const clap_plugin* plugin) {
  return WithCreatedEditor(plugin, false, "gui.hide called without gui.create",
                           [](ClapEditor& e) { return e.hide(); });
}

const clap_plugin_gui kGui{
    GuiIsApiSupported, GuiGetPreferredApi, GuiCreate,         GuiDestroy,    GuiSetScale,
    GuiGetSize,        GuiCanResize,       GuiGetResizeHints, GuiAdjustSize, GuiSetSize,
    GuiSetParent,      GuiSetTransient,    GuiSuggestTitle,   GuiShow,       GuiHide};

void OnTimer(const clap_plugin* plugin, clap_id timer) {
  WithEditor(plugin, 0, [&](ClapEditor& e, HostChecks&) {
    e.onTimer(timer);
    return 0;
  });
}

const clap_plugin_timer_support kTimerSupport{OnTimer};

#if !defined(_WIN32)
void OnFd(const clap_plugin* plugin, int fd, uint32_t flags) {
  WithEditor(plugin, 0, [&](ClapEditor& e, HostChecks&) {
    e.onFd(fd, flags);
    return 0;
  });
}

const clap_plugin_posix_fd_support kPosixFdSupport{OnFd};
#endif

}  // namespace

const void* PluginExtension(const ClapPlugin& plugin, const char* id) {
  struct Offered {
    const char* id;
    const void* table;
    bool needsEditor;
  };
  static const Offered kOffered[] = {
    {kClapExtAudioPorts, &kAudioPorts, false},
    {kClapExtState, &kState, false},
    {kClapExtParams, &kParams, false},
    {kClapExtGui, &kGui, true},
    {kClapExtTimerSupport, &kTimerSupport, true},
#if !defined(_WIN32)
    {kClapExtPosixFdSupport, &kPosixFdSupport, true},
#endif
  };
  for (const Offered& offered : kOffered) {
    if (std::strcmp(id, offered.id) == 0)
      return offered.needsEditor && !plugin.editor ? nullptr : offered.table;
  }
  return nullptr;
}
