// Dictionaries keyed by strings (compared by their text), holding retained objects.
#ifndef __FOUNDATION_NSDICTIONARY__
#define __FOUNDATION_NSDICTIONARY__

#include <utility>
#include <vector>

#include <Foundation/NSString.h>

class NSDictionary : public NSObject {
  NS_OBJECT_CLASS(NSDictionary, NSObject)

  // The object under the key (not retained), null when there is none.
  NSObject* objectForKey(const NSString* key) const;
  NSUInteger count() const { return m_entries.size(); }

 protected:
  std::vector<std::pair<NSString*, NSObject*>> m_entries;  // both retained
};

class NSMutableDictionary : public NSDictionary {
  NS_OBJECT_CLASS(NSMutableDictionary, NSDictionary)

  static NSMutableDictionary* dictionary();  // autoreleased
  // Retains the object and the key, replacing what the key held. A null object or key is
  // refused (the platform would raise an exception): false, nothing changes.
  bool setObject_forKey(NSObject* object, NSString* key);
  void removeObjectForKey(const NSString* key);
};

#endif
