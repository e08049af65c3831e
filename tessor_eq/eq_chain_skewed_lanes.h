#pragma once
// The skewed chain's lanes in 256-bit registers (eq_chain_skewed.h): included by the AVX2 and
// the AVX-512 source files after each has chosen its instruction set; the AVX-512 one defines
// EQ_CHAIN_AVX512 first. No fused multiply-add in either.

#include <immintrin.h>

#include "tessor_eq/eq_chain_skewed.h"

namespace {

#define EQ_SK_LANES_INLINE __attribute__((always_inline)) inline

typedef double sk_v4d __attribute__((vector_size(32)));
typedef int64_t sk_v4l __attribute__((vector_size(32)));

// U values of type T worked side by side: every operation on a bundle is U independent
// operations in a row, so that the long dependent chain of the drive value's polynomial
// overlaps U times.
template <class T, int U>
struct SkBundle {
  T v[U];
};
template <class T, int U>
struct SkBundleMask {
  decltype(T{} == T{}) m[U];
};

#define EQ_SK_BUNDLE_OP(op)                                                           \
  template <class T, int U>                                                           \
  EQ_SK_LANES_INLINE SkBundle<T, U> operator op(SkBundle<T, U> a, SkBundle<T, U> b) { \
    _Pragma("GCC unroll 8") for (int u = 0; u < U; ++u) a.v[u] = a.v[u] op b.v[u];    \
    return a;                                                                         \
  }                                                                                   \
  template <class T, int U>                                                           \
  EQ_SK_LANES_INLINE SkBundle<T, U> operator op(SkBundle<T, U> a, double b) {         \
    _Pragma("GCC unroll 8") for (int u = 0; u < U; ++u) a.v[u] = a.v[u] op b;         \
    return a;                                                                         \
  }
EQ_SK_BUNDLE_OP(+)
EQ_SK_BUNDLE_OP(*)
#undef EQ_SK_BUNDLE_OP

template <class T, int U>
EQ_SK_LANES_INLINE SkBundleMask<T, U> operator==(SkBundle<T, U> a, double b) {
  SkBundleMask<T, U> m;
#pragma GCC unroll 8
  for (int u = 0; u < U; ++u) m.m[u] = a.v[u] == b;
  return m;
}

template <class T, int U>
EQ_SK_LANES_INLINE SkBundle<T, U> eq_SineResult(SkBundleMask<T, U> tiny, SkBundle<T, U> x,
                                                SkBundle<T, U> r) {
#pragma GCC unroll 8
  for (int u = 0; u < U; ++u) r.v[u] = tiny.m[u] ? x.v[u] : r.v[u];
  return r;
}

#if defined(EQ_CHAIN_AVX512)
// Drive values are computed eight samples to a register: half the instructions for the same
// work, so that more frames' polynomials are in flight at once.
typedef double sk_wide __attribute__((vector_size(64)));
EQ_SK_LANES_INLINE sk_wide SkClip(sk_wide x) {
  // The masked forms with every lane selected: the unmasked ones leave GCC 12 warning about
  // their undefined pass-through operand.
  const __m512d t = _mm512_mask_max_pd(x, 0xFF, x, _mm512_set1_pd(-1.0));
  return _mm512_mask_min_pd(t, 0xFF, t, _mm512_set1_pd(1.0));
}
// Half h of eight frames: frames 4h .. 4h+3.
EQ_SK_LANES_INLINE sk_v4d SkHalf(sk_wide v, int h) {
  return h == 0 ? __builtin_shufflevector(v, v, 0, 1, 2, 3)
                : __builtin_shufflevector(v, v, 4, 5, 6, 7);
}
#else
typedef sk_v4d sk_wide;
// min(1, max(-1, x)): the maximum instruction returns its second operand unless the first is
// greater, so NaN clips to -1 as in the plain rule.
EQ_SK_LANES_INLINE sk_wide SkClip(sk_wide x) {
  return _mm256_min_pd(_mm256_max_pd(x, _mm256_set1_pd(-1.0)), _mm256_set1_pd(1.0));
}
#endif
// Values of sk_wide that hold eight frames of one channel.
constexpr int kSkWidePerEight = 64 / sizeof(sk_wide);

struct StereoSkewedYmm {
  typedef sk_v4d V;
  typedef sk_v4l M;
  static constexpr int kMaxPasses = 128;

  static V Load(const double* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  static void Store(double* p, V v) { std::memcpy(p, &v, sizeof v); }
  static V Splat(double s) { return V{s, s, s, s}; }

  // Left and right of one slot.
  static void StoreSlot(double* p, V v, int slot) {
    _mm_storeu_pd(p, slot == 0 ? _mm256_castpd256_pd128(v) : _mm256_extractf128_pd(v, 1));
  }

  // The first value's input: the entering pass (left, right at x) in slot 0, the last value's
  // slot 0 moved up to slot 1.
  static V Enter(V last, const double* x) {
    return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(x)),
                                _mm256_castpd256_pd128(last), 1);
  }

  // x and d at pass p0 + i: left and right of the entering frame and their drive values,
  // for `count` passes, at most kMaxPasses (p0 even; with two passes per frame each frame
  // comes twice).
  static void Enterings(const eq_ChainJob& job, int tw, int p0, int count, double* x, double* d) {
    const double* l = job.in[0] + (p0 >> tw);
    // A missing right channel reads silence: no branch inside the loop below.
    static const double kSilence[kMaxPasses] = {};
    const double* r = job.in[1] ? job.in[1] + (p0 >> tw) : kSilence;
    const int frames = count >> tw;
    int f = 0;
    for (; f + 8 <= frames; f += 8) {
      // Frames f .. f+7: left in the first half of the bundle, right in the second.
      constexpr int P = kSkWidePerEight, kW = 8 / P;
      SkBundle<sk_wide, 2 * P> lr, c;
#pragma GCC unroll 4
      for (int u = 0; u < P; ++u) {
        std::memcpy(&lr.v[u], l + f + u * kW, sizeof(sk_wide));
        std::memcpy(&lr.v[P + u], r + f + u * kW, sizeof(sk_wide));
      }
#pragma GCC unroll 4
      for (int u = 0; u < 2 * P; ++u) c.v[u] = SkClip(lr.v[u]);
      const SkBundle<sk_wide, 2 * P> dr = eq_Sine(c);
#pragma GCC unroll 2
      for (int h = 0; h < 2; ++h) {
        const int at = (f + 4 * h) << tw;
        Pair(FourFrames(lr, h, 0), FourFrames(lr, h, 1), tw, x + 2 * at);
        Pair(FourFrames(dr, h, 0), FourFrames(dr, h, 1), tw, d + 2 * at);
      }
    }
    for (; f < frames; ++f) {
      const double lf = l[f], rf = r[f];
      const double dl = eq_Sine(Clip(lf)), dr = eq_Sine(Clip(rf));
      for (int k = 0; k <= tw; ++k) {
        const int p = (f << tw) + k;
        x[2 * p] = lf, x[2 * p + 1] = rf, d[2 * p] = dl, d[2 * p + 1] = dr;
      }
    }
  }

  // e[q] = (d[q], d[q - back]) in pairs of left and right, for q in [0, count).
  static void DriveLanes(const double* d, int back, int count, double* e) {
    for (int q = 0; q < count; ++q)
      Store(e + 4 * q, _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(d + 2 * q)),
                                            _mm_loadu_pd(d + 2 * (q - back)), 1));
  }

  // Frames f0 .. f0 + count - 1 of the output from the last stage's results y and the drive
  // values d, both in pairs of left and right by pass (a frame's last pass first, then every
  // 1 << tw passes): outScale * y + outDrive * d, or y itself when the output stage is folded.
  static void Outputs(eq_ChainJob& job, int tw, bool folded, const double* y, const double* d,
                      int f0, int count) {
    double* l = job.out[0] + f0;
    double* r = job.out[1] ? job.out[1] + f0 : nullptr;
    const V scale = Splat(job.outScale), drive = Splat(job.outDrive);
    const int stride = 2 << tw;  // doubles from one frame's pair to the next
    int i = 0;
    for (; i + 4 <= count; i += 4) {
      // Frames i, i+1 in a, i+2, i+3 in b, as pairs of left and right.
      V a = Pairs(y + i * stride, stride), b = Pairs(y + (i + 2) * stride, stride);
      if (!folded) {
        a = scale * a + drive * Pairs(d + i * stride, stride);
        b = scale * b + drive * Pairs(d + (i + 2) * stride, stride);
      }
      Store(l + i, __builtin_shufflevector(a, b, 0, 2, 4, 6));
      if (r) Store(r + i, __builtin_shufflevector(a, b, 1, 3, 5, 7));
    }
    for (; i < count; ++i) {
      double yl = y[i * stride], yr = y[i * stride + 1];
      if (!folded) {
        yl = job.outScale * yl + job.outDrive * d[i * stride];
        yr = job.outScale * yr + job.outDrive * d[i * stride + 1];
      }
      l[i] = yl;
      if (r) r[i] = yr;
    }
  }

  // out[f] = scale * in[f] + drive * sin(clip(in[f])): the output stage alone, for a chain
  // without stages. in and out may be the same buffer.
  static void OutputOnly(const double* in, double* out, int frames, double scale, double drive) {
    int f = 0;
    for (; f + 4 <= frames; f += 4) {
      const V x = Load(in + f);
      Store(out + f, scale * x + drive * eq_Sine(Clip(x)));
    }
    for (; f < frames; ++f) out[f] = scale * in[f] + drive * eq_Sine(Clip(in[f]));
  }

  // A value whose exponent field is zero becomes +0.0. With AVX-512 one class test (-0.0 and
  // subnormals; +0.0 may stay as it is) into a mask register and one masked move; otherwise
  // compare-and-mask.
  static V Flush(V v) {
#if defined(EQ_CHAIN_AVX512)
    return _mm256_mask_mov_pd(v, _mm256_fpclass_pd_mask(v, 0x24), _mm256_setzero_pd());
#else
    const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7FFFFFFFFFFFFFFFll));
    const __m256d tiny =
        _mm256_cmp_pd(_mm256_and_pd(v, absMask), _mm256_set1_pd(DBL_MIN), _CMP_LT_OQ);
    return _mm256_andnot_pd(tiny, v);
#endif
  }

 private:
  // Frames 4h .. 4h+3 of channel c from a bundle of eight frames of left, then of right.
  template <int U>
  static V FourFrames(const SkBundle<sk_wide, U>& b, int h, int c) {
#if defined(EQ_CHAIN_AVX512)
    return SkHalf(b.v[c], h);
#else
    return b.v[2 * c + h];
#endif
  }

  // min(1, max(-1, x)) lane by lane: NaN clips to -1. The maximum instruction returns its
  // second operand unless the first is greater, which is exactly that rule.
  static V Clip(V x) { return _mm256_min_pd(_mm256_max_pd(x, Splat(-1.0)), Splat(1.0)); }
  static double Clip(double x) {
    const double t = (-1.0 < x) ? x : -1.0;
    return (t < 1.0) ? t : 1.0;
  }

  // Four frames (left in l, right in r) as pairs of left and right at out; with two passes
  // per frame each pair comes twice.
  static void Pair(V l, V r, int tw, double* out) {
    if (tw == 0) {
      Store(out, __builtin_shufflevector(l, r, 0, 4, 1, 5));
      Store(out + 4, __builtin_shufflevector(l, r, 2, 6, 3, 7));
    } else {
      Store(out, __builtin_shufflevector(l, r, 0, 4, 0, 4));
      Store(out + 4, __builtin_shufflevector(l, r, 1, 5, 1, 5));
      Store(out + 8, __builtin_shufflevector(l, r, 2, 6, 2, 6));
      Store(out + 12, __builtin_shufflevector(l, r, 3, 7, 3, 7));
    }
  }

  // Two pairs of left and right, `stride` doubles apart.
  static V Pairs(const double* p, int stride) {
    return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(p)), _mm_loadu_pd(p + stride),
                                1);
  }
};

}  // namespace

#undef EQ_SK_LANES_INLINE
