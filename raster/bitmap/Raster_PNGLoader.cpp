// PNG loading through libpng: every colour type and depth is turned into alpha, red, green,
// blue bytes and decoded straight into the bitmap's rows.

#include "raster/bitmap/Raster_ImageLoader.h"
#include "raster/bitmap/Raster_ImageTarget.h"

#include <png.h>
#include <strings.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace {

void pngError(png_structp png, png_const_charp) { longjmp(png_jmpbuf(png), 1); }
void pngWarning(png_structp, png_const_charp) {}

struct Registrar {
  Registrar() {
    Raster_pngldr.next = Raster_ImageLoader_list;
    Raster_ImageLoader_list = &Raster_pngldr;
  }
};
Registrar registrar;

// The decoding steps that may jump back on a libpng error. Kept apart from Raster_LoadPNG so
// that nothing with a destructor lives across setjmp; the caller releases what is recorded.
struct PNGLoad {
  FILE* file = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_bytepp rows = nullptr;
  Raster_IBitmap* target = nullptr;
  bool created = false;
};

bool decode(PNGLoad* L, Raster_IBitmap* bmp) {
  if (setjmp(png_jmpbuf(L->png))) return false;
  png_init_io(L->png, L->file);
  png_read_info(L->png, L->info);

  png_uint_32 w = 0, h = 0;
  int depth = 0, type = 0, interlace = 0;
  png_get_IHDR(L->png, L->info, &w, &h, &depth, &type, &interlace, nullptr, nullptr);
  const bool hasTRNS = png_get_valid(L->png, L->info, PNG_INFO_tRNS) != 0;
  const bool hasAlpha = (type & PNG_COLOR_MASK_ALPHA) || hasTRNS;

  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(L->png);
  if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(L->png);
  if (hasTRNS) png_set_tRNS_to_alpha(L->png);
  if (depth == 16) png_set_strip_16(L->png);
  if (depth < 8) png_set_packing(L->png);
  if (!hasAlpha) png_set_filler(L->png, 0xFF, PNG_FILLER_BEFORE);
  if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(L->png);
  if (hasAlpha) png_set_swap_alpha(L->png);
  png_set_interlace_handling(L->png);
  png_read_update_info(L->png, L->info);
  if (png_get_rowbytes(L->png, L->info) != (png_size_t)w * 4) return false;

  if (w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
  L->target = Raster_ImageTarget(bmp, (int)w, (int)h, &L->created);
  if (!L->target) return false;

  L->rows = (png_bytepp)malloc(sizeof(png_bytep) * h);
  if (!L->rows) return false;
  Raster_RowView view(L->target);  // visible row 0 is the image's top row, flipped or not
  for (png_uint_32 y = 0; y < h; ++y) L->rows[y] = (png_bytep)view.row((int)y);
  png_read_image(L->png, L->rows);
  png_read_end(L->png, nullptr);
  return true;
}

}  // namespace

Raster_IBitmap* Raster_LoadPNG(const char* filename, Raster_IBitmap* bmp) {
  if (!filename) return nullptr;
  PNGLoad L;
  L.file = fopen(filename, "rb");
  if (!L.file) return nullptr;
  L.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
  if (L.png) L.info = png_create_info_struct(L.png);
  bool ok = L.png && L.info && decode(&L, bmp);
  png_destroy_read_struct(L.png ? &L.png : nullptr, L.info ? &L.info : nullptr, nullptr);
  fclose(L.file);
  free(L.rows);
  if (!ok) {
    if (L.created) delete L.target;
    return nullptr;
  }
  return L.target;
}

Raster_IBitmap* Raster_PNGLoader::loadfunc(const char* filename, bool checkExtension,
                                           Raster_IBitmap* bmp) {
  if (checkExtension && strcasecmp(Raster_FileExtension(filename), ".png") != 0) return nullptr;
  return Raster_LoadPNG(filename, bmp);
}

const char* Raster_PNGLoader::get_extlist() { return "PNG files (*.PNG)\0*.PNG\0"; }

Raster_ImageLoader Raster_pngldr = {Raster_PNGLoader::loadfunc, Raster_PNGLoader::get_extlist,
                                    nullptr};
