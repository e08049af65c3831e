#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "core/Core_String.h"
#include "framework/ByteChunk.h"

TEST(ByteChunk, AppendsReturnTheNewSizeAndReadsReturnTheNextPosition) {
  ByteChunk c;
  EXPECT_EQ(nullptr, c.Data());
  EXPECT_EQ(4, c.AppendValue(int32_t{0x01020304}));
  EXPECT_EQ(12, c.AppendValue(1.5));
  EXPECT_EQ(19, c.AppendString("abc"));
  EXPECT_EQ(20, c.AppendBool(true));
  const uint8_t expected[] = {0x04, 0x03, 0x02, 0x01};
  EXPECT_EQ(0, memcmp(expected, c.Data(), 4));

  int32_t i = 0;
  double d = 0;
  Core_String s;
  bool b = false;
  EXPECT_EQ(4, c.ReadValue(&i, 0));
  EXPECT_EQ(12, c.ReadValue(&d, 4));
  EXPECT_EQ(19, c.ReadString(&s, 12));
  EXPECT_EQ(20, c.ReadBool(&b, 19));
  EXPECT_EQ(0x01020304, i);
  EXPECT_EQ(1.5, d);
  EXPECT_STREQ("abc", s.Get());
  EXPECT_TRUE(b);
}

TEST(ByteChunk, FailedReadsReturnMinusOneAndLeaveTheDestination) {
  ByteChunk c;
  c.AppendValue(int32_t{7});
  c.AppendBool(false);
  double d = 42.0;
  int32_t i = 9;
  EXPECT_EQ(-1, c.ReadValue(&d, 0));  // 8 bytes from a 5-byte chunk
  EXPECT_EQ(-1, c.ReadValue(&i, -1));
  EXPECT_EQ(-1, c.ReadValue(&i, 2));
  EXPECT_EQ(-1, c.ReadValue(&i, INT_MAX));
  EXPECT_EQ(-1, c.ReadValue(&i, INT_MAX - 2));
  EXPECT_EQ(42.0, d);
  EXPECT_EQ(9, i);

  bool b = true;
  EXPECT_EQ(-1, c.ReadBool(&b, 5));
  EXPECT_TRUE(b);
}

TEST(ByteChunk, StringLengthsThatDoNotFitFail) {
  Core_String s("keep");
  for (int32_t len : {-1, -4, INT_MAX, INT_MAX - 3, 3}) {
    ByteChunk c;
    c.AppendValue(len);
    c.AppendBytes("ab", 2);  // two bytes follow, fewer than any of these lengths claim
    EXPECT_EQ(-1, c.ReadString(&s, 0)) << len;
    EXPECT_STREQ("keep", s.Get());
  }
  ByteChunk c;
  c.AppendString("abc");
  EXPECT_EQ(-1, c.ReadString(&s, INT_MAX - 1));
}

TEST(ByteChunk, StringsCutAtAZeroByteAndEmptyStringsReadEmpty) {
  ByteChunk c;
  c.AppendValue(int32_t{5});
  c.AppendBytes("ab\0cd", 5);
  c.AppendString("");
  Core_String s("previous");
  EXPECT_EQ(9, c.ReadString(&s, 0));
  EXPECT_STREQ("ab", s.Get());
  EXPECT_EQ(13, c.ReadString(&s, 9));
  EXPECT_STREQ("", s.Get());
}

TEST(ByteChunk, ResizeZeroFillsAndCopiesAreDeep) {
  ByteChunk c;
  c.AppendValue(-1.0);
  EXPECT_EQ(12, c.Resize(12));
  for (int k = 8; k < 12; ++k) EXPECT_EQ(0, c.Data()[k]);
  ByteChunk copy(c);
  copy.Data()[0] = 0x55;
  EXPECT_NE(0x55, c.Data()[0]);
  EXPECT_FALSE(copy.IsEqual(&c));
  c.AppendChunk(&c);  // appending a chunk to itself doubles it
  EXPECT_EQ(24, c.Size());
  EXPECT_EQ(0, memcmp(c.Data(), c.Data() + 12, 12));
  c.Clear();
  EXPECT_EQ(0, c.Size());
}
