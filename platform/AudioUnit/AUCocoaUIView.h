// The Cocoa view factory protocol: a plug-in bundle names a class adopting it in its
// kAudioUnitProperty_CocoaUI answer; the host makes an instance of that class by name (the
// class registry), asks it for the unit's view and embeds the view in a window of its own.
// The protocol is a class here: a factory derives from AUCocoaUIBase, and a host recognises an
// object of such a class with NSObjectCast<AUCocoaUIBase>.
#ifndef __AUCocoaUIView_h__
#define __AUCocoaUIView_h__

#include <AppKit/AppKit.h>
#include <AudioUnit/AudioUnit.h>

class AUCocoaUIBase : public NSObject {
  NS_OBJECT_CLASS(AUCocoaUIBase, NSObject)

  // The protocol's version; 0.
  virtual unsigned interfaceVersion() { return 0; }
  // A new view on the unit, sized as the factory sees fit (preferredSize is a hint); the host
  // adds it to a window. Nil when the factory has no view for this unit.
  virtual NSView* uiViewForAudioUnit_withSize(AudioUnit unit, NSSize preferredSize);
  // A name for the view, shown by hosts (autoreleased); nil by default.
  virtual NSString* description();
};

#endif
