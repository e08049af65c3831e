#pragma once
// Sine for arguments in [-1, 1], within one ulp of the correctly rounded result.
//
// The odd Taylor series up to x^17 leaves a truncation error below 1e-17 on this
// interval; evaluating the correction x^3 * P(x^2) separately and adding x last keeps
// the rounding error of the sum well under one ulp. Works on scalars and on GCC
// vector types alike, so the drive values of both channels come out of one routine.
// Outside [-1, 1] the result is not accurate: callers clip first.
//
// Always inlined: the signal path builds this routine once per instruction set, and an
// out-of-line copy made for wide registers must never be what the baseline code calls.

// Taylor coefficients of sin: (-1)^k / (2k + 1)!.
constexpr double eq_kSinC3 = -1.0 / 6.0;
constexpr double eq_kSinC5 = 1.0 / 120.0;
constexpr double eq_kSinC7 = -1.0 / 5040.0;
constexpr double eq_kSinC9 = 1.0 / 362880.0;
constexpr double eq_kSinC11 = -1.0 / 39916800.0;
constexpr double eq_kSinC13 = 1.0 / 6227020800.0;
constexpr double eq_kSinC15 = -1.0 / 1307674368000.0;
constexpr double eq_kSinC17 = 1.0 / 355687428096000.0;

// The result: x itself where x2 vanished, else r. Callers with their own vector types overload
// it beside those types.
template <class M, class V>
__attribute__((always_inline)) inline V eq_SineResult(M tiny, V x, V r) {
  return tiny ? x : r;
}

template <class V>
__attribute__((always_inline)) inline V eq_Sine(V x) {
  const V x2 = x * x;
  V p = x2 * eq_kSinC17 + eq_kSinC15;
  p = p * x2 + eq_kSinC13;
  p = p * x2 + eq_kSinC11;
  p = p * x2 + eq_kSinC9;
  p = p * x2 + eq_kSinC7;
  p = p * x2 + eq_kSinC5;
  p = p * x2 + eq_kSinC3;
  const V r = x + x * (x2 * p);
  // Below 1e-162 the square vanishes and sin(x) rounds to x: return x itself, which
  // keeps the sign of zero.
  return eq_SineResult(x2 == 0.0, x, r);
}
