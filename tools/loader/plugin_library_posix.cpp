#include <dlfcn.h>

#include "tools/loader/plugin_library.h"

PluginLibrary::PluginLibrary(const std::string& path) {
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* message = dlerror();
    loadError = message ? message : "cannot load " + path;
    return;
  }
  entry = find("VSTPluginMain");
  if (entry == nullptr) loadError = path + " exports no VSTPluginMain";
}

PluginLibrary::~PluginLibrary() {
  if (handle != nullptr) dlclose(handle);
}

PluginLibrary::EntryPoint PluginLibrary::find(const char* name) const {
  return handle ? reinterpret_cast<EntryPoint>(dlsym(handle, name)) : nullptr;
}
