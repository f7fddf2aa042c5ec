#include "clap/plugin/create_plugin.h"

#include <memory>

#include "clap/clap_plugin.h"
#include "clap/editor/clap_gui.h"
#include "editor/drawing/paint_table.h"

const clap_plugin* CreatePlugin(const clap_host* host) {
  try {
    auto plugin = std::make_unique<ClapPlugin>(host, &SurfacePaintFunctions());
    plugin->editor = std::make_unique<ClapGui>(plugin->meter.instance(), plugin->meter.checks());
    return &plugin.release()->record;
  } catch (...) {
    return nullptr;
  }
}
