#pragma once
// The plain records every part of the editor shares: rectangles, colours, blends, mouse
// modifiers, skin images and text styles. All are values, copied freely.

#include <cstring>

class Raster_IBitmap;

// Pixel rectangle, y growing downwards; right and bottom are exclusive for hit tests. The
// rectangle with all four fields 0 is the empty rectangle, whatever its extent would say: a
// rectangle such as (5, 5, 5, 5) is not empty, and (0, 0, 0, 0) is.
struct IRECT {
  int L = 0, T = 0, R = 0, B = 0;

  IRECT() = default;
  IRECT(int l, int t, int r, int b) : L(l), T(t), R(r), B(b) {}

  bool Empty() const { return L == 0 && T == 0 && R == 0 && B == 0; }
  int W() const { return R - L; }
  int H() const { return B - T; }

  bool Contains(int x, int y) const { return !Empty() && x >= L && x < R && y >= T && y < B; }

  // Touching on this rectangle's right or bottom edge counts as intersecting, touching on its
  // left or top edge does not: a.Intersects(b) and b.Intersects(a) may differ. Drawing and the
  // redraw cycle rely on exactly this rule.
  bool Intersects(const IRECT& o) const {
    return !Empty() && !o.Empty() && R >= o.L && L < o.R && B >= o.T && T < o.B;
  }

  // The smallest rectangle holding both; an empty operand yields the other.
  IRECT Union(const IRECT& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    return IRECT(L < o.L ? L : o.L, T < o.T ? T : o.T, R > o.R ? R : o.R, B > o.B ? B : o.B);
  }

  // The overlap, when this rectangle Intersects o; otherwise the empty rectangle.
  IRECT Intersect(const IRECT& o) const {
    if (!Intersects(o)) return IRECT();
    return IRECT(L > o.L ? L : o.L, T > o.T ? T : o.T, R < o.R ? R : o.R, B < o.B ? B : o.B);
  }

  bool operator==(const IRECT& o) const { return L == o.L && T == o.T && R == o.R && B == o.B; }
  bool operator!=(const IRECT& o) const { return !(*this == o); }
};

// Colour with alpha first; every channel 0..255.
struct IColor {
  int A = 0, R = 0, G = 0, B = 0;

  constexpr IColor() = default;
  constexpr IColor(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}
  bool operator==(const IColor& o) const { return A == o.A && R == o.R && G == o.G && B == o.B; }
  bool operator!=(const IColor& o) const { return !(*this == o); }
};

constexpr IColor COLOR_TRANSPARENT(0, 0, 0, 0);
constexpr IColor COLOR_BLACK(255, 0, 0, 0);
constexpr IColor COLOR_GRAY(255, 127, 127, 127);
constexpr IColor COLOR_WHITE(255, 255, 255, 255);
constexpr IColor COLOR_RED(255, 255, 0, 0);
constexpr IColor COLOR_GREEN(255, 0, 255, 0);
constexpr IColor COLOR_BLUE(255, 0, 0, 255);
constexpr IColor COLOR_YELLOW(255, 255, 255, 0);
constexpr IColor COLOR_ORANGE(255, 255, 127, 0);
constexpr IColor DEFAULT_TEXT_COLOR(255, 0, 0, 0);

enum EBlendMode {
  kBlendAlpha = 0,   // copy, weighted by the source alpha
  kBlendOpaque = 1,  // overwrite, source alpha ignored
  kBlendAdd = 2,
  kBlendColorDodge = 3
};

// How a drawing combines with what is under it; mOpacity (0..1) weights the whole drawing.
struct IChannelBlend {
  int mMode = kBlendAlpha;
  float mOpacity = 1.0f;

  IChannelBlend() = default;
  explicit IChannelBlend(int mode, float opacity = 1.0f) : mMode(mode), mOpacity(opacity) {}
};

// Modifiers of a mouse event. Right marks a context click (the right button, or the command
// key held with the left one).
struct IMouseMod {
  bool Left = false, Right = false, Shift = false, Ctrl = false, Alt = false;

  IMouseMod() = default;
  IMouseMod(bool left, bool right = false, bool shift = false, bool ctrl = false, bool alt = false)
      : Left(left), Right(right), Shift(shift), Ctrl(ctrl), Alt(alt) {}
};

// A skin image of mFrames equal frames stacked vertically; one frame is mWidth x FrameHeight().
// The raster image belongs to the editor's image cache, never to an IBitmap.
struct IBitmap {
  Raster_IBitmap* mImage = nullptr;
  int mWidth = 0, mHeight = 0;
  int mFrames = 1;

  IBitmap() = default;
  // A frame count below 1 is taken as 1, so frame arithmetic never divides by zero.
  IBitmap(Raster_IBitmap* image, int w, int h, int nFrames = 1)
      : mImage(image), mWidth(w), mHeight(h), mFrames(nFrames < 1 ? 1 : nFrames) {}

  int FrameHeight() const { return mFrames > 1 ? mHeight / mFrames : mHeight; }
};

enum EAlign { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

// Size of IText::mFont, terminator included.
constexpr int kFontNameSize = 32;

struct IText {
  char mFont[kFontNameSize];
  int mSize;
  IColor mColor;
  int mStyle;
  int mAlign;
  int mOrientation;

  // Face "Arial", 14 pixels, DEFAULT_TEXT_COLOR, plain, centred, upright. A longer face name is
  // cut to 31 characters.
  explicit IText(int size = 14, const IColor& color = DEFAULT_TEXT_COLOR,
                 const char* font = "Arial", int style = 0, int align = kAlignCenter,
                 int orientation = 0)
      : mSize(size), mColor(color), mStyle(style), mAlign(align), mOrientation(orientation) {
    memset(mFont, 0, sizeof(mFont));
    if (font) strncpy(mFont, font, sizeof(mFont) - 1);
  }
};

// Orientation of faders, knob drags and radio-button rows.
enum EDirection { kVertical = 0, kHorizontal = 1 };

// What a file prompt asks the user for.
enum EFileAction { kFileOpen = 0, kFileSave = 1 };
