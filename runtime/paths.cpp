#include "runtime/paths.h"

#include <filesystem>
#include <system_error>

#include "platform/module_services.h"

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool EndsWithSeparator(std::string_view text) {
  return !text.empty() && IsSeparator(text.back());
}

bool StartsWithSeparator(std::string_view text) {
  return !text.empty() && IsSeparator(text.front());
}

std::string WithTrailingSeparator(std::string_view text) {
  std::string result(text);
  if (!EndsWithSeparator(text)) result += PreferredSeparator();
  return result;
}

std::string WithLeadingSeparator(std::string_view text) {
  if (StartsWithSeparator(text)) return std::string(text);
  return PreferredSeparator() + std::string(text);
}

std::string WithoutLeadingSeparator(std::string_view text) {
  return std::string(StartsWithSeparator(text) ? text.substr(1) : text);
}

int LastSeparator(std::string_view text) {
  for (size_t i = text.size(); i-- > 0;) {
    if (IsSeparator(text[i])) return static_cast<int>(i);
  }
  return -1;
}

std::string DirectoryPart(std::string_view text) {
  return std::string(text.substr(0, static_cast<size_t>(LastSeparator(text) + 1)));
}

std::string FilePart(std::string_view text) {
  return std::string(text.substr(static_cast<size_t>(LastSeparator(text) + 1)));
}

std::string Extension(std::string_view text) {
  const size_t dot = text.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(text.substr(dot));
}

std::string ModuleDirectory() {
  return DirectoryPart(OwnModuleFileName());
}

std::string FullPath(std::string_view name) {
  return ModuleDirectory() + WithoutLeadingSeparator(name);
}

std::vector<std::string> ListFiles(std::string_view directory) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  if (!EndsWithSeparator(directory)) return names;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(directory), error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    std::error_code statError;
    const fs::file_status status = fs::status(it->path(), statError);
    if (statError || fs::is_directory(status)) continue;
    names.push_back(name);
  }
  return names;
}
