// PNG images from the application bundle's resources folder.

#include "raster/bitmap/Raster_ImageLoader.h"

#include "gdi_compat/GDI_Strings.h"

#include <cstring>
#include <string>

// The longest bundle path the loader takes: 1536 characters and the terminator.
static const int kMaxBundlePathBytes = 1536 + 1;

Raster_IBitmap* Raster_LoadPNGFromNamedResource(const char* name, Raster_IBitmap* bmp) {
  if (!name) return nullptr;
  char bundle[kMaxBundlePathBytes];
  bundle[0] = 0;
  GetModuleFileName(nullptr, bundle, (int)sizeof(bundle));
  std::string path = std::string(bundle) + "/Contents/Resources/" + name;
  return Raster_LoadPNG(path.c_str(), bmp);
}
