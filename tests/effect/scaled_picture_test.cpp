// The editor's picture at desktop scales, on the platform's own 2D library:
// geometry, pens, text and images grow with the scale; lines stay sharp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "core/display_scale.h"
#include "core/effect_instance.h"
#include "editor/offscreen_render.h"
#include "effect/meter_model.h"
#include "effect/vebrisk_effect.h"
#include "tests/support/fake_host.h"

using namespace VSTGUI;

namespace {

struct Picture {
  int width = 0;
  std::vector<CColor> pixels;

  CColor at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  int height() const { return width ? static_cast<int>(pixels.size()) / width : 0; }
  // The rows of column x whose pixel satisfies `is`, from the top.
  template <class Is>
  std::vector<int> rowsWhere(int x, Is is) const {
    std::vector<int> rows;
    for (int y = 0; y < height(); ++y) {
      if (is(at(x, y))) rows.push_back(y);
    }
    return rows;
  }
};

bool Reddish(CColor c) {
  return c.red > 120 && c.green < 60 && c.blue < 60;
}
bool CeilingColour(CColor c) {
  return c.red > 60 && c.green > 60 && c.blue < 30 && std::abs(c.red - c.green) < 10;
}
bool White(CColor c) {
  return c.red > 100 && c.blue > 100;
}
bool Yellowish(CColor c) {
  return c.red > 60 && c.green > 60 && c.blue < 40;
}

constexpr double kScales[] = {1.0, 1.25, 1.5, 2.0};

// One meter whose whole history holds a left step of half the full scale, then
// one picture at each scale (the audio goes on between them, so each shows the
// same history). Drawing is slow under Wine: the pictures are made once.
std::map<double, Picture> RenderAtEachScale() {
  FakeHost host;
  PluginInstance plugin;
  plugin.start(44100, 512);
  auto playAndRender = [&] {
    std::vector<float> left(1024), right(1024, 0.0f);
    for (size_t i = 0; i < left.size(); ++i)
      left[i] = (i % 2) ? 0.25f : 0.0f;
    float* io[] = {left.data(), right.data()};
    plugin.effect->processReplacing(plugin.effect, io, io, static_cast<int32_t>(left.size()));
    return RenderEditorOffscreen(plugin.instance());
  };
  for (int frame = 1; frame < kHistoryLength; ++frame)
    playAndRender();
  std::map<double, Picture> pictures;
  for (double scale : kScales) {
    plugin.instance()->setDisplayScale(scale);
    auto context = playAndRender();
    if (!context) continue;
    pictures[scale] = {static_cast<int>(context->getBitmap()->getWidth()),
                       ImagePixels(*context->getBitmap()->getPlatformImage())};
  }
  return pictures;
}

// The rows between the yellow legend's first and last lit row, in the left half.
int LegendHeight(const Picture& p, double scale) {
  int first = -1, last = -1;
  for (int y = static_cast<int>(500 * scale); y < p.height() - 2; ++y) {
    for (int x = static_cast<int>(15 * scale); x < p.width / 2; ++x) {
      if (!Yellowish(p.at(x, y))) continue;
      if (first < 0) first = y;
      last = y;
      break;
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

class ScaledPicture : public ::testing::TestWithParam<double> {
 protected:
  static void SetUpTestSuite() { pictures = new std::map<double, Picture>(RenderAtEachScale()); }
  static void TearDownTestSuite() {
    delete pictures;
    pictures = nullptr;
  }

  double scale = GetParam();
  int pen = static_cast<int>(std::lround(scale));
  const Picture& picture = (*pictures)[scale];
  const Picture& unscaled = (*pictures)[1.0];
  static std::map<double, Picture>* pictures;
};

std::map<double, Picture>* ScaledPicture::pictures = nullptr;

}  // namespace

TEST_P(ScaledPicture, IsTheDesignSizeTimesTheScale) {
  EXPECT_EQ(picture.width, ScaledLength(kEditorWidth, scale));
  EXPECT_EQ(picture.height(), ScaledLength(kEditorHeight, scale));
}

TEST_P(ScaledPicture, TheRedFrameIsAsThickAsTheScaleOnEveryEdge) {
  const int w = picture.width, h = picture.height();
  // Along the right half, away from the logo, the labels and the graph.
  for (int along : {h / 2, h * 3 / 4}) {
    for (int i = 0; i < pen; ++i) {
      EXPECT_TRUE(Reddish(picture.at(i, along))) << "left, column " << i;
      EXPECT_TRUE(Reddish(picture.at(w - 1 - i, along))) << "right, column " << w - 1 - i;
    }
    EXPECT_FALSE(Reddish(picture.at(pen, along))) << "left, inside";
    EXPECT_FALSE(Reddish(picture.at(w - 1 - pen, along))) << "right, inside";
  }
  for (int across : {w * 3 / 4, w - w / 10}) {
    for (int i = 0; i < pen; ++i) {
      EXPECT_TRUE(Reddish(picture.at(across, i))) << "top, row " << i;
      EXPECT_TRUE(Reddish(picture.at(across, h - 1 - i))) << "bottom, row " << h - 1 - i;
    }
    EXPECT_FALSE(Reddish(picture.at(across, pen))) << "top, inside";
    EXPECT_FALSE(Reddish(picture.at(across, h - 1 - pen))) << "bottom, inside";
  }
}

TEST_P(ScaledPicture, EachCeilingIsOneSharpLineOnItsScaledRow) {
  const double viewPerDesign = double(kEditorHeight) / kDesignHeight;
  const int column = picture.width * 3 / 4;
  for (const Ceiling& ceiling : kCeilings) {
    const double viewRow = ceiling.fromTop * viewPerDesign;
    const auto rows = picture.rowsWhere(column, CeilingColour);
    std::vector<int> near;
    for (int row : rows) {
      if (std::abs(row - viewRow * scale) < 2 * scale + 1) near.push_back(row);
    }
    ASSERT_EQ(near.size(), static_cast<size_t>(pen)) << ceiling.label;
    EXPECT_EQ(near.back() - near.front() + 1, pen) << ceiling.label << ": one run";
    // Within the screen rows of the view pixel the line stands on.
    const double top = std::trunc(viewRow) * scale, bottom = (std::trunc(viewRow) + 1) * scale;
    EXPECT_LT(near.front(), bottom) << ceiling.label;
    EXPECT_GE(near.back() + 1, top) << ceiling.label;
  }
}

TEST_P(ScaledPicture, TheHistoryStandsAtTheSameShareOfTheHeight) {
  // Half the full scale: the middle of the picture, one pen thick around it.
  const auto white = picture.rowsWhere(picture.width / 2, White);
  ASSERT_FALSE(white.empty());
  EXPECT_NEAR(white.front(), picture.height() / 2.0, scale + 1);
  EXPECT_LE(white.back() - white.front() + 1, pen + 1);
}

TEST_P(ScaledPicture, TheLegendGrowsWithTheScale) {
  const int height = LegendHeight(picture, scale), unscaledHeight = LegendHeight(unscaled, 1);
  ASSERT_GT(unscaledHeight, 0);
  EXPECT_NEAR(height, unscaledHeight * scale, unscaledHeight * scale * 0.15);
}

TEST_P(ScaledPicture, TheLogoFillsItsScaledRectangle) {
  // The logo's bright ring, across the row through its centre, spans the same
  // share of the scaled logo as of the unscaled one (dimmed by the shade over it,
  // which pulses).
  auto ring = [](const Picture& p, double s) {
    const int row = static_cast<int>(44 * s), end = static_cast<int>(99 * s);
    int brightest = 0;
    for (int x = 0; x < end; ++x)
      brightest = std::max<int>(brightest, p.at(x, row).green);
    int first = -1, last = -1;
    for (int x = 0; x < end; ++x) {
      if (p.at(x, row).green < brightest * 0.85) continue;
      if (first < 0) first = x;
      last = x;
    }
    return std::pair{first, last};
  };
  const auto [first, last] = ring(picture, scale);
  const auto [unscaledFirst, unscaledLast] = ring(unscaled, 1);
  ASSERT_GE(unscaledFirst, 0);
  EXPECT_NEAR(first, unscaledFirst * scale, scale + 1);
  EXPECT_NEAR(last + 1, (unscaledLast + 1) * scale, scale + 1);
}

INSTANTIATE_TEST_SUITE_P(DesktopScales, ScaledPicture, ::testing::ValuesIn(kScales),
                         [](const ::testing::TestParamInfo<double>& info) {
                           return "Scale" + std::to_string(std::lround(info.param * 100));
                         });
