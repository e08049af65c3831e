#include <gtest/gtest.h>

#include <cmath>

#include "CGTestSurface.h"

// All surfaces here are flipped: (0, 0) is the top-left pixel, y grows downward.

TEST(CGStroke, APixelCentredLineCoversExactlyItsRow) {
  CGTestSurface s(5, 3, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetRGBStrokeColor(s.ctx, 1, 0, 0, 1);
  CGContextSetLineWidth(s.ctx, 1);
  CGContextMoveToPoint(s.ctx, 0, 1.5);
  CGContextAddLineToPoint(s.ctx, 5, 1.5);
  CGContextStrokePath(s.ctx);
  for (int x = 0; x < 5; ++x) {
    EXPECT_TRUE(s.untouched(x, 0));
    EXPECT_EQ(255, s.at(x, 1, 1));
    EXPECT_TRUE(s.untouched(x, 2));
  }
  EXPECT_TRUE(CGContextIsPathEmpty(s.ctx));  // painting consumes the path
}

TEST(CGStroke, ALineOnAPixelBoundaryHalfCoversBothRows) {
  CGTestSurface s(4, 2, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetRGBStrokeColor(s.ctx, 1, 1, 1, 1);
  CGPoint seg[2] = {{0, 1}, {4, 1}};
  CGContextStrokeLineSegments(s.ctx, seg, 2);
  for (int x = 0; x < 4; ++x) {
    EXPECT_NEAR(128, s.at(x, 0, 1), 2);
    EXPECT_NEAR(128, s.at(x, 1, 1), 2);
  }
}

TEST(CGStroke, LineWidthScalesWithTheCTM) {
  CGTestSurface s(8, 8, kCGImageAlphaNoneSkipFirst, true);
  CGContextScaleCTM(s.ctx, 2, 2);
  CGContextSetRGBStrokeColor(s.ctx, 1, 1, 1, 1);
  CGContextSetLineWidth(s.ctx, 1);  // 2 pixels after scaling
  CGContextMoveToPoint(s.ctx, 0, 2);
  CGContextAddLineToPoint(s.ctx, 4, 2);
  CGContextStrokePath(s.ctx);
  EXPECT_TRUE(s.untouched(3, 2));
  EXPECT_EQ(255, s.at(3, 3, 1));
  EXPECT_EQ(255, s.at(3, 4, 1));
  EXPECT_TRUE(s.untouched(3, 5));
}

TEST(CGStroke, StrokeRectOutlinesWithoutFillingTheInside) {
  CGTestSurface s(6, 6, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetRGBStrokeColor(s.ctx, 0, 0, 1, 1);
  CGContextStrokeRectWithWidth(s.ctx, CGRectMake(0.5, 0.5, 5, 5), 1);
  EXPECT_EQ(255, s.at(0, 0, 3));
  EXPECT_EQ(255, s.at(5, 3, 3));
  EXPECT_EQ(255, s.at(2, 5, 3));
  EXPECT_TRUE(s.untouched(2, 2));
  EXPECT_TRUE(s.untouched(3, 3));
}

TEST(CGFill, EllipseCoversItsAreaAndLeavesTheCornersAlone) {
  CGTestSurface s(40, 40, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextFillEllipseInRect(s.ctx, CGRectMake(0, 0, 40, 40));
  double covered = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) covered += s.at(x, y, 1) / 255.0;
  EXPECT_NEAR(M_PI * 400, covered, M_PI * 400 * 0.005);
  EXPECT_TRUE(s.untouched(0, 0));
  EXPECT_TRUE(s.untouched(39, 39));
  EXPECT_EQ(255, s.at(20, 20, 1));
  EXPECT_GT(s.at(0, 20, 1), 0);  // the leftmost column reaches the edge
}

TEST(CGFill, WindingRulesDifferOnANestedSameDirectionSubpath) {
  for (bool evenOdd : {false, true}) {
    CGTestSurface s(6, 6, kCGImageAlphaNoneSkipFirst, true);
    CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
    CGContextAddRect(s.ctx, CGRectMake(0, 0, 6, 6));
    CGContextAddRect(s.ctx, CGRectMake(2, 2, 2, 2));
    if (evenOdd)
      CGContextEOFillPath(s.ctx);
    else
      CGContextFillPath(s.ctx);
    EXPECT_EQ(255, s.at(0, 0, 1));
    EXPECT_EQ(evenOdd ? 0 : 255, s.at(2, 2, 1)) << evenOdd;
  }
}

TEST(CGFill, CurvesAndClosedPolygonsFillTheirInside) {
  CGTestSurface s(10, 10, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextMoveToPoint(s.ctx, 0, 0);
  CGContextAddLineToPoint(s.ctx, 10, 0);
  CGContextAddCurveToPoint(s.ctx, 10, 10, 10, 10, 0, 10);
  CGContextClosePath(s.ctx);
  CGPoint cur = CGContextGetPathCurrentPoint(s.ctx);
  EXPECT_DOUBLE_EQ(0, cur.x);  // closing returns to the subpath's start
  EXPECT_DOUBLE_EQ(0, cur.y);
  CGContextFillPath(s.ctx);
  EXPECT_EQ(255, s.at(1, 1, 1));
  EXPECT_EQ(255, s.at(8, 5, 1));
  EXPECT_LT(s.at(9, 9, 1), 255);  // the curve bends inside the corner
}

TEST(CGFill, GlobalAlphaAndColourAlphaBlendOverWhatIsThere) {
  CGTestSurface s(2, 1, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextSetAlpha(s.ctx, 0.5);
  CGContextFillRect(s.ctx, CGRectMake(0, 0, 1, 1));
  CGContextSetAlpha(s.ctx, 1);
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 0.25);
  CGContextFillRect(s.ctx, CGRectMake(1, 0, 1, 1));
  EXPECT_NEAR(128, s.at(0, 0, 1), 1);
  EXPECT_NEAR(64, s.at(1, 0, 1), 1);
  EXPECT_EQ(255, s.at(0, 0, 0));  // skipped byte of an opaque context
}

TEST(CGFill, WithoutAntialiasingEdgePixelsAreAllOrNothing) {
  CGTestSurface s(16, 16, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetShouldAntialias(s.ctx, false);
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextMoveToPoint(s.ctx, 0, 0);
  CGContextAddLineToPoint(s.ctx, 16, 3);
  CGContextAddLineToPoint(s.ctx, 2, 16);
  CGContextFillPath(s.ctx);
  int partial = 0, full = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      int v = s.at(x, y, 1);
      if (v == 255)
        ++full;
      else if (v != 0)
        ++partial;
    }
  EXPECT_EQ(0, partial);
  EXPECT_GT(full, 50);
}

TEST(CGPath, SegmentsWithoutACurrentPointAndNonFiniteCoordinatesAreIgnored) {
  CGTestSurface s(4, 4, kCGImageAlphaNoneSkipFirst, true);
  CGContextAddLineToPoint(s.ctx, 3, 3);
  EXPECT_TRUE(CGContextIsPathEmpty(s.ctx));
  CGContextMoveToPoint(s.ctx, NAN, 1);
  EXPECT_TRUE(CGContextIsPathEmpty(s.ctx));
  CGContextMoveToPoint(s.ctx, 1, 1);
  CGContextAddLineToPoint(s.ctx, INFINITY, 2);
  CGPoint p = CGContextGetPathCurrentPoint(s.ctx);
  EXPECT_DOUBLE_EQ(1, p.x);
  EXPECT_DOUBLE_EQ(1, p.y);
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextFillRect(s.ctx, CGRectMake(0, 0, NAN, 4));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(s.untouched(x, y));
}

TEST(CGPath, HugeCoordinatesAreClippedToTheBitmap) {
  CGTestSurface s(3, 3, kCGImageAlphaNoneSkipFirst, true);
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextFillRect(s.ctx, CGRectMake(-1e15, -1e15, 2e15, 2e15));
  CGContextSetRGBStrokeColor(s.ctx, 0, 0, 0, 1);
  CGContextSetLineWidth(s.ctx, 1);
  CGContextMoveToPoint(s.ctx, -1e12, 1.5);
  CGContextAddLineToPoint(s.ctx, 1e12, 1.5);
  CGContextStrokePath(s.ctx);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(255, s.at(x, 0, 1));
    EXPECT_EQ(0, s.at(x, 1, 1));
    EXPECT_EQ(255, s.at(x, 2, 1));
  }
}

TEST(CGPath, CurrentPointIsReportedInUserSpace) {
  CGTestSurface s(4, 4, kCGImageAlphaNoneSkipFirst, true);
  CGContextTranslateCTM(s.ctx, 1, 1);
  CGContextMoveToPoint(s.ctx, 2, 0.5);
  CGContextTranslateCTM(s.ctx, 5, 5);  // later CTM changes do not move fixed points
  CGPoint p = CGContextGetPathCurrentPoint(s.ctx);
  EXPECT_DOUBLE_EQ(-3, p.x);
  EXPECT_DOUBLE_EQ(-4.5, p.y);
}

TEST(CGClear, ClearRectZeroesPixelsWithinTheClip) {
  CGTestSurface s(4, 1, kCGImageAlphaPremultipliedFirst, true);
  CGContextSetRGBFillColor(s.ctx, 1, 1, 1, 1);
  CGContextFillRect(s.ctx, CGRectMake(0, 0, 4, 1));
  CGContextClipToRect(s.ctx, CGRectMake(0, 0, 3, 1));
  CGContextClearRect(s.ctx, CGRectMake(1, 0, 10, 1));
  EXPECT_EQ(255, s.at(0, 0, 0));
  EXPECT_TRUE(s.untouched(1, 0));
  EXPECT_TRUE(s.untouched(2, 0));
  EXPECT_EQ(255, s.at(3, 0, 0));
}
