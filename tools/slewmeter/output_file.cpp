#include "tools/slewmeter/output_file.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

std::string PrepareTemporaryFor(const std::string& path) {
  std::error_code ignored;  // a folder that cannot be made fails the write itself
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  return path + ".partial-" + std::to_string(getpid());
}

bool WriteWhole(const std::string& path, const std::function<bool(const std::string&)>& write) {
  const std::string temporary = PrepareTemporaryFor(path);
  if (write(temporary) && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

bool WriteText(const std::string& path, const std::string& text) {
  if (path == "-") return std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
  return WriteWhole(path, [&](const std::string& temporary) {
    std::FILE* file = std::fopen(temporary.c_str(), "w");
    if (file == nullptr) return false;
    const bool written = std::fputs(text.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written;
  });
}
