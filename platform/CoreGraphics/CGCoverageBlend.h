// Compositing a premultiplied colour over blocks of 32-bit pixels, each weighted by a
// coverage byte: the glyph painter's inner loops. Every kernel computes exactly the
// scan-line renderer's blender, per component
//
//   s = c x cover,  w = alpha x cover,  p' = p + s - p x w     (x: a x b / 255, rounded)
//
// Pixels of coverage 0 are left as they are; in layouts without alpha a covered pixel's
// alpha byte becomes 255. The kernels differ only in how many pixels they take at a time
// and must agree byte for byte; the fastest one the processor runs is chosen once.
#pragma once

#include <stddef.h>
#include <stdint.h>

// a x b / 255, rounded, for bytes a and b.
inline unsigned CGMul255(unsigned a, unsigned b) {
  const unsigned t = a * b + 128;
  return ((t >> 8) + t) >> 8;
}

// The colour as the kernels take it. src holds the premultiplied components in the pixels'
// memory order (so no component exceeds alpha, which is src[alphaIndex]); opaqueLayout
// says the pixels have no alpha.
struct CGCoverageColour {
  uint8_t src[4];
  int alphaIndex;
  bool opaqueLayout;
};

// Composites the colour over a w x h block of pixels (rows dstStride bytes apart) weighted
// by a coverage mask of the same size (rows pitch bytes apart; 0 repeats one row).
typedef void (*CGCoverageBlendFn)(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* mask,
                                  ptrdiff_t pitch, int w, int h, const CGCoverageColour& colour);

enum CGCoverageKernel {
  kCGCoverageScalar,  // one pixel at a time: the reference
  kCGCoverageSSE2,    // four pixels at a time
  kCGCoverageAVX2,    // eight pixels at a time
};

// The kernel of that kind, or null when this processor cannot run it.
CGCoverageBlendFn CGCoverageKernelOf(CGCoverageKernel kind);
// The fastest kernel this processor runs (decided on first use).
CGCoverageBlendFn CGCoverageBestKernel();

// The kernels themselves (the SIMD ones exist only where they can be compiled).
void CGCoverageBlendScalar(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* mask, ptrdiff_t pitch,
                           int w, int h, const CGCoverageColour& colour);
#if defined(__x86_64__)
#define CG_COVERAGE_X86 1
void CGCoverageBlendSSE2(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* mask, ptrdiff_t pitch,
                         int w, int h, const CGCoverageColour& colour);
void CGCoverageBlendAVX2(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* mask, ptrdiff_t pitch,
                         int w, int h, const CGCoverageColour& colour);
#endif
