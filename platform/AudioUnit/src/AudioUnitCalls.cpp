// Host-side Audio Unit calls: each packs its arguments and dispatches them to the unit's
// entry with the unit's instance storage.
#include <AudioUnit/AudioUnit.h>

#include "../../CoreServices/src/ComponentCall.h"

using cmimpl::DispatchCall;

OSStatus AudioUnitInitialize(AudioUnit inUnit) {
  return DispatchCall(inUnit, kAudioUnitInitializeSelect);
}

OSStatus AudioUnitUninitialize(AudioUnit inUnit) {
  return DispatchCall(inUnit, kAudioUnitUninitializeSelect);
}

OSStatus AudioUnitGetPropertyInfo(AudioUnit inUnit, AudioUnitPropertyID inID,
                                  AudioUnitScope inScope, AudioUnitElement inElement,
                                  UInt32* outDataSize, Boolean* outWritable) {
  return DispatchCall(inUnit, kAudioUnitGetPropertyInfoSelect, inID, inScope, inElement,
                      outDataSize, outWritable);
}

OSStatus AudioUnitGetProperty(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope,
                              AudioUnitElement inElement, void* outData, UInt32* ioDataSize) {
  return DispatchCall(inUnit, kAudioUnitGetPropertySelect, inID, inScope, inElement, outData,
                      ioDataSize);
}

OSStatus AudioUnitSetProperty(AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope,
                              AudioUnitElement inElement, const void* inData, UInt32 inDataSize) {
  return DispatchCall(inUnit, kAudioUnitSetPropertySelect, inID, inScope, inElement, inData,
                      inDataSize);
}

OSStatus AudioUnitAddPropertyListener(AudioUnit inUnit, AudioUnitPropertyID inID,
                                      AudioUnitPropertyListenerProc inProc, void* inProcUserData) {
  return DispatchCall(inUnit, kAudioUnitAddPropertyListenerSelect, inID, inProc, inProcUserData);
}

OSStatus AudioUnitRemovePropertyListener(AudioUnit inUnit, AudioUnitPropertyID inID,
                                         AudioUnitPropertyListenerProc inProc) {
  return DispatchCall(inUnit, kAudioUnitRemovePropertyListenerSelect, inID, inProc);
}

OSStatus AudioUnitRemovePropertyListenerWithUserData(AudioUnit inUnit, AudioUnitPropertyID inID,
                                                     AudioUnitPropertyListenerProc inProc,
                                                     void* inProcUserData) {
  return DispatchCall(inUnit, kAudioUnitRemovePropertyListenerWithUserDataSelect, inID, inProc,
                      inProcUserData);
}

OSStatus AudioUnitAddRenderNotify(AudioUnit inUnit, AURenderCallback inProc, void* inProcUserData) {
  return DispatchCall(inUnit, kAudioUnitAddRenderNotifySelect, inProc, inProcUserData);
}

OSStatus AudioUnitRemoveRenderNotify(AudioUnit inUnit, AURenderCallback inProc,
                                     void* inProcUserData) {
  return DispatchCall(inUnit, kAudioUnitRemoveRenderNotifySelect, inProc, inProcUserData);
}

OSStatus AudioUnitGetParameter(AudioUnit inUnit, AudioUnitParameterID inID, AudioUnitScope inScope,
                               AudioUnitElement inElement, AudioUnitParameterValue* outValue) {
  return DispatchCall(inUnit, kAudioUnitGetParameterSelect, inID, inScope, inElement, outValue);
}

OSStatus AudioUnitSetParameter(AudioUnit inUnit, AudioUnitParameterID inID, AudioUnitScope inScope,
                               AudioUnitElement inElement, AudioUnitParameterValue inValue,
                               UInt32 inBufferOffsetInFrames) {
  return DispatchCall(inUnit, kAudioUnitSetParameterSelect, inID, inScope, inElement, inValue,
                      inBufferOffsetInFrames);
}

OSStatus AudioUnitScheduleParameters(AudioUnit inUnit,
                                     const AudioUnitParameterEvent* inParameterEvent,
                                     UInt32 inNumParamEvents) {
  return DispatchCall(inUnit, kAudioUnitScheduleParametersSelect, inParameterEvent,
                      inNumParamEvents);
}

OSStatus AudioUnitRender(AudioUnit inUnit, AudioUnitRenderActionFlags* ioActionFlags,
                         const AudioTimeStamp* inTimeStamp, UInt32 inOutputBusNumber,
                         UInt32 inNumberFrames, AudioBufferList* ioData) {
  return DispatchCall(inUnit, kAudioUnitRenderSelect, ioActionFlags, inTimeStamp, inOutputBusNumber,
                      inNumberFrames, ioData);
}

OSStatus AudioUnitReset(AudioUnit inUnit, AudioUnitScope inScope, AudioUnitElement inElement) {
  return DispatchCall(inUnit, kAudioUnitResetSelect, inScope, inElement);
}

OSStatus MusicDeviceMIDIEvent(MusicDeviceComponent inUnit, UInt32 inStatus, UInt32 inData1,
                              UInt32 inData2, UInt32 inOffsetSampleFrame) {
  return DispatchCall(inUnit, kMusicDeviceMIDIEventSelect, inStatus, inData1, inData2,
                      inOffsetSampleFrame);
}

OSStatus MusicDeviceSysEx(MusicDeviceComponent inUnit, const UInt8* inData, UInt32 inLength) {
  return DispatchCall(inUnit, kMusicDeviceSysExSelect, inData, inLength);
}

OSStatus MusicDevicePrepareInstrument(MusicDeviceComponent inUnit,
                                      MusicDeviceInstrumentID inInstrument) {
  return DispatchCall(inUnit, kMusicDevicePrepareInstrumentSelect, inInstrument);
}

OSStatus MusicDeviceReleaseInstrument(MusicDeviceComponent inUnit,
                                      MusicDeviceInstrumentID inInstrument) {
  return DispatchCall(inUnit, kMusicDeviceReleaseInstrumentSelect, inInstrument);
}

OSStatus MusicDeviceStartNote(MusicDeviceComponent inUnit, MusicDeviceInstrumentID inInstrument,
                              MusicDeviceGroupID inGroupID, NoteInstanceID* outNoteInstanceID,
                              UInt32 inOffsetSampleFrame, const MusicDeviceNoteParams* inParams) {
  return DispatchCall(inUnit, kMusicDeviceStartNoteSelect, inInstrument, inGroupID,
                      outNoteInstanceID, inOffsetSampleFrame, inParams);
}

OSStatus MusicDeviceStopNote(MusicDeviceComponent inUnit, MusicDeviceGroupID inGroupID,
                             NoteInstanceID inNoteInstanceID, UInt32 inOffsetSampleFrame) {
  return DispatchCall(inUnit, kMusicDeviceStopNoteSelect, inGroupID, inNoteInstanceID,
                      inOffsetSampleFrame);
}

OSStatus AudioUnitCarbonViewCreate(AudioUnitCarbonView inView, AudioUnit inAudioUnit,
                                   WindowRef inWindow, ControlRef inParentControl,
                                   const Float32Point* inLocation, const Float32Point* inSize,
                                   ControlRef* outControl) {
  return DispatchCall(inView, kAudioUnitCarbonViewCreateSelect, inAudioUnit, inWindow,
                      inParentControl, inLocation, inSize, outControl);
}
