#include "tools/slewmeter/output_names.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "tools/slewmeter/output_file.h"
#include "tools/slewmeter/outputs.h"

namespace {

namespace fs = std::filesystem;

// A file as the file system knows it. An existing file is its device and
// inode, whatever the path and links that lead to it; one not made yet is the
// folder it will be made in and its name there.
struct Identity {
  dev_t device = 0;
  ino_t inode = 0;
  std::string name;  // empty for an existing file
  mode_t type = 0;   // S_IFMT's bits of an existing file

  auto key() const { return std::tie(device, inode, name); }
  bool operator<(const Identity& other) const { return key() < other.key(); }
  bool operator==(const Identity& other) const { return key() == other.key(); }
};

Identity OfStatus(const struct stat& status) {
  return {status.st_dev, status.st_ino, {}, status.st_mode & S_IFMT};
}

Identity StandardOutput() {
  struct stat status {};
  if (fstat(STDOUT_FILENO, &status) != 0) return {0, 0, "-", 0};
  return OfStatus(status);
}

Identity OfPath(const std::string& path) {
  if (path == "-") return StandardOutput();
  struct stat status {};
  if (stat(path.c_str(), &status) == 0) return OfStatus(status);
  // Not there yet: where a link to it points (a broken link fails when it is
  // written), then the folder it will be made in.
  fs::path target = path;
  std::string ignored;
  FollowLinks(target, ignored);
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  if (stat(folder.c_str(), &status) == 0) {
    return {status.st_dev, status.st_ino, target.filename().string(), 0};
  }
  std::error_code failure;
  return {0, 0, fs::weakly_canonical(fs::absolute(target, failure), failure).string(), 0};
}

class Collisions {
 public:
  explicit Collisions(std::string& error) : error(error), standardOutput(StandardOutput()) {}

  void addInput(const std::string& input) {
    struct stat status {};
    if (input.empty()) return;  // the built-in signal
    const bool found =
        input == "-" ? fstat(STDIN_FILENO, &status) == 0 : stat(input.c_str(), &status) == 0;
    if (found) inputs.emplace(OfStatus(status), input == "-" ? "standard input" : input);
  }

  // False when `path` would overwrite an input or an output named before.
  bool addOutput(const char* flag, const std::string& path, OutputPlan& plan) {
    const Identity identity = OfPath(path);
    const std::string description = std::string(flag) + " " + path;
    if (const auto input = inputs.find(identity); input != inputs.end()) {
      error = description + " would overwrite the input " + input->second;
      return false;
    }
    const bool toStandardOutput =
        path == "-" || (identity == standardOutput && !S_ISCHR(identity.type));
    plan.toStandardOutput = plan.toStandardOutput || toStandardOutput;
    // A terminal or /dev/null named as a file may take several outputs, one
    // after the other; anything else (a file, a pipe, "-") would mix or lose them.
    if (!toStandardOutput && S_ISCHR(identity.type)) return true;
    const auto [earlier, added] = outputs.emplace(identity, description);
    if (!added) {
      error = earlier->second + " and " + description + " name one file";
      return false;
    }
    return true;
  }

 private:
  std::string& error;
  const Identity standardOutput;
  std::map<Identity, std::string> inputs, outputs;
};

// Output names must tell several inputs apart.
bool NamesTellInputsApart(const Options& options, std::string& error) {
  if (options.inputs.size() < 2) return true;
  bool named = false;
  for (const OutputKind& output : kOutputs) {
    const std::string& pattern = options.*(output.path);
    if (!output.perInput || pattern.empty()) continue;
    named = true;
    if (pattern.find("{}") == std::string::npos) {
      error = std::string(output.flag) + " needs \"{}\" in its file name with several inputs, " +
              "for each input's name (" + output.flag + " '" + pattern + "' will not do)";
      return false;
    }
  }
  std::set<std::string> stems;
  for (const std::string& input : options.inputs) {
    if (named && !stems.insert(InputStem(input)).second) {
      error = "two inputs are named \"" + InputStem(input) + "\": their outputs would collide";
      return false;
    }
  }
  return true;
}

}  // namespace

bool CheckOutputNames(const Options& options, OutputPlan& plan, std::string& error) {
  if (!NamesTellInputsApart(options, error)) return false;
  const std::vector<std::string> inputs =
      options.inputs.empty() ? std::vector<std::string>{""} : options.inputs;
  Collisions collisions(error);
  for (const std::string& input : inputs)
    collisions.addInput(input);
  for (const OutputKind& output : kOutputs) {
    const std::string& pattern = options.*(output.path);
    if (pattern.empty()) continue;
    for (const std::string& input : inputs) {
      if (!collisions.addOutput(output.flag, OutputPath(pattern, input), plan)) return false;
      if (!output.perInput) break;
    }
  }
  return true;
}
