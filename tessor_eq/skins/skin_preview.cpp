// tessor-eq-skin-preview SKINDIR OUT.png [--zoom N] [--crop X,Y,W,H] [V0 ... V9]: the panel as
// the editor composes it, to judge the skins together: the background from SKINDIR with every
// control's frame for the given normalised parameter values (by parameter index; the defaults when
// none are given) drawn over it with its alpha, at its place. A stepped knob rests on the position
// nearest its value, the switch is on from 0.5. --zoom enlarges N times (nearest pixel), --crop
// keeps one rectangle of the panel for a close look.

#include "raster/bitmap/Raster_ImageLoader.h"
#include "raster/bitmap/Raster_MemBitmap.h"
#include "raster/blit/Raster_Blit.h"
#include "tessor_eq/skins/skin_geometry.h"
#include "tools/raster_gallery/GalleryPng.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The parameters' defaults, normalised: levels at 0 dB, gain 0 dB of -20..+10, the first mid
// band on its third step of six and the second on its fourth of seven.
const double kDefaults[kNumSkinControls] = {0, 0, 0.5, 0.4, 0.5, 0.5, 0.5, 0.5, 2.0 / 3, 0};

int Usage() {
  std::fprintf(stderr,
               "usage: tessor-eq-skin-preview SKINDIR OUT.png [--zoom N] [--crop X,Y,W,H] "
               "[V0 ... V9]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string dir = argv[1], out = argv[2];
  double values[kNumSkinControls];
  std::memcpy(values, kDefaults, sizeof values);
  int zoom = 1, nValues = 0;
  int crop[4] = {0, 0, kSkinPanelW, kSkinPanelH};
  for (int i = 3; i < argc; ++i) {
    char* end = nullptr;
    if (!std::strcmp(argv[i], "--zoom") && i + 1 < argc) {
      zoom = std::atoi(argv[++i]);
      if (zoom < 1 || zoom > 8) return Usage();
    } else if (!std::strcmp(argv[i], "--crop") && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%d,%d,%d,%d", &crop[0], &crop[1], &crop[2], &crop[3]) != 4 ||
          crop[2] < 1 || crop[3] < 1 || crop[2] > kSkinPanelW || crop[3] > kSkinPanelH)
        return Usage();
    } else if (nValues < kNumSkinControls &&
               (values[nValues] = std::strtod(argv[i], &end), *end == 0)) {
      ++nValues;
    } else {
      return Usage();
    }
  }

  std::unique_ptr<Raster_IBitmap> images[kNumSkinImages];
  for (int i = 0; i < kNumSkinImages; ++i) {
    const std::string path = dir + "/" + kSkinImages[i].file;
    images[i].reset(Raster_LoadPNG(path.c_str(), nullptr));
    if (!images[i]) {
      std::fprintf(stderr, "tessor-eq-skin-preview: cannot read %s\n", path.c_str());
      return 1;
    }
  }
  Raster_MemBitmap panel(kSkinPanelW, kSkinPanelH);
  Raster_Blit(&panel, images[kSkinBackground].get(), 0, 0, nullptr, 1.0f, kBlitCopy);
  for (const SkinControl& c : kSkinControls) {
    const SkinImage& img = kSkinImages[c.image];
    double v = values[c.paramIdx];
    if (c.steps > 1) v = std::round(v * (c.steps - 1)) / (c.steps - 1);
    const int frame = img.frames == 2 ? (v >= 0.5 ? 2 : 1) : SkinKnobFrame(v, img.frames);
    Raster_Blit(&panel, images[c.image].get(), c.x, c.y, 0, (frame - 1) * img.frameHeight,
                img.width, img.frameHeight, 1.0f, kBlitCopy | kBlitUseSourceAlpha);
  }

  Raster_MemBitmap zoomed(crop[2] * zoom, crop[3] * zoom);
  Raster_ScaledBlit(&zoomed, &panel, 0, 0, crop[2] * zoom, crop[3] * zoom, crop[0], crop[1],
                    crop[2], crop[3], 1.0f, kBlitCopy);
  if (!Gallery_WritePNG(&zoomed, out.c_str())) {
    std::fprintf(stderr, "tessor-eq-skin-preview: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
