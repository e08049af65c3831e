#pragma once
// Where the plug-in lives: its component's bundle identifier (as in TessorEQ.Info.plist.in),
// the name of the Cocoa view factory class the unit announces, and its LV2 URI, from which
// every URI of TessorEQ.lv2 derives.

constexpr const char* kOndrelBundleIdentifier = "com.fenwarde.audio.TessorEQ";
constexpr const char* kOndrelViewFactoryClass = "ondrel_View";
constexpr const char* kOndrelPluginURI = "https://fenwarde.audio/lv2/tessor-eq";
