// The rectangle rules that drawing and hit testing rely on, and the frame rule.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/editor/IControl.h"

TEST(IRECT, OnlyAllZeroIsEmptyAndIntersectsCountsTouchingOnItsOwnRightAndBottomOnly) {
  EXPECT_FALSE(IRECT(5, 5, 5, 5).Empty());
  EXPECT_FALSE(IRECT().Contains(0, 0));
  const IRECT a(0, 0, 10, 10), right(10, 0, 20, 10), below(0, 10, 10, 20);
  EXPECT_TRUE(a.Contains(9, 9) && !a.Contains(10, 5) && !a.Contains(5, 10));
  EXPECT_TRUE(a.Intersects(right) && a.Intersects(below));
  EXPECT_FALSE(right.Intersects(a) || below.Intersects(a) || a.Intersects(IRECT()));
  EXPECT_EQ(IRECT(10, 0, 10, 10), a.Intersect(right));
  EXPECT_TRUE(right.Intersect(a).Empty());
  EXPECT_EQ(IRECT(-5, -1, 10, 10), a.Union(IRECT(-5, -1, 3, 4)));
  EXPECT_EQ(a, a.Union(IRECT()));
  EXPECT_EQ(a, IRECT().Union(a));
}

TEST(FrameRule, NearestFrameWithinTheStrip) {
  EXPECT_EQ(1, FrameForValue(271, 0.0));
  EXPECT_EQ(271, FrameForValue(271, 1.0));
  EXPECT_EQ(2, FrameForValue(3, 0.25));
  EXPECT_EQ(1, FrameForValue(3, 0.24));
  EXPECT_EQ(1, FrameForValue(1, 0.9));
  EXPECT_EQ(1, FrameForValue(5, -3.0));
  EXPECT_EQ(5, FrameForValue(5, 1e30));
  EXPECT_EQ(1, FrameForValue(5, std::nan("")));
  EXPECT_EQ(1, IBitmap(nullptr, 10, 30, 0).mFrames);
}
