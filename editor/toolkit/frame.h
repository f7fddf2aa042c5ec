// The root view: owns the native window, paints it, and routes the mouse and
// keys to the views inside.
#pragma once

#include <memory>

#include "editor/drawing/graphics_globals.h"
#include "editor/toolkit/editor_interface.h"
#include "editor/toolkit/native_window.h"
#include "editor/toolkit/view_container.h"

namespace VSTGUI {

class CFrame : public CViewContainer, public NativeWindowEvents {
 public:
  // Makes the native window as a child of `parent` (a frame without one draws
  // nothing and receives no input).
  CFrame(const CRect& size, void* parent, VSTGUIEditorInterface* editor);
  ~CFrame() override;

  void invalidRect(const CRect& rect) override;
  // Refreshes dirty views, then handles the window's events and paints.
  void idle();
  // Paints `rect` of the window at once, not at the next event processing.
  void redrawNow(const CRect& rect);
  bool isOpen() const { return openFlag; }
  // Gives the open frame and its window a new size (the origin stays) and paints it all again;
  // true when the frame has that size afterwards. Sizes below 1 or beyond what a window and
  // its back buffer can hold are refused. Nothing here calls it: the editor's size is fixed.
  bool setSize(double width, double height);

  bool isKindOf(const char* className) const override;
  int32_t onKeyDown(CKeyCode& key) override;
  int32_t onKeyUp(CKeyCode& key) override;
  void setCursorType(CCursorType type);
  CPoint getCurrentMouseLocation();
  uint32_t getCurrentMouseButtons();
  VSTGUIEditorInterface* getEditor() const { return editor; }
  NativeWindow* getNativeWindow() const { return window.get(); }
  CView* getFocusView() const { return focusView; }
  void setFocusView(CView* view) { focusView = view; }
  void setModalView(CView* view) { modalView = view; }
  CView* getMouseOverView() const { return mouseOverView; }

  // From the native window.
  void onPaint(CDrawContext* context, const CRect& updateRect) override;
  CMouseEventResult onNativeMouseDown(CPoint where, uint32_t buttons) override;
  CMouseEventResult onNativeMouseUp(CPoint where, uint32_t buttons) override;
  CMouseEventResult onNativeMouseMoved(CPoint where, uint32_t buttons) override;
  void onNativeMouseLeave(CPoint where, uint32_t buttons) override;
  void onNativeWheel(CPoint where, float distance, uint32_t buttons) override;
  void onNativeDrag(DragEvent event, CDragContainer* drag) override;
  void onNativeWindowDestroyed() override;
  void onNativeScaleChanged() override;

 protected:
  SharedPointer<CDrawContext> makeSurface() override;

 private:
  void leaveMouseOverView(CPoint where, uint32_t buttons);

  GraphicsLibraryUser libraryUser;  // first: the library outlives the window
  VSTGUIEditorInterface* editor;
  std::unique_ptr<NativeWindow> window;
  CView* modalView = nullptr;
  CView* focusView = nullptr;
  CView* mouseOverView = nullptr;
  CView* frameMouseDownView = nullptr;
  bool openFlag = true;
};

}  // namespace VSTGUI
