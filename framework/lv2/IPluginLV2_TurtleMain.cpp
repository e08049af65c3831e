// Writes the Turtle of a plug-in's LV2 bundle from the plug-in itself (linked in, made with its
// own MakePlug), so the bundle always describes the code it ships with:
//   <program> BUNDLE_DIR BINARY [CLASS]
// BUNDLE_DIR must exist; BINARY is the shared object's file name in it; CLASS an LV2 plug-in
// class such as EQPlugin.
#include <cstdio>
#include <string>

#include "framework/lv2/IPluginLV2.h"
#include "framework/lv2/IPluginLV2_Turtle.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    fprintf(stderr, "usage: %s BUNDLE_DIR BINARY [CLASS]\n", argv[0]);
    return 2;
  }
  IPluginLV2* plug = MakePlug();
  if (!plug) {
    fprintf(stderr, "%s: cannot make the plug-in\n", argv[0]);
    return 1;
  }
  // A host sees only the filled presets.
  plug->PruneUninitializedPresets();
  std::string error;
  const bool written =
      WriteLV2Bundle(plug, {argv[1], argv[2], argc > 3 ? argv[3] : nullptr}, &error);
  delete plug;
  if (!written) {
    fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
    return 1;
  }
  return 0;
}
