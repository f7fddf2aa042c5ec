// The one view of the editor: shows what the script's graphics section draws
// and hands the mouse to the script, both through the instance's hooks.
#pragma once

#include "editor/toolkit/view.h"

class EffectInstance;

class CDaZUView : public VSTGUI::CView {
 public:
  CDaZUView(const VSTGUI::CRect& size, EffectInstance* instance);

  void draw(VSTGUI::CDrawContext* context) override;
  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, uint32_t buttons) override;
  VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, uint32_t buttons) override;
  VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, uint32_t buttons) override;
  int32_t onKeyDown(VSTGUI::CKeyCode& key) override;
  int32_t onKeyUp(VSTGUI::CKeyCode& key) override;

 private:
  // The mouse in the view's own pixels, the graphics section's.
  double toView(double screenPixels) const;

  EffectInstance* instance;
};
