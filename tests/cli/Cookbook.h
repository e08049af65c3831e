// The Audio EQ Cookbook's biquad designs, written here from the published formulas and
// independently of the plug-in's filter code, as coefficients normalised by a0.
#ifndef TESSOR_TESTS_CLI_COOKBOOK_H
#define TESSOR_TESTS_CLI_COOKBOOK_H

#include <cmath>
#include <complex>

struct Cookbook {
  double b0, b1, b2, a1, a2;

  // The response at w radians per sample.
  std::complex<double> At(double w) const {
    const std::complex<double> z1 = std::polar(1.0, -w), z2 = z1 * z1;
    return (b0 + b1 * z1 + b2 * z2) / (1.0 + a1 * z1 + a2 * z2);
  }
};

struct CookbookTerms {
  double A, c, alpha;
  CookbookTerms(double f, double gainDb, double q, double rate)
      : A(std::pow(10.0, gainDb / 40)),
        c(std::cos(2 * 3.141592653589793 * f / rate)),
        alpha(std::sin(2 * 3.141592653589793 * f / rate) / (2 * q)) {}
};

inline Cookbook Normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
  return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

inline Cookbook Peaking(double f, double gainDb, double q, double rate) {
  const CookbookTerms t(f, gainDb, q, rate);
  return Normalised(1 + t.alpha * t.A, -2 * t.c, 1 - t.alpha * t.A, 1 + t.alpha / t.A, -2 * t.c,
                    1 - t.alpha / t.A);
}

inline Cookbook LowShelf(double f, double gainDb, double q, double rate) {
  const CookbookTerms t(f, gainDb, q, rate);
  const double A = t.A, c = t.c, r = 2 * std::sqrt(A) * t.alpha;
  return Normalised(A * ((A + 1) - (A - 1) * c + r), 2 * A * ((A - 1) - (A + 1) * c),
                    A * ((A + 1) - (A - 1) * c - r), (A + 1) + (A - 1) * c + r,
                    -2 * ((A - 1) + (A + 1) * c), (A + 1) + (A - 1) * c - r);
}

inline Cookbook HighShelf(double f, double gainDb, double q, double rate) {
  const CookbookTerms t(f, gainDb, q, rate);
  const double A = t.A, c = t.c, r = 2 * std::sqrt(A) * t.alpha;
  return Normalised(A * ((A + 1) + (A - 1) * c + r), -2 * A * ((A - 1) + (A + 1) * c),
                    A * ((A + 1) + (A - 1) * c - r), (A + 1) - (A - 1) * c + r,
                    2 * ((A - 1) - (A + 1) * c), (A + 1) - (A - 1) * c - r);
}

inline Cookbook HighPass(double f, double q, double rate) {
  const CookbookTerms t(f, 0, q, rate);
  return Normalised((1 + t.c) / 2, -(1 + t.c), (1 + t.c) / 2, 1 + t.alpha, -2 * t.c, 1 - t.alpha);
}

inline Cookbook LowPass(double f, double q, double rate) {
  const CookbookTerms t(f, 0, q, rate);
  return Normalised((1 - t.c) / 2, 1 - t.c, (1 - t.c) / 2, 1 + t.alpha, -2 * t.c, 1 - t.alpha);
}

#endif
