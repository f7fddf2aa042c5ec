// The toolkit's editor base: the rectangle the host sizes its window from, the
// frame while the editor is open, and what toolkit objects ask of the editor.
#pragma once

#include <cstdint>

#include "editor/toolkit/editor_interface.h"
#include "editor/toolkit/thread_services.h"
#include "host/aeff_editor.h"

namespace VSTGUI {
class CFrame;
struct CRect;
}  // namespace VSTGUI

class AEffGUIEditor : public AEffEditor, public VSTGUI::VSTGUIEditorInterface {
 public:
  explicit AEffGUIEditor(AudioEffect* effect);
  ~AEffGUIEditor() override;

  bool getRect(ERect** rect) override;
  bool open(void* parentWindow) override;
  void close() override { systemWindow = nullptr; }
  bool isOpen() override { return systemWindow != nullptr; }
  void idle() override;
  // Keys go to the frame; true when a view used them.
  bool onKeyDown(VstKeyCode& key) override;
  bool onKeyUp(VstKeyCode& key) override;
  bool onMouseWheel(float distance) override;
  // Knob mode is one value for the whole process.
  bool setKnobMode(int32_t mode) override;
  int32_t getKnobMode() const override;
  void beginEdit(int32_t index) override;
  void endEdit(int32_t index) override;
  // For toolkit loops that wait: keeps the editor, its paints and the host
  // idling meanwhile.
  void idleDuringWait() override;
  // Paints `area` (normalised; the whole frame when null) before returning.
  void redrawNow(const VSTGUI::CRect* area = nullptr);

  VSTGUI::CFrame* getFrame() const { return frame; }

 protected:
  VSTGUI::ThreadServices threadServices;  // from creation: the frames and their drop targets use it
  void* systemWindow = nullptr;
  VSTGUI::CFrame* frame = nullptr;  // one reference while open
  ERect rect{};
  uint32_t nextIdleTime;
  bool inIdle = false;
};
