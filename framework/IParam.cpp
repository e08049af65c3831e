#include "framework/IParam.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/IPluginUtilities.h"

IParam::IParam()
    : mType(kParamNone),
      mValue(0.0),
      mMin(0.0),
      mMax(1.0),
      mStep(1.0),
      mShape(1.0),
      mDisplayPrecision(0),
      mDisplayTexts(4096) {
  memset(mName, 0, sizeof(mName));
  memset(mLabel, 0, sizeof(mLabel));
}

IParam::~IParam() = default;

void IParam::InitDouble(const char* name, double defaultVal, double minVal, double maxVal,
                        double step, const char* label) {
  if (mType == kParamNone) mType = kParamDouble;
  CopyTextField(mName, name, sizeof(mName));
  CopyTextField(mLabel, label, sizeof(mLabel));
  mValue = defaultVal;
  mMin = minVal;
  mMax = std::max(maxVal, minVal + step);
  mStep = step;

  // As many decimals as the step needs, at most six.
  mDisplayPrecision = 0;
  for (double s = step; s != std::floor(s) && mDisplayPrecision < 6; s *= 10.0) ++mDisplayPrecision;
}

void IParam::InitInt(const char* name, int defaultVal, int minVal, int maxVal, const char* label) {
  if (mType == kParamNone) mType = kParamInt;
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, label);
}

void IParam::InitEnum(const char* name, int defaultVal, int nEnums) {
  if (mType == kParamNone) mType = kParamEnum;
  InitInt(name, defaultVal, 0, nEnums - 1, "");
}

void IParam::InitBool(const char* name, bool defaultVal, const char*) {
  if (mType == kParamNone) mType = kParamBool;
  InitEnum(name, defaultVal ? 1 : 0, 2);
  SetDisplayText(0, "off");
  SetDisplayText(1, "on");
}

void IParam::SetShape(double shape) {
  if (shape != 0.0) mShape = shape;
}

void IParam::SetDisplayText(int value, const char* text) {
  DisplayTextEntry entry;
  memset(&entry, 0, sizeof(entry));
  entry.mValue = value;
  CopyTextField(entry.mText, text, sizeof(entry.mText));
  mDisplayTexts.Add(entry);
}

int IParam::GetNDisplayTexts() const { return mDisplayTexts.GetSize(); }

const char* IParam::GetDisplayText(int value) const {
  const DisplayTextEntry* e = mDisplayTexts.Get();
  for (int i = 0, n = mDisplayTexts.GetSize(); i < n; ++i)
    if (e[i].mValue == value) return e[i].mText;
  return "";
}

const char* IParam::GetDisplayTextAtIdx(int idx, int* pValue) const {
  if (idx < 0 || idx >= mDisplayTexts.GetSize()) return nullptr;
  const DisplayTextEntry& e = mDisplayTexts.Get()[idx];
  if (pValue) *pValue = e.mValue;
  return e.mText;
}

bool IParam::MapDisplayText(const char* text, int* pValue) const {
  if (!text) return false;
  const DisplayTextEntry* e = mDisplayTexts.Get();
  for (int i = 0, n = mDisplayTexts.GetSize(); i < n; ++i) {
    if (strcmp(e[i].mText, text) == 0) {
      *pValue = e[i].mValue;
      return true;
    }
  }
  return false;
}

void IParam::GetBounds(double* pMin, double* pMax) const {
  *pMin = mMin;
  *pMax = mMax;
}

double IParam::GetNormalized(double v) const {
  v = v < mMin ? mMin : std::min(v, mMax);
  return std::pow((v - mMin) / (mMax - mMin), 1.0 / mShape);
}

void IParam::SetNormalized(double normalized) {
  double v = mMin + std::pow(normalized, mShape) * (mMax - mMin);
  if (mType != kParamDouble) v = mStep * std::floor(v / mStep + 0.5);
  mValue = std::min(v, mMax);
}

void IParam::GetDisplayForHost(double value, bool normalized, char* rDisplay) const {
  if (normalized) value = mMin + std::pow(value, mShape) * (mMax - mMin);

  if (GetNDisplayTexts()) {
    const char* text = GetDisplayText(TruncToInt(value));
    if (*text) {
      CopyTextField(rDisplay, text, kParamTextSize);
      return;
    }
  }

  if (value == 0.0) {
    CopyTextField(rDisplay, "0", kParamTextSize);
  } else if (mDisplayPrecision == 0) {
    snprintf(rDisplay, kParamTextSize, "%d", TruncToInt(value));
  } else {
    char fmt[16];
    snprintf(fmt, sizeof(fmt), "%%.%df", mDisplayPrecision);
    snprintf(rDisplay, kParamTextSize, fmt, value);
  }
}

double IParam::DBToAmp() const { return std::exp(0.1151292546497 * mValue); }

void IParam::Set(double value) {
  // A NaN from corrupted state would poison every later computation: it takes the minimum.
  if (std::isnan(value)) value = mMin;
  mValue = value < mMin ? mMin : std::min(value, mMax);
}
