// tessor-eq-skins OUTDIR: paints Tessor EQ's four skin images and writes them into OUTDIR as
// PNG files, under the names the editor loads them by. The build runs it and puts the files
// into the component bundle's resources.
//
// Each file is written under a temporary name and renamed when complete, so an interrupted
// build never leaves a truncated image that looks up to date.

#include "tessor_eq/skins/skin_images.h"
#include "tools/raster_gallery/GalleryPng.h"

#include <cstdio>
#include <string>

// In the sanitizer builds the build runs this program under the leak checker: fontconfig loses a
// small buffer once per process while parsing its configuration. That is the system library's,
// not ours, so the checker is told to leave it out (as in the test programs).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessor-eq-skins OUTDIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  for (int i = 0; i < kNumSkinImages; ++i) {
    const std::string path = dir + "/" + kSkinImages[i].file, tmp = path + ".tmp";
    Raster_SysBitmap bmp;
    if (!Skin_PaintImage(static_cast<ESkinImage>(i), &bmp)) {
      std::fprintf(stderr, "tessor-eq-skins: cannot paint %s\n", kSkinImages[i].file);
      return 1;
    }
    if (!Gallery_WritePNG(&bmp, tmp.c_str()) || std::rename(tmp.c_str(), path.c_str()) != 0) {
      std::remove(tmp.c_str());
      std::fprintf(stderr, "tessor-eq-skins: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
