// What is being dragged over the editor, as UTF-8 items: one text, or the
// names of the dropped files.
#pragma once

// clang-format off
#include <windows.h>
#include <ole2.h>
// clang-format on

#include <cstdint>
#include <string>
#include <vector>

namespace VSTGUI {

class WinDragContainer {
 public:
  enum class Kind { kNothing, kText, kFiles };

  // Copies what it can use out of `data` (Unicode text first, else file names).
  explicit WinDragContainer(IDataObject* data);

  Kind kind() const { return contentKind; }
  int32_t count() const { return static_cast<int32_t>(items.size()); }
  // The item in UTF-8; a shortcut (.lnk) gives its target, found without any
  // user interface within 500 ms. Empty past the end.
  std::string item(int32_t index) const;

 private:
  Kind contentKind = Kind::kNothing;
  std::vector<std::wstring> items;
};

}  // namespace VSTGUI
