// What is being dragged over the editor, as the platform hands it to views:
// one text, or the names of the dragged files, as UTF-8 items.
#pragma once

#include <cstdint>
#include <string>

namespace VSTGUI {

class CDragContainer {
 public:
  enum class Kind { kNothing, kText, kFiles };

  virtual ~CDragContainer() = default;
  virtual Kind kind() const = 0;
  virtual int32_t count() const = 0;
  // Empty past the end.
  virtual std::string item(int32_t index) const = 0;
};

}  // namespace VSTGUI
