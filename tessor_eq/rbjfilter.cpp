#include "tessor_eq/rbjfilter.h"

#include <cmath>

namespace {

const double twopi = 6.283185307179586;
const double ln10 = 2.302585092994046;

// A fresh filter is a 1 kHz bell at 0 dB, Q 1, 44.1 kHz: it passes the signal unchanged until
// its owner designs it.
const double kDefaultQ = 1.0;
const double kDefaultFreq = 1000.0;
const int32_t kDefaultRate = 44100;

double Ln10Div20() {
  static const double v = ln10 / 20.0;
  return v;
}

double Ln10Div40() {
  static const double v = ln10 / 40.0;
  return v;
}

}  // namespace

rbjfilter::rbjfilter()
    : mType(kPeaking),
      mQ(kDefaultQ),
      mBW(1.0),
      mS(1.0),
      mFreq(kDefaultFreq),
      mGain(0.0),
      mSampleRate(kDefaultRate),
      mA(1.0),
      mOmega(0.0),
      mSin(0.0),
      mCos(1.0),
      mAlpha(0.0),
      mA0(1.0),
      mA1(0.0),
      mA2(0.0),
      mB0(1.0),
      mB1(0.0),
      mB2(0.0),
      mX1L(0.0),
      mX2L(0.0),
      mX1R(0.0),
      mX2R(0.0),
      mY1L(0.0),
      mY2L(0.0),
      mY1R(0.0),
      mY2R(0.0) {
  CalcCoefficients();
}

void rbjfilter::SetType(EFilterType type) {
  mType = type;
  CalcCoefficients();
}

void rbjfilter::SetFreq(double hz) {
  mFreq = hz;
  CalcCoefficients();
}

void rbjfilter::SetGain(double dB) {
  mGain = dB;
  CalcCoefficients();
}

void rbjfilter::SetQ(double q) {
  mQ = q;
  CalcCoefficients();
}

void rbjfilter::SetBW(double octaves) {
  mBW = octaves;
  mOmega = mFreq / static_cast<double>(mSampleRate) * twopi;
  mQ =
      rbj_Flush(1.0 / (2.0 * std::sinh(std::log(2.0) / 2.0 * octaves * mOmega / std::sin(mOmega))));
  CalcCoefficients();
}

void rbjfilter::SetS(double slope) {
  mS = slope;
  if (mType == kLowPass || mType == kHighPass)
    mA = 1.0;
  else
    mA = rbj_Flush(std::sqrt(std::exp(mGain * Ln10Div20())));
  mQ = rbj_Flush(1.0 / std::sqrt((mA + 1.0 / mA) * (1.0 / slope - 1.0) + 2.0));
  CalcCoefficients();
}

void rbjfilter::SetSampleRate(long hz) {
  mSampleRate = static_cast<int32_t>(hz);
  CalcCoefficients();
}

void rbjfilter::CalcCoefficients() {
  mOmega = twopi * mFreq / static_cast<double>(mSampleRate);
  mCos = std::cos(mOmega);
  mSin = std::sin(mOmega);
  mAlpha = mSin / (2.0 * mQ);

  const double c = mCos;
  const double s = mSin;
  const double alpha = mAlpha;
  double A = 1.0;
  double b0, b1, b2, a0, a1, a2;

  switch (mType) {
    case kLowPass:
      b0 = (1.0 - c) / 2.0;
      b1 = 1.0 - c;
      b2 = (1.0 - c) / 2.0;
      a0 = 1.0 + alpha;
      a1 = -2.0 * c;
      a2 = 1.0 - alpha;
      break;
    case kHighPass:
      b0 = (1.0 + c) / 2.0;
      b1 = -(1.0 + c);
      b2 = (1.0 + c) / 2.0;
      a0 = 1.0 + alpha;
      a1 = -2.0 * c;
      a2 = 1.0 - alpha;
      break;
    case kBandPassSkirt:
      A = std::exp(mGain * Ln10Div20());
      b0 = s / 2.0;
      b1 = 0.0;
      b2 = -s / 2.0;
      a0 = 1.0 + alpha;
      a1 = -2.0 * c;
      a2 = 1.0 - alpha;
      break;
    case kBandPassPeak:
      A = std::exp(mGain * Ln10Div20());
      b0 = alpha;
      b1 = 0.0;
      b2 = -alpha;
      a0 = 1.0 + alpha;
      a1 = -2.0 * c;
      a2 = 1.0 - alpha;
      break;
    case kNotch:
      A = std::exp(mGain * Ln10Div20());
      b0 = 1.0;
      b1 = -2.0 * c;
      b2 = 1.0;
      a0 = 1.0 + alpha;
      a1 = -2.0 * c;
      a2 = 1.0 - alpha;
      break;
    case kAllPass:
      A = std::exp(mGain * Ln10Div20());
      b0 = 1.0 - alpha;
      b1 = -2.0 * c;
      b2 = 1.0 + alpha;
      a0 = 1.0 + alpha;
      a1 = -2.0 * c;
      a2 = 1.0 - alpha;
      break;
    case kLowShelf: {
      A = std::exp(mGain * Ln10Div40());
      const double r = 2.0 * std::sqrt(A) * alpha;
      b0 = A * ((A + 1.0) - (A - 1.0) * c + r);
      b1 = 2.0 * A * ((A - 1.0) - (A + 1.0) * c);
      b2 = A * ((A + 1.0) - (A - 1.0) * c - r);
      a0 = (A + 1.0) + (A - 1.0) * c + r;
      a1 = -2.0 * ((A - 1.0) + (A + 1.0) * c);
      a2 = (A + 1.0) + (A - 1.0) * c - r;
      break;
    }
    case kHighShelf: {
      A = std::exp(mGain * Ln10Div40());
      const double r = 2.0 * std::sqrt(A) * alpha;
      b0 = A * ((A + 1.0) + (A - 1.0) * c + r);
      b1 = -2.0 * A * ((A - 1.0) + (A + 1.0) * c);
      b2 = A * ((A + 1.0) + (A - 1.0) * c - r);
      a0 = (A + 1.0) - (A - 1.0) * c + r;
      a1 = 2.0 * ((A - 1.0) - (A + 1.0) * c);
      a2 = (A + 1.0) - (A - 1.0) * c - r;
      break;
    }
    case kPeaking:
    default:  // unknown types behave as the bell
      A = std::exp(mGain * Ln10Div40());
      b0 = 1.0 + alpha * A;
      b1 = -2.0 * c;
      b2 = 1.0 - alpha * A;
      a0 = 1.0 + alpha / A;
      a1 = -2.0 * c;
      a2 = 1.0 - alpha / A;
      break;
  }

  const double k = 1.0 / a0;
  mA = rbj_Flush(A);
  mB0 = rbj_Flush(b0 * k);
  mB1 = rbj_Flush(b1 * k);
  mB2 = rbj_Flush(b2 * k);
  mA1 = rbj_Flush(a1 * k);
  mA2 = rbj_Flush(a2 * k);
  mA0 = 1.0;
}
