#include "lv2/gui/lv2_gui.h"

#include <lv2/core/lv2_util.h>
#include <lv2/urid/urid.h>

#include "editor/toolkit/frame.h"
#include "effect/meter_model.h"
#include "lv2/lv2_facts.h"

std::unique_ptr<Lv2Gui> Lv2Gui::create(const LV2_Feature* const* features) {
  void* parent = lv2_features_data(features, LV2_UI__parent);
  if (parent == nullptr) return nullptr;
  std::unique_ptr<Lv2Gui> gui(
      new Lv2Gui(static_cast<LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map))));
  gui->editor.open(parent);
  if (!gui->windowIsOpen()) return nullptr;
  const auto* resize =
      static_cast<const LV2UI_Resize*>(lv2_features_data(features, LV2_UI__resize));
  if (resize && resize->ui_resize) {
    resize->ui_resize(resize->handle, gui->editor.getWidth(), gui->editor.getHeight());
  }
  return gui;
}

Lv2Gui::Lv2Gui(LV2_URID_Map* map) : editor(meter.instance(), kEditorWidth, kEditorHeight) {
  if (map) urids = MapPeaksMessageUrids(*map);
}

bool Lv2Gui::windowIsOpen() const {
  return editor.isOpen() && editor.getFrame()->isOpen();
}

LV2UI_Widget Lv2Gui::widget() const {
  if (!windowIsOpen()) return nullptr;
  return reinterpret_cast<LV2UI_Widget>(editor.getFrame()->getNativeWindow()->handle());
}

void Lv2Gui::portEvent(uint32_t port, uint32_t bufferSize, uint32_t format,
                       const void* buffer) noexcept {
  if (port != Lv2Facts::kNotify || !urids) return;
  if (auto message = ReadPeaksMessage(*urids, format, buffer, bufferSize)) meter.take(*message);
}

int Lv2Gui::idle() {
  if (windowIsOpen()) editor.idle();
  if (windowIsOpen()) return 0;
  editor.close();  // the window went with the host's: our connection goes too
  return 1;
}
