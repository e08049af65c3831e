#include "framework/IMidiMsg.h"

#include "framework/IPluginUtilities.h"

namespace {
// A MIDI data byte holds 7 bits: 0..127.
constexpr int kMaxDataByte = 127;
constexpr int kDataByteRange = 128;
// The pitch wheel is one 14-bit value split over both data bytes (low 7 bits first), 0..16383
// with the wheel's rest position in the middle.
constexpr int kMaxPitchWheel = 16383;
constexpr int kPitchWheelCentre = 8192;
}  // namespace

void IMidiMsg::Clear() {
  mFrameOffset = 0;
  mStatusByte = mFirstData = mSecondData = 0;
}

void IMidiMsg::MakeNoteOnMsg(int note, int velocity, int offset) {
  mFrameOffset = offset;
  mStatusByte = kNoteOn << 4;
  mFirstData = static_cast<uint8_t>(note);
  mSecondData = static_cast<uint8_t>(velocity);
}

void IMidiMsg::MakeNoteOffMsg(int note, int offset) {
  mFrameOffset = offset;
  mStatusByte = kNoteOff << 4;
  mFirstData = static_cast<uint8_t>(note);
  mSecondData = 0;
}

void IMidiMsg::MakePitchWheelMsg(double value) {
  Clear();
  mStatusByte = kPitchWheel << 4;
  // Saturating truncation keeps absurd inputs (huge, infinite, NaN) defined.
  long long i = static_cast<long long>(TruncToInt(value * kPitchWheelCentre)) + kPitchWheelCentre;
  if (i < 0) i = 0;
  if (i > kMaxPitchWheel) i = kMaxPitchWheel;
  mFirstData = static_cast<uint8_t>(i & 0x7F);
  mSecondData = static_cast<uint8_t>(i >> 7);
}

void IMidiMsg::MakeControlChangeMsg(EControlChangeMsg idx, double value) {
  Clear();
  mStatusByte = kControlChange << 4;
  mFirstData = static_cast<uint8_t>(idx);
  mSecondData = static_cast<uint8_t>(TruncToInt(value * kMaxDataByte));
}

IMidiMsg::EStatusMsg IMidiMsg::StatusMsg() const {
  unsigned kind = mStatusByte >> 4;
  if (kind >= kNoteOff && kind <= kPitchWheel) return static_cast<EStatusMsg>(kind);
  return kNone;
}

int IMidiMsg::NoteNumber() const {
  switch (StatusMsg()) {
    case kNoteOff:
    case kNoteOn:
    case kPolyAftertouch:
      return mFirstData;
    default:
      return -1;
  }
}

int IMidiMsg::Velocity() const {
  switch (StatusMsg()) {
    case kNoteOff:
    case kNoteOn:
      return mSecondData;
    default:
      return -1;
  }
}

int IMidiMsg::Program() const { return StatusMsg() == kProgramChange ? mFirstData : -1; }

double IMidiMsg::PitchWheel() const {
  if (StatusMsg() != kPitchWheel) return 0.0;
  int i = mSecondData * kDataByteRange + mFirstData - kPitchWheelCentre;
  return static_cast<double>(i) / kPitchWheelCentre;
}

int IMidiMsg::ControlChangeIdx() const { return mFirstData; }

double IMidiMsg::ControlChange(EControlChangeMsg idx) const {
  if (StatusMsg() == kControlChange && mFirstData == static_cast<int>(idx))
    return mSecondData / static_cast<double>(kMaxDataByte);
  return -1.0;
}

const char* StatusMsgStr(IMidiMsg::EStatusMsg msg) {
  switch (msg) {
    case IMidiMsg::kNone:
      return "none";
    case IMidiMsg::kNoteOff:
      return "noteoff";
    case IMidiMsg::kNoteOn:
      return "noteon";
    case IMidiMsg::kPolyAftertouch:
      return "aftertouch";
    case IMidiMsg::kControlChange:
      return "controlchange";
    case IMidiMsg::kProgramChange:
      return "programchange";
    case IMidiMsg::kChannelAftertouch:
      return "channelaftertouch";
    case IMidiMsg::kPitchWheel:
      return "pitchwheel";
    default:
      return "unknown";
  }
}
