// What the test component records about each call it receives, read back by the tests
// through the exported function TestComponent_CopyCalls.
#ifndef TESSOR_TEST_COMPONENT_H
#define TESSOR_TEST_COMPONENT_H

#include <MacTypes.h>

struct TestComponentCall {
  SInt16 what;
  UInt8 paramSize;
  long words[8];  // params[0..7] as received
  void* storage;  // the storage the entry was called with
};

// Properties the test component answers besides a few standard ones.
enum {
  kTestProperty_HostIdentifier = 64000,   // CFStringRef: the main bundle's identifier
  kTestProperty_OwnResourcePath = 64001,  // CFStringRef: path of "test-resource.txt" in its bundle
  kTestProperty_NotifyGesture = 64002     // set: posts begin-gesture for the UInt32 parameter given
};

enum { kTestComponentVersion = 0x00010203 };

typedef int (*TestComponentCopyCallsProc)(void* storage, TestComponentCall* out, int max);

#endif
