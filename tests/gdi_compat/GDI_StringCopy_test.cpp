#include <gtest/gtest.h>

#include "gdi_compat/GDI_StringCopy.h"

TEST(GDI_lstrcpyn, CopiesAtMostNMinusOneCharactersAndATerminator) {
  char buf[8];
  memset(buf, 'x', sizeof buf);
  EXPECT_EQ(buf, lstrcpyn(buf, "abcdef", 4));
  EXPECT_STREQ("abc", buf);
  EXPECT_EQ('x', buf[4]);  // nothing beyond the terminator is written
  lstrcpyn(buf, "ab", 8);
  EXPECT_STREQ("ab", buf);
  lstrcpyn(buf, "abcdef", 1);
  EXPECT_STREQ("", buf);
}

TEST(GDI_lstrcpyn, ANonPositiveLimitLeavesTheDestinationUntouched) {
  char buf[4] = {'k', 'e', 'e', 'p'};
  EXPECT_EQ(buf, lstrcpyn(buf, "abc", 0));
  EXPECT_EQ(buf, lstrcpyn(buf, "abc", -3));
  EXPECT_EQ(0, memcmp(buf, "keep", 4));
}
