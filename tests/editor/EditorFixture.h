#pragma once
// A plug-in with an attached RecordingGraphics of 100 x 60 pixels, and probes to add to it.
// Parameters: 0 "Gain" -10..10 dB (default 0), 1 "Mode" enumeration of five, 2 "Switch".

#include <gtest/gtest.h>

#include "tests/editor/RecordingGraphics.h"
#include "tests/framework/TestPlugin.h"

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() : g(new RecordingGraphics(&p, 100, 60)) {
    p.GetParam(0)->InitDouble("Gain", 0.0, -10.0, 10.0, 0.1, "dB");
    p.GetParam(1)->InitEnum("Mode", 0, 5);
    p.GetParam(2)->InitBool("Switch", false);
    p.AttachGraphics(g);
    g->log.clear();
  }

  ProbeControl* Probe(const char* name, const IRECT& r, int paramIdx = -1) {
    auto* c = new ProbeControl(&p, r, paramIdx, &log, name);
    g->AttachControl(c);
    return c;
  }
  template <class T>
  T* Attach(T* control) {
    g->AttachControl(control);
    return control;
  }
  void CleanAll() {
    IRECT all(0, 0, 100, 60);
    g->Draw(&all);
    g->Draw(&all);  // a second time for controls with a redraw pending
    log.clear();
    g->calls.clear();
    g->log.clear();
  }

  std::vector<std::string> log;  // the probes'; outlives the plug-in and its editor
  TestPlugin p;
  RecordingGraphics* g;  // owned by p
};

using Log = std::vector<std::string>;
