// The root of the Foundation and AppKit stand-ins' objects, in C++: reference counting
// (retain / release / autorelease), a run-time class check (isKindOfClass), and recognising
// an object behind an opaque pointer. Member names are spelled from the platform's selectors
// (initWithContentsOfFile: -> initWithContentsOfFile, initWithCGImage:size: ->
// initWithCGImage_size); creating is alloc() then an init..., as on the platform: an init
// that fails releases the object and returns null.
#ifndef __FOUNDATION_NSOBJECT__
#define __FOUNDATION_NSOBJECT__

#include <atomic>
#include <new>

class NSObject;

// A class as the run time sees it: its name, its superclass (null for the root) and how to
// make an uninitialised instance of it (count one; null when memory is short).
struct NSClassDescription {
  const char* name;
  const NSClassDescription* superclass;
  NSObject* (*allocate)();
};
typedef const NSClassDescription* Class;

// Declares the class members every subclass has: class_() (the platform's +class), alloc()
// and the run-time class of instances.
#define NS_OBJECT_CLASS(Name, Super)                                                            \
 public:                                                                                        \
  static Class class_() {                                                                       \
    static const NSClassDescription description = {#Name, Super::class_(), &Name::allocObject}; \
    return &description;                                                                        \
  }                                                                                             \
  static Name* alloc() { return new (std::nothrow) Name(); }                                    \
  static NSObject* allocObject() { return alloc(); }                                            \
  Class isa() const override { return class_(); }                                               \
                                                                                                \
 protected:                                                                                     \
  ~Name() override;                                                                             \
                                                                                                \
 public:

class NSObject {
 public:
  static Class class_();
  static NSObject* alloc() { return new (std::nothrow) NSObject(); }
  static NSObject* allocObject() { return alloc(); }
  // Virtual, so that code holding only a Class (a host that instantiates a class by name)
  // runs the subclass's initialiser.
  virtual NSObject* init() { return this; }

  // The count starts at one (the creator's reference); the last release deletes. Counting
  // is thread-safe.
  NSObject* retain();
  void release();
  // Hands the caller's reference to the innermost autorelease pool of this thread, which
  // releases it when drained (see NSAutoreleasePool.h). Returns this.
  NSObject* autorelease();
  unsigned long retainCount() const { return m_refs.load(std::memory_order_relaxed); }

  virtual Class isa() const { return class_(); }
  // Class names are unique in a process (the class registry refuses a second class of a
  // name), so a class is matched by identity or by name: a class compiled into a loaded
  // bundle and the same class seen from the host are one class.
  bool isKindOfClass(Class cls) const;
  bool isMemberOfClass(Class cls) const;
  const char* className() const { return isa()->name; }

  // The object at p when p points at a live object of these stand-ins, else null; any
  // pointer may be asked, so code handed an opaque pointer can check what it is.
  static NSObject* fromOpaque(const void* p);

 protected:
  NSObject();
  virtual ~NSObject();

 private:
  NSObject(const NSObject&) = delete;
  NSObject& operator=(const NSObject&) = delete;
  std::atomic<unsigned long> m_refs{1};
};

// The object at p when it is live and of class T or a subclass, else null.
template <class T>
T* NSObjectCast(const void* p) {
  NSObject* o = NSObject::fromOpaque(p);
  return o && o->isKindOfClass(T::class_()) ? static_cast<T*>(o) : nullptr;
}

// Releases and clears a pointer to an object; null does nothing.
template <class T>
void NSRelease(T*& object) {
  if (object) object->release();
  object = nullptr;
}

#endif
