// What is being dragged over the editor window, read from OLE's data object.
#pragma once

// clang-format off
#include <windows.h>
#include <ole2.h>
// clang-format on

#include <cstdint>
#include <string>
#include <vector>

#include "editor/toolkit/drag_container.h"

namespace VSTGUI {

class WinDragContainer : public CDragContainer {
 public:
  // Copies what it can use out of `data` (Unicode text first, else file names).
  explicit WinDragContainer(IDataObject* data);

  Kind kind() const override { return contentKind; }
  int32_t count() const override { return static_cast<int32_t>(items.size()); }
  // A shortcut (.lnk) gives its target, found without any user interface
  // within 500 ms.
  std::string item(int32_t index) const override;

 private:
  Kind contentKind = Kind::kNothing;
  std::vector<std::wstring> items;
};

}  // namespace VSTGUI
