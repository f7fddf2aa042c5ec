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
// Older hosts look for `main`: the same function under a second name.
VST_EXPORT AEffect* legacyMain(audioMasterCallback) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
#endif
