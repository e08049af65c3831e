#include "tessor_eq/skins/panel_print.h"

#include "gdi_compat/GDI.h"
#include "raster/bitmap/Raster_PixelUtil.h"
#include "raster/bitmap/Raster_SysBitmap.h"
#include "tessor_eq/skins/skin_dials.h"
#include "tessor_eq/skins/skin_palette.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

const int kFlags = DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP;
// Gap between a heading's ink and the highest mark or text of its control's dial.
const double kHeadingGap = 5.0;

struct Box {
  double l, t, r, b;
  double w() const { return r - l; }
  double h() const { return b - t; }
};

// Places text by its ink, not by its line box: "Off" and "30" sit on the same radius, and a
// heading's letters keep the same distance from the dial whatever their descenders. The ink
// is measured by drawing the text on a scratch bitmap and finding its inked pixels.
class Printer {
 public:
  explicit Printer(HDC dc) : dc_(dc), scratch_(kScratchW, kScratchH) {}

  // The ink of text in font, relative to the top-left corner of the rectangle it is drawn in.
  Box Ink(const char* text, HFONT font) {
    HDC s = static_cast<HDC>(scratch_.getDC());
    Raster_Clear(&scratch_, Raster_MakePixel(255, 255, 255, 255));
    HGDIOBJ old = SelectObject(s, font);
    SetTextColor(s, 0x000000);
    RECT r = {kMargin, kMargin, kScratchW, kScratchH};
    GDI_DrawText(s, text, -1, &r, kFlags);
    SelectObject(s, old);
    Box ink = {1e9, 1e9, -1e9, -1e9};
    for (int y = 0; y < kScratchH; ++y)
      for (int x = 0; x < kScratchW; ++x)
        if (Raster_GetR(Raster_GetPixel(&scratch_, x, y)) < 128) {
          ink = {std::min(ink.l, double(x)), std::min(ink.t, double(y)), std::max(ink.r, x + 1.0),
                 std::max(ink.b, y + 1.0)};
        }
    if (ink.r < ink.l) return {0, 0, 0, 0};
    return {ink.l - kMargin, ink.t - kMargin, ink.r - kMargin, ink.b - kMargin};
  }

  // Draws text with its ink centred on (x, y); returns where the ink landed.
  Box Centred(const char* text, HFONT font, Raster_PixelValue color, double x, double y) {
    const Box ink = Ink(text, font);
    const int left = static_cast<int>(std::lround(x - (ink.l + ink.r) / 2));
    const int top = static_cast<int>(std::lround(y - (ink.t + ink.b) / 2));
    Draw(text, font, color, left, top);
    return {left + ink.l, top + ink.t, left + ink.r, top + ink.b};
  }

  // Draws text with its ink's top-left corner at (x, y); returns its ink.
  Box At(const char* text, HFONT font, Raster_PixelValue color, double x, double y) {
    const Box ink = Ink(text, font);
    return Centred(text, font, color, x + ink.w() / 2, y + ink.h() / 2);
  }

 private:
  enum { kScratchW = 400, kScratchH = 80, kMargin = 20 };

  void Draw(const char* text, HFONT font, Raster_PixelValue color, int left, int top) {
    HGDIOBJ old = SelectObject(dc_, font);
    SetTextColor(dc_, Skin_ColorRef(color));
    RECT r = {left, top, left + kScratchW, top + kScratchH};
    GDI_DrawText(dc_, text, -1, &r, kFlags);
    SelectObject(dc_, old);
  }

  HDC dc_;
  Raster_SysBitmap scratch_;
};

struct Fonts {
  HFONT title = CreateFont(-23, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HFONT maker = CreateFont(-10, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HFONT heading = CreateFont(-10, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HFONT legend = CreateFont(-10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  ~Fonts() {
    for (HFONT f : {title, maker, heading, legend}) DeleteObject(f);
  }
};

// The text of a level scale's mark: "0", "+10", and a true minus sign for "−20".
std::string DbText(int db) {
  if (db == 0) return "0";
  return (db > 0 ? "+" : "\xE2\x88\x92") + std::to_string(std::abs(db));
}

// Prints text around a knob at angle, its ink box's nearest point exactly rIn from the centre,
// so every text keeps the same gap to the marks whatever its angle and width. Returns the box.
Box PrintAround(Printer& p, const char* text, HFONT font, double cx, double cy, double angle,
                double rIn) {
  const Box ink = p.Ink(text, font);
  const double hw = ink.w() / 2, hh = ink.h() / 2, ux = std::sin(angle), uy = -std::cos(angle);
  auto gap = [&](double d) {
    return std::hypot(std::max(std::fabs(d * ux) - hw, 0.0), std::max(std::fabs(d * uy) - hh, 0.0));
  };
  // The gap grows with d; halve the bracket until it is far below a pixel.
  double lo = rIn, hi = rIn + hw + hh;
  for (int i = 0; i < 30; ++i) (gap((lo + hi) / 2) < rIn ? lo : hi) = (lo + hi) / 2;
  return p.Centred(text, font, kSkinPrint, Skin_PolarX(cx, angle, hi), Skin_PolarY(cy, angle, hi));
}

// Prints the legend around one knob; returns the top of everything printed or marked around it.
double PrintDial(Printer& p, const Fonts& f, const SkinControl& ctl, const SkinDial& dial) {
  const double cx = SkinCentreX(ctl), cy = SkinCentreY(ctl);
  double top = cy - kSkinImages[ctl.image].frameHeight / 2.0;
  if (dial.steps) {
    top = cy - kSkinDotRadius - 1.5;
    for (int i = 0; i < ctl.steps; ++i) {
      const double a = SkinKnobAngle(i / double(ctl.steps - 1));
      top = std::min(top, PrintAround(p, dial.steps[i], f.legend, cx, cy, a, kSkinFreqTextIn).t);
    }
  } else if (dial.maxDb > dial.minDb) {
    top = cy - kSkinTickOut[2];
    for (int db = dial.minDb; db <= dial.maxDb; db += static_cast<int>(kSkinScaleLabelDb)) {
      const double a = SkinKnobAngle(SkinScaleValue(dial, db));
      top = std::min(top,
                     PrintAround(p, DbText(db).c_str(), f.legend, cx, cy, a, kSkinLevelTextIn).t);
    }
  }
  return top;
}

}  // namespace

void Skin_PrintPanel(HDC dc) {
  Printer p(dc);
  Fonts f;

  // The product top left, its maker bottom left, both inside the first column.
  const Box tessor = p.At("Tessor", f.title, kSkinPrint, 15, 15);
  p.At("EQ", f.title, kSkinAccent, tessor.r + 6, tessor.t);
  const Box maker = p.Ink("FENWARDE AUDIO", f.maker);
  p.At("FENWARDE AUDIO", f.maker, kSkinPrintQuiet, tessor.l, kSkinPanelH - 16 - maker.h());

  // Every dial's legend; then the headings, each row of like controls on one line above the
  // highest dial of the row.
  double dialTop[kNumSkinControls];
  for (int i = 0; i < kNumSkinControls; ++i)
    dialTop[i] = PrintDial(p, f, kSkinControls[i], kSkinDials[i]);
  for (int i = 0; i < kNumSkinControls; ++i) {
    const SkinControl& c = kSkinControls[i];
    double top = dialTop[i];
    for (int j = 0; j < kNumSkinControls; ++j)
      if (kSkinControls[j].y == c.y && kSkinControls[j].image == c.image)
        top = std::min(top, dialTop[j]);
    const Box ink = p.Ink(kSkinDials[i].heading, f.heading);
    p.Centred(kSkinDials[i].heading, f.heading, kSkinPrint, SkinCentreX(c),
              top - kHeadingGap - ink.h() / 2);
  }

  // The switch's two states, either side of it.
  const SkinControl& sw = kSkinControls[kNumSkinControls - 1];
  const double y = SkinCentreY(sw);
  const Box off = p.Ink("OFF", f.legend);
  p.Centred("OFF", f.legend, kSkinPrintQuiet, sw.x - 5 - off.w() / 2, y);
  const Box on = p.Ink("ON", f.legend);
  p.Centred("ON", f.legend, kSkinPrintQuiet, sw.x + kSkinSwitchW + 5 + on.w() / 2, y);
}
