#include "tessor_eq/ondrel.h"

#include <climits>
#include <cmath>

#include "tessor_eq/eq_chain.h"

namespace {

// A parameter's step: its value truncated toward zero. Values that do not fit an int
// (NaN included) give INT_MIN, which no step table knows.
int StepOf(const IParam* p)
{
  const double v = p->Value();
  if (!(v > -2147483648.0 && v < 2147483648.0)) return INT_MIN;
  return static_cast<int>(v);
}

// The sample rate truncated toward zero; a rate that does not fit gives 0.
long RateOf(double sr)
{
  if (!(sr > -2147483648.0 && sr < 2147483648.0)) return 0;
  return static_cast<long>(sr);
}

}  // namespace

ondrel::~ondrel() {}

void ondrel::InitParameters()
{
  GetParam(kHPF)->InitEnum("HPF", 0, 6);
  GetParam(kHPF)->SetDisplayText(0, "Off");
  GetParam(kHPF)->SetDisplayText(1, "30 Hz");
  GetParam(kHPF)->SetDisplayText(2, "50 Hz");
  GetParam(kHPF)->SetDisplayText(3, "80 Hz");
  GetParam(kHPF)->SetDisplayText(4, "160 Hz");
  GetParam(kHPF)->SetDisplayText(5, "300 Hz");

  GetParam(kLoShelfFreq)->InitEnum("LoShelf Freq", 0, 4);
  GetParam(kLoShelfFreq)->SetDisplayText(0, "35 Hz");
  GetParam(kLoShelfFreq)->SetDisplayText(1, "60 Hz");
  GetParam(kLoShelfFreq)->SetDisplayText(2, "110 Hz");
  GetParam(kLoShelfFreq)->SetDisplayText(3, "220 Hz");

  GetParam(kLoShelfLevel)->InitDouble("LoShelf Level", 0.0, -20.0, 20.0, 0.1, "dB");

  GetParam(kMF1Freq)->InitEnum("MF 1 Freq", 2, 6);
  GetParam(kMF1Freq)->SetDisplayText(0, "150 Hz");
  GetParam(kMF1Freq)->SetDisplayText(1, "180 Hz");
  GetParam(kMF1Freq)->SetDisplayText(2, "240 Hz");
  GetParam(kMF1Freq)->SetDisplayText(3, "400 Hz");
  GetParam(kMF1Freq)->SetDisplayText(4, "820 Hz");
  GetParam(kMF1Freq)->SetDisplayText(5, "1200 Hz");

  GetParam(kMF1Level)->InitDouble("MF Level 1", 0.0, -20.0, 20.0, 0.1, "dB");

  GetParam(kMF2Freq)->InitEnum("MF 2 Freq", 3, 7);
  GetParam(kMF2Freq)->SetDisplayText(0, "220 Hz");
  GetParam(kMF2Freq)->SetDisplayText(1, "315 Hz");
  GetParam(kMF2Freq)->SetDisplayText(2, "640 Hz");
  GetParam(kMF2Freq)->SetDisplayText(3, "2500 Hz");
  GetParam(kMF2Freq)->SetDisplayText(4, "3150 Hz");
  GetParam(kMF2Freq)->SetDisplayText(5, "6000 Hz");
  GetParam(kMF2Freq)->SetDisplayText(6, "8000 Hz");

  GetParam(kMF2Level)->InitDouble("MF Level 2", 0.0, -20.0, 20.0, 0.1, "dB");
  GetParam(kHiShelfLevel)->InitDouble("HiShelf Level", 0.0, -20.0, 20.0, 0.1, "dB");
  GetParam(kGain)->InitDouble("Gain", 0.0, -20.0, 10.0, 0.1, "dB");

  GetParam(kOversample)->InitEnum("Oversample", 0, 2);
  GetParam(kOversample)->SetDisplayText(0, "Off");
  GetParam(kOversample)->SetDisplayText(1, "On");
}

void ondrel::DesignBelowNyquist(rbjfilter& band, double nominalHz)
{
  const double limit = kNyquistFraction * static_cast<double>(band.GetSampleRate());
  const double hz = nominalHz < limit ? nominalHz : limit;
  if (band.GetFreq() != hz) band.SetFreq(hz);
}

void ondrel::InitFilters()
{
  const double sr = GetSampleRate();
  const long rate = RateOf(sr);

  // The anti-alias filters keep this design for good: cutoff at pi/1.84 of the
  // oversampled rate, whatever rate the host sets later.
  aaInFilter.SetSampleRate(2 * rate);
  aaInFilter.SetFreq(sr / 1.84);
  aaInFilter.SetType(kLowPass);
  aaInFilter.SetS(1.0);

  aaOutFilter.SetSampleRate(2 * rate);
  aaOutFilter.SetFreq(sr / 1.84);
  aaOutFilter.SetType(kLowPass);
  aaOutFilter.SetS(1.0);

  highPass.SetSampleRate(rate);
  highPass.SetFreq(1.0);
  highPass.SetType(kHighPass);
  highPass.SetS(0.7);
  highPassOn = false;

  lowShelf.SetSampleRate(rate);
  lowShelf.SetFreq(35);
  lowShelf.SetGain(0);
  lowShelf.SetS(2.0);
  lowShelf.SetType(kLowShelf);

  // 360 Hz and 3200 Hz are placeholders until the first parameter update.
  midBand1.SetSampleRate(rate);
  midBand1.SetFreq(360);
  midBand1.SetGain(0);
  midBand1.SetQ(0.5);
  midBand1.SetType(kPeaking);

  midBand2.SetSampleRate(rate);
  midBand2.SetFreq(3200);
  midBand2.SetGain(0);
  midBand2.SetQ(0.5);
  midBand2.SetType(kPeaking);

  highShelf.SetSampleRate(rate);
  highShelf.SetFreq(kHighShelfHz);
  highShelf.SetGain(0);
  highShelf.SetS(0.4);
  highShelf.SetType(kHighShelf);
}

void ondrel::Reset()
{
  Core_MutexLock lock(&mPlugLock);
}

void ondrel::OnParamChange(int /*paramIdx*/)
{
  Core_MutexLock lock(&mPlugLock);

  highPassOn = true;
  switch (StepOf(GetParam(kHPF)))
  {
    case 0: highPassOn = false; highPass.SetFreq(1.0); break;
    case 1: highPass.SetFreq(30); break;
    case 2: highPass.SetFreq(50); break;
    case 3: highPass.SetFreq(80); break;
    case 4: highPass.SetFreq(160); break;
    case 5: highPass.SetFreq(300); break;
    default: break;
  }

  switch (StepOf(GetParam(kLoShelfFreq)))
  {
    case 0: lowShelf.SetFreq(35); break;
    case 1: lowShelf.SetFreq(60); break;
    case 2: lowShelf.SetFreq(110); break;
    case 3: lowShelf.SetFreq(220); break;
    default: break;
  }
  lowShelf.SetGain(GetParam(kLoShelfLevel)->Value());

  switch (StepOf(GetParam(kMF1Freq)))
  {
    case 0: midBand1.SetFreq(150); break;
    case 1: midBand1.SetFreq(180); break;
    case 2: midBand1.SetFreq(240); break;
    case 3: midBand1.SetFreq(400); break;
    case 4: midBand1.SetFreq(820); break;
    case 5: midBand1.SetFreq(1200); break;
    default: break;
  }
  midBand1.SetGain(GetParam(kMF1Level)->Value());

  switch (StepOf(GetParam(kMF2Freq)))
  {
    case 0: midBand2.SetFreq(220); break;
    case 1: midBand2.SetFreq(315); break;
    case 2: midBand2.SetFreq(640); break;
    case 3: midBand2.SetFreq(2500); break;
    case 4: midBand2.SetFreq(3150); break;
    case 5: midBand2.SetFreq(6000); break;
    case 6: midBand2.SetFreq(8000); break;
    default: break;
  }
  midBand2.SetGain(GetParam(kMF2Level)->Value());

  highShelf.SetGain(GetParam(kHiShelfLevel)->Value());

  outGainDb = GetParam(kGain)->Value();
  outGain = GetParam(kGain)->DBToAmp();

  // The bands run at the rate they are fed: twice the host's while oversampling.
  const long rate = RateOf(GetSampleRate());
  const long bandRate = (GetParam(kOversample)->Value() != 0.0) ? 2 * rate : rate;
  highPass.SetSampleRate(bandRate);
  lowShelf.SetSampleRate(bandRate);
  midBand1.SetSampleRate(bandRate);
  midBand2.SetSampleRate(bandRate);
  highShelf.SetSampleRate(bandRate);

  // At low host rates some designs reach half the filter rate (the 12 kHz shelf below 24 kHz,
  // the upper mid steps at 8 or 16 kHz), where the biquad's poles leave the unit circle and the
  // output blows up. Those bands are designed just below half the rate instead; at usual rates
  // every band keeps its nominal frequency.
  DesignBelowNyquist(lowShelf, lowShelf.GetFreq());
  DesignBelowNyquist(midBand1, midBand1.GetFreq());
  DesignBelowNyquist(midBand2, midBand2.GetFreq());
  DesignBelowNyquist(highShelf, kHighShelfHz);
}

void ondrel::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames)
{
  if (nFrames <= 0 || !inputs || !outputs || !inputs[0] || !outputs[0]) return;
  const bool stereo = IsInChannelConnected(1) && inputs[1] && outputs[1];

  // Parameters change only under the plug-in mutex, which the render path holds, so the
  // oversampling switch read once here holds for every pass of every frame of the block.
  const double oversample = GetParam(kOversample)->Value();
  const bool antiAlias = oversample >= 0.5;

  eq_Chain chain;
  chain.twice = oversample > 0.0;
  if (antiAlias) chain.Add(&aaInFilter, 0.0);
  if (highPassOn) chain.Add(&highPass, 0.0);

  // A band at exactly 0 dB is left out: no drive, no filtering, memories untouched.
  double g = lowShelf.GetGain();
  if (g != 0.0) chain.Add(&lowShelf, g / 60.0);  // a cut subtracts drive
  g = midBand1.GetGain();
  if (g != 0.0) chain.Add(&midBand1, std::fabs(g / 80.0));
  g = midBand2.GetGain();
  if (g != 0.0) chain.Add(&midBand2, std::fabs(g / 80.0));
  g = highShelf.GetGain();
  if (g != 0.0) chain.Add(&highShelf, std::fabs(g / 60.0));

  chain.outScale = outGain;
  chain.outDrive = std::fabs(outGainDb / 60.0) + 0.01;
  if (antiAlias)
  {
    // The output stage feeds the anti-alias filter directly.
    chain.Add(&aaOutFilter, 0.0);
    chain.outputBeforeLast = true;
  }

  eq_ProcessChain(chain, inputs[0], stereo ? inputs[1] : nullptr, outputs[0], stereo ? outputs[1] : nullptr,
                  nFrames);
}
