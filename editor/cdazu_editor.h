// The plug-in's editor: a fixed-size area in which the script view draws.
#pragma once

#include <cstdint>

#include "editor/aeff_gui_editor.h"

class CDaZU;

class CDaZUEditor : public AEffGUIEditor {
 public:
  CDaZUEditor(CDaZU* effect, int32_t width, int32_t height);

  bool open(void* parentWindow) override;
  void close() override;
  void idle() override;

  // Invalidates the script view's whole area; false when no view is shown.
  bool redrawView();

 private:
  CDaZU* host;
  int32_t width;
  int32_t height;
};

// The redraw request of the host services: 1 when a view was invalidated.
int32_t HostRedraw(CDaZU* host);
