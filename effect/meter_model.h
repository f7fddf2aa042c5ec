// The meter's facts, each written once: the editor's size, the design space of
// the picture, its images and texts, the reference ceilings and the histories.
// The graphics section, slewmeter, the tests and the benchmarks derive from
// these, so that a change of any of them is one edit here.
#pragma once

#include <cstdint>
#include <iterator>

#include "runtime/value_rules.h"

// What every format tells its hosts of the plug-in besides its name and vendor.
inline constexpr const char* kEffectDescription =
    "Passes audio through untouched and measures, per channel, the largest step between "
    "consecutive samples.";
inline constexpr const char* kVendorHomepage = "https://korvandel.audio/";

inline constexpr int32_t kEditorWidth = 600, kEditorHeight = 600;
// The picture is laid out in this space and stretched to the view.
inline constexpr double kDesignWidth = 400, kDesignHeight = 400;
// Graphics frames per second: one history point each while the editor is open.
inline constexpr double kGraphicsFramesPerSecond = 30;

enum class Channel { left, right };
// Points per channel; the left history starts at memory cell 0, the right one after it.
inline constexpr double kHistoryLength = 100;

// The graph's top as a step, 44100 / (2 x sample rate): the same rate of change
// at any sample rate.
inline double GraphFullScale(double sampleRate) {
  return FiniteOrZero(44100 / (sampleRate + sampleRate));
}

// Image n is the embedded resource n, else the file name n.
enum ImageNumber : int32_t { kLogoImage, kWebLinkImage, kTitleImage };
inline constexpr const char* kImageFileNames[] = {
    "KORVANDEL_LogoTealGlow.PNG", "KORVANDEL_WebLinkText.png",
    "KORVANDEL_LogoTealGlow_Drelmoor.png",
    "50x50square_top_ON.png",  // registered, never drawn
};

// The texts other than the ceilings' labels, numbered from kCourierNewText on.
enum TextNumber : int32_t {
  kCourierNewText = 10000,
  kArialText,
  kLetterVText,
  kLabelArialText,
  kLeftLegendText,
  kRightLegendText,
};
inline constexpr const char* kFixedTexts[] = {
    "Courier New", "Arial", "v", "Arial", "LEFT channel = White", "RIGHT channel = Red",
};
static_assert(std::size(kFixedTexts) == kRightLegendText - kCourierNewText + 1);
constexpr const char* FixedText(TextNumber number) {
  return kFixedTexts[number - kCourierNewText];
}

// A reference ceiling: a horizontal line across the graph with its label.
struct Ceiling {
  double fromTop;    // design units below the graph's top, where line and label stand
  double lineFromX;  // where the line starts, in design units; it ends 10 short of the right
  double labelX;     // where the label starts, in design units
  const char* label;
  int32_t textNumber;

  // The step it stands for, as a share of the graph's full scale. Derived from the
  // design position so that the drawn line stays on its exact design row.
  constexpr double share() const { return (kDesignHeight - fromTop) / kDesignHeight; }
};

// From the top down; reports list the ceilings in this order.
inline constexpr Ceiling kCeilings[] = {
    {15, 100, 160, "1990 typical ceiling", 10007},
    {170, 10, 10, "1970/1980 typical ceiling", 10006},
};
