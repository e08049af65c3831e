// Loading Audio Unit component bundles and opening their instances, for host programs and
// tools. A bundle is a directory X.component/Contents/ with Info.plist, the shared object in
// MacOS/ (named by CFBundleExecutable) and Resources/. Info.plist lists the components:
//
//   AudioComponents = array of dict {
//     type, subtype, manufacturer: four-character strings ("aufx") or integers
//     name: string             version: integer (packed, optional, default 0)
//     entry: string            the Component Manager entry function (or "factoryFunction")
//     viewFactory: string      optional: name of the view factory the unit announces
//   }
//
// Everything beyond loading, finding, opening and closing goes through the public Audio
// Unit API (<AudioUnit/AudioUnit.h>).
#ifndef TESSOR_HOST_COMPONENT_BUNDLE_H
#define TESSOR_HOST_COMPONENT_BUNDLE_H

#include <AudioUnit/AudioUnit.h>
#include <CoreFoundation/CoreFoundation.h>

#include <string>
#include <vector>

namespace host {

enum class LoadStatus {
  Ok,
  MissingBundle,       // no directory at the path
  MissingInfoPlist,    // no Contents/Info.plist
  MalformedInfoPlist,  // not a property list, or required keys missing or of the wrong type
  MissingExecutable,   // the shared object named by CFBundleExecutable is not there
  LoadFailed,          // the shared object exists but could not be loaded
  MissingSymbol,       // an entry function named in Info.plist is not exported
  RegistrationFailed   // the Component Manager refused a component
};

const char* LoadStatusName(LoadStatus status);

struct ComponentEntryInfo {
  ComponentDescription description{};
  std::string name;
  UInt32 version = 0;
  std::string entryName;
  std::string viewFactory;  // empty when the bundle names none
  Component component = nullptr;
};

struct LoadedBundle {
  LoadStatus status = LoadStatus::Ok;
  std::string message;  // one line saying what went wrong, empty when Ok
  std::string path;     // the bundle directory as resolved
  std::string identifier;
  CFBundleRef bundle = nullptr;  // lives for the process
  std::vector<ComponentEntryInfo> components;

  bool ok() const { return status == LoadStatus::Ok; }
};

// Loads the bundle and registers every component it lists. Loading the same bundle again
// returns the first result without registering twice. Nothing is registered on failure.
LoadedBundle LoadComponentBundle(const std::string& bundlePath);

// The identifier of the host program's main bundle, which plug-ins read to recognise their
// host (e.g. "com.cockos.reaper"). Empty restores the default ("local.<executable name>").
void SetHostIdentifier(const std::string& identifier);
std::string HostIdentifier();

// The first registered component with these codes (0 matches anything), or null.
Component FindComponent(OSType type, OSType subtype, OSType manufacturer);

// Opens or closes an instance of a component (OpenAComponent / CloseComponent).
OSStatus OpenUnit(Component component, AudioUnit* outUnit);
OSStatus CloseUnit(AudioUnit unit);

// "aufx" <-> 'aufx'. Parse fails for texts that are not exactly four bytes.
std::string FourCCString(OSType code);
bool ParseFourCC(const std::string& text, OSType* code);

// UTF-8 text of a CFString ("" for null).
std::string StringFromCF(CFStringRef string);

}  // namespace host

#endif
