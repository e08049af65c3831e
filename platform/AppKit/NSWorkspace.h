// The desktop: opening addresses in the user's browser (see WindowSystemOpenedURLs).
#ifndef __APPKIT_NSWORKSPACE__
#define __APPKIT_NSWORKSPACE__

#include <Foundation/Foundation.h>

class NSWorkspace : public NSObject {
  NS_OBJECT_CLASS(NSWorkspace, NSObject)

  static NSWorkspace* sharedWorkspace();
  // True when the address was handed to the desktop's opener; false for null.
  bool openURL(const NSURL* url);
};

#endif
