#include "lv2/gui/lv2_gui.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2_util.h>
#include <lv2/urid/urid.h>

#include "editor/toolkit/frame.h"
#include "effect/meter_model.h"
#include "lv2/lv2_facts.h"
#include "lv2/option_value.h"

namespace {

std::optional<float> ScaleFactor(LV2_URID_Map* map, const LV2_Options_Option* options) {
  if (map == nullptr) return std::nullopt;
  return OptionValue<float>(*map, options, LV2_UI__scaleFactor, LV2_ATOM__Float);
}

}  // namespace

std::unique_ptr<Lv2Gui> Lv2Gui::create(const LV2_Feature* const* features) {
  void* parent = lv2_features_data(features, LV2_UI__parent);
  if (parent == nullptr) return nullptr;
  auto* map = static_cast<LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map));
  const auto* resize =
      static_cast<const LV2UI_Resize*>(lv2_features_data(features, LV2_UI__resize));
  std::unique_ptr<Lv2Gui> gui(new Lv2Gui(map, resize));
  const auto* options =
      static_cast<const LV2_Options_Option*>(lv2_features_data(features, LV2_OPTIONS__options));
  gui->setOptions(options);
  gui->editor.open(parent);
  if (!gui->windowIsOpen()) return nullptr;
  gui->editor.askHostForSize(gui->editor.getWidth(), gui->editor.getHeight());
  return gui;
}

Lv2Gui::Lv2Gui(LV2_URID_Map* map, const LV2UI_Resize* resize)
    : map(map), editor(meter.instance(), resize) {
  if (map) urids = MapPeaksMessageUrids(*map);
}

Lv2Gui::Editor::Editor(EffectInstance& instance, const LV2UI_Resize* resize)
    : EditorCore(instance, kEditorWidth, kEditorHeight), resize(resize) {}

void Lv2Gui::Editor::askHostForSize(int32_t width, int32_t height) {
  if (resize && resize->ui_resize) resize->ui_resize(resize->handle, width, height);
}

uint32_t Lv2Gui::setOptions(const LV2_Options_Option* options) {
  const std::optional<float> scale = ScaleFactor(map, options);
  if (!scale) return LV2_OPTIONS_ERR_BAD_KEY;
  return editor.setHostScale(*scale) ? LV2_OPTIONS_SUCCESS : LV2_OPTIONS_ERR_BAD_VALUE;
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
