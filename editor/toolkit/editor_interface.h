// What toolkit objects may ask of the editor that holds them.
#pragma once

#include <cstdint>

namespace VSTGUI {

class VSTGUIEditorInterface {
 public:
  virtual ~VSTGUIEditorInterface() = default;
  virtual void idleDuringWait() {}
  // The desktop's scale for the editor's window changed.
  virtual void desktopScaleChanged() {}
  virtual int32_t getKnobMode() const = 0;
  virtual void beginEdit(int32_t index) = 0;
  virtual void endEdit(int32_t index) = 0;
};

}  // namespace VSTGUI
