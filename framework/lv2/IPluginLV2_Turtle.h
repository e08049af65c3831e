#pragma once
// The Turtle of an LV2 bundle, written from the plug-in itself so that it always describes the
// code it ships with. For a plug-in made by MakePlug (never instantiated by a host) it writes,
// into an existing bundle directory:
//   manifest.ttl   every plug-in (one per channel configuration) and every preset
//   <name>.ttl     each plug-in's identity and ports: one control input per parameter with its
//                  symbol, name, range and default in the parameter's own units, then the audio
//                  ports, in the port order of IPluginLV2
//   presets.ttl    every filled preset slot, as port values
//
// How a parameter is described:
//   a "dB", "Hz", "kHz", "ms", "s" or "%" label   the matching LV2 unit; another label a unit
//                                                 of that name
//   a boolean, or an integer or enumeration 0..1  a toggle
//   an enumeration                                an integer enumeration
//   an integer                                    an integer
//   display texts                                 scale points labelled with them
// Port symbols are the parameter names in lower case with every run of other characters made
// one "_" ("MF Level 1" -> "mf_level_1"); audio ports are "in"/"out" for one channel,
// "in_l"/"in_r"/"out_l"/"out_r" for two and "in_1".."in_n" beyond.

#include <string>

class IPluginLV2;

struct LV2BundleFiles {
  const char* dir;          // the bundle directory; it must exist
  const char* binary;       // file name of the shared object in it, e.g. "TessorEQ.so"
  const char* pluginClass;  // LV2 plug-in class, e.g. "EQPlugin"; null or "" for none
};

// Restores each preset on plug in turn to read its values. False, with the reason in *pError,
// when a file cannot be written.
bool WriteLV2Bundle(IPluginLV2* plug, const LV2BundleFiles& files, std::string* pError);
