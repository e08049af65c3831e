// Text drawn into the editor's surface with AppKit's string drawing.
#include <AppKit/AppKit.h>

#include "framework/editor/IGraphicsMac.h"
#include "gdi_compat/GDI_Context.h"
#include "raster/bitmap/Raster_IBitmap.h"

namespace {

// Editor sizes are pixels at 96 per inch; text is drawn in points at 72.
const double kPointsPerPixel = 0.75;

NSTextAlignment AlignmentOf(int align) {
  switch (align) {
    case kAlignLeft:
      return NSLeftTextAlignment;
    case kAlignRight:
      return NSRightTextAlignment;
    default:
      return NSCenterTextAlignment;
  }
}

}  // namespace

bool IGraphicsMac::DrawIText(IText* pTxt, const char* str, IRECT* pR) {
  Raster_IBitmap* surface = GetDrawSurface();
  CGContextRef c = surface ? GDI_GetCtxGC(static_cast<HDC>(surface->getDC())) : nullptr;
  if (!pTxt || !str || !pR || !c) return false;
  NSAutoreleaseScope pool;
  const int s = static_cast<int>(pTxt->mSize * kPointsPerPixel);

  const bool fresh = !mTextAttributes;
  if (fresh) {
    mTextAttributes = NSMutableDictionary::alloc();
    if (!mTextAttributes) return false;
    // The first text's face serves this editor for good. A face that is not installed gets
    // the system font rather than no font at all.
    NSFont* font = NSFont::fontWithName_size(NSString::stringWithCString(pTxt->mFont), s);
    if (!font) font = NSFont::systemFontOfSize(s);
    mTextAttributes->setObject_forKey(font, NSFontAttributeName);
  }
  if (fresh || pTxt->mColor != mLastText.mColor) {
    const IColor& col = pTxt->mColor;
    mTextAttributes->setObject_forKey(
        NSColor::colorWithCalibratedRed_green_blue_alpha(col.R / 255.0, col.G / 255.0,
                                                         col.B / 255.0, col.A / 255.0),
        NSForegroundColorAttributeName);
    mLastText.mColor = col;
  }
  if (fresh || pTxt->mAlign != mLastText.mAlign) {
    NSMutableParagraphStyle* style = NSMutableParagraphStyle::alloc();
    if (style) {
      style->setAlignment(AlignmentOf(pTxt->mAlign));
      mTextAttributes->setObject_forKey(style, NSParagraphStyleAttributeName);
      style->release();
    }
    mLastText.mAlign = pTxt->mAlign;
  }

  NSGraphicsContext::saveGraphicsState();
  NSGraphicsContext* context = NSGraphicsContext::graphicsContextWithGraphicsPort_flipped(c, true);
  if (s > 11) context->setShouldAntialias(true);
  NSGraphicsContext::setCurrentContext(context);
  // Like bitmaps, text stays inside the region being drawn: what it would leave outside
  // would differ from what the window shows there.
  CGContextSaveGState(c);
  if (!mClipRect.Empty())
    CGContextClipToRect(c, CGRectMake(mClipRect.L, mClipRect.T, mClipRect.R - mClipRect.L,
                                      mClipRect.B - mClipRect.T));
  // The rectangle's top edge is the top of the line (a quarter of the size below the
  // control's top), so the text stands inside its control rather than on its top edge.
  NSString::stringWithCString(str)->drawWithRect_options_attributes(
      NSMakeRect(pR->L, pR->T + s / 4, pR->R - pR->L, pR->B - pR->T),
      NSStringDrawingUsesDeviceMetrics | NSStringDrawingUsesLineFragmentOrigin, mTextAttributes);
  CGContextRestoreGState(c);
  NSGraphicsContext::restoreGraphicsState();
  return true;
}
