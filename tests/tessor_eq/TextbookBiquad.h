#pragma once
// A plain biquad written out from the filter's definition, one setter and one formula at a
// time, sharing no code with rbjfilter. Tests compare rbjfilter and the equaliser against it
// bit for bit, so every constant, order of terms and flush is checked independently.

#include <cmath>
#include <cstring>

namespace textbook {

// Zero and subnormal values become +0.0.
inline double Flush(double v) {
  const int c = std::fpclassify(v);
  return (c == FP_ZERO || c == FP_SUBNORMAL) ? 0.0 : v;
}

inline float FlushF(float v) {
  const int c = std::fpclassify(v);
  return (c == FP_ZERO || c == FP_SUBNORMAL) ? 0.0f : v;
}

inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Biquad {
  // Response types by number: 0 low-pass, 1 high-pass, 2 band-pass (skirt), 3 band-pass
  // (peak), 4 notch, 5 all-pass, 6 peaking, 7 low shelf, 8 high shelf; others act as 6.
  int type = 6;
  double Q = 1.0, bw = 1.0, slope = 1.0, freq = 1000.0, gain = 0.0;
  long rate = 44100;
  double A = 0, w = 0, sn = 0, cs = 0, alpha = 0;
  double a0 = 0, a1 = 0, a2 = 0, b0 = 0, b1 = 0, b2 = 0;
  double xl1 = 0, xl2 = 0, xr1 = 0, xr2 = 0, yl1 = 0, yl2 = 0, yr1 = 0, yr2 = 0;

  Biquad() { Calc(); }

  void Calc() {
    const double twopi = 6.283185307179586;
    const double ln10div20 = 0.11512925464970229;
    const double ln10div40 = 0.057564627324851146;
    w = twopi * freq / static_cast<double>(rate);
    cs = std::cos(w);
    sn = std::sin(w);
    alpha = sn / (2 * Q);
    const double c = cs, s = sn, al = alpha;
    double B0, B1, B2, A0, A1, A2;
    if (type == 0 || type == 1) {
      A = 1;
      if (type == 0) {
        B0 = (1 - c) / 2;
        B1 = 1 - c;
        B2 = (1 - c) / 2;
      } else {
        B0 = (1 + c) / 2;
        B1 = -(1 + c);
        B2 = (1 + c) / 2;
      }
      A0 = 1 + al;
      A1 = -2 * c;
      A2 = 1 - al;
    } else if (type >= 2 && type <= 5) {
      A = std::exp(gain * ln10div20);
      if (type == 2) {
        B0 = s / 2;
        B1 = 0;
        B2 = -(s / 2);
      } else if (type == 3) {
        B0 = al;
        B1 = 0;
        B2 = -al;
      } else if (type == 4) {
        B0 = 1;
        B1 = -2 * c;
        B2 = 1;
      } else {
        B0 = 1 - al;
        B1 = -2 * c;
        B2 = 1 + al;
      }
      A0 = 1 + al;
      A1 = -2 * c;
      A2 = 1 - al;
    } else if (type == 7 || type == 8) {
      A = std::exp(gain * ln10div40);
      const double r = 2 * std::sqrt(A) * al;
      if (type == 7) {
        B0 = A * ((A + 1) - (A - 1) * c + r);
        B1 = 2 * A * ((A - 1) - (A + 1) * c);
        B2 = A * ((A + 1) - (A - 1) * c - r);
        A0 = (A + 1) + (A - 1) * c + r;
        A1 = -2 * ((A - 1) + (A + 1) * c);
        A2 = (A + 1) + (A - 1) * c - r;
      } else {
        B0 = A * ((A + 1) + (A - 1) * c + r);
        B1 = -2 * A * ((A - 1) + (A + 1) * c);
        B2 = A * ((A + 1) + (A - 1) * c - r);
        A0 = (A + 1) - (A - 1) * c + r;
        A1 = 2 * ((A - 1) - (A + 1) * c);
        A2 = (A + 1) - (A - 1) * c - r;
      }
    } else {
      A = std::exp(gain * ln10div40);
      B0 = 1 + al * A;
      B1 = -2 * c;
      B2 = 1 - al * A;
      A0 = 1 + al / A;
      A1 = -2 * c;
      A2 = 1 - al / A;
    }
    const double k = 1 / A0;
    b0 = B0 * k;
    b1 = B1 * k;
    b2 = B2 * k;
    a1 = A1 * k;
    a2 = A2 * k;
    a0 = 1.0;
    A = Flush(A);
    b0 = Flush(b0);
    b1 = Flush(b1);
    b2 = Flush(b2);
    a1 = Flush(a1);
    a2 = Flush(a2);
  }

  void SetType(int t) {
    type = t;
    Calc();
  }
  void SetFreq(double f) {
    freq = f;
    Calc();
  }
  void SetGain(double g) {
    gain = g;
    Calc();
  }
  void SetQ(double q) {
    Q = q;
    Calc();
  }
  void SetSampleRate(long r) {
    rate = r;
    Calc();
  }
  void SetBW(double octaves) {
    bw = octaves;
    w = freq / static_cast<double>(rate) * 6.283185307179586;
    Q = Flush(1 / (2 * std::sinh(std::log(2.0) / 2 * octaves * w / std::sin(w))));
    Calc();
  }
  void SetS(double s) {
    slope = s;
    A = (type == 0 || type == 1) ? 1.0 : Flush(std::sqrt(std::exp(gain * 0.11512925464970229)));
    Q = Flush(1 / std::sqrt((A + 1 / A) * (1 / s - 1) + 2));
    Calc();
  }

  double Step(double x, double& x1, double& x2, double& y1, double& y2) const {
    const double y = Flush(b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2);
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
  void Process(double& l) { l = Step(l, xl1, xl2, yl1, yl2); }
  void Process(double& l, double& r) {
    l = Step(l, xl1, xl2, yl1, yl2);
    r = Step(r, xr1, xr2, yr1, yr2);
  }
  float StepF(float in, double& x1, double& x2, double& y1, double& y2) const {
    const double x = in;
    const float y = FlushF(static_cast<float>(b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2));
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
  void Process(float& l) { l = StepF(l, xl1, xl2, yl1, yl2); }
  void Process(float& l, float& r) {
    l = StepF(l, xl1, xl2, yl1, yl2);
    r = StepF(r, xr1, xr2, yr1, yr2);
  }
};

}  // namespace textbook
