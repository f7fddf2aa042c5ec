#include "editor/toolkit/x11/double_click_time.h"

#include <X11/Xatom.h>

#include <string_view>

#include "editor/toolkit/x11/x11_error_trap.h"

namespace VSTGUI {

namespace {

constexpr int32_t kDefaultDoubleClickTime = 400;

// The settings blob: byte order, 3 padding bytes, serial, count, then entries of
// type, padding, name length, name (padded to 4), serial, and a typed value.
class SettingsReader {
 public:
  explicit SettingsReader(const std::vector<unsigned char>& bytes) : bytes(bytes) {
    bigEndian = !bytes.empty() && bytes[0] == 'B';
  }

  bool skip(size_t count) {
    if (count > bytes.size() - position) return false;
    position += count;
    return true;
  }
  bool read8(uint32_t& value) { return readNumber(1, value); }
  bool read16(uint32_t& value) { return readNumber(2, value); }
  bool read32(uint32_t& value) { return readNumber(4, value); }
  bool readName(std::string_view& name, size_t length) {
    if (length > bytes.size() - position) return false;
    name = std::string_view(reinterpret_cast<const char*>(bytes.data()) + position, length);
    return skip((length + 3) & ~size_t{3});
  }

 private:
  bool readNumber(size_t size, uint32_t& value) {
    if (size > bytes.size() - position) return false;
    value = 0;
    for (size_t i = 0; i < size; ++i) {
      const uint32_t byte = bytes[position + (bigEndian ? i : size - 1 - i)];
      value = (value << 8) | byte;
    }
    position += size;
    return true;
  }

  const std::vector<unsigned char>& bytes;
  size_t position = 0;
  bool bigEndian = false;
};

}  // namespace

int32_t DoubleClickTimeFromSettings(const std::vector<unsigned char>& settings) {
  SettingsReader reader(settings);
  uint32_t serial = 0, count = 0;
  if (!reader.skip(4) || !reader.read32(serial) || !reader.read32(count)) return -1;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t type = 0, nameLength = 0, lastChange = 0;
    std::string_view name;
    if (!reader.read8(type) || !reader.skip(1) || !reader.read16(nameLength) ||
        !reader.readName(name, nameLength) || !reader.read32(lastChange)) {
      return -1;
    }
    uint32_t value = 0;
    switch (type) {
      case 0:  // integer
        if (!reader.read32(value)) return -1;
        if (name == "Net/DoubleClickTime") return static_cast<int32_t>(value);
        break;
      case 1: {  // string
        uint32_t length = 0;
        std::string_view text;
        if (!reader.read32(length) || !reader.readName(text, length)) return -1;
        break;
      }
      case 2:  // colour: four 16-bit channels
        if (!reader.skip(8)) return -1;
        break;
      default:
        return -1;
    }
  }
  return -1;
}

int32_t DesktopDoubleClickTime(Display* display) {
  // The settings manager may go away between the two requests.
  X11ErrorTrap trap(display);
  const Atom selection = XInternAtom(display, "_XSETTINGS_S0", False);
  const Window manager = XGetSelectionOwner(display, selection);
  if (manager == None) return kDefaultDoubleClickTime;
  const Atom property = XInternAtom(display, "_XSETTINGS_SETTINGS", False);
  Atom type = None;
  int format = 0;
  unsigned long items = 0, remaining = 0;
  unsigned char* data = nullptr;
  int32_t time = -1;
  if (XGetWindowProperty(display, manager, property, 0, 65536, False, property, &type, &format,
                         &items, &remaining, &data) == Success &&
      data != nullptr && format == 8) {
    time = DoubleClickTimeFromSettings(std::vector<unsigned char>(data, data + items));
  }
  if (data) XFree(data);
  return time > 0 ? time : kDefaultDoubleClickTime;
}

}  // namespace VSTGUI
