// JPEG loading through libjpeg: colour and grey images become opaque pixels; any other
// component layout gives transparent black rows. Truncated or damaged image data fails.

#include "raster/bitmap/Raster_ImageLoader.h"
#include "raster/bitmap/Raster_ImageTarget.h"

#include <strings.h>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace {

struct RasterJPEG_ErrorMgr {
  jpeg_error_mgr pub;
  jmp_buf jump;
};

// Fatal errors return control to the loader; messages are dropped.
void RasterJPEG_Error(j_common_ptr cinfo) { longjmp(((RasterJPEG_ErrorMgr*)cinfo->err)->jump, 1); }
// Warnings are dropped too, except those that mean the image data ran out or is damaged: the
// decoder would go on and hand back an image padded or smeared with made-up pixels, so those
// end the load like a fatal error.
void RasterJPEG_EmitMsg(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
      RasterJPEG_Error(cinfo);
      break;
    default:
      break;
  }
}
void RasterJPEG_OutMsg(j_common_ptr) {}
void RasterJPEG_FmtMsg(j_common_ptr, char* buffer) { buffer[0] = 0; }
void RasterJPEG_reset_error_mgr(j_common_ptr cinfo) {
  cinfo->err->num_warnings = 0;
  cinfo->err->msg_code = 0;
}

struct Registrar {
  Registrar() {
    Raster_jgpldr.next = Raster_ImageLoader_list;
    Raster_ImageLoader_list = &Raster_jgpldr;
  }
};
Registrar registrar;

struct JPGLoad {
  jpeg_decompress_struct cinfo;
  RasterJPEG_ErrorMgr err;
  FILE* file = nullptr;
  Raster_IBitmap* target = nullptr;
  bool created = false;
};

void convertRow(unsigned char* out, const JSAMPLE* in, int w, int components) {
  if (components == 3) {
    for (int x = 0; x < w; ++x, out += 4, in += 3) {
      out[kRasterByteA] = 255;
      out[kRasterByteR] = in[0];
      out[kRasterByteG] = in[1];
      out[kRasterByteB] = in[2];
    }
  } else if (components == 1) {
    for (int x = 0; x < w; ++x, out += 4) {
      out[kRasterByteA] = 255;
      out[kRasterByteR] = out[kRasterByteG] = out[kRasterByteB] = in[x];
    }
  } else {
    for (int x = 0; x < w * 4; ++x) out[x] = 0;
  }
}

// Decodes into L->target; false on any error (the decompressor is released by the caller).
bool decode(JPGLoad* L, Raster_IBitmap* bmp) {
  if (setjmp(L->err.jump)) return false;
  jpeg_stdio_src(&L->cinfo, L->file);
  jpeg_read_header(&L->cinfo, TRUE);
  // Refuse absurd sizes before the decompressor allocates its buffers for them.
  if ((long long)L->cinfo.image_width * L->cinfo.image_height > kRasterMaxImagePixels) return false;
  jpeg_start_decompress(&L->cinfo);
  const int w = (int)L->cinfo.output_width, h = (int)L->cinfo.output_height;
  const int components = L->cinfo.output_components;
  JSAMPARRAY line = (*L->cinfo.mem->alloc_sarray)((j_common_ptr)&L->cinfo, JPOOL_IMAGE,
                                                  (JDIMENSION)(w * components), 1);
  L->target = Raster_ImageTarget(bmp, w, h, &L->created);
  if (!L->target) return false;
  Raster_RowView view(L->target);
  while (L->cinfo.output_scanline < L->cinfo.output_height) {
    int y = (int)L->cinfo.output_scanline;
    if (jpeg_read_scanlines(&L->cinfo, line, 1) != 1) return false;
    convertRow((unsigned char*)view.row(y), line[0], w, components);
  }
  jpeg_finish_decompress(&L->cinfo);
  return true;
}

}  // namespace

Raster_IBitmap* Raster_LoadJPG(const char* filename, Raster_IBitmap* bmp) {
  if (!filename) return nullptr;
  JPGLoad* L = new JPGLoad();
  L->file = fopen(filename, "rb");
  if (!L->file) {
    delete L;
    return nullptr;
  }
  L->cinfo.err = jpeg_std_error(&L->err.pub);
  L->err.pub.error_exit = RasterJPEG_Error;
  L->err.pub.emit_message = RasterJPEG_EmitMsg;
  L->err.pub.output_message = RasterJPEG_OutMsg;
  L->err.pub.format_message = RasterJPEG_FmtMsg;
  L->err.pub.reset_error_mgr = RasterJPEG_reset_error_mgr;
  Raster_IBitmap* result = nullptr;
  if (!setjmp(L->err.jump)) {
    jpeg_create_decompress(&L->cinfo);
    bool ok = decode(L, bmp);
    result = ok ? L->target : nullptr;
  }
  jpeg_destroy_decompress(&L->cinfo);
  fclose(L->file);
  if (!result && L->created) delete L->target;
  delete L;
  return result;
}

Raster_IBitmap* Raster_JPGLoader::loadfunc(const char* filename, bool checkExtension,
                                           Raster_IBitmap* bmp) {
  if (checkExtension) {
    const char* ext = Raster_FileExtension(filename);
    if (strcasecmp(ext, ".jpg") != 0 && strcasecmp(ext, ".jpeg") != 0 &&
        strcasecmp(ext, ".jfif") != 0)
      return nullptr;
  }
  return Raster_LoadJPG(filename, bmp);
}

const char* Raster_JPGLoader::get_extlist() {
  return "JPEG files (*.JPG;*.JPEG;*.JFIF)\0*.JPG;*.JPEG;*.JFIF\0";
}

Raster_ImageLoader Raster_jgpldr = {Raster_JPGLoader::loadfunc, Raster_JPGLoader::get_extlist,
                                    nullptr};
