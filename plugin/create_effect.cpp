#include "plugin/create_effect.h"

#include <memory>

#include "effect/vebrisk_effect.h"
#include "host/cdazu.h"
#include "runtime/frame_services.h"

AEffect* CreateEffect(audioMasterCallback audioMaster) {
  try {
    const CDaZUHooks hooks = FrameServices::MakeFrameHooks<TVebriskEffect>();
    auto effect = std::make_unique<TVebriskEffect>();
    const auto parameterCount = static_cast<int32_t>(effect->Sliders.size());
    CDaZU* adapter = CDaZU::create(effect.get(), hooks, audioMaster, 1, parameterCount);
    // A refused creation must not leave the effect behind.
    if (adapter == nullptr) return nullptr;
    effect.release()->Host = adapter;
    return adapter->getAeffect();
  } catch (...) {
    return nullptr;
  }
}
