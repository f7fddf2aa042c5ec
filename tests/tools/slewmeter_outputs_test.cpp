// slewmeter's output files from the outside: what it writes into, replaces or
// refuses, what an interruption leaves, and CSV shards that join into one table.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "program_run.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Finished {
  int status = -1;  // as waitpid gives it
  std::string out;  // standard output and error together
  long peakKilobytes = 0;
};

// slewmeter running in `folder` with its standard output and error on one pipe
// and, when `feed` is set, its standard input on another.
class Child {
 public:
  explicit Child(const std::vector<std::string>& arguments, bool feed = false,
                 const std::string& folder = ".") {
    int output[2], input[2] = {-1, -1};
    if (pipe2(output, O_CLOEXEC) != 0 || (feed && pipe2(input, O_CLOEXEC) != 0)) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDERR_FILENO);
    if (feed) posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<char*> argv{const_cast<char*>(SLEWMETER_PATH)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&pid, SLEWMETER_PATH, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    outputFd = output[0];
    if (feed) {
      close(input[0]);
      inputFd = input[1];
    }
  }
  ~Child() {
    if (inputFd >= 0) close(inputFd);
    if (outputFd >= 0) close(outputFd);
    if (pid > 0) waitpid(pid, nullptr, 0);
  }

  bool write(const std::string& bytes) {
    return ::write(inputFd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  void signal(int number) { kill(pid, number); }

  Finished finish() {
    Finished finished;
    if (inputFd >= 0) close(inputFd);
    inputFd = -1;
    char buffer[4096];
    for (ssize_t got; (got = read(outputFd, buffer, sizeof buffer)) > 0;)
      finished.out.append(buffer, static_cast<size_t>(got));
    rusage usage{};
    wait4(pid, &finished.status, 0, &usage);
    pid = -1;
    finished.peakKilobytes = usage.ru_maxrss;
    return finished;
  }

 private:
  pid_t pid = -1;
  int outputFd = -1, inputFd = -1;
};

Finished Slewmeter(const std::vector<std::string>& arguments, const std::string& folder = ".") {
  return Child(arguments, false, folder).finish();
}

int ExitCode(const Finished& finished) {
  return WIFEXITED(finished.status) ? WEXITSTATUS(finished.status) : -1;
}

// Half a second of stereo float WAV at 48 kHz: a square burst, then silence.
void WriteWav(const fs::path& path, float level = 0.5f) {
  std::vector<float> stereo(48000, 0.0f);
  for (size_t i = 0; i < 400; ++i)
    stereo[i] = i % 4 < 2 ? level : -level;
  SF_INFO info{};
  info.samplerate = 48000;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  sf_writef_float(file, stereo.data(), 24000);
  sf_close(file);
}

// "slewmeter_outputs_<process>_<case>", one folder even for a parameterised
// case, whose name holds a "/".
std::string FolderName() {
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(name.begin(), name.end(), '/', '_');
  return "slewmeter_outputs_" + std::to_string(getpid()) + "_" + name;
}

class SlewmeterOutputs : public ::testing::Test {
 protected:
  // Unique to this process and case: suites of two clones may run at once.
  SlewmeterOutputs() : dir(fs::temp_directory_path() / FolderName()) {
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~SlewmeterOutputs() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }

  fs::path dir;
};

mode_t FileType(const std::string& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

// A FIFO with a reader on a thread of its own, kept open for writing by the
// test too, so that the reader sees the end even if slewmeter never opens it.
class Fifo {
 public:
  explicit Fifo(const std::string& path) {
    mkfifo(path.c_str(), 0600);
    stream = std::async(std::launch::async, [path] { return ReadFile(path); });
    writer = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  }
  ~Fifo() {
    if (writer >= 0) close(writer);
  }
  std::string all() {
    close(writer);
    writer = -1;
    return stream.get();
  }

 private:
  std::future<std::string> stream;
  int writer = -1;
};

}  // namespace

TEST_F(SlewmeterOutputs, AFifoIsWrittenIntoAndStaysAFifo) {
  Fifo fifo(Path("fifo"));
  const Finished run = Slewmeter({"--report", Path("fifo")});
  EXPECT_EQ(ExitCode(run), 0) << run.out;
  EXPECT_EQ(fifo.all().rfind("{\n  \"input\": \"built-in test signal\"", 0), 0u);
  EXPECT_EQ(FileType(Path("fifo")), S_IFIFO);
  // The audio streams into it too: a WAV whose header was written first.
  Fifo audio(Path("audio"));
  const Finished streamed = Slewmeter({"--out", Path("audio")});
  EXPECT_EQ(ExitCode(streamed), 0) << streamed.out;
  EXPECT_EQ(audio.all().rfind("RIFF", 0), 0u);
  EXPECT_EQ(FileType(Path("audio")), S_IFIFO);
}

TEST_F(SlewmeterOutputs, ADeviceIsWrittenIntoAndStaysADevice) {
  if (geteuid() != 0) GTEST_SKIP() << "only root makes device nodes (and could replace one)";
  // A node of the null device, made here: the system's own is not the test's.
  ASSERT_EQ(mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  const Finished run = Slewmeter({"--png", Path("null"), "--out", Path("null")});
  EXPECT_EQ(ExitCode(run), 0) << run.out;
  EXPECT_EQ(FileType(Path("null")), S_IFCHR);
}

TEST_F(SlewmeterOutputs, ALinkIsFollowedAndItsTargetReplacedWithItsPermissions) {
  fs::create_directories(Path("kept"));
  std::ofstream(Path("kept/old.json")) << "old";
  fs::permissions(Path("kept/old.json"), fs::perms::owner_read | fs::perms::group_read);
  fs::create_symlink("kept/old.json", Path("report.json"));
  fs::create_symlink("kept/new.csv", Path("table.csv"));  // its target is not there yet
  const Finished run = Slewmeter({"--report", Path("report.json"), "--csv", Path("table.csv")});
  ASSERT_EQ(ExitCode(run), 0) << run.out;
  EXPECT_TRUE(fs::is_symlink(Path("report.json")));
  EXPECT_TRUE(fs::is_symlink(Path("table.csv")));
  EXPECT_EQ(ReadFile(Path("kept/old.json")).front(), '{');
  EXPECT_EQ(ReadFile(Path("kept/new.csv")).rfind("file,", 0), 0u);
  EXPECT_EQ(fs::status(Path("kept/old.json")).permissions(),
            fs::perms::owner_read | fs::perms::group_read);
  // Nothing else was left beside them.
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("kept")), {}), 2);
}

class InterruptedRun : public SlewmeterOutputs, public ::testing::WithParamInterface<int> {};

TEST_P(InterruptedRun, LeavesNoTemporaryAndEndsByItsSignal) {
  rlimit core{};  // SIGABRT dumps no core where the suite runs
  getrlimit(RLIMIT_CORE, &core);
  core.rlim_cur = 0;
  setrlimit(RLIMIT_CORE, &core);
  WriteWav(Path("input.wav"));
  const std::string wav = ReadFile(Path("input.wav"));
  fs::create_directories(Path("out"));
  Child child({"-", "--out", Path("out/copy.wav")}, true);
  // Half the input, and the pipe stays open: slewmeter waits amid its output.
  ASSERT_TRUE(child.write(wav.substr(0, wav.size() / 2)));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (fs::is_empty(Path("out")) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_FALSE(fs::is_empty(Path("out"))) << "no output begun";
  child.signal(GetParam());
  const Finished run = child.finish();
  ASSERT_TRUE(WIFSIGNALED(run.status)) << run.out;
  EXPECT_EQ(WTERMSIG(run.status), GetParam());
  EXPECT_TRUE(fs::is_empty(Path("out")));
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedRun,
                         ::testing::Values(SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGABRT),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

TEST_F(SlewmeterOutputs, AnOutputThatNamesAnInputOrAnotherOutputIsRefusedBeforeAnythingRuns) {
  WriteWav(Path("a.wav"));
  WriteWav(Path("b.wav"), 0.25f);
  const std::string original = ReadFile(Path("a.wav"));
  fs::create_symlink("a.wav", Path("link.wav"));
  struct Case {
    std::vector<std::string> arguments;
    std::string names;  // both files, as the message gives them
  };
  for (const Case& c : {
           // "{}" expands to the input's own name in its own folder.
           Case{{Path("a.wav"), Path("b.wav"), "--out", Path("{}.wav")},
                "--out " + Path("a.wav") + " would overwrite the input " + Path("a.wav")},
           Case{{Path("a.wav"), "--out", Path("link.wav")},
                "--out " + Path("link.wav") + " would overwrite the input " + Path("a.wav")},
           Case{{Path("a.wav"), "--png", Path("x.png"), "--timeline", Path("x.png")},
                "--png " + Path("x.png") + " and --timeline " + Path("x.png")},
           Case{{Path("a.wav"), "--report", Path("r"), "--csv", Path("./r")},
                "--report " + Path("r") + " and --csv " + Path("./r")},
       }) {
    const Finished run = Slewmeter(c.arguments);
    EXPECT_EQ(ExitCode(run), 2) << run.out;
    EXPECT_NE(run.out.find(c.names), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("frames at"), std::string::npos) << "it ran: " << run.out;
  }
  EXPECT_EQ(ReadFile(Path("a.wav")), original);
  EXPECT_FALSE(fs::exists(Path("x.png")));
}

TEST_F(SlewmeterOutputs, OptionsTakeTheirValueAfterEqualsAndEndAtDoubleDash) {
  WriteWav(Path("-dash.wav"));
  const Finished run =
      Slewmeter({"--block=64", "--report=r.json", "--csv=", "--", "-dash.wav"}, dir.string());
  EXPECT_NE(run.out.find("--csv needs a file name"), std::string::npos) << run.out;
  const Finished whole =
      Slewmeter({"--block=64", "--report=r.json", "--", "-dash.wav"}, dir.string());
  ASSERT_EQ(ExitCode(whole), 0) << whole.out;
  EXPECT_NE(ReadFile(Path("r.json")).find("\"input\": \"-dash.wav\""), std::string::npos);
  EXPECT_NE(Slewmeter({"--inter-sample=yes"}).out.find("--inter-sample takes no value"),
            std::string::npos);
  // "-" is standard output only where the table says so, never a file named "-".
  const Finished dash = Slewmeter({"--png=-"}, dir.string());
  EXPECT_EQ(ExitCode(dash), 2);
  EXPECT_NE(dash.out.find("--png cannot write to standard output"), std::string::npos) << dash.out;
  EXPECT_FALSE(fs::exists(Path("-")));
}

TEST_F(SlewmeterOutputs, TwoCsvShardsJoinedEqualOneRun) {
  std::vector<std::string> inputs;
  for (const char* name : {"one", "two", "three", "four"}) {
    inputs.push_back(Path(std::string(name) + ".wav"));
    WriteWav(inputs.back(), 0.1f * static_cast<float>(inputs.size()));
  }
  auto csvOf = [&](size_t from, size_t to, const std::string& csv, bool header) {
    std::vector<std::string> arguments(inputs.begin() + from, inputs.begin() + to);
    arguments.insert(arguments.end(), {"--inter-sample", "--csv", csv});
    if (!header) arguments.push_back("--no-header");
    EXPECT_EQ(ExitCode(Slewmeter(arguments)), 0);
    return ReadFile(csv);
  };
  const std::string whole = csvOf(0, 4, Path("all.csv"), true);
  EXPECT_EQ(csvOf(0, 2, Path("first.csv"), true) + csvOf(2, 4, Path("second.csv"), false), whole);
  EXPECT_NE(whole.find("four.wav"), std::string::npos);
}

TEST_F(SlewmeterOutputs, TheTimelineStaysWithin64MiBAtTheLargestSizeAndAboveIsRefused) {
  const Finished tooLarge = Slewmeter({"--timeline", Path("t.png"), "--size", "16000x8000"});
  EXPECT_EQ(ExitCode(tooLarge), 2) << tooLarge.out;
  EXPECT_NE(tooLarge.out.find("16 million pixels"), std::string::npos) << tooLarge.out;
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer's own memory is not slewmeter's";
#endif
  const Finished small = Slewmeter({"--timeline", Path("t.png"), "--size", "200x100"});
  const Finished largest = Slewmeter({"--timeline", Path("t.png"), "--size", "16000x1000"});
  ASSERT_EQ(ExitCode(largest), 0) << largest.out;
  EXPECT_LE(largest.peakKilobytes - small.peakKilobytes, 64 * 1024);
}
