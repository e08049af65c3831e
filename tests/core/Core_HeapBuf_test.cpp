#include <gtest/gtest.h>

#include <cstring>

#include "core/Core_HeapBuf.h"

TEST(HeapBuf, FirstSmallAllocationWithPageGranularityIs4000Bytes) {
  Core_HeapBuf hb(4096);
  hb.Resize(100);
  EXPECT_EQ(hb.GetSize(), 100);
  EXPECT_EQ(hb.m_alloc, 4000);
}

TEST(HeapBuf, PageGranularityRoundsToPagesMinusHeader) {
  // n = 10000: base = max(5000, 4096) = 5000, rounded down to 4096; t = 4192;
  // (4192 + 10000) rounded down to 4096 is 12288, minus 96.
  Core_HeapBuf hb(4096);
  hb.Resize(10000);
  EXPECT_EQ(hb.m_alloc, 12192);
  // Above 4 MiB the base term is fixed at 4194400.
  EXPECT_EQ(Core_HeapBuf::AllocationFor(12 * 1024 * 1024, 4096),
            ((4194400LL + 12 * 1024 * 1024) & ~4095LL) - 96);
}

TEST(HeapBuf, SmallGranularityAllocatesBasePlusRequest) {
  Core_HeapBuf hb(128);
  hb.Resize(10);  // base = max(5, 128) = 128
  EXPECT_EQ(hb.m_alloc, 138);
  hb.Resize(1000);  // base = 500
  EXPECT_EQ(hb.m_alloc, 1500);
}

TEST(HeapBuf, GrowingWithinTheAllocationOnlyChangesTheSize) {
  Core_HeapBuf hb(4096);
  void* p = hb.Resize(100);
  memset(p, 0x5a, 100);
  EXPECT_EQ(hb.Resize(3999), p);
  EXPECT_EQ(hb.m_alloc, 4000);
  EXPECT_EQ(static_cast<unsigned char*>(hb.Get())[99], 0x5a);
}

TEST(HeapBuf, ShrinkReallocatesOnlyWellBelowTheAllocation) {
  Core_HeapBuf hb(128);
  hb.Resize(10000);  // alloc 15000
  ASSERT_EQ(hb.m_alloc, 15000);
  hb.Resize(8000);  // not below half: keeps the allocation
  EXPECT_EQ(hb.m_alloc, 15000);
  EXPECT_EQ(hb.GetSize(), 8000);
  hb.Resize(100);  // below size, half and alloc - 4*128: reallocated to 128 + 100
  EXPECT_EQ(hb.m_alloc, 228);
  EXPECT_EQ(hb.GetSize(), 100);
}

TEST(HeapBuf, ShrinkKeepsAllocationWithinFourGranules) {
  Core_HeapBuf hb(4096);
  hb.Resize(12000);  // alloc 12192
  hb.Resize(10);     // 10 >= 12192 - 16384: no reallocation
  EXPECT_EQ(hb.m_alloc, 12192);
  EXPECT_EQ(hb.GetSize(), 10);
}

TEST(HeapBuf, ContentsSurviveReallocation) {
  Core_HeapBuf hb(128);
  auto* p = static_cast<unsigned char*>(hb.Resize(300));
  for (int i = 0; i < 300; ++i) p[i] = static_cast<unsigned char>(i);
  p = static_cast<unsigned char*>(hb.Resize(100000));
  for (int i = 0; i < 300; ++i) ASSERT_EQ(p[i], static_cast<unsigned char>(i));
}

TEST(HeapBuf, MinimumAllocationRaisesTheResult) {
  Core_HeapBuf hb(128, 65536);
  hb.Resize(1);
  EXPECT_EQ(hb.m_alloc, 65536);
}

TEST(HeapBuf, ImpossibleSizeLeavesBufferAsItWas) {
  Core_HeapBuf hb(4096);
  void* p = hb.Resize(64);
  EXPECT_EQ(hb.Resize(0x7fffff00), p);
  EXPECT_EQ(hb.GetSize(), 64);
  EXPECT_EQ(hb.m_alloc, 4000);
}

TEST(HeapBuf, NegativeSizeMeansEmpty) {
  Core_HeapBuf hb(4096);
  hb.Resize(64);
  hb.Resize(-5);
  EXPECT_EQ(hb.GetSize(), 0);
}

TEST(HeapBuf, CopyDuplicatesTheBytes) {
  Core_HeapBuf a(4096);
  memcpy(a.Resize(6), "tessor", 6);
  Core_HeapBuf b(a);
  ASSERT_EQ(b.GetSize(), 6);
  EXPECT_NE(b.Get(), a.Get());
  EXPECT_EQ(memcmp(b.Get(), "tessor", 6), 0);
}
