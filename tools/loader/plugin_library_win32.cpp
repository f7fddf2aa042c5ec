#include <windows.h>

#include "tools/loader/plugin_library.h"

PluginLibrary::PluginLibrary(const std::string& path) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    loadError = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  handle = module;
  entry = find("VSTPluginMain");
  if (entry == nullptr) loadError = path + " exports no VSTPluginMain";
}

PluginLibrary::~PluginLibrary() {
  if (handle != nullptr) FreeLibrary(static_cast<HMODULE>(handle));
}

PluginLibrary::EntryPoint PluginLibrary::find(const char* name) const {
  if (handle == nullptr) return nullptr;
  return reinterpret_cast<EntryPoint>(
      reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name)));
}
