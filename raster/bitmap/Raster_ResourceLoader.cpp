// PNG images from the application bundle's resources folder.

#include "raster/bitmap/Raster_ImageLoader.h"

#include "gdi_compat/GDI_Strings.h"

#include <cstring>
#include <string>

Raster_IBitmap* Raster_LoadPNGFromNamedResource(const char* name, Raster_IBitmap* bmp)
{
  if (!name) return nullptr;
  char bundle[1537];
  bundle[0] = 0;
  GetModuleFileName(nullptr, bundle, (int)sizeof(bundle));
  std::string path = std::string(bundle) + "/Contents/Resources/" + name;
  return Raster_LoadPNG(path.c_str(), bmp);
}
