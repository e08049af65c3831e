// The equaliser's signal path run directly, outside any component: what a render through the
// component must produce for the same parameters, block by block.
#pragma once

#include <vector>

#include "tessor_eq/ondrel.h"

class ReferenceEq : public ondrel {
 public:
  ReferenceEq(int nChannels, int blockSize) : mChannels(nChannels) {
    SetBlockSize(blockSize);
    SetInputChannelConnections(0, nChannels, true);
    SetOutputChannelConnections(0, nChannels, true);
    SetInputChannelConnections(nChannels, 2, false);
    SetOutputChannelConnections(nChannels, 2, false);
  }

  void SetParam(int idx, double value) { GetParam(idx)->Set(value); }
  // What initialize does: every parameter's change handler.
  void Start() { OnParamReset(); }

  // Processes one block of the channels in place, through the same float entry a host uses.
  void Process(std::vector<float*> channels, int nFrames) {
    AttachInputBuffers(0, mChannels, channels.data(), nFrames);
    AttachOutputBuffers(0, mChannels, channels.data());
    ProcessBuffers(0.0f, nFrames);
  }

 private:
  int mChannels;
};
