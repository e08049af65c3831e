#include "tessor_eq/ondrel.h"

#include <climits>
#include <cmath>

#include "tessor_eq/eq_chain.h"

namespace {

// One step of a stepped band: the text the host shows for it and the frequency the band's filter
// is designed at. Each table is the single source for both the parameter's display texts and
// the filter design.
struct BandStep {
  const char* text;
  double hz;
};

// Step 0 switches the high-pass off; its filter keeps a 1 Hz design while bypassed.
constexpr int kHighPassOffStep = 0;
constexpr BandStep kHighPassSteps[] = {{"Off", 1.0},    {"30 Hz", 30.0},   {"50 Hz", 50.0},
                                       {"80 Hz", 80.0}, {"160 Hz", 160.0}, {"300 Hz", 300.0}};
constexpr BandStep kLowShelfSteps[] = {
    {"35 Hz", 35.0}, {"60 Hz", 60.0}, {"110 Hz", 110.0}, {"220 Hz", 220.0}};
constexpr BandStep kMidBand1Steps[] = {{"150 Hz", 150.0}, {"180 Hz", 180.0}, {"240 Hz", 240.0},
                                       {"400 Hz", 400.0}, {"820 Hz", 820.0}, {"1200 Hz", 1200.0}};
constexpr BandStep kMidBand2Steps[] = {
    {"220 Hz", 220.0},   {"315 Hz", 315.0},   {"640 Hz", 640.0},  {"2500 Hz", 2500.0},
    {"3150 Hz", 3150.0}, {"6000 Hz", 6000.0}, {"8000 Hz", 8000.0}};
constexpr const char* kOversampleTexts[] = {"Off", "On"};

// The fixed designs. A shelf or pass filter is given its slope S (Q = sqrt(S / 2) at 0 dB):
// a Butterworth anti-alias low-pass (Q = 1 / sqrt(2)), a high-pass of Q 0.59, a low shelf of
// Q 1 and a high shelf of Q 0.45. Both mid bands are broad peaks of Q 0.5.
constexpr double kAntiAliasS = 1.0;
constexpr double kHighPassS = 0.7;
constexpr double kLowShelfS = 2.0;
constexpr double kMidBandQ = 0.5;
constexpr double kHighShelfS = 0.4;
// The anti-alias cutoff is the construction-time rate / 1.84: pi / 1.84 radians per
// oversampled sample at any rate.
constexpr double kAntiAliasCutoffDivisor = 1.84;
// Mid-band frequencies until the first parameter update sets the stepped ones.
constexpr double kMidBand1PlaceholderHz = 360.0;
constexpr double kMidBand2PlaceholderHz = 3200.0;

// Drive in front of a band, per dB of its level: a shelf adds 1/60 of it, a mid band 1/80. The
// output stage adds 1/60 of the output gain in dB and always at least 0.01.
constexpr double kShelfDriveDivisor = 60.0;
constexpr double kMidBandDriveDivisor = 80.0;
constexpr double kOutputDriveDivisor = 60.0;
constexpr double kOutputDriveFloor = 0.01;

// Makes param an enumeration with one value per step, each showing its step's text.
template <int N>
void InitSteps(IParam* param, const char* name, int defaultStep, const BandStep (&steps)[N]) {
  param->InitEnum(name, defaultStep, N);
  for (int i = 0; i < N; ++i) param->SetDisplayText(i, steps[i].text);
}

// The step of the table at index, or null for an index the table does not have.
template <int N>
const BandStep* StepAt(const BandStep (&steps)[N], int index) {
  return index >= 0 && index < N ? &steps[index] : nullptr;
}

// A parameter's step: its value truncated toward zero. Values that do not fit an int
// (NaN included) give INT_MIN, which no step table knows.
int StepOf(const IParam* p) {
  const double v = p->Value();
  if (!(v > -2147483648.0 && v < 2147483648.0)) return INT_MIN;
  return static_cast<int>(v);
}

// The sample rate truncated toward zero; a rate that does not fit gives 0.
long RateOf(double sr) {
  if (!(sr > -2147483648.0 && sr < 2147483648.0)) return 0;
  return static_cast<long>(sr);
}

}  // namespace

ondrel::~ondrel() {}

void ondrel::InitParameters() {
  InitSteps(GetParam(kHPF), "HPF", 0, kHighPassSteps);
  InitSteps(GetParam(kLoShelfFreq), "LoShelf Freq", 0, kLowShelfSteps);
  GetParam(kLoShelfLevel)->InitDouble("LoShelf Level", 0.0, -20.0, 20.0, 0.1, "dB");
  InitSteps(GetParam(kMF1Freq), "MF 1 Freq", 2, kMidBand1Steps);
  GetParam(kMF1Level)->InitDouble("MF Level 1", 0.0, -20.0, 20.0, 0.1, "dB");
  InitSteps(GetParam(kMF2Freq), "MF 2 Freq", 3, kMidBand2Steps);
  GetParam(kMF2Level)->InitDouble("MF Level 2", 0.0, -20.0, 20.0, 0.1, "dB");
  GetParam(kHiShelfLevel)->InitDouble("HiShelf Level", 0.0, -20.0, 20.0, 0.1, "dB");
  GetParam(kGain)->InitDouble("Gain", 0.0, -20.0, 10.0, 0.1, "dB");

  GetParam(kOversample)->InitEnum("Oversample", 0, 2);
  for (int i = 0; i < 2; ++i) GetParam(kOversample)->SetDisplayText(i, kOversampleTexts[i]);
}

void ondrel::DesignBelowNyquist(rbjfilter& band, double nominalHz) {
  const double limit = kNyquistFraction * static_cast<double>(band.GetSampleRate());
  const double hz = nominalHz < limit ? nominalHz : limit;
  if (band.GetFreq() != hz) band.SetFreq(hz);
}

void ondrel::InitFilters() {
  const double sr = GetSampleRate();
  const long rate = RateOf(sr);

  // The anti-alias filters keep this design for good: cutoff at pi/1.84 of the
  // oversampled rate, whatever rate the host sets later.
  aaInFilter.SetSampleRate(2 * rate);
  aaInFilter.SetFreq(sr / kAntiAliasCutoffDivisor);
  aaInFilter.SetType(kLowPass);
  aaInFilter.SetS(kAntiAliasS);

  aaOutFilter.SetSampleRate(2 * rate);
  aaOutFilter.SetFreq(sr / kAntiAliasCutoffDivisor);
  aaOutFilter.SetType(kLowPass);
  aaOutFilter.SetS(kAntiAliasS);

  highPass.SetSampleRate(rate);
  highPass.SetFreq(kHighPassSteps[kHighPassOffStep].hz);
  highPass.SetType(kHighPass);
  highPass.SetS(kHighPassS);
  highPassOn = false;

  lowShelf.SetSampleRate(rate);
  lowShelf.SetFreq(kLowShelfSteps[0].hz);
  lowShelf.SetGain(0);
  lowShelf.SetS(kLowShelfS);
  lowShelf.SetType(kLowShelf);

  midBand1.SetSampleRate(rate);
  midBand1.SetFreq(kMidBand1PlaceholderHz);
  midBand1.SetGain(0);
  midBand1.SetQ(kMidBandQ);
  midBand1.SetType(kPeaking);

  midBand2.SetSampleRate(rate);
  midBand2.SetFreq(kMidBand2PlaceholderHz);
  midBand2.SetGain(0);
  midBand2.SetQ(kMidBandQ);
  midBand2.SetType(kPeaking);

  highShelf.SetSampleRate(rate);
  highShelf.SetFreq(kHighShelfHz);
  highShelf.SetGain(0);
  highShelf.SetS(kHighShelfS);
  highShelf.SetType(kHighShelf);
}

void ondrel::Reset() { Core_MutexLock lock(&mPlugLock); }

void ondrel::OnParamChange(int /*paramIdx*/) {
  Core_MutexLock lock(&mPlugLock);

  // A step a table does not have leaves the band's frequency as it was.
  const int highPassStep = StepOf(GetParam(kHPF));
  highPassOn = highPassStep != kHighPassOffStep;
  if (const BandStep* step = StepAt(kHighPassSteps, highPassStep)) highPass.SetFreq(step->hz);

  if (const BandStep* step = StepAt(kLowShelfSteps, StepOf(GetParam(kLoShelfFreq))))
    lowShelf.SetFreq(step->hz);
  lowShelf.SetGain(GetParam(kLoShelfLevel)->Value());

  if (const BandStep* step = StepAt(kMidBand1Steps, StepOf(GetParam(kMF1Freq))))
    midBand1.SetFreq(step->hz);
  midBand1.SetGain(GetParam(kMF1Level)->Value());

  if (const BandStep* step = StepAt(kMidBand2Steps, StepOf(GetParam(kMF2Freq))))
    midBand2.SetFreq(step->hz);
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

void ondrel::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) {
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
  if (g != 0.0) chain.Add(&lowShelf, g / kShelfDriveDivisor);  // a cut subtracts drive
  g = midBand1.GetGain();
  if (g != 0.0) chain.Add(&midBand1, std::fabs(g / kMidBandDriveDivisor));
  g = midBand2.GetGain();
  if (g != 0.0) chain.Add(&midBand2, std::fabs(g / kMidBandDriveDivisor));
  g = highShelf.GetGain();
  if (g != 0.0) chain.Add(&highShelf, std::fabs(g / kShelfDriveDivisor));

  chain.outScale = outGain;
  chain.outDrive = std::fabs(outGainDb / kOutputDriveDivisor) + kOutputDriveFloor;
  if (antiAlias) {
    // The output stage feeds the anti-alias filter directly.
    chain.Add(&aaOutFilter, 0.0);
    chain.outputBeforeLast = true;
  }

  eq_ProcessChain(chain, inputs[0], stereo ? inputs[1] : nullptr, outputs[0],
                  stereo ? outputs[1] : nullptr, nFrames);
}
