#include <dlfcn.h>

#include "tools/loader/shared_library.h"

SharedLibrary::SharedLibrary(const std::string& path) {
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* message = dlerror();
    loadError = message ? message : "cannot load " + path;
  }
}

SharedLibrary::~SharedLibrary() {
  if (handle != nullptr) dlclose(handle);
}

void* SharedLibrary::symbol(const char* name) const {
  return handle ? dlsym(handle, name) : nullptr;
}
