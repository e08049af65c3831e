// The root of the Foundation and AppKit stand-ins' objects, in C++: reference counting
// (retain / release), a run-time class check (isKindOfClass), and recognising an object
// behind an opaque pointer. Member names are spelled from the platform's selectors
// (initWithContentsOfFile: -> initWithContentsOfFile, initWithCGImage:size: ->
// initWithCGImage_size); creating is alloc() then an init..., as on the platform: an init
// that fails releases the object and returns null.
#ifndef __FOUNDATION_NSOBJECT__
#define __FOUNDATION_NSOBJECT__

#include <atomic>
#include <new>

// A class as the run time sees it: its name and its superclass (null for the root).
struct NSClassDescription {
  const char* name;
  const NSClassDescription* superclass;
};
typedef const NSClassDescription* Class;

// Declares the class members every subclass has: class_() (the platform's +class), alloc()
// and the run-time class of instances.
#define NS_OBJECT_CLASS(Name, Super)                                        \
 public:                                                                    \
  static Class class_() {                                                   \
    static const NSClassDescription description = {#Name, Super::class_()}; \
    return &description;                                                    \
  }                                                                         \
  static Name* alloc() { return new (std::nothrow) Name(); }                \
  Class isa() const override { return class_(); }                           \
                                                                            \
 protected:                                                                 \
  ~Name() override;                                                         \
                                                                            \
 public:

class NSObject {
 public:
  static Class class_();
  static NSObject* alloc() { return new (std::nothrow) NSObject(); }
  NSObject* init() { return this; }

  // The count starts at one (the creator's reference); the last release deletes. Counting
  // is thread-safe.
  NSObject* retain();
  void release();
  unsigned long retainCount() const { return m_refs.load(std::memory_order_relaxed); }

  virtual Class isa() const { return class_(); }
  bool isKindOfClass(Class cls) const;
  bool isMemberOfClass(Class cls) const { return cls && isa() == cls; }
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

#endif
