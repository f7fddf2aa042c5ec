#include "vst2/plugin/create_effect.h"

#include <memory>

#include "editor/drawing/paint_table.h"
#include "effect/vebrisk_effect.h"
#include "runtime/frame_services.h"
#include "vst2/cdazu.h"
#include "vst2/editor/cdazu_editor.h"

AEffect* CreateEffect(audioMasterCallback audioMaster) {
  try {
    const InstanceHooks hooks = FrameServices::MakeFrameHooks<TVebriskEffect>();
    auto effect = std::make_unique<TVebriskEffect>();
    const auto parameterCount = static_cast<int32_t>(effect->Sliders.size());
    std::unique_ptr<CDaZU> adapter(CDaZU::create(effect.get(), hooks, audioMaster, 1,
                                                 parameterCount, &SurfacePaintFunctions()));
    // A refused creation must not leave the effect behind.
    if (adapter == nullptr) return nullptr;
    TVebriskEffect* owned = effect.release();
    owned->Host = &adapter->instance();
    new CDaZUEditor(adapter.get(), owned->EditorWidth, owned->EditorHeight);
    return adapter.release()->getAeffect();
  } catch (...) {
    return nullptr;
  }
}
