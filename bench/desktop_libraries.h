// The libraries the plug-ins draw with, which a desktop host has loaded already:
// a scan measured with them loaded is what such a host pays.
#pragma once

#include <dlfcn.h>

#include <vector>

struct DesktopLibraries {
  DesktopLibraries() {
    for (const char* name : {"libcairo.so.2", "libX11.so.6", "libfontconfig.so.1"})
      handles.push_back(dlopen(name, RTLD_NOW | RTLD_GLOBAL));
  }
  ~DesktopLibraries() {
    for (void* handle : handles)
      if (handle != nullptr) dlclose(handle);
  }
  DesktopLibraries(const DesktopLibraries&) = delete;
  DesktopLibraries& operator=(const DesktopLibraries&) = delete;
  std::vector<void*> handles;
};
