#include "editor/toolkit/x11/desktop_scale.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

#include "core/display_scale.h"
#include "editor/toolkit/desktop_scale.h"

namespace VSTGUI {

namespace {

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<double> ScaleFromXResources(std::string_view resources) {
  constexpr std::string_view kName = "Xft.dpi";
  // The last setting wins, as in the resource database itself.
  std::optional<double> scale;
  while (!resources.empty()) {
    const size_t end = resources.find('\n');
    const std::string_view line = resources.substr(0, end);
    resources = end == std::string_view::npos ? std::string_view{} : resources.substr(end + 1);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || Trimmed(line.substr(0, colon)) != kName) continue;
    const std::string value(Trimmed(line.substr(colon + 1)));
    char* rest = nullptr;
    const double dpi = std::strtod(value.c_str(), &rest);
    if (value.empty() || *rest != '\0') continue;
    scale = ScaleOfDotsPerInch(dpi);
  }
  return scale;
}

// Our own short connection: the host's may be busy on another thread, and the
// database is the server's, the same on every connection.
std::optional<double> DesktopScale(void*) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return std::nullopt;
  const char* resources = XResourceManagerString(display);
  std::optional<double> scale = resources ? ScaleFromXResources(resources) : std::nullopt;
  XCloseDisplay(display);
  return scale;
}

}  // namespace VSTGUI
