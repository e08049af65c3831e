// Bundles as Foundation sees them: the CoreFoundation bundles of the process (see
// <CoreFoundation/CFBundle.h> for the directory layout), found by identifier or path.
#ifndef __FOUNDATION_NSBUNDLE__
#define __FOUNDATION_NSBUNDLE__

#include <CoreFoundation/CFBundle.h>
#include <Foundation/NSString.h>

class NSBundle : public NSObject {
  NS_OBJECT_CLASS(NSBundle, NSObject)

  // The bundle, not retained: bundle objects live as long as the process. Null when no
  // loaded bundle has the identifier, or no bundle directory is at the path.
  static NSBundle* bundleWithIdentifier(const NSString* identifier);
  static NSBundle* bundleWithPath(const NSString* path);
  static NSBundle* mainBundle();

  // Autoreleased strings; null when the bundle has no such thing.
  NSString* bundleIdentifier() const;
  NSString* bundlePath() const;
  NSString* resourcePath() const;
  NSString* executablePath() const;
  // Resources/name.type when that file exists, else null. The name is taken as it is,
  // separators included; callers strip directory parts they do not want searched.
  NSString* pathForResource_ofType(const NSString* name, const NSString* type) const;

  CFBundleRef CFBundle() const { return m_bundle; }

 private:
  static NSBundle* ForCFBundle(CFBundleRef bundle);
  CFBundleRef m_bundle = nullptr;
};

#endif
