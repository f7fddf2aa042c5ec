// The editor as every plug-in format shows it: a frame in the host's window
// holding the script view, paced by the host's idle calls. Its size is the
// design's at the display scale: the one a host asked for, else the desktop's,
// else 1. A format's editor bridge (or its UI) owns one and forwards the host's
// requests to it.
#pragma once

#include <cstdint>
#include <optional>

#include "core/editor_link.h"
#include "editor/toolkit/buttons.h"
#include "editor/toolkit/editor_interface.h"
#include "editor/toolkit/thread_services.h"

class CDaZUView;
class EffectInstance;

namespace VSTGUI {
class CFrame;
struct CRect;
}  // namespace VSTGUI

class EditorCore : public VSTGUI::VSTGUIEditorInterface, public EditorLink {
 public:
  // Sets the instance's view to this size, the design's, and links the editor to it.
  EditorCore(EffectInstance& instance, int32_t width, int32_t height);
  ~EditorCore() override;
  EditorCore(const EditorCore&) = delete;
  EditorCore& operator=(const EditorCore&) = delete;

  // Makes the frame and the view as a child of `parentWindow`; a second open
  // without a close gives one window, not two.
  bool open(void* parentWindow);
  void close();
  bool isOpen() const { return frame != nullptr; }
  // While open: the script's idle (which asks for the timed redraw), then the
  // frame's events and paints.
  void idle();
  bool redrawView() override;
  // Paints `area` (normalised; the whole frame when null) before returning.
  void redrawNow(const VSTGUI::CRect* area = nullptr);
  // Keys go to the frame; true when a view used them.
  bool onKeyDown(VSTGUI::CKeyCode& key);
  bool onKeyUp(VSTGUI::CKeyCode& key);
  bool onMouseWheel(float distance);
  // The scale a host asks for; it wins over the desktop's. False (and nothing
  // changes) for an unusable one. An open editor takes the new size at once and
  // asks the host for it.
  bool setHostScale(double scale);
  // The desktop's scale for our window may have changed (it moved to another monitor).
  void desktopScaleChanged() override;
  // Knob mode is one value for the whole process.
  bool setKnobMode(int32_t mode);
  int32_t getKnobMode() const override;
  void beginEdit(int32_t index) override;
  void endEdit(int32_t index) override;
  // For toolkit loops that wait: keeps the editor, its paints and the host
  // idling meanwhile.
  void idleDuringWait() override;

  VSTGUI::CFrame* getFrame() const { return frame; }
  CDaZUView* getView() const { return view; }
  // The size on the screen, at the display scale.
  int32_t getWidth() const;
  int32_t getHeight() const;

 protected:
  // Asks the host to give its window this size; the format's bridge knows how.
  virtual void askHostForSize(int32_t, int32_t) {}

 private:
  double displayScale() const;
  // Gives the instance the display scale and an open frame its size.
  void applyScale();

  EffectInstance& instance;
  VSTGUI::ThreadServices threadServices;  // from creation: the frames and their drop targets use it
  VSTGUI::CFrame* frame = nullptr;        // one reference while open
  CDaZUView* view = nullptr;              // owned by the frame
  int32_t width;                          // the design's
  int32_t height;
  std::optional<double> hostScale;
  // Looked up when first needed (a host may ask the size before it opens the
  // editor) and again in each window the editor opens in.
  mutable std::optional<std::optional<double>> desktopScale;
  void* parentWindow = nullptr;
  uint32_t nextIdleTime;
  bool inIdle = false;
};
