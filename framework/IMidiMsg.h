#pragma once
// One short (three-byte) MIDI channel message with its position inside the current audio block.

#include <cstdint>

class IMidiMsg {
 public:
  // Message kind: the upper four bits of the status byte.
  enum EStatusMsg {
    kNone = 0,
    kNoteOff = 8,
    kNoteOn = 9,
    kPolyAftertouch = 10,
    kControlChange = 11,
    kProgramChange = 12,
    kChannelAftertouch = 13,
    kPitchWheel = 14
  };

  // Controller number of a control-change message (0..127), stored as the first data byte.
  enum EControlChangeMsg {
    kModWheel = 1,
    kBreathController = 2,
    kFootController = 4,
    kPortamentoTime = 5,
    kChannelVolume = 7,
    kBalance = 8,
    kPan = 10,
    kExpressionController = 11,
    kSustainOnOff = 64,
    kPortamentoOnOff = 65,
    kSostenutoOnOff = 66,
    kSoftPedalOnOff = 67,
    kAllNotesOff = 123
  };

  int32_t mFrameOffset = 0;
  uint8_t mStatusByte = 0;
  uint8_t mFirstData = 0;
  uint8_t mSecondData = 0;

  IMidiMsg() = default;
  IMidiMsg(int offset, uint8_t status, uint8_t first, uint8_t second)
      : mFrameOffset(offset), mStatusByte(status), mFirstData(first), mSecondData(second) {}

  // Constructors of the common kinds; all write channel 0. Callers keep note numbers,
  // velocities and controller numbers within 0..127.
  void Clear();
  void MakeNoteOnMsg(int note, int velocity, int offset);
  void MakeNoteOffMsg(int note, int offset);
  // value in -1..1; out-of-range values clamp to the 14-bit range 0..16383.
  void MakePitchWheelMsg(double value);
  // value in 0..1; stored as value * 127 truncated, without clamping.
  void MakeControlChangeMsg(EControlChangeMsg idx, double value);

  // Typed queries; each answers a sentinel for a message of another kind.
  EStatusMsg StatusMsg() const;
  int NoteNumber() const;     // note off, note on, poly aftertouch; else -1
  int Velocity() const;       // note off, note on; else -1
  int Program() const;        // program change; else -1
  double PitchWheel() const;  // -1.0 .. 0.99987793 for pitch wheel; else 0.0
  int ControlChangeIdx() const;
  double ControlChange(EControlChangeMsg idx) const;  // 0..1 for a matching controller; else -1.0
  void LogMsg() const {}
};

// Name of a message kind ("noteon", ...); "unknown" for values that are not kinds.
const char* StatusMsgStr(IMidiMsg::EStatusMsg msg);
