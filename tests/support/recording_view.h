// A view for toolkit and frame tests: paints a green square from (100, 100) to
// (200, 200), writes down every call it gets and answers as told (by default it
// takes every mouse event and uses no key).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "editor/toolkit/view.h"

struct ViewCall {
  std::string what;
  VSTGUI::CPoint where;  // mouse calls only
  uint32_t buttons = 0;  // mouse calls only
  VSTGUI::CKeyCode key;  // key calls only
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
  void mouse(VSTGUI::CDrawContext*, VSTGUI::CPoint& where, uint32_t buttons) override {
    record("tracked", where, buttons);
  }
  bool onWheel(const VSTGUI::CPoint& where, float distance, uint32_t buttons) override {
    record(distance > 0 ? "wheel up" : distance < 0 ? "wheel down" : "wheel none", where, buttons);
    return true;
  }
  int32_t onKeyDown(VSTGUI::CKeyCode& key) override {
    events.push_back({"key down", {}, 0, key});
    return keyAnswer;
  }
  int32_t onKeyUp(VSTGUI::CKeyCode& key) override {
    events.push_back({"key up", {}, 0, key});
    return keyAnswer;
  }
  void onDragEnter(VSTGUI::CDragContainer*, const VSTGUI::CPoint&) override {
    note("drag entered");
  }
  void onDragOver(VSTGUI::CDragContainer*, const VSTGUI::CPoint&) override { note("drag over"); }
  void onDragLeave(VSTGUI::CDragContainer*, const VSTGUI::CPoint&) override { note("drag left"); }
  bool onDragDrop(VSTGUI::CDragContainer* drag, const VSTGUI::CPoint&) override {
    note("dropped " + drag->item(0));
    return true;
  }
  void invalidRect(const VSTGUI::CRect& rect) override {
    invalidated.push_back(rect);
    CView::invalidRect(rect);
  }

  // What each call was, in order.
  std::vector<std::string> kinds() const {
    std::vector<std::string> names;
    for (const ViewCall& call : events)
      names.push_back(call.what);
    return names;
  }

  VSTGUI::CMouseEventResult mouseAnswer = VSTGUI::kMouseEventHandled;
  int32_t keyAnswer = VSTGUI::kKeyNotUsed;
  int paints = 0;
  std::vector<ViewCall> events;
  std::vector<VSTGUI::CRect> invalidated;

 private:
  VSTGUI::CMouseEventResult record(const char* what, const VSTGUI::CPoint& where,
                                   uint32_t buttons) {
    events.push_back({what, where, buttons, {}});
    return mouseAnswer;
  }
  void note(std::string what) { events.push_back({std::move(what), {}, 0, {}}); }
};
