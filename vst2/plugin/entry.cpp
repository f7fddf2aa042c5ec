// The exported entry points hosts look for.
#include "vst2/plugin/create_effect.h"

#if defined(_WIN32)
#define VST_EXPORT extern "C" __declspec(dllexport)
#else
#define VST_EXPORT extern "C" __attribute__((visibility("default")))
#endif

VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
  return CreateEffect(audioMaster);
}

VST_EXPORT AEffect* MAIN(audioMasterCallback audioMaster) {
  return VSTPluginMain(audioMaster);
}

#if !defined(_WIN32)
namespace __gnu_cxx {
void __freeres() noexcept;
}

// The C++ runtime linked into this library keeps an emergency exception pool
// that nothing frees; hosts load and unload plug-ins many times while scanning.
__attribute__((destructor)) static void releaseRuntimePool() {
  __gnu_cxx::__freeres();
}

// Older hosts look for `main`: the same function under a second name.
VST_EXPORT AEffect* legacyMain(audioMasterCallback) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
#endif
