#include "tools/slewmeter/output_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "tools/slewmeter/temporary_files.h"

namespace {

namespace fs = std::filesystem;

std::string RandomSuffix() {
  unsigned char bytes[8] = {};
  if (getrandom(bytes, sizeof bytes, 0) != sizeof bytes) return {};
  std::string hex;
  for (const unsigned char byte : bytes) {
    hex += "0123456789abcdef"[byte >> 4];
    hex += "0123456789abcdef"[byte & 15];
  }
  return hex;
}

bool WriteAll(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t written = write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

bool FollowLinks(fs::path& path, std::string& error) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code failure;
    if (!fs::is_symlink(fs::symlink_status(path, failure))) return true;
    const fs::path next = fs::read_symlink(path, failure);
    if (failure) {
      error = ReasonFor(failure.value());
      return false;
    }
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  error = ReasonFor(ELOOP);
  return false;
}

std::string ReasonFor(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
      return "its folder does not exist";
    case EACCES:
    case EPERM:
      return "permission denied";
    case EISDIR:
      return "it is a folder";
    case ENOTDIR:
      return "part of its path is not a folder";
    case ENOSPC:
      return "the disk is full";
    case EDQUOT:
      return "the disk quota is used up";
    case EROFS:
      return "the file system is read-only";
    case EFBIG:
      return "too large for the file system";
    case ELOOP:
      return "too many symbolic links";
    case ENAMETOOLONG:
      return "the name is too long";
    case ENXIO:
      return "no such device";
    case EPIPE:
      return "the reader went away";
    case EIO:
      return "input/output error on the device";
    default:
      return "the system refused it (error " + std::to_string(errorNumber) + ")";
  }
}

std::unique_ptr<OutputFile> OutputFile::open(const std::string& path, std::string& error) {
  std::unique_ptr<OutputFile> output(new OutputFile);
  struct stat existing {};
  const bool exists = stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    error = ReasonFor(EISDIR);
    return nullptr;
  }
  if (exists && !S_ISREG(existing.st_mode)) {
    // Replacing /dev/null or a FIFO would break the system or the reader.
    output->fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (output->fd < 0) {
      error = ReasonFor(errno);
      return nullptr;
    }
    output->writable = "/proc/self/fd/" + std::to_string(output->fd);
    return output;
  }

  fs::path target = path;
  if (!FollowLinks(target, error)) return nullptr;
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code ignored;  // a folder that cannot be made fails the open below
  fs::create_directories(folder, ignored);
  // Made exclusively under a name nobody can guess, never through a link.
  for (int attempt = 0; attempt < 8 && output->fd < 0; ++attempt) {
    const std::string suffix = RandomSuffix();
    if (suffix.empty()) break;
    output->temporary = (folder / (".slewmeter-" + suffix)).string();
    output->fd = ::open(output->temporary.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (output->fd < 0 && errno != EEXIST) break;
  }
  if (output->fd < 0) {
    error = ReasonFor(errno);
    return nullptr;
  }
  output->temporarySlot = RegisterTemporary(output->temporary.c_str());
  if (exists) output->replaced = existing;
  output->target = target.string();
  output->writable = "/proc/self/fd/" + std::to_string(output->fd);
  return output;
}

OutputFile::~OutputFile() {
  if (!temporary.empty()) unlink(temporary.c_str());
  ForgetTemporary(temporarySlot);
  if (fd >= 0) close(fd);
}

bool OutputFile::commit(std::string& error) {
  if (target.empty()) {
    const bool closed = close(fd) == 0;
    fd = -1;
    if (!closed) error = ReasonFor(errno);
    return closed;
  }
  if (replaced) {
    // The new file takes the old one's place with its permissions (and, for
    // root, its owner), as an editor's save does; set last, so that writers
    // could reopen it. A file root could not give back keeps no set-id bits.
    const bool sameOwner = geteuid() != 0 || fchown(fd, replaced->st_uid, replaced->st_gid) == 0;
    fchmod(fd, replaced->st_mode & (sameOwner ? 07777 : 0777));
  }
  // Synced before the rename, so that a crash leaves the old file or the new
  // one, never an empty one under the target's name.
  if (fsync(fd) != 0 || close(fd) != 0) {
    const int failure = errno;
    fd = -1;
    error = ReasonFor(failure);
    return false;
  }
  fd = -1;
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    error = ReasonFor(errno);
    return false;
  }
  ForgetTemporary(temporarySlot);
  temporarySlot = -1;
  temporary.clear();
  return true;
}

bool WriteWhole(const std::string& path, const std::function<bool(const std::string&)>& write,
                std::string& error) {
  std::unique_ptr<OutputFile> output = OutputFile::open(path, error);
  if (!output) return false;
  if (!write(output->writablePath())) {
    error = "it could not be written";
    return false;
  }
  return output->commit(error);
}

bool WriteText(const std::string& path, const std::string& text, std::string& error) {
  if (path == "-") {
    if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0) return true;
    error = ReasonFor(errno);
    return false;
  }
  std::unique_ptr<OutputFile> output = OutputFile::open(path, error);
  if (!output) return false;
  if (!WriteAll(output->descriptor(), text)) {
    error = ReasonFor(errno);
    return false;
  }
  return output->commit(error);
}
