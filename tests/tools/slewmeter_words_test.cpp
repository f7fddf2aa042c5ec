// What slewmeter says about a file, whatever its length and whatever bytes its
// name holds: the summary table's durations and columns, the JSON report and
// the timeline's time labels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "tools/slewmeter/file_figures.h"
#include "tools/slewmeter/per_second_peaks.h"
#include "tools/slewmeter/report_json.h"
#include "tools/slewmeter/time_ticks.h"

namespace {

FileFigures Metered(const std::string& name, double seconds = 1) {
  FileFigures file;
  file.name = name;
  file.metered = true;
  file.sampleRate = 100;
  file.frames = static_cast<int64_t>(seconds * 100 + 0.5);
  file.fullScale = 0.5;
  return file;
}

// The summary table's lines, the header first.
std::vector<std::string> TableLines(const std::vector<FileFigures>& files) {
  std::vector<std::string> lines;
  const std::string table = SummaryTable(files, FigureColumns{});
  for (size_t at = 0, end; (end = table.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(table.substr(at, end - at));
  return lines;
}

struct DurationCase {
  double seconds;
  const char* shown;
};

class TableDuration : public ::testing::TestWithParam<DurationCase> {};

TEST_P(TableDuration, CarriesWhatRoundsUpIntoTheMinuteAndTheHour) {
  const std::vector<std::string> lines = TableLines({Metered("a.wav", GetParam().seconds)});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[1].find(std::string("  ") + GetParam().shown + "  "), std::string::npos)
      << lines[1];
}

INSTANTIATE_TEST_SUITE_P(Durations, TableDuration,
                         ::testing::Values(DurationCase{59.97, "1:00.0"},
                                           DurationCase{119.96, "2:00.0"},
                                           DurationCase{3599.98, "1:00:00.0"},
                                           DurationCase{3725.04, "1:02:05.0"},
                                           DurationCase{9.94, "0:09.9"}));

// The seconds a time label reads: "12 s", "12.5 s", "1:02", "1:02.5", "1:00:00".
double LabelSeconds(const std::string& label) {
  double seconds = 0;
  for (const char* at = label.c_str(); *at != '\0';) {
    char* end = nullptr;
    seconds = 60 * seconds + std::strtod(at, &end);
    at = *end == ':' ? end + 1 : "";
  }
  return seconds;
}

TEST(TimeTicks, LabelsAreDistinctAndReadTheTimeOfTheirTick) {
  const std::pair<double, int32_t> axes[] = {{3, 1200},         {59.97, 1200},    {61, 1200},
                                             {61, 16000},       {3 * 3600, 1200}, {3 * 3600, 200},
                                             {30 * 86400, 1200}};
  for (const auto& [duration, width] : axes) {
    const std::vector<TimeTick> ticks = TimeTicks(duration, width);
    ASSERT_GE(ticks.size(), 2u) << duration;
    std::set<std::string> labels;
    for (const TimeTick& tick : ticks) {
      EXPECT_TRUE(labels.insert(tick.label).second) << tick.label << " twice for " << duration;
      EXPECT_NEAR(LabelSeconds(tick.label), tick.seconds, 1e-9) << tick.label;
      EXPECT_LE(tick.seconds, duration);
    }
    EXPECT_GE((ticks[1].seconds - ticks[0].seconds) / duration * width, 100) << duration;
  }
}

TEST(SummaryTable, AlignsNamesByTheColumnsATerminalGivesThem) {
  struct Name {
    std::string bytes;
    std::string shown;  // as the table prints it
    size_t columns;     // on a terminal
  };
  const std::vector<Name> names = {
      {"plain.wav", "plain.wav", 9},
      {"\xc3\xa9t\xc3\xa9.wav", "\xc3\xa9t\xc3\xa9.wav", 7},                // accents
      {"e\xcc\x81.wav", "e\xcc\x81.wav", 5},                                // a combining accent
      {"\xe4\xb8\xad\xe6\x96\x87.wav", "\xe4\xb8\xad\xe6\x96\x87.wav", 8},  // CJK, two columns each
      {"a\x1b[2J.wav", "a\\x1b[2J.wav", 12},                                // a control byte
      {"\xff\xfe.wav", "\\xff\\xfe.wav", 12},                               // not UTF-8
  };
  std::vector<FileFigures> files;
  for (const Name& name : names)
    files.push_back(Metered(name.bytes));
  const std::vector<std::string> lines = TableLines(files);
  ASSERT_EQ(lines.size(), names.size() + 1);
  // The same figures follow every name: lines of one display width.
  const size_t width = lines[1].size();
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& line = lines[i + 1];
    EXPECT_EQ(line.rfind(names[i].shown, 0), 0u) << line;
    EXPECT_EQ(line.size() - (names[i].shown.size() - names[i].columns), width) << line;
    EXPECT_EQ(line.find('\x1b'), std::string::npos);
  }
}

TEST(ReportJson, WritesAnyFileNameAsValidUtf8) {
  PerSecondPeaks perSecond;
  ASSERT_TRUE(perSecond.finish(0));
  // Latin-1 bytes, UTF-8, a quote, a control byte, an overlong "/" and a
  // UTF-8 surrogate: only the UTF-8 stays as it is.
  const std::string json = ReportJson(Metered("caf\xe9 \xc3\xa9\"\x01\xc0\xaf\xed\xa0\x80.wav"),
                                      perSecond, FigureColumns{});
  EXPECT_NE(json.find("\"input\": \"caf\\u00e9 \xc3\xa9\\\"\\u0001\\u00c0\\u00af\\u00ed\\u00a0"
                      "\\u0080.wav\""),
            std::string::npos)
      << json;
  size_t beyondAscii = 0;
  for (const char c : json)
    beyondAscii += static_cast<unsigned char>(c) >= 0x80;
  EXPECT_EQ(beyondAscii, 2u);  // the two bytes of the one UTF-8 character
}

}  // namespace
