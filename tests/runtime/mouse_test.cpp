#include "runtime/mouse.h"

#include <gtest/gtest.h>

#include <cmath>

#include "editor/toolkit/buttons.h"

using namespace VSTGUI;

TEST(Mouse, ToolkitBitsBecomeTheScriptsBitsAndTheRestIsDropped) {
  EXPECT_EQ(CVebriskMouse::ScriptButtons(kLButton), 1);
  EXPECT_EQ(CVebriskMouse::ScriptButtons(kRButton), 2);
  EXPECT_EQ(CVebriskMouse::ScriptButtons(kControl), 4);
  EXPECT_EQ(CVebriskMouse::ScriptButtons(kShift), 8);
  EXPECT_EQ(CVebriskMouse::ScriptButtons(kAlt), 16);
  EXPECT_EQ(CVebriskMouse::ScriptButtons(kMButton), 64);
  EXPECT_EQ(CVebriskMouse::ScriptButtons(kDoubleClick | kButton4 | kButton5 | 1), 0);
  EXPECT_EQ(CVebriskMouse::ScriptButtons(kLButton | kShift | kAlt), 25);
}

TEST(Mouse, PressMoveAndReleaseSetThePositionAndKeepTheFrameRateAtThirtyOrMore) {
  CVebriskMouse mouse;
  mouse.frameRate = std::nan("");
  mouse.MouseDown(10, 20, kLButton | kShift);
  EXPECT_EQ(mouse.mouseButtons, 9);
  EXPECT_EQ(mouse.frameRate, 30);

  mouse.frameRate = 60;
  mouse.MouseMove(-5, 700);
  EXPECT_EQ(mouse.mouseX, -5);
  EXPECT_EQ(mouse.mouseY, 700);
  EXPECT_EQ(mouse.mouseButtons, 9);  // a move keeps the buttons of the press
  EXPECT_EQ(mouse.frameRate, 60);

  mouse.frameRate = 0;
  mouse.MouseUp(3, 4);
  EXPECT_EQ(mouse.mouseButtons, 0);
  EXPECT_EQ(mouse.mouseX, 3);
  EXPECT_EQ(mouse.frameRate, 30);
}
