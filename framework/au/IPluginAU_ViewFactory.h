#pragma once
// The Cocoa view factory of a plug-in on the Audio Unit wrapper. A plug-in declares a subclass
// under the name its kAudioUnitProperty_CocoaUI answer announces (its IPluginInstanceInfo's
// mViewFactoryClass), gives it its effect name and registers it when its component is loaded:
//
//   class ondrel_View : public IPluginAU_ViewFactory {
//     NS_OBJECT_CLASS(ondrel_View, IPluginAU_ViewFactory)
//    protected:
//     const char* EffectName() const override { return "Tessor EQ"; }
//   };
//   NS_REGISTER_CLASS(ondrel_View);
//
// A host then makes an instance by name and asks it for the view: the factory finds the
// plug-in behind the Audio Unit and opens the plug-in's editor, which it does not create.

#include <AudioUnit/AUCocoaUIView.h>

class IPluginBase;

class IPluginAU_ViewFactory : public AUCocoaUIBase {
  NS_OBJECT_CLASS(IPluginAU_ViewFactory, AUCocoaUIBase)

  // No plug-in yet.
  IPluginAU_ViewFactory* init() override;
  // The editor's view of the plug-in behind the unit, in the editor's own size whatever size is
  // asked for; nil when the unit has no plug-in or the plug-in no editor.
  NSView* uiViewForAudioUnit_withSize(AudioUnit unit, NSSize preferredSize) override;
  unsigned interfaceVersion() override { return 0; }
  // The effect name followed by " View".
  NSString* description() override;

 protected:
  virtual const char* EffectName() const { return ""; }

 private:
  IPluginBase* mPlug = nullptr;  // the plug-in the last view was made for
};
