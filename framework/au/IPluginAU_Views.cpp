// The two ways a host opens the plug-in's editor: the Cocoa view factory and the Carbon view
// component's entry. Both only find the plug-in behind the Audio Unit and open its editor.
#include <string>

#include "framework/IPluginUtilities.h"
#include "framework/au/IPluginAU.h"
#include "framework/au/IPluginAU_ViewFactory.h"
#include "framework/editor/IGraphics.h"

#define TRACELOC __FUNCTION__, __LINE__

IPluginAU_ViewFactory::~IPluginAU_ViewFactory() {}

IPluginAU_ViewFactory* IPluginAU_ViewFactory::init() {
  mPlug = nullptr;
  return static_cast<IPluginAU_ViewFactory*>(AUCocoaUIBase::init());
}

NSView* IPluginAU_ViewFactory::uiViewForAudioUnit_withSize(AudioUnit unit, NSSize) {
  // The storage is the IPluginAU the entry registered on open.
  mPlug = reinterpret_cast<IPluginAU*>(GetComponentInstanceStorage(unit));
  if (!mPlug || !mPlug->GetGUI()) return nullptr;
  return static_cast<NSView*>(mPlug->GetGUI()->OpenWindow(nullptr));
}

NSString* IPluginAU_ViewFactory::description() {
  return NSString::FromStd(std::string(EffectName()) + " View");
}

namespace {

// What the Carbon view component keeps per view instance. The Audio Unit is kept beside its
// plug-in so that closing the view after the unit can tell the plug-in is gone.
struct CarbonViewRecord {
  ComponentInstance mView;
  IPluginBase* mPlug;
  AudioUnit mUnit;
};

// The plug-in the record was created for, while its Audio Unit is still open.
IPluginBase* LivePlug(const CarbonViewRecord* rec) {
  if (!rec->mPlug) return nullptr;
  const Handle storage = GetComponentInstanceStorage(rec->mUnit);
  return reinterpret_cast<IPluginAU*>(storage) == rec->mPlug ? rec->mPlug : nullptr;
}

constexpr int kCreateArgs = 6;  // unit, window, parent control, location, size, out control

}  // namespace

ComponentResult IPluginAU::IPluginAUCarbonViewEntry(ComponentParameters* params, void* pView) {
  if (!params) return paramErr;
  const int select = params->what;
  Trace(TRACELOC, "%d:%s", select, AUSelectStr(select));
  CarbonViewRecord* rec = static_cast<CarbonViewRecord*>(pView);

  switch (select) {
    case kComponentOpenSelect: {
      if (params->paramSize < sizeof(long)) return paramErr;
      ComponentInstance view = reinterpret_cast<ComponentInstance>(params->params[0]);
      rec = new CarbonViewRecord{view, nullptr, nullptr};
      SetComponentInstanceStorage(view, reinterpret_cast<Handle>(rec));
      return noErr;
    }
    case kComponentCloseSelect:
      if (!rec) return noErr;
      if (IPluginBase* plug = LivePlug(rec))
        if (plug->GetGUI()) plug->GetGUI()->CloseWindow();
      delete rec;
      return noErr;

    case kAudioUnitCarbonViewCreateSelect: {
      if (!rec || params->paramSize < kCreateArgs * sizeof(long)) return paramErr;
      // The last public argument is in word 0.
      const long* w = params->params;
      AudioUnit unit = reinterpret_cast<AudioUnit>(w[5]);
      void* window = reinterpret_cast<void*>(w[4]);
      void* parentControl = reinterpret_cast<void*>(w[3]);
      ControlRef* outControl = reinterpret_cast<ControlRef*>(w[0]);
      IPluginBase* plug = reinterpret_cast<IPluginAU*>(GetComponentInstanceStorage(unit));
      rec->mPlug = plug;
      rec->mUnit = unit;
      if (!plug || !plug->GetGUI()) return badComponentSelector;
      void* control = plug->GetGUI()->OpenWindow(window, parentControl);
      if (outControl) *outControl = static_cast<ControlRef>(control);
      // A window the editor cannot live in (not a Carbon window of this process) gives no
      // control, which the host must not take for success.
      return control ? noErr : paramErr;
    }
    default:
      return badComponentSelector;
  }
}
