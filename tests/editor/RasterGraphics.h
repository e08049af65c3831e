#pragma once
// The raster back end with what a window host would add: OSLoadBitmap makes images from
// memory (a maker per id, a fresh image each call) or decodes the PNG file named, and counts
// its calls; DrawScreen records the region it was asked to copy. Images from here count their
// deletions in TrackedImage::deleted.

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/editor/IGraphicsRaster.h"
#include "raster/bitmap/Raster_ImageLoader.h"
#include "raster/bitmap/Raster_MemBitmap.h"

struct TrackedImage : Raster_MemBitmap {
  TrackedImage(int w, int h) : Raster_MemBitmap(w, h) {}
  ~TrackedImage() override { ++deleted; }
  static inline std::atomic<int> deleted{0};
};

// w x h pixels of colour f(x, y).
inline TrackedImage* MakeImage(int w, int h, const std::function<IColor(int, int)>& f) {
  auto* b = new TrackedImage(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const IColor c = f(x, y);
      b->getBits()[y * w + x] = Raster_MakePixel(c.R, c.G, c.B, c.A);
    }
  return b;
}

// Opaque, red = x and green = y: every pixel says where it came from.
inline TrackedImage* Coordinates(int w, int h) {
  return MakeImage(w, h, [](int x, int y) { return IColor(255, x, y, 0); });
}

// "WxH/frames".
inline std::string Dims(const IBitmap& b) {
  return std::to_string(b.mWidth) + "x" + std::to_string(b.mHeight) + "/" +
         std::to_string(b.mFrames);
}

class RasterGraphics : public IGraphicsRaster {
 public:
  RasterGraphics(IPluginBase* plug, int w, int h) : IGraphicsRaster(plug, w, h) {}
  using IGraphicsRaster::DrawBitmap;

  Raster_IBitmap* OSLoadBitmap(int id, const char* name) override {
    ++loads;
    auto it = makers.find(id);
    if (it != makers.end()) return it->second();
    return Raster_LoadPNG(name, nullptr);
  }
  bool DrawScreen(IRECT* r) override {
    screens.push_back(*r);
    return true;
  }
  bool DrawIText(IText*, const char*, IRECT*) override { return false; }
  void PromptUserInput(IControl*, IParam*) override {}
  void HostPath(Core_String*) override {}
  void PluginPath(Core_String*) override {}
  void PromptForFile(Core_String*, EFileAction, const char*, const char*) override {}
  bool PromptForColor(IColor*, const char*) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }

  void SetClip(const IRECT& r) { mClipRect = r; }
  // The surface, row by row.
  std::vector<IColor> Pixels() {
    std::vector<IColor> out;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) out.push_back(GetPoint(x, y));
    return out;
  }

  std::map<int, std::function<Raster_IBitmap*()>> makers;
  std::atomic<int> loads{0};
  std::vector<IRECT> screens;
};
