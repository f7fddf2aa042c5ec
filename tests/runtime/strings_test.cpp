#include "runtime/strings.h"

#include <gtest/gtest.h>

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
