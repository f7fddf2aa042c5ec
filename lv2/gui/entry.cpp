// The LV2 UI's entry point: the descriptor and the idle interface hosts look for.
// Nothing thrown reaches the host.
#include <lv2/ui/ui.h>

#include <cstring>

#include "lv2/gui/lv2_gui.h"
#include "lv2/lv2_facts.h"

namespace {

Lv2Gui* GuiOf(LV2UI_Handle handle) {
  return static_cast<Lv2Gui*>(handle);
}

LV2UI_Handle Instantiate(const LV2UI_Descriptor*, const char*, const char*, LV2UI_Write_Function,
                         LV2UI_Controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features) {
  if (widget == nullptr) return nullptr;
  try {
    std::unique_ptr<Lv2Gui> gui = Lv2Gui::create(features);
    if (gui == nullptr) return nullptr;
    *widget = gui->widget();
    return gui.release();
  } catch (...) {
    return nullptr;
  }
}

void Cleanup(LV2UI_Handle handle) {
  delete GuiOf(handle);
}

void PortEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format,
               const void* buffer) {
  GuiOf(handle)->portEvent(port, bufferSize, format, buffer);
}

// A paint that failed for want of memory is tried again at the next idle.
int Idle(LV2UI_Handle handle) {
  try {
    return GuiOf(handle)->idle();
  } catch (...) {
    return 0;
  }
}

const LV2UI_Idle_Interface kIdleInterface{Idle};

uint32_t GetOptions(LV2_Handle, LV2_Options_Option*) {
  return LV2_OPTIONS_ERR_BAD_KEY;
}

uint32_t SetOptions(LV2_Handle handle, const LV2_Options_Option* options) {
  try {
    return GuiOf(handle)->setOptions(options);
  } catch (...) {
    return LV2_OPTIONS_ERR_UNKNOWN;
  }
}

const LV2_Options_Interface kOptionsInterface{GetOptions, SetOptions};

const void* ExtensionData(const char* uri) {
  if (uri == nullptr) return nullptr;
  if (std::strcmp(uri, LV2_UI__idleInterface) == 0) return &kIdleInterface;
  if (std::strcmp(uri, LV2_OPTIONS__interface) == 0) return &kOptionsInterface;
  return nullptr;
}

const LV2UI_Descriptor kDescriptor{Lv2Facts::kGuiUri, Instantiate, Cleanup, PortEvent,
                                   ExtensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
