// slewmeter reads the meter only through effect/meter_model.h and the history
// accessors: a ceiling added to a table reaches every figure, and each channel's
// numbers come from that channel's history.
#include <gtest/gtest.h>

#include <string>

#include "metered_signal.h"
#include "tools/slewmeter/file_figures.h"
#include "tools/slewmeter/report_json.h"
#include "tools/slewmeter/timeline_columns.h"

namespace {

constexpr double kRate = 48000;

// Two seconds; each channel alternates between 0 and its own level every frame,
// so its every step is that level.
Measurement MeterSquares(float leftLevel, float rightLevel, const MeterSettings& settings) {
  return MeterSignal(
      kRate, static_cast<int64_t>(2 * kRate),
      [=](int64_t frame, int channel) {
        return frame % 2 != 0 ? (channel == 0 ? leftLevel : rightLevel) : 0.0f;
      },
      settings);
}

}  // namespace

TEST(MeterModelReaders, AThirdCeilingReachesTheAnalysisTheWordsTheTablesAndTheTimeline) {
  // The meter's two and a low one at a quarter of the full scale (300 of 400 below the top).
  const Ceiling withHum[] = {kCeilings[0], kCeilings[1], {300, 10, 10, "hum ceiling", 10008}};
  MeterSettings settings;
  settings.ceilings = withHum;
  settings.perSecond = true;
  settings.timelineColumns = 60;
  // Steps of 0.2 lie between a quarter (0.115) and 0.575 (0.264) of the full scale at 48 kHz.
  const Measurement measurement = MeterSquares(0.2f, 0, settings);
  const ChannelSummary& left = measurement.channels[0];
  ASSERT_EQ(left.secondsAbove.size(), 3u);
  EXPECT_EQ(left.secondsAbove[0], 0);
  EXPECT_EQ(left.secondsAbove[1], 0);
  EXPECT_NEAR(left.secondsAbove[2], 2, 1.0 / kGraphicsFramesPerSecond);
  EXPECT_EQ(left.crossings[2], 1);
  EXPECT_EQ(measurement.channels[1].secondsAbove[2], 0);
  EXPECT_NE(DescribeStep(0.2, measurement.fullScale, withHum).find("above the hum ceiling"),
            std::string::npos);

  bool roseInTimeline = false;
  for (const TimelineColumn& column : measurement.timeline->columns())
    roseInTimeline = roseInTimeline || column.rose[0][2];
  EXPECT_TRUE(roseInTimeline);
  EXPECT_EQ(measurement.timeline->ceilings().size(), 3u);

  FileFigures file;
  file.name = "hum.wav";
  file.metered = true;
  file.sampleRate = kRate;
  file.frames = measurement.frames;
  file.fullScale = measurement.fullScale;
  file.channels = measurement.channels;
  const FigureColumns columns{false, 0, withHum};
  EXPECT_NE(SummaryTable({file}, columns).find("s above hum ceiling L/R"), std::string::npos);
  const std::string csv = SummaryCsv({file}, columns);
  EXPECT_NE(
      csv.find("secondsAbovehumCeilingLeft,secondsAbovehumCeilingRight,largestStepLeftFromSilence"),
      std::string::npos)
      << csv;
  const std::string json = ReportJson(file, *measurement.perSecond, columns);
  EXPECT_NE(json.find("\"hum ceiling\": 2"), std::string::npos) << json;
}

TEST(MeterModelReaders, EachChannelsNumbersComeFromItsOwnChannel) {
  for (const auto& [leftLevel, rightLevel] : {std::pair{0.25f, 0.0f}, std::pair{0.0f, 0.125f}}) {
    const Measurement measurement = MeterSquares(leftLevel, rightLevel, {});
    EXPECT_EQ(measurement.channels[0].step.value, leftLevel);
    EXPECT_EQ(measurement.channels[1].step.value, rightLevel);
  }
}
