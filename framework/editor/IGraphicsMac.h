#pragma once
// The window host: connects the raster editor to a macOS window, either as a Cocoa view
// (IGraphicsCocoa_v1002, for hosts that hand over an NSView) or as a Carbon user-pane
// control (IGraphicsCarbon, for hosts that hand over a Carbon window). One window at a time:
// opening one closes the other.
//
// Both kinds run a repeating timer that asks the editor what is dirty and has the window
// system repaint that area (the Cocoa view at the editor's rate, the Carbon control at half
// of it); the window system's paint callback runs the editor's Draw, whose last step,
// DrawScreen, copies the whole surface into the window's graphics context; mouse events
// arrive in editor pixels with the origin at the top-left and an IMouseMod.
//
// The host also draws text into the surface (through AppKit's string drawing), finds skin
// images in the plug-in bundle's Resources, reports bundle paths and opens addresses.

#include "core/Core_String.h"
#include "framework/editor/IGraphicsRaster.h"

class IGraphicsCarbon;
class IGraphicsCocoa_v1002;
class NSMutableDictionary;

class IGraphicsMac : public IGraphicsRaster {
 public:
  IGraphicsMac(IPluginBase* plug, int w, int h, int ticksPerSecond = 0);
  // Closes any window, releases the text attributes.
  ~IGraphicsMac() override;
  using IGraphicsRaster::OpenWindow;

  // A parent that is a live NSView (or null) gets a Cocoa view, added to it when given; any
  // other non-null pointer is taken as a Carbon window and gets a Carbon control, whose
  // ControlRef is returned. Null when the window cannot be made.
  void* OpenWindow(void* pParentView) override;
  // A Carbon control in the window, under the parent control (null: the window's content).
  void* OpenWindow(void* pWindow, void* pParentControl) override;
  void* OpenCocoaWindow(void* pParentView);
  void* OpenCarbonWindow(void* pWindow, void* pParentControl);
  void CloseWindow() override;
  bool WindowIsOpen() override { return mCarbonHost || mCocoaView; }
  void* GetWindow() override { return mCocoaView; }
  // The base's resize (controls rebuilt by the plug-in, surface resized), then the window.
  void Resize(int w, int h) override;

  // Copies the whole surface into the window's current graphics context; false without a
  // window or a context.
  bool DrawScreen(IRECT* pR) override;
  // Draws one line of text into the surface in the style's colour and alignment. The font is
  // chosen once, from the first text this editor draws, and kept for every later one.
  bool DrawIText(IText* pTxt, const char* str, IRECT* pR) override;
  // The image file from the plug-in bundle's Resources; the id is not used.
  Raster_IBitmap* OSLoadBitmap(int id, const char* name) override;

  void PromptUserInput(IControl*, IParam*) override {}
  void PromptForFile(Core_String*, EFileAction, const char*, const char*) override {}
  bool PromptForColor(IColor*, const char*) override { return false; }
  // The plug-in bundle's executable; unchanged when the bundle is not found.
  void HostPath(Core_String* pPath) override;
  // The folder holding the plug-in bundle, with a trailing "/"; unchanged without bundle.
  void PluginPath(Core_String* pPath) override;
  // Opens a web address (text containing "http") or a file path in the desktop's browser.
  // True without opening anything when the text makes no address.
  bool OpenURL(const char* url, const char* msgWindowTitle, const char* confirmMsg,
               const char* errMsgOnFailure) override;

  // The plug-in bundle's identifier, used to find its images and paths.
  void SetBundleID(const char* bundleID) { mBundleIdent.Set(bundleID); }
  const char* GetBundleID() const { return mBundleIdent.Get(); }
  // The system version as Gestalt reports it (0x1068 for 10.6.8).
  int GetUserOSVersion();

 protected:
  IGraphicsCarbon* mCarbonHost;
  IGraphicsCocoa_v1002* mCocoaView;
  Core_String mBundleIdent;
  NSMutableDictionary* mTextAttributes;
  IText mLastText;
};

// Decodes the named PNG or JPEG image from the Resources of the bundle with the identifier
// (directory parts of the name are ignored) into a new memory bitmap; null for a missing
// name, another extension, no such bundle or file, or a file that does not decode.
Raster_IBitmap* LoadImgFromResourceOSX(const char* bundleID, const char* fileName);
