// Glyph coverage is blended by several kernels (one pixel, four or eight at a time); each
// must give, byte for byte, what the scan-line renderer's own blender gives.
#include <agg_pixfmt_rgba.h>
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "CoreGraphics/CGCoverageBlend.h"

namespace {

struct Kernel {
  const char* name;
  CGCoverageBlendFn blend;
};

// Every kernel this processor runs; the scalar one always.
std::vector<Kernel> Kernels() {
  std::vector<Kernel> out;
  const Kernel all[] = {{"scalar", CGCoverageKernelOf(kCGCoverageScalar)},
                        {"sse2", CGCoverageKernelOf(kCGCoverageSSE2)},
                        {"avx2", CGCoverageKernelOf(kCGCoverageAVX2)}};
  for (const Kernel& k : all)
    if (k.blend) out.push_back(k);
  return out;
}

// A premultiplied colour in memory order alpha, red, green, blue.
CGCoverageColour ArgbColour(const uint8_t argb[4], bool opaqueLayout) {
  CGCoverageColour c;
  c.src[0] = argb[0];
  for (int k = 1; k < 4; ++k) c.src[k] = static_cast<uint8_t>(argb[k] * argb[0] / 255);
  c.alphaIndex = 0;
  c.opaqueLayout = opaqueLayout;
  return c;
}

}  // namespace

TEST(CGCoverageBlend, EveryKernelMatchesTheRenderersBlenderForEveryCoverValue) {
  const uint8_t colours[][4] = {{255, 20, 140, 255}, {128, 100, 30, 0}, {7, 1, 7, 3}};
  // 259 pixels in one row: every kernel's wide steps and its leftover pixels both run.
  const int n = 256 + 3;
  std::vector<uint8_t> covers(n), start(4 * n);
  for (int i = 0; i < n; ++i) covers[i] = static_cast<uint8_t>(i);
  for (size_t i = 0; i < start.size(); ++i) start[i] = static_cast<uint8_t>(i * 53 + 7);
  typedef agg::blender_rgba_pre<agg::rgba8, agg::order_argb> Pre;
  for (const auto& argb : colours)
    for (bool opaqueLayout : {false, true}) {
      const CGCoverageColour c = ArgbColour(argb, opaqueLayout);
      std::vector<uint8_t> want = start;
      for (int i = 0; i < n; ++i) {
        if (!covers[i]) continue;
        uint8_t* q = &want[4 * i];
        Pre::blend_pix(q, c.src[1], c.src[2], c.src[3], c.src[0], covers[i]);
        if (opaqueLayout) q[0] = 255;  // a layout without alpha marks covered pixels opaque
      }
      for (const Kernel& k : Kernels()) {
        std::vector<uint8_t> got = start;
        k.blend(got.data(), 0, covers.data(), 0, n, 1, c);
        EXPECT_EQ(want, got) << k.name << " alpha " << int(argb[0]) << " opaque layout "
                             << opaqueLayout;
      }
    }
}

// Random masks with blank and full runs, in blocks of every width up to 40 with strides
// wider than the block: the wide kernels' fast paths, leftovers and row steps against the
// reference, and no pixel outside the block touched.
TEST(CGCoverageBlend, WideKernelsAgreeWithTheReferenceByteForByte) {
  std::mt19937 rng(12);
  const std::vector<Kernel> kernels = Kernels();
  const uint8_t colours[][4] = {{255, 200, 16, 99}, {90, 255, 0, 40}};
  for (int w = 1; w <= 40; ++w)
    for (const auto& argb : colours)
      for (int layout = 0; layout < 3; ++layout) {
        const int h = 3, stride = 4 * (w + 5), pitch = w + 2;
        std::vector<uint8_t> mask(static_cast<size_t>(pitch) * h), start(stride * (h + 1));
        for (uint8_t& m : mask) {
          const unsigned r = rng() % 8;
          m = r < 3 ? 0 : r < 6 ? 255 : static_cast<uint8_t>(rng());
        }
        for (uint8_t& b : start) b = static_cast<uint8_t>(rng());
        CGCoverageColour c = ArgbColour(argb, layout == 1);
        if (layout == 2)  // alpha last: rotate the components
          c = CGCoverageColour{{c.src[1], c.src[2], c.src[3], c.src[0]}, 3, false};
        std::vector<uint8_t> want = start;
        CGCoverageBlendScalar(want.data() + 4, stride, mask.data(), pitch, w, h, c);
        for (const Kernel& k : kernels) {
          std::vector<uint8_t> got = start;
          k.blend(got.data() + 4, stride, mask.data(), pitch, w, h, c);
          ASSERT_EQ(want, got) << k.name << " width " << w << " layout " << layout;
        }
        // The reference itself leaves everything outside the block alone.
        for (int y = 0; y <= h; ++y)
          for (int x = 0; x < stride; ++x)
            if (y == h || x < 4 || x >= 4 + 4 * w) {
              ASSERT_EQ(start[y * stride + x], want[y * stride + x]) << "width " << w;
            }
      }
}

#include "CGTestSurface.h"
#include "CoreGraphics/CGPrivate.h"

// A full-cover mask larger than the bitmap, placed past its top-left corner, with a clip:
// exactly the pixels whose centres lie inside the clip take the colour.
TEST(CGCoverageMask, PaintsExactlyThePixelsInsideTheClipWhereverTheMaskLies) {
  const std::vector<uint8_t> mask(30 * 20, 255);
  const CGFloat red[4] = {1, 0, 0, 1};
  for (int dx : {-12, -3, 0, 5}) {
    // Alpha first, no alpha (covered pixels read FF FF 00 00); user space is pixel space.
    CGTestSurface s(16, 10, kCGImageAlphaNoneSkipFirst, true);
    CGContextClipToRect(s.ctx, CGRectMake(2.7, 1.2, 8.6, 6.6));  // centres x 3..10, y 1..7
    CGContextFillCoverageMask(s.ctx, mask.data(), 30, 30, 20, dx, -4, red);
    for (int y = 0; y < s.h; ++y)
      for (int x = 0; x < s.w; ++x) {
        const bool inside = x >= 3 && x <= 10 && y >= 1 && y <= 7 && x >= dx;
        EXPECT_EQ(inside ? 255 : 0, s.at(x, y, 1)) << "x " << x << " y " << y << " dx " << dx;
        EXPECT_EQ(0, s.at(x, y, 2));
      }
  }
}
