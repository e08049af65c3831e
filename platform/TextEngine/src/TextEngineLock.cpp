// The engine's lock and its one FreeType library.
#include "TextEngineLock.h"

std::mutex& TextEngineMutex() {
  static std::mutex m;
  return m;
}

FT_Library TextEngineFreeType() {
  // Made once under the lock and kept for the process: faces loaded from it live as long.
  static FT_Library lib = nullptr;
  static bool tried = false;
  if (!tried) {
    tried = true;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
  }
  return lib;
}
