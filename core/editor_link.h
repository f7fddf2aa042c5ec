// What an instance asks of the editor that shows it, whichever format opened it.
#pragma once

class EditorLink {
 public:
  virtual ~EditorLink() = default;
  // Invalidates the whole picture; false when nothing is shown.
  virtual bool redrawView() = 0;
};
