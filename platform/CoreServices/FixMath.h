// Conversions between 16.16 fixed-point numbers and doubles and integers.
#ifndef __FIXMATH__
#define __FIXMATH__

#include <MacTypes.h>

#define fixed1 ((Fixed)0x00010000L)

// Nearest fixed-point value; out-of-range values saturate, NaN gives 0.
static inline Fixed X2Fix(double x) {
  if (!(x == x)) return 0;
  const double v = x * 65536.0;
  if (v >= 2147483647.0) return (Fixed)0x7FFFFFFF;
  if (v <= -2147483648.0) return (Fixed)(-0x7FFFFFFF - 1);
  return (Fixed)(v < 0 ? v - 0.5 : v + 0.5);
}
static inline double Fix2X(Fixed x) { return x / 65536.0; }
// Integers to fixed point saturate at the largest representable values.
static inline Fixed Long2Fix(SInt32 x) {
  if (x > 32767) return (Fixed)0x7FFFFFFF;
  if (x < -32768) return (Fixed)(-0x7FFFFFFF - 1);
  return (Fixed)(x * 65536);
}
// Rounded to the nearest integer.
static inline SInt32 Fix2Long(Fixed x) {
  return (SInt32)(((SInt64)x + (x < 0 ? -0x8000 : 0x8000)) / 65536);
}

#endif
