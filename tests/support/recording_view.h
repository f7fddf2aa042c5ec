// A view for frame tests: paints a green square from (100, 100) to (200, 200)
// and writes down every mouse event it gets, taking each one.
#pragma once

#include <string>
#include <vector>

#include "editor/toolkit/view.h"

struct MouseEvent {
  std::string what;
  VSTGUI::CPoint where;
  uint32_t buttons;
};

class RecordingView : public VSTGUI::CView {
 public:
  explicit RecordingView(const VSTGUI::CRect& size) : CView(size) {}

  void draw(VSTGUI::CDrawContext* context) override {
    ++paints;
    context->setFillColor(VSTGUI::MakeColor(0, 255, 0, 255));
    context->drawRect({100, 100, 200, 200}, VSTGUI::kDrawFilled);
  }
  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, uint32_t buttons) override {
    return record("down", where, buttons);
  }
  VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, uint32_t buttons) override {
    return record("up", where, buttons);
  }
  VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, uint32_t buttons) override {
    return record("moved", where, buttons);
  }
  VSTGUI::CMouseEventResult onMouseEntered(VSTGUI::CPoint& where, uint32_t buttons) override {
    return record("entered", where, buttons);
  }
  VSTGUI::CMouseEventResult onMouseExited(VSTGUI::CPoint& where, uint32_t buttons) override {
    return record("exited", where, buttons);
  }
  bool onWheel(const VSTGUI::CPoint& where, float distance, uint32_t buttons) override {
    record(distance > 0 ? "wheel up" : distance < 0 ? "wheel down" : "wheel none", where, buttons);
    return true;
  }

  int paints = 0;
  std::vector<MouseEvent> events;

 private:
  VSTGUI::CMouseEventResult record(const char* what, const VSTGUI::CPoint& where,
                                   uint32_t buttons) {
    events.push_back({what, where, buttons});
    return VSTGUI::kMouseEventHandled;
  }
};
