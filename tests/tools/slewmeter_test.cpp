// Runs the slewmeter program as a user would and checks what it says and writes.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

namespace fs = std::filesystem;

// Standard error joins standard output unless `errorsToo` is false (then it is dropped).
// `feed` goes before the program in the shell's command line: "cat in.wav | ".
ProgramRun Slewmeter(const std::string& arguments, bool errorsToo = true,
                     const std::string& feed = "") {
  return RunCommand(feed + SLEWMETER_PATH + " " + arguments +
                    (errorsToo ? " 2>&1" : " 2>/dev/null"));
}

// `format` is a sample format, or a whole one (as SF_FORMAT_FLAC | SF_FORMAT_PCM_16).
void WriteWav(const fs::path& path, int channels, int format, int rate,
              const std::vector<float>& interleaved) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = (format & SF_FORMAT_TYPEMASK ? 0 : SF_FORMAT_WAV) | format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(interleaved.size()) / channels);
  sf_close(file);
}

std::vector<float> ReadWav(const fs::path& path, int& channels) {
  const AudioFile file = ReadAudio(path);
  channels = file.info.channels;
  return {file.samples.begin(), file.samples.end()};
}

class SlewmeterProgram : public ::testing::Test {
 protected:
  // CTest runs the cases side by side, and two clones may run the suite at
  // once: each case of each process gets a folder of its own.
  SlewmeterProgram()
      : dir(fs::temp_directory_path() /
            ("slewmeter_test_" + std::to_string(getpid()) + "_" +
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
  for (int i = 0; i < 150001; ++i) {  // files move in chunks: more than two, one of them short
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

TEST_F(SlewmeterProgram, TinyBlocksLoseNoStepNotEvenInTheLastSample) {
  // Hundreds of blocks fall into each graph frame.
  std::vector<float> stereo(2 * 4800, 0.0f);
  stereo[stereo.size() - 2] = 0.5f;
  WriteWav(Path("tail.wav"), 2, SF_FORMAT_FLOAT, 48000, stereo);
  const ProgramRun run = Slewmeter(Path("tail.wav") + " --block 1");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("left:  0.5000 ("), std::string::npos) << run.out;
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
        // A folder inside a file cannot be made, not even by root.
        Case{"--out " + Path("notes.wav/out.wav"), 1, "notes.wav/out.wav"},
        Case{"--png " + Path("notes.wav/p.png"), 1, "cannot write the picture"},
        Case{"--block 0", 2, "--block takes"}, Case{"--block", 2, "needs a value"},
        Case{"--bogus", 2, "unknown option"}}) {
    const ProgramRun run = Slewmeter(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << c.arguments << "\n" << run.out;
    EXPECT_EQ(run.out.rfind("slewmeter: ", 0), 0u) << run.out;
  }
}

// A stack limit larger than the address space leaves no room for a thread's
// stack: no metering can start side by side, and the failure that no input's
// metering catches still ends as one line, a failing exit and no files.
TEST_F(SlewmeterProgram, AFailureOutsideEveryInputIsOneLineAndLeavesNoFiles) {
  for (const char* name : {"a.wav", "b.wav"})
    WriteWav(Path(name), 2, SF_FORMAT_FLOAT, 48000, std::vector<float>(9600, 0.5f));
  const ProgramRun run =
      Slewmeter(Path("a.wav") + " " + Path("b.wav") + " --jobs 2 --csv " + Path("all.csv") +
                    " --report " + Path("{}.json") + " --out " + Path("{}-out.wav"),
                true, "ulimit -s 200000000000 && ");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out.rfind("slewmeter: internal error: ", 0), 0u) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"a.wav", "b.wav"}));
}

namespace {

// One second of silence, one of a 1 kHz sine at half scale, half a second of a
// full-scale square at 100 Hz, half a second of silence.
std::vector<float> KnownSignal(int rate) {
  std::vector<float> samples(static_cast<size_t>(3 * rate), 0.0f);
  for (size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    if (t >= 1 && t < 2) samples[i] = static_cast<float>(0.5 * std::sin(2 * M_PI * 1000 * (t - 1)));
    if (t >= 2 && t < 2.5) samples[i] = std::fmod((t - 2) * 100, 1.0) < 0.5 ? 1.0f : -1.0f;
  }
  return samples;
}

// The number after "key": in a JSON text, searching from `from`.
double JsonNumber(const std::string& json, const std::string& key, size_t from = 0) {
  const size_t at = json.find("\"" + key + "\":", from);
  if (at == std::string::npos) return NAN;
  return std::strtod(json.c_str() + at + key.size() + 3, nullptr);
}

std::vector<double> JsonArray(const std::string& json, const std::string& key) {
  std::vector<double> values;
  size_t at = json.find("\"" + key + "\": [");
  if (at == std::string::npos) return values;
  const char* cursor = json.c_str() + at + key.size() + 5;
  while (*cursor != ']') {
    char* end = nullptr;
    values.push_back(std::strtod(cursor, &end));
    cursor = end;
    while (*cursor == ',' || *cursor == ' ')
      ++cursor;
  }
  return values;
}

}  // namespace

TEST_F(SlewmeterProgram, TheReportGivesPeaksCrossingsAndTimesOfAKnownSignal) {
  WriteWav(Path("known.wav"), 1, SF_FORMAT_FLOAT, 48000, KnownSignal(48000));
  const ProgramRun run = Slewmeter(Path("known.wav") + " --report " + Path("report.json"));
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const std::string json = ReadFile(Path("report.json"));
  EXPECT_EQ(JsonNumber(json, "sampleRate"), 48000);
  EXPECT_EQ(JsonNumber(json, "frames"), 144000);
  EXPECT_EQ(JsonNumber(json, "durationSeconds"), 3);
  EXPECT_DOUBLE_EQ(JsonNumber(json, "fullScale"), 44100.0 / 96000);

  const size_t right = json.find("\"right\"");
  for (size_t channel : {size_t{0}, right}) {
    EXPECT_EQ(JsonNumber(json, "largestStep", channel), 2);
    // The steepest step of a sampled sine: A sin(2 pi f / rate), between samples
    // that straddle a zero crossing.
    const double sineStep = 0.5 * std::sin(2 * M_PI * 1000 / 48000);
    const std::vector<double> peaks = JsonArray(json.substr(channel), "peaksPerSecond");
    ASSERT_EQ(peaks.size(), 3u);
    EXPECT_EQ(peaks[0], 0);
    EXPECT_NEAR(peaks[1], sineStep, 1e-6);
    EXPECT_EQ(peaks[2], 2);
    // Above both ceilings for the half second of the burst, risen above each once.
    const size_t above = json.find("secondsAboveCeiling", channel);
    EXPECT_NEAR(JsonNumber(json, "1990 typical ceiling", above), 0.5, 2.0 / 30);
    EXPECT_NEAR(JsonNumber(json, "1970/1980 typical ceiling", above), 0.5, 2.0 / 30);
    const size_t crossings = json.find("ceilingCrossings", channel);
    EXPECT_EQ(JsonNumber(json, "1990 typical ceiling", crossings), 1);
    EXPECT_EQ(JsonNumber(json, "1970/1980 typical ceiling", crossings), 1);
    const std::vector<double> when = JsonArray(json.substr(channel), "largestStepBetweenSeconds");
    ASSERT_EQ(when.size(), 2u);
    EXPECT_LE(when[0], 2.0);
    EXPECT_GE(when[1], 2.0);
    EXPECT_LE(when[1] - when[0], 1.5 / 30);
  }
}

TEST_F(SlewmeterProgram, TheTimelineShowsTheBurstAboveTheUpperCeilingWhereItIs) {
  WriteWav(Path("known.wav"), 2, SF_FORMAT_FLOAT, 48000, [] {
    std::vector<float> stereo;
    for (float sample : KnownSignal(48000)) {
      stereo.push_back(sample);
      stereo.push_back(0.0f);
    }
    return stereo;
  }());
  const ProgramRun run = Slewmeter(Path("known.wav") + " --timeline " + Path("timeline.png"));
  ASSERT_EQ(run.exitCode, 0) << run.out;
  cairo_surface_t* image = cairo_image_surface_create_from_png(Path("timeline.png").c_str());
  ASSERT_EQ(cairo_image_surface_get_width(image), 1200);
  ASSERT_EQ(cairo_image_surface_get_height(image), 400);
  const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image));
  const int stride = cairo_image_surface_get_stride(image) / 4;
  auto white = [&](int x, int y) {
    const uint32_t p = data[y * stride + x];
    return ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && (p & 0xFF) > 200;
  };
  // The burst starts at 2 s of 3: two thirds across. Its crossing of the upper
  // ceiling (at 96.25 % of the 376-pixel plot) is marked there, and nowhere else.
  const int ceilingRow = static_cast<int>(376 * (1 - 0.9625));
  std::vector<int> marked;
  for (int x = 0; x < 1200; ++x) {
    if (white(x, ceilingRow)) marked.push_back(x);
  }
  ASSERT_FALSE(marked.empty());
  EXPECT_NEAR((marked.front() + marked.back()) / 2.0, 800, 8);
  EXPECT_LE(marked.back() - marked.front(), 10);
  cairo_surface_destroy(image);
}

TEST_F(SlewmeterProgram, TheSameSignalStandsAtTheSameHeightAtAnyRate) {
  double shares[2];
  int i = 0;
  for (int rate : {44100, 96000}) {
    WriteWav(Path("rate.wav"), 1, SF_FORMAT_FLOAT, rate, KnownSignal(rate));
    ASSERT_EQ(Slewmeter(Path("rate.wav") + " --report " + Path("rate.json")).exitCode, 0);
    const std::string json = ReadFile(Path("rate.json"));
    shares[i++] = JsonArray(json, "peaksPerSecond")[1] / JsonNumber(json, "fullScale");
  }
  EXPECT_NEAR(shares[0], shares[1], 0.002);
  EXPECT_NEAR(shares[0], 0.1425, 0.002);  // 2 pi x 1000 x 0.5 / 22050
}

TEST_F(SlewmeterProgram, TheReportCanGoToStandardOutputAlone) {
  const ProgramRun run = Slewmeter("--report -", false);
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.front(), '{');
  EXPECT_EQ(run.out.find("largest step,"), std::string::npos);
}

TEST_F(SlewmeterProgram, HelpExplainsTheOptions) {
  const ProgramRun run = Slewmeter("--help");
  EXPECT_EQ(run.exitCode, 0);
  for (const char* option : {"--block", "--out", "--png", "--timeline", "--size", "--report",
                             "--csv", "--inter-sample", "--full-scale-volts", "{}"}) {
    EXPECT_NE(run.out.find(option), std::string::npos) << option;
  }
}

namespace {

// Stereo with known largest steps: a square burst of `left` peak to peak on the
// left, of `right` on the right, then silence; half a second at `rate`.
std::vector<float> Bursts(int rate, float left, float right) {
  std::vector<float> stereo(static_cast<size_t>(rate), 0.0f);  // 2 x rate / 2 frames
  for (size_t i = 0; i < 200; ++i) {
    stereo[2 * i] = i % 2 ? left / 2 : -left / 2;
    stereo[2 * i + 1] = i % 2 ? right / 2 : -right / 2;
  }
  return stereo;
}

// The CSV's rows, each split into its fields, quotes undone.
std::vector<std::vector<std::string>> CsvRows(const std::string& csv) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted && c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
      rows.back().back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ',') {
      rows.back().emplace_back();
    } else if (!quoted && c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
      rows.emplace_back(1);
      ++i;
    } else {
      rows.back().back() += c;
    }
  }
  rows.pop_back();  // after the last line's end
  return rows;
}

std::string Field(const std::vector<std::vector<std::string>>& rows, size_t row,
                  const std::string& column) {
  for (size_t i = 0; i < rows[0].size(); ++i) {
    if (rows[0][i] == column && i < rows[row].size()) return rows[row][i];
  }
  return "(no column " + column + ")";
}

}  // namespace

TEST_F(SlewmeterProgram, AnAlbumOfThreeFormatsGivesOneCsvRowAndOneTableLineEach) {
  // Steps chosen to be exact in 16- and 24-bit: multiples of 2^-8.
  WriteWav(Path("one.wav"), 2, SF_FORMAT_FLOAT, 44100, Bursts(44100, 0.5f, 0.25f));
  WriteWav(Path("two.wav"), 2, SF_FORMAT_PCM_24, 48000, Bursts(48000, 0.125f, 0.75f));
  WriteWav(Path("three,live.flac"), 2, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 96000,
           Bursts(96000, 1.0f, 0.0625f));
  const ProgramRun run =
      Slewmeter(Path("one.wav") + " " + Path("two.wav") + " '" + Path("three,live.flac") +
                "' --inter-sample --csv " + Path("album.csv"));
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const auto rows = CsvRows(ReadFile(Path("album.csv")));
  ASSERT_EQ(rows.size(), 4u) << ReadFile(Path("album.csv"));
  const std::vector<std::string> header = rows[0];
  for (const char* column :
       {"file", "sampleRate", "frames", "durationSeconds", "largestStepLeft", "largestStepRight",
        "secondsAbove1990TypicalCeilingLeft", "secondsAbove1970_1980TypicalCeilingRight",
        "largestInterSampleStepLeft", "largestInterSampleStepRight", "status"}) {
    EXPECT_NE(std::find(header.begin(), header.end(), column), header.end()) << column;
  }
  struct Expected {
    const char* rate;
    const char* frames;
    const char* left;
    const char* right;
  };
  const Expected expected[] = {{"44100", "22050", "0.5", "0.25"},
                               {"48000", "24000", "0.125", "0.75"},
                               {"96000", "48000", "1", "0.0625"}};
  for (size_t row = 1; row < 4; ++row) {
    const Expected& e = expected[row - 1];
    EXPECT_EQ(Field(rows, row, "sampleRate"), e.rate);
    EXPECT_EQ(Field(rows, row, "frames"), e.frames);
    EXPECT_EQ(Field(rows, row, "durationSeconds"), "0.5");
    EXPECT_EQ(Field(rows, row, "largestStepLeft"), e.left);
    EXPECT_EQ(Field(rows, row, "largestStepRight"), e.right);
    EXPECT_EQ(Field(rows, row, "status"), "ok");
    // A square at the top of the band is steeper reconstructed than stepped.
    EXPECT_GT(std::stod(Field(rows, row, "largestInterSampleStepLeft")), std::stod(e.left));
  }
  // The name with a comma is quoted, as CSV has it.
  EXPECT_EQ(Field(rows, 3, "file"), Path("three,live.flac"));
  EXPECT_NE(ReadFile(Path("album.csv")).find("\"" + Path("three,live.flac") + "\","),
            std::string::npos);
  // The table: a header and one aligned line per file, rate and duration first.
  const size_t table = run.out.find("\nfile ");
  ASSERT_NE(table, std::string::npos) << run.out;
  const size_t line = run.out.find("\n" + Path("two.wav") + " ", table);
  ASSERT_NE(line, std::string::npos) << run.out;
  const std::string twoLine = run.out.substr(line + 1, run.out.find('\n', line + 1) - line - 1);
  EXPECT_NE(twoLine.find(" 48000  "), std::string::npos) << twoLine;
  EXPECT_NE(twoLine.find(" 0:00.5  "), std::string::npos) << twoLine;
  EXPECT_NE(twoLine.find("0.1250  27.2 %"), std::string::npos) << twoLine;
}

TEST_F(SlewmeterProgram, ABadFileAmongGoodOnesGetsItsLineAndTheOthersStillRun) {
  WriteWav(Path("good.wav"), 2, SF_FORMAT_FLOAT, 48000, Bursts(48000, 0.5f, 0.25f));
  WriteWav(Path("three.wav"), 3, SF_FORMAT_PCM_16, 48000, std::vector<float>(300, 0.1f));
  WriteWav(Path("empty.wav"), 2, SF_FORMAT_PCM_16, 48000, {});
  const ProgramRun run =
      Slewmeter(Path("good.wav") + " " + Path("missing.wav") + " " + Path("three.wav") + " " +
                Path("empty.wav") + " " + Path("good.wav") + " --csv - --timeline " +
                Path("{}-timeline.png"));
  EXPECT_EQ(run.exitCode, 2) << run.out;  // two inputs named "good": their pictures would collide
  const ProgramRun csvRun = Slewmeter(Path("good.wav") + " " + Path("missing.wav") + " " +
                                          Path("three.wav") + " " + Path("empty.wav") + " --csv -",
                                      false);
  EXPECT_EQ(csvRun.exitCode, 1);
  const auto rows = CsvRows(csvRun.out);
  ASSERT_EQ(rows.size(), 5u) << csvRun.out;
  EXPECT_EQ(Field(rows, 1, "status"), "ok");
  EXPECT_EQ(Field(rows, 1, "largestStepLeft"), "0.5");
  EXPECT_NE(Field(rows, 2, "status").find("No such file"), std::string::npos);
  EXPECT_NE(Field(rows, 3, "status").find("3 channels"), std::string::npos);
  EXPECT_NE(Field(rows, 4, "status").find("no audio"), std::string::npos);
  EXPECT_EQ(Field(rows, 2, "largestStepLeft"), "");

  const ProgramRun words = Slewmeter(Path("missing.wav") + " " + Path("good.wav") + " " +
                                     Path("empty.wav") + " --timeline " + Path("pictures/{}.png"));
  EXPECT_EQ(words.exitCode, 1);
  for (const char* name : {"missing.wav: ", "empty.wav: no audio"}) {
    EXPECT_NE(words.out.find("slewmeter: " + Path(name)), std::string::npos) << words.out;
  }
  EXPECT_TRUE(fs::exists(Path("pictures/good.png")));  // the folder is made
  EXPECT_FALSE(fs::exists(Path("pictures/empty.png")));
}

TEST_F(SlewmeterProgram, StandardInputIsMeteredLikeAFile) {
  WriteWav(Path("in.wav"), 2, SF_FORMAT_PCM_24, 48000, Bursts(48000, 0.5f, 0.25f));
  const ProgramRun run =
      Slewmeter("- --csv - --timeline " + Path("{}.png") + " < " + Path("in.wav"), false);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const auto rows = CsvRows(run.out);
  ASSERT_EQ(rows.size(), 2u) << run.out;
  EXPECT_EQ(Field(rows, 1, "file"), "standard input");
  EXPECT_EQ(Field(rows, 1, "frames"), "24000");
  EXPECT_EQ(Field(rows, 1, "largestStepLeft"), "0.5");
  cairo_surface_t* image = cairo_image_surface_create_from_png(Path("stdin.png").c_str());
  EXPECT_EQ(cairo_image_surface_get_width(image), 1200);
  cairo_surface_destroy(image);
}

// A writer that cannot seek back (sox or ffmpeg into a pipe) leaves placeholder
// sizes in the header: they promise nothing, whether the stream is read from the
// pipe or was saved to a file first.
TEST_F(SlewmeterProgram, AStreamedHeadersPlaceholderLengthIsNoPromise) {
  WriteWav(Path("in.wav"), 2, SF_FORMAT_PCM_16, 48000, Bursts(48000, 0.5f, 0.25f));
  const std::string bytes = ReadFile(Path("in.wav"));
  const size_t data = bytes.find("data");
  ASSERT_NE(data, std::string::npos);
  for (const std::string placeholder :
       {std::string("\x00\xf0\xff\x7f", 4), std::string(4, '\xff')}) {
    std::string streamed = bytes;
    streamed.replace(4, 4, placeholder);
    streamed.replace(data + 4, 4, placeholder);
    std::ofstream(Path("streamed.wav"), std::ios::binary) << streamed;
    for (const auto& [input, feed] :
         {std::pair{Path("streamed.wav"), std::string()},
          std::pair{"- < " + Path("streamed.wav"), std::string()},
          std::pair{std::string("-"), "cat " + Path("streamed.wav") + " | "}}) {
      const ProgramRun run = Slewmeter(input + " --csv -", false, feed);
      EXPECT_EQ(run.exitCode, 0) << input << "\n" << run.out;
      const auto rows = CsvRows(run.out);
      ASSERT_EQ(rows.size(), 2u) << run.out;
      EXPECT_EQ(Field(rows, 1, "frames"), "24000");
      EXPECT_EQ(Field(rows, 1, "status"), "ok");
    }
  }
}

TEST_F(SlewmeterProgram, ATruncatedInputIsMeteredAsFarAsItGoesAndSaidSo) {
  WriteWav(Path("whole.wav"), 2, SF_FORMAT_PCM_16, 48000, Bursts(48000, 0.5f, 0.25f));
  const std::string bytes = ReadFile(Path("whole.wav"));
  std::ofstream(Path("cut.wav"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  for (const auto& [input, feed] :
       {std::pair{Path("cut.wav"), std::string()},
        std::pair{std::string("-"), "cat " + Path("cut.wav") + " | "}}) {
    const ProgramRun run = Slewmeter(input + " --report " + Path("cut.json"), true, feed);
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_NE(run.out.find(": truncated: metered the"), std::string::npos) << run.out;
    const std::string json = ReadFile(Path("cut.json"));
    EXPECT_EQ(JsonNumber(json, "largestStep"), 0.5) << json;
    EXPECT_NE(json.find("\"truncated\": true"), std::string::npos);
    fs::remove(Path("cut.json"));
  }
}

TEST_F(SlewmeterProgram, OutputsAreWholeOrAbsent) {
  WriteWav(Path("a.wav"), 2, SF_FORMAT_FLOAT, 48000, Bursts(48000, 0.5f, 0.25f));
  fs::create_directories(Path("taken.png"));  // a folder where the picture would go
  const ProgramRun run = Slewmeter(Path("a.wav") + " --timeline " + Path("taken.png"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("cannot write the timeline"), std::string::npos) << run.out;
  for (const auto& entry : fs::directory_iterator(dir)) {
    EXPECT_EQ(entry.path().string().find("partial"), std::string::npos) << entry.path();
  }
  // Several inputs need "{}" in output names.
  const ProgramRun ambiguous =
      Slewmeter(Path("a.wav") + " " + Path("a.wav") + " --report " + Path("r.json"));
  EXPECT_EQ(ambiguous.exitCode, 2);
  EXPECT_NE(ambiguous.out.find("needs \"{}\""), std::string::npos) << ambiguous.out;
}

TEST_F(SlewmeterProgram, VoltsPerMicrosecondFollowTheFullScale) {
  // A step of 0.5 at 48 kHz with 10 V at full scale: 0.5 x 10 V x 48000 / s = 0.24 V/us.
  WriteWav(Path("a.wav"), 2, SF_FORMAT_FLOAT, 48000, Bursts(48000, 0.5f, 0.25f));
  const ProgramRun run = Slewmeter(Path("a.wav") + " --full-scale-volts 10 --report -", false);
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_NEAR(JsonNumber(run.out, "largestStepVoltsPerMicrosecond"), 0.24, 1e-9) << run.out;
}
