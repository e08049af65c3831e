// The Cocoa view factory protocol's defaults: no view, no name.
#include <AudioUnit/AUCocoaUIView.h>

AUCocoaUIBase::~AUCocoaUIBase() {}

NSView* AUCocoaUIBase::uiViewForAudioUnit_withSize(AudioUnit, NSSize) { return nullptr; }

NSString* AUCocoaUIBase::description() { return nullptr; }
