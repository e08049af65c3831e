#pragma once
// An IGraphicsMac of 100 x 60 at 30 ticks per second on a TestPlugin: a backdrop "bg" over the
// whole editor and a swatch "sw" (20, 10)-(60, 40) bound to parameter 0 "Gain", both logging
// their mouse events ("sw down 30,21 R"); helpers compare a window's pixels with the surface.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <AppKit/AppKit.h>
#include <Carbon/Carbon.h>
#include <WindowSystem/WindowSystem.h>

#include "framework/editor/IGraphicsMac.h"
#include "tests/framework/TestPlugin.h"

// A rectangle filled with a colour that shows its value (red = value x 255; green 40 when
// bound to a parameter, 140 when not) and that logs the mouse events it gets, named. Like a
// bitmap control it paints only inside the region being drawn.
class SwatchControl : public IControl {
 public:
  SwatchControl(IPluginBase* plug, const IRECT& r, int paramIdx, std::vector<std::string>* log,
                const char* name)
      : IControl(plug, &r, paramIdx), mLog(log), mName(name) {}
  bool Draw(IGraphics* g) override {
    const IColor c(255, static_cast<int>(mValue * 255 + 0.5), ParamIdx() < 0 ? 140 : 40, 90);
    IRECT r = mDrawRect.Intersect(g->ClipRect());
    return g->FillIRect(&c, &r, nullptr);
  }
  void OnMouseDown(int x, int y, IMouseMod* m) override { Log("down", x, y, m); }
  void OnMouseUp(int x, int y, IMouseMod* m) override { Log("up", x, y, m); }
  void OnMouseDrag(int x, int y, int, int, IMouseMod* m) override { Log("drag", x, y, m); }
  void OnMouseDblClick(int x, int y, IMouseMod* m) override { Log("dbl", x, y, m); }
  void OnMouseOver(int x, int y, IMouseMod* m) override { Log("over", x, y, m); }
  void OnMouseWheel(int x, int y, IMouseMod* m, int d) override {
    Log("wheel" + std::to_string(d), x, y, m);
  }

 private:
  void Log(const std::string& what, int x, int y, IMouseMod* m) {
    std::string mods;
    if (!m->Left) mods += "!L";
    if (m->Right) mods += "R";
    if (m->Shift) mods += "S";
    if (m->Ctrl) mods += "C";
    if (m->Alt) mods += "A";
    mLog->push_back(mName + " " + what + " " + std::to_string(x) + "," + std::to_string(y) +
                    (mods.empty() ? "" : " " + mods));
  }
  std::vector<std::string>* mLog;
  std::string mName;
};

using Log = std::vector<std::string>;

class WindowHostTest : public ::testing::Test {
 protected:
  static constexpr int kW = 100, kH = 60;

  WindowHostTest() : g(new IGraphicsMac(&p, kW, kH, 30)) {
    p.GetParam(0)->InitDouble("Gain", 0.0, 0.0, 1.0, 0.01, "");
    g->AttachControl(new SwatchControl(&p, IRECT(0, 0, kW, kH), -1, &log, "bg"));
    g->AttachControl(new SwatchControl(&p, IRECT(20, 10, 60, 40), 0, &log, "sw"));
    p.AttachGraphics(g);
  }

  // The editor's surface as 0xRRGGBB, top row first.
  std::vector<uint32_t> Surface() {
    std::vector<uint32_t> out;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const IColor c = g->GetPoint(x, y);
        out.push_back(static_cast<uint32_t>(c.R << 16 | c.G << 8 | c.B));
      }
    return out;
  }
  // The editor-sized part of a window's pixels whose top-left corner is at (x0, y0).
  static std::vector<uint32_t> WindowPart(WindowSystemWindow* w, int x0 = 0, int y0 = 0) {
    std::vector<uint32_t> all, out;
    int ww = 0, wh = 0;
    if (!WindowSystemReadPixels(w, &all, &ww, &wh)) return out;
    for (int y = y0; y < y0 + kH && y < wh; ++y)
      for (int x = x0; x < x0 + kW && x < ww; ++x) out.push_back(all[y * ww + x]);
    return out;
  }
  static uint32_t PixelAt(WindowSystemWindow* w, int x, int y) {
    std::vector<uint32_t> all;
    int ww = 0, wh = 0;
    WindowSystemReadPixels(w, &all, &ww, &wh);
    return all.at(static_cast<size_t>(y) * ww + x);
  }
  static void Tick() { WindowSystemRunFor(1.0 / 30); }

  std::vector<std::string> log;
  TestPlugin p;
  IGraphicsMac* g;  // owned by p
};
