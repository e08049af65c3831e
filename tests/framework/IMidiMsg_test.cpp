#include <gtest/gtest.h>

#include "framework/IMidiMsg.h"

TEST(IMidiMsg, QueriesAnswerOnlyForTheirKind) {
  IMidiMsg on(0, 0x93, 64, 100);  // note on, channel 4
  EXPECT_EQ(IMidiMsg::kNoteOn, on.StatusMsg());
  EXPECT_EQ(64, on.NoteNumber());
  EXPECT_EQ(100, on.Velocity());
  EXPECT_EQ(-1, on.Program());
  EXPECT_EQ(0.0, on.PitchWheel());

  IMidiMsg poly(0, 0xA0, 61, 30);
  EXPECT_EQ(61, poly.NoteNumber());
  EXPECT_EQ(-1, poly.Velocity());

  IMidiMsg prog(0, 0xC5, 17, 0);
  EXPECT_EQ(17, prog.Program());
  EXPECT_EQ(-1, prog.NoteNumber());
  EXPECT_EQ(17, prog.ControlChangeIdx());  // whatever the kind

  EXPECT_EQ(IMidiMsg::kNone, IMidiMsg(0, 0xF8, 0, 0).StatusMsg());
  EXPECT_EQ(IMidiMsg::kNone, IMidiMsg(0, 0x40, 0, 0).StatusMsg());
}

TEST(IMidiMsg, NoteConstructorsWriteChannelZero) {
  IMidiMsg m;
  m.MakeNoteOnMsg(60, 127, 33);
  EXPECT_EQ(0x90, m.mStatusByte);
  EXPECT_EQ(33, m.mFrameOffset);
  m.MakeNoteOffMsg(61, 5);
  EXPECT_EQ(0x80, m.mStatusByte);
  EXPECT_EQ(61, m.NoteNumber());
  EXPECT_EQ(0, m.Velocity());
  m.Clear();
  EXPECT_EQ(0, m.mFrameOffset);
  EXPECT_EQ(0, m.mStatusByte + m.mFirstData + m.mSecondData);
}

TEST(IMidiMsg, PitchWheelIsFourteenBitsCentredAndClamped) {
  IMidiMsg m;
  m.MakeNoteOnMsg(1, 1, 99);
  m.MakePitchWheelMsg(0.5);
  EXPECT_EQ(0, m.mFrameOffset);
  EXPECT_EQ(0xE0, m.mStatusByte);
  EXPECT_EQ(0, m.mFirstData);
  EXPECT_EQ(96, m.mSecondData);
  EXPECT_EQ(0.5, m.PitchWheel());

  m.MakePitchWheelMsg(0.0);
  EXPECT_EQ(64, m.mSecondData);
  m.MakePitchWheelMsg(-1.0);
  EXPECT_EQ(-1.0, m.PitchWheel());
  m.MakePitchWheelMsg(2.0);
  EXPECT_EQ(127, m.mFirstData);
  EXPECT_EQ(127, m.mSecondData);
  EXPECT_DOUBLE_EQ(8191.0 / 8192.0, m.PitchWheel());
  m.MakePitchWheelMsg(-2.0);
  EXPECT_EQ(0, m.mFirstData + m.mSecondData);
  m.MakePitchWheelMsg(1e300);  // absurd input stays defined
  EXPECT_EQ(127, m.mSecondData);
}

TEST(IMidiMsg, ControlChangeScalesToSevenBits) {
  IMidiMsg m;
  m.MakeControlChangeMsg(IMidiMsg::kChannelVolume, 1.0);
  EXPECT_EQ(0xB0, m.mStatusByte);
  EXPECT_EQ(7, m.mFirstData);
  EXPECT_EQ(127, m.mSecondData);
  EXPECT_EQ(1.0, m.ControlChange(IMidiMsg::kChannelVolume));
  EXPECT_EQ(-1.0, m.ControlChange(IMidiMsg::kBalance));
  m.MakeControlChangeMsg(IMidiMsg::kPan, 0.5);
  EXPECT_EQ(63, m.mSecondData);  // truncated
}

TEST(IMidiMsg, StatusNames) {
  EXPECT_STREQ("none", StatusMsgStr(IMidiMsg::kNone));
  EXPECT_STREQ("noteon", StatusMsgStr(IMidiMsg::kNoteOn));
  EXPECT_STREQ("aftertouch", StatusMsgStr(IMidiMsg::kPolyAftertouch));
  EXPECT_STREQ("channelaftertouch", StatusMsgStr(IMidiMsg::kChannelAftertouch));
  EXPECT_STREQ("pitchwheel", StatusMsgStr(IMidiMsg::kPitchWheel));
  EXPECT_STREQ("unknown", StatusMsgStr(static_cast<IMidiMsg::EStatusMsg>(15)));
  EXPECT_STREQ("unknown", StatusMsgStr(static_cast<IMidiMsg::EStatusMsg>(3)));
}
