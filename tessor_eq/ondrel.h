#pragma once
// Tessor EQ: high-pass, low shelf, two peaking mid bands, high shelf, output gain and
// optional two-times oversampling, with a small sine-shaped drive term in front of every
// active band and at the output.

#include <utility>

#include "framework/IPlugin.h"
#include "tessor_eq/rbjfilter.h"
#if !defined(TESSOR_FORMAT_LV2)
#include "tessor_eq/ondrel_editor.h"
#endif

enum EParams {
  kHPF = 0,
  kLoShelfFreq,
  kLoShelfLevel,
  kMF1Freq,
  kMF1Level,
  kMF2Freq,
  kMF2Level,
  kHiShelfLevel,
  kGain,
  kOversample,
  kNumParams
};

// The plug-in base the equaliser builds on: the wrapper of the format being built (Audio Unit
// or LV2, see IPlugin.h). Its constructor takes the instance information (from MakePlug) in
// front of the plug-in base's arguments, which ondrel's constructor forwards unchanged; without
// it the plug-in has no bundle and no view factory.
typedef IPlugin ondrel_Base;

class ondrel : public ondrel_Base {
 public:
  static constexpr int kNumPresets = 30;
  static constexpr const char* kChannelIOStr = "1-1 2-2";
  static constexpr const char* kEffectName = "Tessor EQ";
  static constexpr const char* kProductName = "";
  static constexpr const char* kMakerName = "Fenwarde Audio";
  static constexpr int kVendorVersion = 0x00020000;  // 2.0.0
  static constexpr int kUniqueID = 0x326C3837;       // '2l87'
  static constexpr int kMakerID = 0x466E7764;        // 'Fnwd'
  static constexpr int kLatency = 0;

  // `leading` are the base arguments that come before the parameter count (none for the
  // plain plug-in base, the instance information for the Audio Unit wrapper).
  template <typename... Leading>
  explicit ondrel(Leading&&... leading)
      : ondrel_Base(std::forward<Leading>(leading)..., kNumParams, kChannelIOStr, kNumPresets,
                    kEffectName, kProductName, kMakerName, kVendorVersion, kUniqueID, kMakerID,
                    kLatency, false, false, false) {
    InitParameters();
    MakeDefaultPreset(nullptr, 1);
    InitFilters();
#if !defined(TESSOR_FORMAT_LV2)
    // The Audio Unit build has an editor; the LV2 build has none.
    AttachGraphics(MakeOndrelEditor(this));
#endif
  }
  ~ondrel() override;

  // Takes the plug-in mutex and releases it; filter memories are kept.
  void Reset() override;
  // Recomputes every filter setting and the output gain from all ten parameters.
  void OnParamChange(int paramIdx) override;
  void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) override;

 protected:
  // The ten parameters with their ranges, defaults and display texts.
  void InitParameters();
  // The fixed designs of all seven filters at the current sample rate.
  void InitFilters();
  // Sets a band to nominalHz, or to kNyquistFraction of its filter rate when that is lower.
  static void DesignBelowNyquist(rbjfilter& band, double nominalHz);

  static constexpr double kHighShelfHz = 12000.0;
  // Highest design frequency of a band, as a fraction of its filter rate.
  static constexpr double kNyquistFraction = 0.45;

  rbjfilter aaInFilter;   // anti-alias low-pass in front of the chain when oversampling
  rbjfilter aaOutFilter;  // anti-alias low-pass behind the chain when oversampling
  rbjfilter highPass;
  rbjfilter lowShelf;
  rbjfilter midBand1;
  rbjfilter midBand2;
  rbjfilter highShelf;
  bool highPassOn = false;
  double outGainDb = 0.0;
  double outGain = 1.0;
};
