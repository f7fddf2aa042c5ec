#include <gtest/gtest.h>

#include <string>

#include "runtime/description.h"

namespace {

class CountingSliders : public CVebriskDescription {
 public:
  void DoSlider() override { ++sliderRuns; }
  int sliderRuns = 0;

  SliderRecord& AddSlider(double min, double max, double step, int32_t number = 1) {
    SliderRecord record;
    record.Number = number;
    record.Min = min;
    record.Max = max;
    record.Step = step;
    Sliders.push_back(record);
    return Sliders.back();
  }

  std::string Display(int32_t i) {
    char buffer[64];
    GetSliderDisplay(i, buffer, sizeof buffer);
    return buffer;
  }
};

}  // namespace

TEST(Sliders, SettingSnapsToTheStepGridFromZeroWithoutClamping) {
  CountingSliders s;
  s.AddSlider(0, 10, 1);
  s.SetSliderNormalized(0, 0.34);
  EXPECT_EQ(s.SliderValues[1], 3);
  s.SetSliderNormalized(0, 0.35);
  EXPECT_EQ(s.SliderValues[1], 4);
  s.SetSliderNormalized(0, 0.25);
  EXPECT_EQ(s.SliderValues[1], 3);  // 2.5 goes up
  s.SetSliderNormalized(0, 1.2);
  EXPECT_EQ(s.SliderValues[1], 12);
  EXPECT_EQ(s.sliderRuns, 4);
  EXPECT_DOUBLE_EQ(s.GetSliderNormalized(0), 1.2);

  CountingSliders offset;
  offset.AddSlider(0.5, 1.5, 1);
  offset.SetSliderNormalized(0, 0);
  EXPECT_EQ(offset.SliderValues[1], 1);  // the grid starts at 0, not at Min
}

TEST(Sliders, SettingTheCurrentValueRunsNoSection) {
  CountingSliders s;
  double mirror = -1;
  s.AddSlider(0, 10, 1).Variable = &mirror;
  s.SetSliderNormalized(0, 0.5);
  EXPECT_EQ(mirror, 5);
  EXPECT_EQ(s.sliderRuns, 1);
  s.SliderValues[1] = 5.000004;
  s.SetSliderNormalized(0, 0.5);
  EXPECT_EQ(s.sliderRuns, 1);
  EXPECT_EQ(s.SliderValues[1], 5.000004);
}

TEST(Sliders, DisplayPicksTheOptionByPositionOrFormatsTheValue) {
  CountingSliders s;
  s.AddSlider(0, 1, 1).Options = {"off", "on"};
  for (double v : {0.6, -1.0, 0.999}) {
    s.SliderValues[1] = v;
    EXPECT_EQ(s.Display(0), "off") << v;
  }
  for (double v : {1.0, 2.0, 2147483647.0}) {
    s.SliderValues[1] = v;
    EXPECT_EQ(s.Display(0), "on") << v;
  }
  s.SliderValues[1] = 1e10;  // beyond the integer range counts as negative
  EXPECT_EQ(s.Display(0), "off");

  s.AddSlider(0, 10, 1, 2);
  s.SliderValues[2] = 3.14159;
  EXPECT_EQ(s.Display(1), "3.14");
  s.SliderValues[2] = -0.004;
  EXPECT_EQ(s.Display(1), "-0.00");
}

TEST(Sliders, TextsNeverRunPastTheGivenCapacity) {
  CountingSliders s;
  SliderRecord& r = s.AddSlider(0, 1e300, 1);
  r.Name = "a rather long slider name";
  s.SliderValues[1] = 1e300;
  char buffer[12];
  std::fill(std::begin(buffer), std::end(buffer), '#');
  s.GetSliderName(0, buffer, 8);
  EXPECT_STREQ(buffer, "a");  // whole words only
  EXPECT_EQ(buffer[8], '#');
  s.GetSliderDisplay(0, buffer, 8);
  EXPECT_STREQ(buffer, "1000000");
  EXPECT_EQ(buffer[8], '#');
}

TEST(Sliders, ScriptSliderNumbersWrapAtOneHundredTwentyEight) {
  CountingSliders s;
  s.SliderValues[2] = 9;
  s.SliderValues[127] = 4;
  EXPECT_EQ(s.Slider(130), 9);
  EXPECT_EQ(s.Slider(-1), 4);
}
