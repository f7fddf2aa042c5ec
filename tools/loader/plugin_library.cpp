#include "tools/loader/plugin_library.h"

PluginLibrary::PluginLibrary(const std::string& path) : library(path) {
  if (!library.loaded()) {
    loadError = library.error();
    return;
  }
  entry = find("VSTPluginMain");
  if (entry == nullptr) loadError = path + " exports no VSTPluginMain";
}

PluginLibrary::EntryPoint PluginLibrary::find(const char* name) const {
  return reinterpret_cast<EntryPoint>(library.symbol(name));
}
