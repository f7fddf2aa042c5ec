// A view for the toolkit's routing tests: writes down every call it gets and
// answers as told.
#pragma once

#include <string>
#include <vector>

#include "editor/toolkit/view.h"

class ProbeView : public VSTGUI::CView {
 public:
  explicit ProbeView(const VSTGUI::CRect& size) : CView(size) {}

  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, uint32_t buttons) override {
    return note("down", where, buttons, mouseAnswer);
  }
  VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, uint32_t buttons) override {
    return note("up", where, buttons, mouseAnswer);
  }
  VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, uint32_t buttons) override {
    return note("moved", where, buttons, mouseAnswer);
  }
  VSTGUI::CMouseEventResult onMouseEntered(VSTGUI::CPoint& where, uint32_t buttons) override {
    return note("entered", where, buttons, mouseAnswer);
  }
  VSTGUI::CMouseEventResult onMouseExited(VSTGUI::CPoint& where, uint32_t buttons) override {
    return note("exited", where, buttons, mouseAnswer);
  }
  void mouse(VSTGUI::CDrawContext*, VSTGUI::CPoint& where, uint32_t buttons) override {
    note("tracked", where, buttons, mouseAnswer);
  }
  int32_t onKeyDown(VstKeyCode&) override {
    calls.push_back("key down");
    return keyAnswer;
  }
  int32_t onKeyUp(VstKeyCode&) override {
    calls.push_back("key up");
    return keyAnswer;
  }
  void onDragEnter(VSTGUI::CDragContainer*, const VSTGUI::CPoint&) override {
    calls.push_back("drag entered");
  }
  void onDragOver(VSTGUI::CDragContainer*, const VSTGUI::CPoint&) override {
    calls.push_back("drag over");
  }
  void onDragLeave(VSTGUI::CDragContainer*, const VSTGUI::CPoint&) override {
    calls.push_back("drag left");
  }
  bool onDragDrop(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint&) override {
    calls.push_back("dropped " + drag->item(0));
    return true;
  }
  void invalidRect(const VSTGUI::CRect& rect) override {
    invalidated.push_back(rect);
    CView::invalidRect(rect);
  }

  VSTGUI::CMouseEventResult mouseAnswer = VSTGUI::kMouseEventHandled;
  int32_t keyAnswer = VSTGUI::kKeyNotUsed;
  std::vector<std::string> calls;
  std::vector<VSTGUI::CPoint> points;
  std::vector<uint32_t> buttons;
  std::vector<VSTGUI::CRect> invalidated;

 private:
  VSTGUI::CMouseEventResult note(const char* what, const VSTGUI::CPoint& where, uint32_t held,
                                 VSTGUI::CMouseEventResult answer) {
    calls.push_back(what);
    points.push_back(where);
    buttons.push_back(held);
    return answer;
  }
};
