// String-keyed dictionaries.
#include "Foundation/NSDictionary.h"

NSDictionary::~NSDictionary() {
  for (auto& e : m_entries) {
    e.first->release();
    e.second->release();
  }
}

NSObject* NSDictionary::objectForKey(const NSString* key) const {
  if (!key) return nullptr;
  for (const auto& e : m_entries)
    if (e.first->isEqualToString(key)) return e.second;
  return nullptr;
}

NSMutableDictionary::~NSMutableDictionary() {}

NSMutableDictionary* NSMutableDictionary::dictionary() {
  NSMutableDictionary* d = alloc();
  return d ? static_cast<NSMutableDictionary*>(d->autorelease()) : nullptr;
}

bool NSMutableDictionary::setObject_forKey(NSObject* object, NSString* key) {
  if (!object || !key) return false;
  object->retain();
  for (auto& e : m_entries) {
    if (e.first->isEqualToString(key)) {
      e.second->release();
      e.second = object;
      return true;
    }
  }
  key->retain();
  m_entries.emplace_back(key, object);
  return true;
}

void NSMutableDictionary::removeObjectForKey(const NSString* key) {
  if (!key) return;
  for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
    if (it->first->isEqualToString(key)) {
      NSString* k = it->first;
      NSObject* o = it->second;
      m_entries.erase(it);
      k->release();
      o->release();
      return;
    }
  }
}

NS_REGISTER_CLASS(NSDictionary);
NS_REGISTER_CLASS(NSMutableDictionary);
