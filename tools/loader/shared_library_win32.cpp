#include <windows.h>

#include "tools/loader/shared_library.h"

SharedLibrary::SharedLibrary(const std::string& path) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    loadError = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  handle = module;
}

SharedLibrary::~SharedLibrary() {
  if (handle != nullptr) FreeLibrary(static_cast<HMODULE>(handle));
}

void* SharedLibrary::symbol(const char* name) const {
  if (handle == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
