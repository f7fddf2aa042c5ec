#include "runtime/value_rules.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ValueRules, ToIndexNudgesTowardTheNearestIntegerBeforeTruncating) {
  EXPECT_EQ(ToIndex(2.99995), 3);
  EXPECT_EQ(ToIndex(-2.99995), -3);
  EXPECT_EQ(ToIndex(2.9998), 2);
  EXPECT_EQ(ToIndex(-0.5), 0);
  EXPECT_EQ(ToIndex(-0.99995), -1);
  EXPECT_EQ(ToIndex(2147483647.0), 2147483647);
  EXPECT_EQ(ToIndex(-2147483648.0), INT32_MIN);
}

TEST(ValueRules, ToIndexMapsNaNAndOutOfRangeToTheLowestIndex) {
  EXPECT_EQ(ToIndex(std::numeric_limits<double>::quiet_NaN()), INT32_MIN);
  EXPECT_EQ(ToIndex(1e12), INT32_MIN);
  EXPECT_EQ(ToIndex(-1e12), INT32_MIN);
  EXPECT_EQ(ToIndex(2147483648.0), INT32_MIN);
  EXPECT_EQ(ToIndex(std::numeric_limits<double>::infinity()), INT32_MIN);
}

TEST(ValueRules, FiniteOrZeroReplacesOnlyNaNAndInfinities) {
  EXPECT_EQ(FiniteOrZero(std::numeric_limits<double>::quiet_NaN()), 0.0);
  EXPECT_EQ(FiniteOrZero(std::numeric_limits<double>::infinity()), 0.0);
  EXPECT_EQ(FiniteOrZero(-std::numeric_limits<double>::infinity()), 0.0);
  EXPECT_EQ(FiniteOrZero(1.7976931348623157e308), 1.7976931348623157e308);
  EXPECT_EQ(FiniteOrZero(-4.9e-324), -4.9e-324);
}

TEST(ValueRules, EqualityToleranceIsStrictAtOneHundredThousandth) {
  EXPECT_TRUE(IsNearlyEqual(1.0, 1.000009));
  EXPECT_FALSE(IsNearlyEqual(0.0, 0.00001));
  EXPECT_FALSE(IsTrue(0.000009));
  EXPECT_TRUE(IsTrue(-0.00002));
  EXPECT_TRUE(IsTrue(std::numeric_limits<double>::quiet_NaN()));
}
