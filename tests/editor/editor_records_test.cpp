// The shared records' rules that drawing and hit testing rely on, and the frame rule.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "framework/editor/IControl.h"

TEST(IRECT, OnlyAllZeroIsEmptyAndRightAndBottomEdgesAreOutside) {
  EXPECT_TRUE(IRECT().Empty());
  EXPECT_FALSE(IRECT(5, 5, 5, 5).Empty());
  EXPECT_FALSE(IRECT(0, 0, 0, 0).Contains(0, 0));
  const IRECT r(10, 20, 30, 40);
  EXPECT_TRUE(r.Contains(10, 20));
  EXPECT_TRUE(r.Contains(29, 39));
  EXPECT_FALSE(r.Contains(30, 25));
  EXPECT_FALSE(r.Contains(15, 40));
}

TEST(IRECT, IntersectsCountsTouchingOnItsOwnRightAndBottomEdgesOnly) {
  const IRECT a(0, 0, 10, 10), right(10, 0, 20, 10), below(0, 10, 10, 20);
  EXPECT_TRUE(a.Intersects(right));
  EXPECT_FALSE(right.Intersects(a));
  EXPECT_TRUE(a.Intersects(below));
  EXPECT_FALSE(below.Intersects(a));
  EXPECT_FALSE(a.Intersects(IRECT()));
  EXPECT_EQ(IRECT(10, 0, 10, 10), a.Intersect(right));
  EXPECT_TRUE(right.Intersect(a).Empty());
  EXPECT_EQ(IRECT(5, 5, 10, 8), a.Intersect(IRECT(5, 5, 15, 8)));
}

TEST(IRECT, UnionTakesTheOuterEdgesAndSkipsEmptyOperands) {
  const IRECT a(-5, 2, 3, 4), b(1, -1, 8, 3);
  EXPECT_EQ(IRECT(-5, -1, 8, 4), a.Union(b));
  EXPECT_EQ(a, a.Union(IRECT()));
  EXPECT_EQ(a, IRECT().Union(a));
}

TEST(EditorRecords, TextDefaultsAndFrameCounts) {
  const IText text;
  EXPECT_STREQ("Arial", text.mFont);
  EXPECT_EQ(14, text.mSize);
  EXPECT_EQ(DEFAULT_TEXT_COLOR, text.mColor);
  EXPECT_EQ(kAlignCenter, text.mAlign);
  const std::string longName(40, 'f');
  EXPECT_EQ(std::string(31, 'f'), IText(12, COLOR_RED, longName.c_str()).mFont);
  EXPECT_EQ(1, IBitmap(nullptr, 10, 30, 0).mFrames);
  EXPECT_EQ(10, IBitmap(nullptr, 10, 30, 3).FrameHeight());
}

TEST(EditorRecords, FrameRuleRoundsToTheNearestFrameWithinTheStrip) {
  EXPECT_EQ(1, FrameForValue(271, 0.0));
  EXPECT_EQ(271, FrameForValue(271, 1.0));
  EXPECT_EQ(2, FrameForValue(3, 0.25));
  EXPECT_EQ(1, FrameForValue(3, 0.24));
  EXPECT_EQ(1, FrameForValue(1, 0.9));
  EXPECT_EQ(1, FrameForValue(5, -3.0));
  EXPECT_EQ(5, FrameForValue(5, 1e30));
  EXPECT_EQ(1, FrameForValue(5, std::nan("")));
}
