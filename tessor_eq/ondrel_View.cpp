// Tessor EQ's Cocoa view factory, registered under the name the unit announces
// (kOndrelViewFactoryClass) as soon as the component's module is loaded. It lives in the
// component alone, so that one process knows one class of that name.
#include "framework/au/IPluginAU_ViewFactory.h"
#include "tessor_eq/ondrel.h"

class ondrel_View : public IPluginAU_ViewFactory {
  NS_OBJECT_CLASS(ondrel_View, IPluginAU_ViewFactory)

 protected:
  const char* EffectName() const override { return ondrel::kEffectName; }
};

ondrel_View::~ondrel_View() {}

NS_REGISTER_CLASS(ondrel_View);
