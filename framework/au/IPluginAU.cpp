// Construction and destruction of the Audio Unit wrapper, its buses, the block size, host
// identification and MIDI output.
#include "framework/au/IPluginAU.h"

#include <climits>
#include <cstring>

#include "framework/IPluginUtilities.h"
#include "framework/au/IPluginAU_CFStrings.h"

#define TRACELOC __FUNCTION__, __LINE__

namespace {
// Until the host says otherwise: its largest render in frames, and its tempo in beats per minute.
constexpr int kDefaultMaxFrames = 1024;
constexpr double kDefaultTempo = 120.0;
// The last render's sample time before the first render: hosts count sample time from 0, so
// the first render pulls its inputs.
constexpr double kNoRenderYet = -1.0;
}  // namespace

IPluginAU::IPluginAU(IPluginInstanceInfo instanceInfo, int nParams, const char* channelIOStr,
                     int nPresets, const char* effectName, const char* productName,
                     const char* mfrName, int vendorVersion, int uniqueID, int mfrID, int latency,
                     bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst)
    : IPluginBase(nParams, channelIOStr, nPresets, effectName, productName, mfrName, vendorVersion,
                  uniqueID, mfrID, latency, plugDoesMidi, plugDoesChunks, plugIsInst),
      mBundleIdentifier(nullptr, 128),
      mViewFactoryClass(nullptr, 128),
      mComponent(nullptr),
      mInitialized(false),
      mBypass(false),
      mLastRenderSampleTime(kNoRenderYet),
      mLastTempo(kDefaultTempo),
      mHostTransport(),
      mInputScratch(4096),
      mOutputScratch(4096),
      mRenderNotifications(4096),
      mInputBuses(4096),
      mOutputBuses(4096),
      mInputConnections(4096),
      mPropertyListeners(4096) {
  Trace(TRACELOC, "%s", effectName ? effectName : "");
  memset(&mHostTransport, 0, sizeof(mHostTransport));
  mBundleIdentifier.Set(instanceInfo.mBundleIdentifier.Get());
  mViewFactoryClass.Set(instanceInfo.mViewFactoryClass.Get());

  const int nIn = NInChannels(), nOut = NOutChannels();
  const int nInBuses = (nIn + 1) / 2, nOutBuses = (nOut + 1) / 2;

  for (int i = 0; i < nInBuses; ++i) {
    InputBusConnection* conn = new InputBusConnection();
    memset(conn, 0, sizeof(*conn));
    if (!mInputConnections.Add(conn)) delete conn;
  }
  for (int side = 0; side < 2; ++side) {
    const int nBuses = side == 0 ? nInBuses : nOutBuses;
    const int nChannels = side == 0 ? nIn : nOut;
    Core_PtrList<BusChannels>* buses = side == 0 ? &mInputBuses : &mOutputBuses;
    for (int i = 0; i < nBuses; ++i) {
      BusChannels* bus = new BusChannels();
      bus->mBusActive = false;
      bus->mHostChannelCount = -1;
      bus->mFirstPlugChannel = 2 * i;
      bus->mPlugChannelCount = nChannels - 2 * i < 2 ? nChannels - 2 * i : 2;
      if (!buses->Add(bus)) delete bus;
    }
  }

  AssessInputConnections();
  SetBlockSize(kDefaultMaxFrames);
}

IPluginAU::IPluginAU(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
                     const char* productName, const char* mfrName, int vendorVersion, int uniqueID,
                     int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks,
                     bool plugIsInst)
    : IPluginAU(IPluginInstanceInfo(), nParams, channelIOStr, nPresets, effectName, productName,
                mfrName, vendorVersion, uniqueID, mfrID, latency, plugDoesMidi, plugDoesChunks,
                plugIsInst) {}

IPluginAU::~IPluginAU() {
  Trace(TRACELOC, "%s", GetEffectName());
  mRenderNotifications.Empty(true);
  mInputBuses.Empty(true);
  mOutputBuses.Empty(true);
  mInputConnections.Empty(true);
  mPropertyListeners.Empty(true);
}

void IPluginAU::SetBlockSize(int blockSize) {
  Trace(TRACELOC, "%d", blockSize);
  if (blockSize < 0) blockSize = 0;
  const long long inFloats = static_cast<long long>(NInChannels()) * blockSize;
  const long long outFloats = static_cast<long long>(NOutChannels()) * blockSize;
  mInputScratch.Resize(inFloats > INT_MAX ? 0 : static_cast<int>(inFloats));
  mOutputScratch.Resize(outFloats > INT_MAX ? 0 : static_cast<int>(outFloats));
  // A block size whose scratch could not be had is not taken: rendering checks frames against it.
  if (mInputScratch.GetSize() != inFloats || mOutputScratch.GetSize() != outFloats) {
    mInputScratch.Resize(0);
    mOutputScratch.Resize(0);
    blockSize = 0;
  }
  if (mInputScratch.Get())
    memset(mInputScratch.Get(), 0, sizeof(float) * static_cast<size_t>(mInputScratch.GetSize()));
  if (mOutputScratch.Get())
    memset(mOutputScratch.Get(), 0, sizeof(float) * static_cast<size_t>(mOutputScratch.GetSize()));
  IPluginBase::SetBlockSize(blockSize);
}

void IPluginAU::HostSpecificInit() { GetHost(); }

int IPluginAU::GetHost() {
  if (mHostKind != kHostUninit) return mHostKind;
  CFBundleRef mainBundle = CFBundleGetMainBundle();
  CFStringRef id = mainBundle ? CFBundleGetIdentifier(mainBundle) : nullptr;
  Core_TypedBuf<char> text(4096);
  if (CopyCFStringUTF8(id, &text)) SetHost(text.Get(), 0);
  if (mHostKind == kHostUninit) SetHost("", 0);
  return mHostKind;
}

bool IPluginAU::SendMidiMsg(IMidiMsg*) {
  // An effect has no way to send MIDI to its host.
  return false;
}

bool IPluginAU::SendMidiMsgs(Core_TypedBuf<IMidiMsg>* pMsgs) {
  for (int i = 0; pMsgs && i < pMsgs->GetSize(); ++i) SendMidiMsg(pMsgs->Get() + i);
  return true;
}
