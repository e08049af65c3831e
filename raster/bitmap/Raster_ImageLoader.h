#pragma once
// PNG and JPEG loading into bitmaps, and the process-wide list of loaders.
// Every load returns the bitmap holding the image, or null on any failure. With bmp null a new
// Raster_MemBitmap of the image's size is created and returned, owned by the caller; otherwise
// bmp is resized to the image and filled.

#include "raster/bitmap/Raster_IBitmap.h"

Raster_IBitmap* Raster_LoadPNG(const char* filename, Raster_IBitmap* bmp);
Raster_IBitmap* Raster_LoadJPG(const char* filename, Raster_IBitmap* bmp);
// Loads name from the application bundle's Contents/Resources folder.
Raster_IBitmap* Raster_LoadPNGFromNamedResource(const char* name, Raster_IBitmap* bmp);
// Numbered resources do not exist on this platform: both return null.
Raster_IBitmap* Raster_LoadPNGFromResource(void* instance, int resourceId, Raster_IBitmap* bmp);
Raster_IBitmap* Raster_LoadJPGFromResource(void* instance, int resourceId, Raster_IBitmap* bmp);

// A loader's record in the list: load function, file-type list (double-zero-terminated pairs of
// a description and a pattern list), next record.
struct Raster_ImageLoader {
  Raster_IBitmap* (*loadfunc)(const char* filename, bool checkExtension, Raster_IBitmap* bmp);
  const char* (*get_extlist)();
  Raster_ImageLoader* next;
};

// Head of the list; each loader pushes its record during static initialisation.
extern Raster_ImageLoader* Raster_ImageLoader_list;
extern Raster_ImageLoader Raster_pngldr;
extern Raster_ImageLoader Raster_jgpldr;

struct Raster_PNGLoader {
  // With checkExtension, refuses (null) any name whose extension is not ".png" (any case).
  static Raster_IBitmap* loadfunc(const char* filename, bool checkExtension, Raster_IBitmap* bmp);
  static const char* get_extlist();
};

struct Raster_JPGLoader {
  // With checkExtension, refuses any name whose extension is not ".jpg", ".jpeg" or ".jfif".
  static Raster_IBitmap* loadfunc(const char* filename, bool checkExtension, Raster_IBitmap* bmp);
  static const char* get_extlist();
};

// The extension of a file name: from its last '.', '/' or '\\'; the whole name without any.
const char* Raster_FileExtension(const char* filename);

// Images above this many pixels are refused before any pixel memory is asked for.
enum { kRasterMaxImagePixels = 1 << 26 };
