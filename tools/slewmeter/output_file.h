// Output files are complete or absent. A regular file (or one not there yet)
// is written under a fresh temporary name in its own folder and renamed over
// it only when whole; a link is followed and its target replaced. A target
// that exists and is no regular file (a device, a FIFO, a terminal,
// /dev/stdout, a process substitution) is written straight into, never
// replaced.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class OutputFile {
 public:
  // Null with the reason in `error`, in words that follow the path.
  static std::unique_ptr<OutputFile> open(const std::string& path, std::string& error);
  ~OutputFile();  // without commit(), a temporary is removed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  int descriptor() const { return fd; }
  // A name that opens exactly the file being written, for libraries that
  // write to a path: reopening it cannot be redirected by a link put in its way.
  const std::string& writablePath() const { return writable; }
  // Puts the file in place: synced to disk and renamed over the target.
  bool commit(std::string& error);

 private:
  OutputFile() = default;

  int fd = -1;
  std::string writable;
  std::string target;     // the file to replace, links resolved; empty when written straight
  std::string temporary;  // the name written under until commit()
  int temporarySlot = -1;
  std::optional<struct stat> replaced;  // the file the target was, if any
};

// Where a regular output really lives: `path` with its links followed, even
// to a target not made yet (it is that target that gets written). False with
// the reason in `error` for a loop or an unreadable link.
bool FollowLinks(std::filesystem::path& path, std::string& error);

// The reason for a failed system call in slewmeter's words.
std::string ReasonFor(int errorNumber);

// Runs write(writablePath) on `path`'s output and puts it in place when it
// succeeds. False with the reason in `error`.
bool WriteWhole(const std::string& path, const std::function<bool(const std::string&)>& write,
                std::string& error);

// Text to `path`, or to standard output for "-".
bool WriteText(const std::string& path, const std::string& text, std::string& error);
