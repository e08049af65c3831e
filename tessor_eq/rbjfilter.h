#pragma once
// Second-order IIR section with the nine classic EQ responses.
//
// One set of coefficients drives two channels of Direct Form I memories (left and
// right). Every setter recomputes the coefficients at once and never touches the
// memories, so design changes take effect on the next sample. Subnormal values are
// flushed to +0.0 wherever they could enter the recursion.

#include <cstdint>
#include <cstring>

enum EFilterType : int32_t {
  kLowPass = 0,
  kHighPass = 1,
  kBandPassSkirt = 2,  // constant skirt gain, peak gain = Q
  kBandPassPeak = 3,   // constant 0 dB peak gain
  kNotch = 4,
  kAllPass = 5,
  kPeaking = 6,
  kLowShelf = 7,
  kHighShelf = 8
};

// The exponent fields of IEEE doubles and floats: zero exactly for zeros and subnormals.
constexpr uint64_t rbj_kDoubleExponent = 0x7FF0000000000000ull;
constexpr uint32_t rbj_kFloatExponent = 0x7F800000u;

// A double whose exponent field is zero (zero or subnormal) becomes +0.0; every other
// value, infinities and NaN included, is returned unchanged.
inline double rbj_Flush(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  if ((bits & rbj_kDoubleExponent) == 0) return 0.0;
  return v;
}

inline float rbj_Flush(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  if ((bits & rbj_kFloatExponent) == 0) return 0.0f;
  return v;
}

class rbjfilter {
 public:
  rbjfilter();

  void SetType(EFilterType type);
  void SetFreq(double hz);
  void SetGain(double dB);
  void SetQ(double q);
  void SetBW(double octaves);  // converted to Q with the current frequency and rate
  void SetS(double slope);     // converted to Q with the current type and gain
  void SetSampleRate(long hz);
  void CalcCoefficients();

  // One sample in place through the left memories.
  void Process(double& x) { Step(x, mX1L, mX2L, mY1L, mY2L); }
  void Process(float& x) { StepF(x, mX1L, mX2L, mY1L, mY2L); }
  // Left sample through the left memories, then right through the right memories.
  void Process(double& l, double& r) {
    Step(l, mX1L, mX2L, mY1L, mY2L);
    Step(r, mX1R, mX2R, mY1R, mY2R);
  }
  void Process(float& l, float& r) {
    StepF(l, mX1L, mX2L, mY1L, mY2L);
    StepF(r, mX1R, mX2R, mY1R, mY2R);
  }

  EFilterType GetType() const { return mType; }
  double GetQ() const { return mQ; }
  double GetBW() const { return mBW; }
  double GetS() const { return mS; }
  double GetFreq() const { return mFreq; }
  double GetGain() const { return mGain; }
  long GetSampleRate() const { return mSampleRate; }
  double GetA() const { return mA; }
  double GetOmega() const { return mOmega; }
  double GetAlpha() const { return mAlpha; }

  // Normalised coefficients (a0 is always 1.0).
  struct Coefficients {
    double b0, b1, b2, a1, a2;
  };
  Coefficients GetCoefficients() const { return {mB0, mB1, mB2, mA1, mA2}; }
  double GetA0() const { return mA0; }

  // Direct Form I memories of one channel: x[n-1], x[n-2], y[n-1], y[n-2].
  struct Memories {
    double x1, x2, y1, y2;
  };
  Memories GetMemories(int channel) const {
    return channel == 0 ? Memories{mX1L, mX2L, mY1L, mY2L} : Memories{mX1R, mX2R, mY1R, mY2R};
  }
  void SetMemories(int channel, const Memories& m) {
    if (channel == 0) {
      mX1L = m.x1;
      mX2L = m.x2;
      mY1L = m.y1;
      mY2L = m.y2;
    } else {
      mX1R = m.x1;
      mX2R = m.x2;
      mY1R = m.y1;
      mY2R = m.y2;
    }
  }

 private:
  // The recursion, term by term in this order; the written result is flushed and is
  // what the feedback memory keeps.
  void Step(double& io, double& x1, double& x2, double& y1, double& y2) const {
    const double x = io;
    const double y = rbj_Flush(mB0 * x + mB1 * x1 + mB2 * x2 - mA1 * y1 - mA2 * y2);
    io = y;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
  }
  void StepF(float& io, double& x1, double& x2, double& y1, double& y2) const {
    const double x = io;
    const float y =
        rbj_Flush(static_cast<float>(mB0 * x + mB1 * x1 + mB2 * x2 - mA1 * y1 - mA2 * y2));
    io = y;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
  }

  EFilterType mType;
  double mQ;
  double mBW;
  double mS;
  double mFreq;
  double mGain;
  int32_t mSampleRate;
  double mA;
  double mOmega;
  double mSin;
  double mCos;
  double mAlpha;
  double mA0, mA1, mA2;
  double mB0, mB1, mB2;
  double mX1L, mX2L, mX1R, mX2R;
  double mY1L, mY2L, mY1R, mY2R;
};
