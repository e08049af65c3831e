// The equaliser's parameters, fixed filter designs and the mapping from parameters to
// filter settings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "TestOndrel.h"

namespace {

struct ParamRow {
  const char* name;
  EParamKind kind;
  double def, min, max;
  const char* label;
  std::vector<std::string> texts;
};

const ParamRow kTable[kNumParams] = {
    {"HPF", kParamEnum, 0, 0, 5, "", {"Off", "30 Hz", "50 Hz", "80 Hz", "160 Hz", "300 Hz"}},
    {"LoShelf Freq", kParamEnum, 0, 0, 3, "", {"35 Hz", "60 Hz", "110 Hz", "220 Hz"}},
    {"LoShelf Level", kParamDouble, 0, -20, 20, "dB", {}},
    {"MF 1 Freq",
     kParamEnum,
     2,
     0,
     5,
     "",
     {"150 Hz", "180 Hz", "240 Hz", "400 Hz", "820 Hz", "1200 Hz"}},
    {"MF Level 1", kParamDouble, 0, -20, 20, "dB", {}},
    {"MF 2 Freq",
     kParamEnum,
     3,
     0,
     6,
     "",
     {"220 Hz", "315 Hz", "640 Hz", "2500 Hz", "3150 Hz", "6000 Hz", "8000 Hz"}},
    {"MF Level 2", kParamDouble, 0, -20, 20, "dB", {}},
    {"HiShelf Level", kParamDouble, 0, -20, 20, "dB", {}},
    {"Gain", kParamDouble, 0, -20, 10, "dB", {}},
    {"Oversample", kParamEnum, 0, 0, 1, "", {"Off", "On"}},
};

}  // namespace

TEST(OndrelSetup, TenParametersWithTheirNamesRangesDefaultsAndTexts) {
  TestOndrel eq;
  ASSERT_EQ(eq.NParams(), 10);
  for (int i = 0; i < kNumParams; ++i) {
    SCOPED_TRACE(kTable[i].name);
    const IParam* p = eq.GetParam(i);
    EXPECT_STREQ(p->GetNameForHost(), kTable[i].name);
    EXPECT_EQ(p->Type(), kTable[i].kind);
    EXPECT_EQ(p->Value(), kTable[i].def);
    EXPECT_EQ(p->GetMin(), kTable[i].min);
    EXPECT_EQ(p->GetMax(), kTable[i].max);
    EXPECT_STREQ(p->GetLabelForHost(), kTable[i].label);
    EXPECT_EQ(p->GetShape(), 1.0);
    EXPECT_EQ(p->GetNDisplayTexts(), static_cast<int>(kTable[i].texts.size()));
    for (size_t v = 0; v < kTable[i].texts.size(); ++v)
      EXPECT_STREQ(p->GetDisplayText(static_cast<int>(v)), kTable[i].texts[v].c_str());
    if (kTable[i].kind == kParamDouble) {
      EXPECT_EQ(p->GetStep(), 0.1);
      EXPECT_EQ(p->GetPrecision(), 1);
    }
  }
  char text[kParamTextSize];
  eq.GetParam(kMF1Freq)->GetDisplayForHost(eq.GetParam(kMF1Freq)->Value(), false, text);
  EXPECT_STREQ(text, "240 Hz");
  eq.GetParam(kMF2Freq)->GetDisplayForHost(eq.GetParam(kMF2Freq)->Value(), false, text);
  EXPECT_STREQ(text, "2500 Hz");
}

TEST(OndrelSetup, IdentityChannelsAndTheDefaultPreset) {
  TestOndrel eq;
  EXPECT_STREQ(eq.GetEffectName(), "Tessor EQ");
  EXPECT_STREQ(eq.GetProductName(), "");
  EXPECT_STREQ(eq.GetMfrName(), "Fenwarde Audio");
  EXPECT_EQ(eq.GetUniqueID(), 0x326C3837);
  EXPECT_EQ(eq.GetMfrID(), 0x466E7764);
  EXPECT_EQ(eq.GetEffectVersion(false), 0x00020000);
  EXPECT_EQ(eq.GetLatency(), 0);
  EXPECT_EQ(eq.NChannelIO(), 2);
  EXPECT_TRUE(eq.LegalIO(1, 1));
  EXPECT_TRUE(eq.LegalIO(2, 2));
  EXPECT_FALSE(eq.LegalIO(1, 2));
  ASSERT_EQ(eq.NPresets(), 30);
  EXPECT_STREQ(eq.GetPresetName(0), "Default");
  EXPECT_TRUE(eq.Preset(0)->mFilled);
  EXPECT_FALSE(eq.Preset(1)->mFilled);
  eq.PruneUninitializedPresets();
  EXPECT_EQ(eq.NPresets(), 1);
  // The default preset holds the defaults: restoring it after changes brings them back.
  eq.GetParam(kMF1Freq)->Set(5);
  eq.GetParam(kGain)->Set(-7.5);
  ASSERT_TRUE(eq.RestorePreset(0));
  EXPECT_EQ(eq.GetParam(kMF1Freq)->Value(), 2.0);
  EXPECT_EQ(eq.GetParam(kGain)->Value(), 0.0);
}

TEST(OndrelSetup, ConstructionGivesEveryFilterItsFixedDesign) {
  TestOndrel eq;
  const double sr = 44100.0;

  for (rbjfilter* aa : {&eq.AaIn(), &eq.AaOut()}) {
    EXPECT_EQ(aa->GetType(), kLowPass);
    EXPECT_EQ(aa->GetSampleRate(), 88200);
    EXPECT_EQ(aa->GetFreq(), sr / 1.84);
    EXPECT_DOUBLE_EQ(aa->GetQ(), 1.0 / std::sqrt(2.0));
    EXPECT_NEAR(aa->GetOmega(), M_PI / 1.84, 1e-12);
  }
  EXPECT_EQ(eq.HighPass().GetType(), kHighPass);
  EXPECT_EQ(eq.HighPass().GetFreq(), 1.0);
  EXPECT_DOUBLE_EQ(eq.HighPass().GetQ(), std::sqrt(0.35));
  EXPECT_FALSE(eq.HighPassOn());

  EXPECT_EQ(eq.LowShelf().GetType(), kLowShelf);
  EXPECT_EQ(eq.LowShelf().GetFreq(), 35.0);
  EXPECT_DOUBLE_EQ(eq.LowShelf().GetQ(), 1.0);

  for (rbjfilter* mid : {&eq.MidBand1(), &eq.MidBand2()}) {
    EXPECT_EQ(mid->GetType(), kPeaking);
    EXPECT_EQ(mid->GetQ(), 0.5);
    EXPECT_EQ(mid->GetGain(), 0.0);
  }
  EXPECT_EQ(eq.MidBand1().GetFreq(), 360.0);
  EXPECT_EQ(eq.MidBand2().GetFreq(), 3200.0);

  EXPECT_EQ(eq.HighShelf().GetType(), kHighShelf);
  EXPECT_EQ(eq.HighShelf().GetFreq(), 12000.0);
  EXPECT_DOUBLE_EQ(eq.HighShelf().GetQ(), std::sqrt(0.2));

  for (rbjfilter* band :
       {&eq.HighPass(), &eq.LowShelf(), &eq.MidBand1(), &eq.MidBand2(), &eq.HighShelf()})
    EXPECT_EQ(band->GetSampleRate(), 44100);
}

TEST(OndrelSetup, EveryFrequencyStepSetsTheFrequencyItsTextNames) {
  TestOndrel eq;
  eq.Initialize(true);
  struct {
    int param;
    rbjfilter* filter;
  } const bands[] = {{kHPF, &eq.HighPass()},
                     {kLoShelfFreq, &eq.LowShelf()},
                     {kMF1Freq, &eq.MidBand1()},
                     {kMF2Freq, &eq.MidBand2()}};
  for (const auto& b : bands) {
    const IParam* p = eq.GetParam(b.param);
    for (int step = 0; step <= static_cast<int>(p->GetMax()); ++step) {
      eq.Set(b.param, step);
      const char* text = p->GetDisplayText(step);
      SCOPED_TRACE(text);
      if (b.param == kHPF && step == 0) {
        EXPECT_FALSE(eq.HighPassOn());
        EXPECT_EQ(b.filter->GetFreq(), 1.0);
        continue;
      }
      if (b.param == kHPF) {
        EXPECT_TRUE(eq.HighPassOn());
      }
      EXPECT_EQ(b.filter->GetFreq(), std::atof(text));
    }
  }
}

TEST(OndrelSetup, LevelsReachTheFiltersUnchangedAndGainBecomesLinear) {
  TestOndrel eq;
  eq.Initialize(true);
  eq.Set(kLoShelfLevel, -6.3);
  eq.Set(kMF1Level, 12.5);
  eq.Set(kMF2Level, -0.1);
  eq.Set(kHiShelfLevel, 20.0);
  eq.Set(kGain, 10.0);
  EXPECT_EQ(eq.LowShelf().GetGain(), -6.3);
  EXPECT_EQ(eq.MidBand1().GetGain(), 12.5);
  EXPECT_EQ(eq.MidBand2().GetGain(), -0.1);
  EXPECT_EQ(eq.HighShelf().GetGain(), 20.0);
  EXPECT_EQ(eq.OutGainDb(), 10.0);
  EXPECT_NEAR(eq.OutGain(), 3.16228, 1e-5);
  EXPECT_EQ(eq.OutGain(), eq.GetParam(kGain)->DBToAmp());
  // Nothing later changes a Q, a type or the high shelf's frequency.
  EXPECT_EQ(eq.MidBand1().GetQ(), 0.5);
  EXPECT_DOUBLE_EQ(eq.HighShelf().GetQ(), std::sqrt(0.2));
  EXPECT_EQ(eq.HighShelf().GetFreq(), 12000.0);
}

TEST(OndrelSetup, SampleRateReachesTheBandsOnlyThroughParameterChanges) {
  TestOndrel eq;
  eq.Initialize(true);
  eq.SetSampleRate(96000.7);
  rbjfilter* bands[] = {&eq.HighPass(), &eq.LowShelf(), &eq.MidBand1(), &eq.MidBand2(),
                        &eq.HighShelf()};
  for (rbjfilter* b : bands) EXPECT_EQ(b->GetSampleRate(), 44100);

  eq.OnParamChange(kGain);
  for (rbjfilter* b : bands) EXPECT_EQ(b->GetSampleRate(), 96000);  // truncated

  eq.Set(kOversample, 1);
  for (rbjfilter* b : bands) EXPECT_EQ(b->GetSampleRate(), 192000);
  // Band frequencies stay in Hz; only their rate doubles.
  EXPECT_EQ(eq.MidBand2().GetFreq(), 2500.0);

  // The anti-alias filters keep their construction design at any rate.
  for (rbjfilter* aa : {&eq.AaIn(), &eq.AaOut()}) {
    EXPECT_EQ(aa->GetSampleRate(), 88200);
    EXPECT_EQ(aa->GetFreq(), 44100.0 / 1.84);
  }

  eq.Set(kOversample, 0);
  for (rbjfilter* b : bands) EXPECT_EQ(b->GetSampleRate(), 96000);
}

TEST(OndrelSetup, AnyNonZeroOversampleValueDoublesTheBandRate) {
  TestOndrel eq;
  eq.Initialize(true);
  eq.Set(kOversample, 0.3);  // a host may store values between the steps
  EXPECT_EQ(eq.LowShelf().GetSampleRate(), 88200);
}
