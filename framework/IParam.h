#pragma once
// One automatable parameter: a named double value with a kind, bounds, a step, a shape for the
// mapping to and from the host's normalised range 0..1, a unit label and optional display texts.

#include <cstdint>

#include "core/Core_TypedBuf.h"

// Fixed size of a parameter name, label or display text field, terminator included: texts
// longer than 31 characters are cut to fit.
constexpr int kParamTextSize = 32;

enum EParamKind : int32_t {
  kParamNone = 0,  // not yet initialised
  kParamBool = 1,
  kParamInt = 2,
  kParamEnum = 3,
  kParamDouble = 4
};

class IParam {
 public:
  struct DisplayTextEntry {
    int32_t mValue;
    char mText[kParamTextSize];
  };

  IParam();
  ~IParam();
  IParam(const IParam&) = delete;
  IParam& operator=(const IParam&) = delete;

  // Initialisers. Each sets the kind only while it is still kParamNone, so the outermost call
  // decides; they nest Bool -> Enum -> Int -> Double.
  void InitDouble(const char* name, double defaultVal, double minVal, double maxVal, double step,
                  const char* label = "");
  void InitInt(const char* name, int defaultVal, int minVal, int maxVal, const char* label = "");
  void InitEnum(const char* name, int defaultVal, int nEnums);
  // The label argument is not used: a boolean shows "off" / "on" and has no unit.
  void InitBool(const char* name, bool defaultVal, const char* label = "");

  // A zero shape is ignored.
  void SetShape(double shape);
  // Appends {value, text}; an existing entry for the same value is kept and wins lookups.
  void SetDisplayText(int value, const char* text);
  int GetNDisplayTexts() const;
  // Text of the first entry for value, or "".
  const char* GetDisplayText(int value) const;
  // Text and value of the idx-th entry in the order they were set; null outside the entries.
  const char* GetDisplayTextAtIdx(int idx, int* pValue) const;
  // True and *pValue set for the first entry whose text equals text exactly.
  bool MapDisplayText(const char* text, int* pValue) const;

  void GetBounds(double* pMin, double* pMax) const;
  const char* GetNameForHost() const { return mName; }
  const char* GetLabelForHost() const { return mLabel; }

  double GetNormalized() const { return GetNormalized(mValue); }
  // The normalised position of v, clamped into the bounds first.
  double GetNormalized(double v) const;
  // Sets the value from a normalised position in 0..1; all kinds but kParamDouble snap to the
  // step grid counted from zero. The result never exceeds the maximum.
  void SetNormalized(double normalized);

  // Writes the display text of value (or of the real value at a normalised position): the
  // display text for its integer part if there is one, else the number. rDisplay must hold
  // kParamTextSize bytes; longer numbers are cut to fit.
  void GetDisplayForHost(double value, bool normalized, char* rDisplay) const;

  // The value in decibels as a linear gain.
  double DBToAmp() const;
  double Value() const { return mValue; }

  // Stores a real value clamped into the bounds (state restore and host automation).
  void Set(double value);

  EParamKind Type() const { return mType; }
  double GetMin() const { return mMin; }
  double GetMax() const { return mMax; }
  double GetStep() const { return mStep; }
  double GetShape() const { return mShape; }
  int GetPrecision() const { return mDisplayPrecision; }

 private:
  EParamKind mType;
  double mValue;
  double mMin;
  double mMax;
  double mStep;
  double mShape;
  int32_t mDisplayPrecision;
  char mName[kParamTextSize];
  char mLabel[kParamTextSize];
  Core_TypedBuf<DisplayTextEntry> mDisplayTexts;
};
