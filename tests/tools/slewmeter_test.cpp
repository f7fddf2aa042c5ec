// Runs the slewmeter program as a user would and checks what it says and writes.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int exitCode;
  std::string out;  // standard output and error together
};

ProgramRun Slewmeter(const std::string& arguments) {
  const std::string command = std::string(SLEWMETER_PATH) + " " + arguments + " 2>&1";
  ProgramRun run{-1, {}};
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
      run.out += buffer;
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return run;
}

void WriteWav(const fs::path& path, int channels, int format, int rate,
              const std::vector<float>& interleaved) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(interleaved.size()) / channels);
  sf_close(file);
}

std::vector<float> ReadWav(const fs::path& path, int& channels) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return {};
  std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
  sf_readf_float(file, samples.data(), info.frames);
  sf_close(file);
  channels = info.channels;
  return samples;
}

class SlewmeterProgram : public ::testing::Test {
 protected:
  // CTest runs the cases side by side: each gets a folder of its own.
  SlewmeterProgram()
      : dir(fs::temp_directory_path() /
            ("slewmeter_test_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))) {
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~SlewmeterProgram() override { fs::remove_all(dir); }
  std::string Path(const char* name) const { return (dir / name).string(); }

  fs::path dir;
};

}  // namespace

TEST_F(SlewmeterProgram, TheOutputIsTheInputSampleForSample) {
  std::vector<float> stereo;
  for (int i = 0; i < 30000; ++i) {
    stereo.push_back(static_cast<float>(((i * 7919) % 2001) - 1000) / 1000.0f);
    stereo.push_back(i % 3 ? 0.5f : -0.25f);
  }
  WriteWav(Path("in.wav"), 2, SF_FORMAT_PCM_16, 44100, stereo);
  const ProgramRun run = Slewmeter(Path("in.wav") + " --block 100 --out " + Path("out.wav"));
  ASSERT_EQ(run.exitCode, 0) << run.out;
  int inChannels = 0, outChannels = 0;
  const std::vector<float> in = ReadWav(Path("in.wav"), inChannels);
  const std::vector<float> out = ReadWav(Path("out.wav"), outChannels);
  ASSERT_EQ(outChannels, 2);
  ASSERT_EQ(in.size(), out.size());
  EXPECT_EQ(std::memcmp(in.data(), out.data(), in.size() * sizeof(float)), 0);
}

TEST_F(SlewmeterProgram, TheReportPlacesTheLargestStepAgainstTheGraph) {
  // Alternating +-0.25 at 44.1 kHz: steps of 0.5, exactly the graph's full scale.
  std::vector<float> mono(44100);
  for (size_t i = 0; i < mono.size(); ++i)
    mono[i] = i % 2 ? 0.25f : -0.25f;
  WriteWav(Path("mono.wav"), 1, SF_FORMAT_FLOAT, 44100, mono);
  const ProgramRun run = Slewmeter(Path("mono.wav") + " --png " + Path("picture.png"));
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("mono, metered on both channels"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("left:  0.5000 (100.0 %"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("above the 1990 typical ceiling"), std::string::npos) << run.out;
  EXPECT_GT(fs::file_size(Path("picture.png")), 1000u);
}

TEST_F(SlewmeterProgram, TheBuiltInSignalNeedsNoInput) {
  const ProgramRun run = Slewmeter("--out " + Path("signal.wav"));
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("built-in test signal: 192000 frames at 48000 Hz"), std::string::npos);
  int channels = 0;
  EXPECT_EQ(ReadWav(Path("signal.wav"), channels).size(), 2u * 192000u);
}

TEST_F(SlewmeterProgram, BadInputGetsOneClearLineAndAFailingExit) {
  WriteWav(Path("three.wav"), 3, SF_FORMAT_PCM_16, 48000, std::vector<float>(300, 0.1f));
  std::ofstream(Path("notes.wav")) << "these are not samples";
  struct Case {
    std::string arguments;
    int exitCode;
    const char* says;
  };
  for (const Case& c :
       {Case{Path("three.wav"), 1, "3 channels"}, Case{Path("missing.wav"), 1, "missing.wav"},
        Case{Path("notes.wav"), 1, "notes.wav"},
        Case{"--out /no/such/folder/out.wav", 1, "/no/such/folder/out.wav"},
        Case{"--png /no/such/folder/p.png", 1, "cannot write the picture"},
        Case{"--block 0", 2, "--block takes"}, Case{"--block", 2, "needs a value"},
        Case{"--bogus", 2, "unknown option"}}) {
    const ProgramRun run = Slewmeter(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << c.arguments << "\n" << run.out;
    EXPECT_EQ(run.out.rfind("slewmeter: ", 0), 0u) << run.out;
  }
}

TEST_F(SlewmeterProgram, HelpExplainsTheOptions) {
  const ProgramRun run = Slewmeter("--help");
  EXPECT_EQ(run.exitCode, 0);
  for (const char* option : {"--block", "--out", "--png"}) {
    EXPECT_NE(run.out.find(option), std::string::npos) << option;
  }
}
