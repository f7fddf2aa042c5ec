#include "runtime/strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "runtime/text_copy.h"

TEST(Strings, LookupOfAMissingNumberInsertsAnEmptyTextAndCountsIt) {
  CVebriskStrings s;
  s.RegisterString(10000, "Arial");
  s.RegisterString(10001, "v");
  EXPECT_EQ(s.StringCount, 2);
  EXPECT_EQ(s.LookupString(10000.00004), "Arial");
  EXPECT_EQ(s.LookupString(5), "");
  EXPECT_EQ(s.StringCount, 3);
  EXPECT_EQ(s.Strings.count(5), 1u);
}

TEST(Strings, RegisteringReplacesAndFileNamesLeaveTheCountAlone) {
  CVebriskStrings s;
  s.RegisterString(1, "a");
  s.RegisterString(1, "b");
  s.RegisterFileName(0, "logo.png");
  EXPECT_EQ(s.Strings.at(1), "b");
  EXPECT_EQ(s.StringCount, 1);
  s.ClearStrings();
  EXPECT_EQ(s.StringCount, 0);
  EXPECT_EQ(s.FileNames.at(0), "logo.png");
}

TEST(Strings, CaseOnlyMattersToTheCaseSensitiveComparison) {
  EXPECT_TRUE(TextEqual("Arial", "Arial"));
  EXPECT_FALSE(TextEqual("Arial", "ARIAL"));
  EXPECT_TRUE(TextEqualIgnoreCase("Arial", "aRIAL"));
  EXPECT_FALSE(TextEqualIgnoreCase("Arial", "Arial Black"));
  EXPECT_FALSE(TextEqualIgnoreCase("[", "{"));  // only letters fold
}

// What a host's list shows when a text is longer than the standard's buffer.
TEST(TextFitting, ACutTextEndsOnAWholeWordWithoutItsSeparator) {
  const std::string_view name = "KORVANDEL - Pemberlyquist Ravuvi RozeveZAV - 20260806";
  EXPECT_EQ(FittedText(name, 64), name);
  EXPECT_EQ(FittedText(name, name.size() + 1), name);
  EXPECT_EQ(FittedText(name, 32), "KORVANDEL - Pemberlyquist");
  EXPECT_EQ(FittedText(name, 24), "KORVANDEL");
  EXPECT_EQ(FittedText(name, 43), "KORVANDEL - Pemberlyquist Ravuvi RozeveZAV");
  EXPECT_EQ(FittedText("abc def", 4), "abc");  // the space falls right after the room
  EXPECT_EQ(FittedText("Slew, Rate: Meter", 12), "Slew, Rate");
  EXPECT_EQ(FittedText("in / out", 8), "in");
}

TEST(TextFitting, OnlyAWordLongerThanTheRoomIsCutInsideAndNeverInsideACharacter) {
  EXPECT_EQ(FittedText("Pemberlyquist", 8), "Pemberl");
  EXPECT_EQ(FittedText(" leading", 4), " le");
  EXPECT_EQ(FittedText("- - - - -", 4), "- -");
  EXPECT_EQ(FittedText("\xC3\x84\xC3\x96\xC3\x9C", 4), "\xC3\x84");      // "ÄÖÜ" in 3 bytes
  EXPECT_EQ(FittedText("\xE2\x82\xAC\xE2\x82\xAC", 6), "\xE2\x82\xAC");  // "€€" in 5 bytes
  EXPECT_EQ(FittedText("anything", 1), "");
  EXPECT_EQ(FittedText("anything", 0), "");
}

TEST(TextFitting, EveryCutOfTheNameIsAPrefixThatFitsAndEndsOnAWord) {
  const std::string name = "KORVANDEL - Pemberlyquist Ravuvi RozeveZAV - 20260806";
  for (size_t capacity = 1; capacity <= name.size() + 1; ++capacity) {
    const std::string_view shown = FittedText(name, capacity);
    EXPECT_LT(shown.size(), capacity) << capacity;
    EXPECT_EQ(name.compare(0, shown.size(), shown), 0) << capacity;
    if (shown.size() == name.size()) continue;
    if (capacity <= 9) {  // "KORVANDEL" itself does not fit
      EXPECT_EQ(shown.size(), capacity - 1);
      continue;
    }
    EXPECT_EQ(name[shown.size()], ' ') << capacity << ": " << shown;
    EXPECT_NE(shown.back(), ' ') << capacity;
    EXPECT_NE(shown.back(), '-') << capacity;
  }
  char buffer[40];
  std::memset(buffer, '#', sizeof buffer);
  CopyText(buffer, 32, name);
  EXPECT_STREQ(buffer, "KORVANDEL - Pemberlyquist");
  EXPECT_EQ(std::string(buffer + 26, buffer + 40), std::string(14, '#'));
}
