// Buses, input connections, channel checks and the render procedure of the Audio Unit wrapper.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/Core_Assert.h"
#include "framework/IPluginUtilities.h"
#include "framework/au/IPluginAU.h"

#define TRACELOC __FUNCTION__, __LINE__

namespace {

// An AudioBufferList with room for kMaxBusPullBuffers buffers, on the stack.
struct PullBufferList {
  UInt32 mNumberBuffers;
  AudioBuffer mBuffers[kMaxBusPullBuffers];

  AudioBufferList* List() { return reinterpret_cast<AudioBufferList*>(this); }
};
static_assert(offsetof(PullBufferList, mBuffers) == offsetof(AudioBufferList, mBuffers),
              "pull buffer list layout");

}  // namespace

const char* IPluginAU::AUInputTypeStr(EAUInputType type) {
  switch (type) {
    case DirectFastProc:
      return "DirectFastProc";
    case DirectNoFastProc:
      return "DirectNoFastProc";
    case RenderCallback:
      return "RenderCallback";
    default:
      return "NotConnected";
  }
}

IPluginAU::BusChannels* IPluginAU::GetBus(AudioUnitScope scope, AudioUnitElement element) {
  if (element > static_cast<AudioUnitElement>(INT32_MAX)) return nullptr;
  const int idx = static_cast<int>(element);
  if (scope == kAudioUnitScope_Input) return mInputBuses.Get(idx);
  if (scope == kAudioUnitScope_Output || scope == kAudioUnitScope_Global)
    return mOutputBuses.Get(idx);
  return nullptr;
}

int IPluginAU::NHostChannelsConnected(Core_PtrList<BusChannels>* pBuses, int excludeIdx) {
  bool counted = false;
  int n = 0;
  for (int i = 0; i < pBuses->GetSize(); ++i) {
    const BusChannels* bus = pBuses->Get(i);
    if (i == excludeIdx || bus->mHostChannelCount < 0) continue;
    counted = true;
    n += bus->mHostChannelCount;
  }
  return counted ? n : -1;
}

bool IPluginAU::CheckLegalIO() {
  const int nIn = NHostChannelsConnected(&mInputBuses, -1);
  const int nOut = NHostChannelsConnected(&mOutputBuses, -1);
  return (nIn == 0 && nOut == 0) || LegalIO(nIn, nOut);
}

bool IPluginAU::CheckLegalIO(AudioUnitScope scope, int busIdx, int nChannels) {
  if (scope == kAudioUnitScope_Input) {
    int nIn = NHostChannelsConnected(&mInputBuses, busIdx);
    if (nIn < 0) nIn = 0;
    const int nOut = mInitialized ? NHostChannelsConnected(&mOutputBuses, -1) : -1;
    return LegalIO(nIn + nChannels, nOut);
  }
  const int nIn = mInitialized ? NHostChannelsConnected(&mInputBuses, -1) : -1;
  int nOut = NHostChannelsConnected(&mOutputBuses, busIdx);
  if (nOut < 0) nOut = 0;
  return LegalIO(nIn, nOut + nChannels);
}

void IPluginAU::AssessInputConnections() {
  Core_MutexLock lock(&mPlugLock);
  SetInputChannelConnections(0, NInChannels(), false);
  for (int i = 0; i < mInputBuses.GetSize(); ++i) {
    BusChannels* bus = mInputBuses.Get(i);
    InputBusConnection* conn = mInputConnections.Get(i);
    if (!conn) continue;
    if (conn->mSourceRenderProc && conn->mSourceObject) {
      conn->mKind = DirectFastProc;
    } else if (conn->mSourceUnit) {
      conn->mKind = DirectNoFastProc;
    } else if (conn->mHostCallback.inputProc) {
      conn->mKind = RenderCallback;
    } else {
      conn->mKind = NotConnected;
    }
    bus->mBusActive = conn->mKind != NotConnected;
    if (bus->mBusActive) {
      if (bus->mHostChannelCount < 0) {
        Trace(TRACELOC, "AssumeChannels:%d", bus->mPlugChannelCount);
        bus->mHostChannelCount = bus->mPlugChannelCount;
      }
      const int host = bus->mHostChannelCount;
      const int rest = bus->mPlugChannelCount - host;
      SetInputChannelConnections(bus->mFirstPlugChannel, host, true);
      SetInputChannelConnections(bus->mFirstPlugChannel + host, rest > 0 ? rest : 0, false);
    }
    Trace(TRACELOC, "%d:%s:%d:%d:%d", i, AUInputTypeStr(conn->mKind), bus->mFirstPlugChannel,
          bus->mPlugChannelCount, bus->mHostChannelCount);
  }
}

void IPluginAU::ClearConnections() {
  for (int i = 0; i < mInputBuses.GetSize(); ++i) {
    BusChannels* bus = mInputBuses.Get(i);
    bus->mBusActive = false;
    bus->mHostChannelCount = -1;
    InputBusConnection* conn = mInputConnections.Get(i);
    if (conn) memset(conn, 0, sizeof(*conn));
  }
  for (int i = 0; i < mOutputBuses.GetSize(); ++i) {
    BusChannels* bus = mOutputBuses.Get(i);
    bus->mBusActive = false;
    bus->mHostChannelCount = -1;
  }
}

void IPluginAU::MakeDefaultASBD(AudioStreamBasicDescription* pASBD, double sampleRate,
                                int nChannels, bool interleaved) {
  memset(pASBD, 0, sizeof(*pASBD));
  pASBD->mSampleRate = sampleRate;
  pASBD->mFormatID = kAudioFormatLinearPCM;
  pASBD->mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked;
  if (!interleaved) pASBD->mFormatFlags |= kAudioFormatFlagIsNonInterleaved;
  pASBD->mFramesPerPacket = 1;
  pASBD->mChannelsPerFrame = static_cast<UInt32>(nChannels);
  pASBD->mBitsPerChannel = 32;
  const UInt32 bytes = interleaved ? 4 * static_cast<UInt32>(nChannels) : 4;
  pASBD->mBytesPerPacket = bytes;
  pASBD->mBytesPerFrame = bytes;
}

void IPluginAU::CallRenderNotifications(AudioUnitRenderActionFlags flags,
                                        const AudioTimeStamp* pTimestamp, UInt32 outputBusIdx,
                                        UInt32 nFrames, AudioBufferList* pBufferList) {
  for (int i = 0; i < mRenderNotifications.GetSize(); ++i) {
    const RenderNotification* rec = mRenderNotifications.Get(i);
    AudioUnitRenderActionFlags localFlags = flags;
    if (rec->mProc)
      rec->mProc(rec->mUserData, &localFlags, pTimestamp, outputBusIdx, nFrames, pBufferList);
  }
}

// Reached through the render selector (mutex held by the entry point) or directly by a host that
// took it from fast dispatch. Either way it holds the plug-in mutex for the whole render, so the
// plug-in's processing never overlaps a parameter change, a state restore or a property change
// from another thread; the mutex is recursive, so the entry-point path simply re-enters it.
ComponentResult IPluginAU::RenderProc(void* pPlug, AudioUnitRenderActionFlags*,
                                      const AudioTimeStamp* pTimestamp, UInt32 outputBusIdx,
                                      UInt32 nFrames, AudioBufferList* pBufferList) {
  IPluginAU* plug = static_cast<IPluginAU*>(pPlug);
  if (!plug || !pTimestamp || !pBufferList) return paramErr;
  Core_MutexLock lock(&plug->mPlugLock);
  Trace(TRACELOC, "%u:%u:%u", outputBusIdx, pBufferList->mNumberBuffers, nFrames);

  if (plug->mBypass) return noErr;

  if (!(pTimestamp->mFlags & kAudioTimeStampSampleTimeValid) ||
      outputBusIdx >= static_cast<UInt32>(plug->mOutputBuses.GetSize()) ||
      nFrames > static_cast<UInt32>(plug->mMaxBlock)) {
    return kAudioUnitErr_InvalidPropertyValue;
  }
  const int n = static_cast<int>(nFrames);

  plug->CallRenderNotifications(kAudioUnitRenderAction_PreRender, pTimestamp, outputBusIdx, nFrames,
                                pBufferList);

  if (pTimestamp->mSampleTime != plug->mLastRenderSampleTime) {
    for (int i = 0; i < plug->mInputBuses.GetSize(); ++i) {
      BusChannels* bus = plug->mInputBuses.Get(i);
      InputBusConnection* conn = plug->mInputConnections.Get(i);
      if (!bus->mBusActive) continue;
      const bool inputBusAssessed = conn && conn->mKind != NotConnected;
      CORE_ASSERT(inputBusAssessed);

      PullBufferList pull;
      int nBuffers = bus->mHostChannelCount;
      if (nBuffers > kMaxBusPullBuffers) nBuffers = kMaxBusPullBuffers;
      if (nBuffers < 0) nBuffers = 0;
      pull.mNumberBuffers = static_cast<UInt32>(nBuffers);
      for (int j = 0; j < nBuffers; ++j) {
        pull.mBuffers[j].mNumberChannels = 1;
        pull.mBuffers[j].mDataByteSize = nFrames * sizeof(float);
        pull.mBuffers[j].mData = nullptr;
      }
      AudioUnitRenderActionFlags flags = 0;
      ComponentResult r = noErr;
      switch (conn->mKind) {
        case DirectNoFastProc:
          r = AudioUnitRender(conn->mSourceUnit, &flags, pTimestamp, conn->mSourceOutput, nFrames,
                              pull.List());
          break;
        case RenderCallback: {
          float* scratch = plug->mInputScratch.Get();
          for (int j = 0; j < nBuffers; ++j) {
            // Channels beyond the plug-in's own have no scratch of their own: they share the
            // bus's last one (the base ignores them anyway).
            int ch = bus->mFirstPlugChannel + j;
            if (ch >= plug->NInChannels()) ch = plug->NInChannels() - 1;
            pull.mBuffers[j].mData = scratch ? scratch + static_cast<size_t>(ch) * n : nullptr;
          }
          r = conn->mHostCallback.inputProc(conn->mHostCallback.inputProcRefCon, &flags, pTimestamp,
                                            static_cast<UInt32>(i), nFrames, pull.List());
          break;
        }
        case DirectFastProc:
          r = conn->mSourceRenderProc(conn->mSourceObject, &flags, pTimestamp, conn->mSourceOutput,
                                      nFrames, pull.List());
          break;
        default:
          break;
      }
      if (r != noErr) return r;

      // A source may answer with fewer buffers than asked for; the others are silence.
      for (int j = 0; j < nBuffers && j < bus->mPlugChannelCount; ++j) {
        float* data = j < static_cast<int>(pull.mNumberBuffers)
                          ? static_cast<float*>(pull.mBuffers[j].mData)
                          : nullptr;
        plug->AttachInputBuffers(bus->mFirstPlugChannel + j, 1, &data, n);
      }
    }
    plug->mLastRenderSampleTime = pTimestamp->mSampleTime;
  }

  BusChannels* outBus = plug->mOutputBuses.Get(static_cast<int>(outputBusIdx));
  const UInt32 nBuffers = pBufferList->mNumberBuffers;
  if (!outBus->mBusActive || outBus->mHostChannelCount != static_cast<int32_t>(nBuffers)) {
    const UInt32 hostCount = static_cast<UInt32>(outBus->mHostChannelCount);
    UInt32 mapped = hostCount < nBuffers ? hostCount : nBuffers;
    // Buffers beyond the bus's own channels are left alone: they are not this bus's to fill.
    if (mapped > static_cast<UInt32>(outBus->mPlugChannelCount))
      mapped = static_cast<UInt32>(outBus->mPlugChannelCount);
    const int m = static_cast<int>(mapped);
    const int rest = outBus->mPlugChannelCount - m;
    plug->SetOutputChannelConnections(outBus->mFirstPlugChannel, m, true);
    plug->SetOutputChannelConnections(outBus->mFirstPlugChannel + m, rest > 0 ? rest : 0, false);
    outBus->mBusActive = true;
  }

  float* outScratch = plug->mOutputScratch.Get();
  for (UInt32 j = 0; j < nBuffers && j < static_cast<UInt32>(outBus->mPlugChannelCount); ++j) {
    AudioBuffer& buf = pBufferList->mBuffers[j];
    const int ch = outBus->mFirstPlugChannel + static_cast<int>(j);
    if (!buf.mData && outScratch) buf.mData = outScratch + static_cast<size_t>(ch) * n;
    float* data = static_cast<float*>(buf.mData);
    plug->AttachOutputBuffers(ch, 1, &data);
  }

  plug->ProcessBuffers(0.0f, n);

  plug->CallRenderNotifications(kAudioUnitRenderAction_PostRender, pTimestamp, outputBusIdx,
                                nFrames, pBufferList);
  return noErr;
}
