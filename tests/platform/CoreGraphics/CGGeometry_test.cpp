#include <CoreGraphics/CoreGraphics.h>
#include <gtest/gtest.h>

#include <cmath>

TEST(CGAffineTransform, ConcatAppliesTheFirstTransformFirst) {
  CGAffineTransform t = CGAffineTransformConcat(CGAffineTransformMakeTranslation(10, 0),
                                                CGAffineTransformMakeScale(2, 3));
  CGPoint p = CGPointApplyAffineTransform(CGPointMake(1, 1), t);
  EXPECT_DOUBLE_EQ(22, p.x);  // (1 + 10) * 2
  EXPECT_DOUBLE_EQ(3, p.y);
  // The Translate/Scale helpers prepend their step.
  CGAffineTransform u = CGAffineTransformTranslate(CGAffineTransformMakeScale(2, 3), 10, 0);
  EXPECT_TRUE(CGAffineTransformEqualToTransform(t, u));
}

TEST(CGAffineTransform, InvertUndoesTheTransformAndLeavesSingularOnesAlone) {
  CGAffineTransform t = CGAffineTransformRotate(CGAffineTransformMakeTranslation(5, -7), 0.3);
  CGPoint p = CGPointApplyAffineTransform(CGPointApplyAffineTransform(CGPointMake(3, 4), t),
                                          CGAffineTransformInvert(t));
  EXPECT_NEAR(3, p.x, 1e-12);
  EXPECT_NEAR(4, p.y, 1e-12);
  CGAffineTransform singular = CGAffineTransformMakeScale(0, 1);
  EXPECT_TRUE(CGAffineTransformEqualToTransform(singular, CGAffineTransformInvert(singular)));
}

TEST(CGRect, IntersectionOfDisjointRectsIsNullAndOfOverlappingOnesTheCommonPart) {
  EXPECT_TRUE(CGRectIsNull(CGRectIntersection(CGRectMake(0, 0, 2, 2), CGRectMake(3, 3, 1, 1))));
  CGRect r = CGRectIntersection(CGRectMake(0, 0, 4, 4), CGRectMake(2, -1, -4, 3));
  EXPECT_TRUE(CGRectEqualToRect(CGRectMake(0, 0, 2, 2), r));
  EXPECT_TRUE(CGRectIsEmpty(CGRectMake(1, 1, 0, 5)));
  EXPECT_FALSE(CGRectContainsPoint(CGRectMake(0, 0, 2, 2), CGPointMake(2, 1)));
}

TEST(CGRect, ApplyingARotationGivesTheBoundingBox) {
  CGRect r =
      CGRectApplyAffineTransform(CGRectMake(0, 0, 2, 1), CGAffineTransformMakeRotation(M_PI / 2));
  EXPECT_NEAR(-1, r.origin.x, 1e-12);
  EXPECT_NEAR(0, r.origin.y, 1e-12);
  EXPECT_NEAR(1, r.size.width, 1e-12);
  EXPECT_NEAR(2, r.size.height, 1e-12);
}

TEST(CGColor, ComponentsAreClampedAndReferenceCounted) {
  CGColorRef c = CGColorCreateGenericRGB(1.5, -0.5, 0.25, 0.5);
  ASSERT_NE(nullptr, c);
  const CGFloat* k = CGColorGetComponents(c);
  EXPECT_EQ(4u, CGColorGetNumberOfComponents(c));
  EXPECT_DOUBLE_EQ(1, k[0]);
  EXPECT_DOUBLE_EQ(0, k[1]);
  EXPECT_DOUBLE_EQ(0.25, k[2]);
  EXPECT_DOUBLE_EQ(0.5, CGColorGetAlpha(c));
  CGColorRef copy = CGColorCreateCopyWithAlpha(c, 1);
  EXPECT_FALSE(CGColorEqualToColor(c, copy));
  EXPECT_EQ(c, CGColorRetain(c));
  CGColorRelease(c);
  CGColorRelease(c);
  CGColorRelease(copy);
  EXPECT_EQ(nullptr, CGColorCreate(nullptr, k));
}
