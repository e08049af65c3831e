// Integer types and the class registry: a loaded bundle announces its classes by name and a
// host makes instances of a class it knows only by name (the Cocoa view factory a plug-in
// names in its properties).
#ifndef __FOUNDATION_NSOBJCRUNTIME__
#define __FOUNDATION_NSOBJCRUNTIME__

#include <Foundation/NSObject.h>

typedef long NSInteger;
typedef unsigned long NSUInteger;

// Registers a class under its name. True when registered, or when that very class (or one
// of the same name and superclass name, the same class seen from another binary) already
// is; false for null and when another class holds the name.
bool NSRegisterClass(Class cls);
// The registered class of that name, else null.
Class NSClassFromString(const char* name);
// The class's name; null for null.
const char* NSStringFromClass(Class cls);
// A new instance of the class, initialised with its init (null when either fails). The
// caller owns the reference.
NSObject* NSCreateInstance(Class cls);

// Registers a class when the binary that holds it is loaded.
#define NS_REGISTER_CLASS(Name) \
  static const bool Name##_classRegistered __attribute__((unused)) = NSRegisterClass(Name::class_())

#endif
