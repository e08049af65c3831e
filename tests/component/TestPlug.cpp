// A small plug-in on the Audio Unit wrapper, built as its own component, that makes what the
// wrapper hands it visible to a host: MIDI messages and the recognised host land in parameters
// a host can read back with get-parameter. One mono configuration ("1-1").
#include "framework/au/IPluginAU.h"

enum ETestPlugParams {
  kMidiStatus = 0,
  kMidiData1,
  kMidiData2,
  kMidiOffset,
  kMidiCount,
  kHostCode,
  kLevel,
  kTestPlugNumParams
};

class TestPlug : public IPluginAU {
 public:
  TestPlug()
    : IPluginAU(kTestPlugNumParams, "1-1", 4, "Test Plug", "", "Tessor Tests", 0x00010203,
                'tplg', 'Tsor', 0, true, false, true)
  {
    GetParam(kMidiStatus)->InitInt("MIDI status", 0, 0, 255);
    GetParam(kMidiData1)->InitInt("MIDI data 1", 0, 0, 255);
    GetParam(kMidiData2)->InitInt("MIDI data 2", 0, 0, 255);
    GetParam(kMidiOffset)->InitInt("MIDI offset", 0, 0, 1 << 20);
    GetParam(kMidiCount)->InitInt("MIDI count", 0, 0, 1 << 20);
    GetParam(kHostCode)->InitInt("Host", -1, -1, 100);
    GetParam(kLevel)->InitDouble("Level", 0.0, -10.0, 10.0, 0.5, "");
    MakeDefaultPreset("Start", 1);
  }

  void HostSpecificInit() override
  {
    IPluginAU::HostSpecificInit();
    GetParam(kHostCode)->Set(GetHost());
  }

  void ProcessMidiMsg(IMidiMsg* pMsg) override
  {
    GetParam(kMidiStatus)->Set(pMsg->mStatusByte);
    GetParam(kMidiData1)->Set(pMsg->mFirstData);
    GetParam(kMidiData2)->Set(pMsg->mSecondData);
    GetParam(kMidiOffset)->Set(pMsg->mFrameOffset);
    GetParam(kMidiCount)->Set(GetParam(kMidiCount)->Value() + 1);
  }
};

IPluginAU* MakePlug()
{
  return new TestPlug();
}

extern "C" __attribute__((visibility("default"))) ComponentResult TestPlug_Entry(
    ComponentParameters* params, void* pPlug)
{
  return IPluginAU::IPluginAUEntry(params, pPlug);
}
