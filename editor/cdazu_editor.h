// The plug-in's editor: a fixed-size frame in the host's window holding the
// script view.
#pragma once

#include <cstdint>

#include "editor/aeff_gui_editor.h"

class CDaZU;
class CDaZUView;

class CDaZUEditor : public AEffGUIEditor {
 public:
  CDaZUEditor(CDaZU* adapter, int32_t width, int32_t height);

  bool open(void* parentWindow) override;
  void close() override;
  void idle() override;

  // Invalidates the script view's whole area; false when no view is shown.
  bool redrawView();
  CDaZUView* getView() const { return view; }

 private:
  CDaZU* adapter;
  CDaZUView* view = nullptr;  // owned by the frame
  int32_t width;
  int32_t height;
};

// The redraw request of the host services: 1 when a view was invalidated.
int32_t HostRedraw(CDaZU* adapter);
