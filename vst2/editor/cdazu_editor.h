// The plug-in's editor as the VST 2.4 host sees it: the editor core, at the
// effect's size, behind the host's editor record.
#pragma once

#include <cstdint>

#include "vst2/editor/aeff_gui_editor.h"

class CDaZUEditor : public AEffGUIEditor {
 public:
  // Installs itself as the adapter's editor.
  CDaZUEditor(CDaZU* adapter, int32_t width, int32_t height)
      : AEffGUIEditor(adapter, width, height) {}
};
