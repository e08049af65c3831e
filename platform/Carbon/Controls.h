// Controls and HIViews (one thing here). Frames are in the parent's coordinates with the
// origin at the top-left, y down. A control's event target gets kEventControlDraw when it
// is to be drawn and kEventControlDispose when it goes; mouse events go to the window's
// target.
#ifndef __CARBON_CONTROLS__
#define __CARBON_CONTROLS__

#include <Carbon/MacWindows.h>

typedef struct OpaqueControlRef* ControlRef;
typedef ControlRef HIViewRef;
typedef CGRect HIRect;
typedef CGPoint HIPoint;
typedef CGSize HISize;

typedef struct HIViewID {
  OSType signature;
  SInt32 id;
} HIViewID;
// The content view of a compositing window.
extern const HIViewID kHIViewWindowContentID;

typedef UInt32 HICoordinateSpace;
enum {
  kHICoordSpace72DPIGlobal = 1,
  kHICoordSpaceScreenPixel = 2,
  kHICoordSpaceWindow = 3,  // the window's content, origin top-left
  kHICoordSpaceView = 4     // the view's own, origin at its top-left
};

enum {
  kControlSupportsEmbedding = 1 << 1,
  kControlWantsActivate = 1 << 5,
  kControlSupportsFocus = 1 << 2,
  kControlHandlesTracking = 1 << 5,
  kControlGetsFocusOnClick = 1 << 8
};
enum { errControlIsNotEmbedder = -30590, errNoRootControl = -30600 };

// A user pane control in the window (not yet in any parent: embed or add it).
PLATFORM_EXPORT OSStatus CreateUserPaneControl(WindowRef window, const Rect* bounds,
                                               UInt32 features, ControlRef* outControl);
// Sends kEventControlDispose to the control and its subcontrols, takes them out of their
// parent and frees them.
PLATFORM_EXPORT void DisposeControl(ControlRef control);
PLATFORM_EXPORT EventTargetRef GetControlEventTarget(ControlRef control);
PLATFORM_EXPORT WindowRef GetControlOwner(ControlRef control);
PLATFORM_EXPORT Boolean IsValidControlHandle(ControlRef control);

// Non-compositing windows: the root control, embedding, sizing and drawing.
PLATFORM_EXPORT OSStatus GetRootControl(WindowRef window, ControlRef* outControl);
PLATFORM_EXPORT OSStatus CreateRootControl(WindowRef window, ControlRef* outControl);
PLATFORM_EXPORT OSStatus EmbedControl(ControlRef control, ControlRef container);
PLATFORM_EXPORT void SizeControl(ControlRef control, SInt16 width, SInt16 height);
PLATFORM_EXPORT Rect* GetControlBounds(ControlRef control, Rect* bounds);
// Draws every visible control of the window now, each with kEventControlDraw carrying the
// window's port ('graf') and the content area ('rgnh'). The region is not used: the whole
// window is drawn.
PLATFORM_EXPORT void UpdateControls(WindowRef window, RgnHandle updateRegion);

// Compositing windows: the view tree and invalidation.
PLATFORM_EXPORT OSStatus HIViewGetRoot(WindowRef window, HIViewRef* outView);
PLATFORM_EXPORT OSStatus HIViewFindByID(HIViewRef start, HIViewID id, HIViewRef* outView);
PLATFORM_EXPORT OSStatus HIViewAddSubview(HIViewRef parent, HIViewRef child);
PLATFORM_EXPORT OSStatus HIViewRemoveFromSuperview(HIViewRef view);
PLATFORM_EXPORT OSStatus HIViewGetFrame(HIViewRef view, HIRect* outFrame);
PLATFORM_EXPORT OSStatus HIViewSetFrame(HIViewRef view, const HIRect* frame);
PLATFORM_EXPORT HIViewRef HIViewGetSuperview(HIViewRef view);
// Marks the rectangle (view coordinates) to be drawn in the window's next display pass.
PLATFORM_EXPORT OSStatus HIViewSetNeedsDisplayInRect(HIViewRef view, const HIRect* rect,
                                                     Boolean needsDisplay);
PLATFORM_EXPORT OSStatus HIViewSetNeedsDisplay(HIViewRef view, Boolean needsDisplay);
// Converts between the window's and views' coordinates (the objects are a WindowRef for
// kHICoordSpaceWindow and an HIViewRef for kHICoordSpaceView).
PLATFORM_EXPORT OSStatus HIPointConvert(HIPoint* point, HICoordinateSpace sourceSpace,
                                        void* sourceObject, HICoordinateSpace destinationSpace,
                                        void* destinationObject);

#endif
