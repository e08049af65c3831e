#pragma once
// Where the component lives: its bundle identifier (as in TessorEQ.Info.plist.in) and the name
// of the Cocoa view factory class the unit announces.

constexpr const char* kOndrelBundleIdentifier = "com.fenwarde.audio.TessorEQ";
constexpr const char* kOndrelViewFactoryClass = "ondrel_View";
