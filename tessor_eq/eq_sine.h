#pragma once
// Sine for arguments in [-1, 1], within one ulp of the correctly rounded result.
//
// The odd Taylor series up to x^17 leaves a truncation error below 1e-17 on this
// interval; evaluating the correction x^3 * P(x^2) separately and adding x last keeps
// the rounding error of the sum well under one ulp. Works on scalars and on GCC
// vector types alike, so the drive values of both channels come out of one routine.
// Outside [-1, 1] the result is not accurate: callers clip first.

template <class V>
inline V eq_Sine(V x)
{
  const double c3 = -1.0 / 6.0;
  const double c5 = 1.0 / 120.0;
  const double c7 = -1.0 / 5040.0;
  const double c9 = 1.0 / 362880.0;
  const double c11 = -1.0 / 39916800.0;
  const double c13 = 1.0 / 6227020800.0;
  const double c15 = -1.0 / 1307674368000.0;
  const double c17 = 1.0 / 355687428096000.0;
  const V x2 = x * x;
  V p = x2 * c17 + c15;
  p = p * x2 + c13;
  p = p * x2 + c11;
  p = p * x2 + c9;
  p = p * x2 + c7;
  p = p * x2 + c5;
  p = p * x2 + c3;
  const V r = x + x * (x2 * p);
  // Below 1e-162 the square vanishes and sin(x) rounds to x: return x itself, which
  // keeps the sign of zero.
  return (x2 == 0.0) ? x : r;
}
