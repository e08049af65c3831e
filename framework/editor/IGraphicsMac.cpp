// The window host: opening and closing the Cocoa view or the Carbon control, the screen
// copy, bundle paths, addresses and the system version.
#include "framework/editor/IGraphicsMac.h"

#include <string.h>

#include <AppKit/AppKit.h>
#include <Carbon/Carbon.h>

#include "framework/IPluginUtilities.h"
#include "framework/editor/IGraphicsCarbon.h"
#include "framework/editor/IGraphicsCocoa.h"
#include "raster/bitmap/Raster_IBitmap.h"
#include "gdi_compat/GDI_Context.h"

IGraphicsMac::IGraphicsMac(IPluginBase* plug, int w, int h, int ticksPerSecond)
    : IGraphicsRaster(plug, w, h, ticksPerSecond),
      mCarbonHost(nullptr),
      mCocoaView(nullptr),
      mBundleIdent(nullptr, 128),
      mTextAttributes(nullptr) {
  NSApplicationLoad();
}

IGraphicsMac::~IGraphicsMac() {
  CloseWindow();
  NSRelease(mTextAttributes);
}

void* IGraphicsMac::OpenWindow(void* pParentView) {
  CloseWindow();
  if (pParentView && !NSObjectCast<NSView>(pParentView))
    return OpenCarbonWindow(pParentView, nullptr);
  return OpenCocoaWindow(pParentView);
}

void* IGraphicsMac::OpenWindow(void* pWindow, void* pParentControl) {
  return OpenCarbonWindow(pWindow, pParentControl);
}

void* IGraphicsMac::OpenCocoaWindow(void* pParentView) {
  CloseWindow();
  IGraphicsCocoa_v1002* view = IGraphicsCocoa_v1002::alloc();
  if (!view) return nullptr;
  mCocoaView = view->initWithIGraphics(this);
  if (NSView* parent = NSObjectCast<NSView>(pParentView)) parent->addSubview(mCocoaView);
  return mCocoaView;
}

void* IGraphicsMac::OpenCarbonWindow(void* pWindow, void* pParentControl) {
  CloseWindow();
  // A pointer that is not a live Carbon window of this process gets no control.
  if (!IsValidWindowPtr(static_cast<WindowRef>(pWindow))) return nullptr;
  mCarbonHost = new IGraphicsCarbon(this, static_cast<WindowRef>(pWindow),
                                    static_cast<ControlRef>(pParentControl));
  if (!mCarbonHost->GetView()) {
    CloseWindow();
    return nullptr;
  }
  return mCarbonHost->GetView();
}

void IGraphicsMac::CloseWindow() {
  if (mCarbonHost) {
    IGraphicsCarbon* host = mCarbonHost;
    mCarbonHost = nullptr;  // cleared first: deleting it may bring its dispose event back here
    delete host;
  } else if (IGraphicsCocoa_v1002* view = mCocoaView) {
    mCocoaView = nullptr;
    view->killTimer();
    if (view->Graphics()) {
      view->DetachGraphics();
      view->removeFromSuperview();
    }
    view->release();
  }
}

void IGraphicsMac::Resize(int w, int h) {
  IGraphicsRaster::Resize(w, h);
  if (mCarbonHost)
    mCarbonHost->Resize(w, h);
  else if (mCocoaView)
    mCocoaView->setFrameSize(NSMakeSize(w, h));
}

bool IGraphicsMac::DrawScreen(IRECT*) {
  CGContextRef target = nullptr;
  CGRect dest = CGRectMake(0, 0, Width(), Height());
  if (mCocoaView) {
    NSGraphicsContext* current = NSGraphicsContext::currentContext();
    if (!current) return false;
    NSGraphicsContext* context =
        NSGraphicsContext::graphicsContextWithGraphicsPort_flipped(current->graphicsPort(), true);
    target = context ? static_cast<CGContextRef>(context->graphicsPort()) : nullptr;
  } else if (mCarbonHost) {
    target = mCarbonHost->DrawContext();
    mCarbonHost->OffsetContentRect(&dest);
  }
  Raster_IBitmap* surface = GetDrawSurface();
  CGContextRef source = surface ? GDI_GetCtxGC(static_cast<HDC>(surface->getDC())) : nullptr;
  if (!target || !source) return false;
  CGImageRef image = CGBitmapContextCreateImage(source);
  if (!image) return false;
  CGContextDrawImage(target, dest, image);
  CGImageRelease(image);
  return true;
}

void IGraphicsMac::HostPath(Core_String* pPath) {
  NSAutoreleaseScope pool;
  NSBundle* bundle =
      NSBundle::bundleWithIdentifier(NSString::stringWithCString(mBundleIdent.Get()));
  NSString* path = bundle ? bundle->executablePath() : nullptr;
  if (path) pPath->Set(path->UTF8String());
}

void IGraphicsMac::PluginPath(Core_String* pPath) {
  NSAutoreleaseScope pool;
  NSBundle* bundle =
      NSBundle::bundleWithIdentifier(NSString::stringWithCString(mBundleIdent.Get()));
  NSString* path = bundle ? bundle->bundlePath() : nullptr;
  if (!path) return;
  pPath->Set(path->stringByDeletingLastPathComponent()->UTF8String());
  pPath->Append("/");
}

bool IGraphicsMac::OpenURL(const char* url, const char*, const char*, const char*) {
  if (!url) return true;
  NSAutoreleaseScope pool;
  NSString* text = NSString::stringWithCString(url);
  NSURL* address = strstr(url, "http") ? NSURL::URLWithString(text) : NSURL::fileURLWithPath(text);
  if (!address) return true;
  return NSWorkspace::sharedWorkspace()->openURL(address);
}

int IGraphicsMac::GetUserOSVersion() {
  SInt32 version = 0;
  Gestalt(gestaltSystemVersion, &version);
  Trace(__FUNCTION__, __LINE__, "%x", static_cast<unsigned>(version));
  return version;
}
