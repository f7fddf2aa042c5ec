// The meter's LV2 UI: the editor every format shows, in the host's ui:parent
// window, fed by the audio side's notify messages and paced by the host's idle
// calls. It reads nothing of the plug-in instance: hosts may run that elsewhere.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "editor/editor_core.h"
#include "lv2/gui/message_fed_meter.h"
#include "lv2/gui/peaks_message.h"

class Lv2Gui {
 public:
  // Null without a parent window, or when no window can be made in it.
  static std::unique_ptr<Lv2Gui> create(const LV2_Feature* const* features);
  Lv2Gui(const Lv2Gui&) = delete;
  Lv2Gui& operator=(const Lv2Gui&) = delete;

  // The editor's own window, a child of the parent; null once it is gone.
  LV2UI_Widget widget() const;
  // Only the notify port's messages are taken; everything else is ignored.
  void portEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer) noexcept;
  // 0 while the window lives, non-zero once it is gone (with the host's window).
  int idle();

  // The host's ui:scaleFactor, at instantiation or later (opts:interface): an
  // LV2_Options_Status.
  uint32_t setOptions(const LV2_Options_Option* options);

  EffectInstance& instance() const { return meter.instance(); }

 private:
  // Asks the host for its size through ui:resize, where the host offers it.
  class Editor : public EditorCore {
   public:
    Editor(EffectInstance& instance, const LV2UI_Resize* resize);
    void askHostForSize(int32_t width, int32_t height) override;

   private:
    const LV2UI_Resize* resize;
  };

  Lv2Gui(LV2_URID_Map* map, const LV2UI_Resize* resize);
  bool windowIsOpen() const;

  LV2_URID_Map* map;
  std::optional<PeaksMessageUrids> urids;  // none without urid:map: no message is understood
  MessageFedMeter meter;
  Editor editor;  // after the meter: it closes before the instance ends
};
