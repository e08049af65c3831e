// The editor's Carbon control: handlers, timer, drawing and mouse events.
#include "framework/editor/IGraphicsCarbon.h"

#include "framework/editor/IGraphicsMac.h"

namespace {

// User-pane features: embedding, focus, activation, tracking; with compositing also the
// HIView features that let the pane draw into the view's context.
const UInt32 kPaneFeaturesComposited = 0x12000026;
const UInt32 kPaneFeatures = 0x26;

template <class T>
bool Param(EventRef e, EventParamName name, EventParamType type, T* out) {
  return GetEventParameter(e, name, type, nullptr, sizeof(T), nullptr, out) == noErr;
}

IMouseMod CarbonMouseMod(UInt32 modifiers) {
  return IMouseMod(true, (modifiers & cmdKey) != 0, (modifiers & shiftKey) != 0,
                   (modifiers & controlKey) != 0, (modifiers & optionKey) != 0);
}

}  // namespace

IGraphicsCarbon::IGraphicsCarbon(IGraphicsMac* pGraphicsMac, WindowRef pWindow,
                                 ControlRef pParentControl)
    : mHost(pGraphicsMac),
      mComposited(false),
      mContentOffsetX(0),
      mContentOffsetY(0),
      mUpdateRgn(NewRgn()),
      mHostWindow(pWindow),
      mPane(nullptr),
      mTimerRef(nullptr),
      mPaneHandler(nullptr),
      mMouseHandler(nullptr),
      mDrawContext(nullptr),
      mPaneDisposed(false) {
  WindowAttributes attributes = 0;
  GetWindowAttributes(pWindow, &attributes);
  mComposited = (attributes & kWindowCompositingAttribute) != 0;

  const Rect bounds = {0, 0, static_cast<short>(mHost->Height()),
                       static_cast<short>(mHost->Width())};
  if (CreateUserPaneControl(pWindow, &bounds, mComposited ? kPaneFeaturesComposited : kPaneFeatures,
                            &mPane) != noErr) {
    mPane = nullptr;
    return;
  }

  const EventTypeSpec controlEvents[] = {{kEventClassControl, kEventControlDraw},
                                         {kEventClassControl, kEventControlDispose},
                                         {kEventClassControl, kEventControlBoundsChanged},
                                         {kEventClassControl, kEventControlClick}};
  InstallEventHandler(GetControlEventTarget(mPane), NewEventHandlerUPP(CarbonEventHandler),
                      sizeof controlEvents / sizeof controlEvents[0], controlEvents, this,
                      &mPaneHandler);
  const EventTypeSpec mouseEvents[] = {{kEventClassMouse, kEventMouseDown},
                                       {kEventClassMouse, kEventMouseUp},
                                       {kEventClassMouse, kEventMouseMoved},
                                       {kEventClassMouse, kEventMouseDragged},
                                       {kEventClassMouse, kEventMouseWheelMoved}};
  InstallEventHandler(GetWindowEventTarget(pWindow), NewEventHandlerUPP(CarbonEventHandler),
                      sizeof mouseEvents / sizeof mouseEvents[0], mouseEvents, this,
                      &mMouseHandler);
  InstallEventLoopTimer(GetMainEventLoop(), 0, 2.0 / mHost->FPS(),
                        NewEventLoopTimerUPP(CarbonTimerHandler), this, &mTimerRef);

  OSStatus err;
  if (mComposited) {
    HIViewRef parent = pParentControl;
    if (!parent) {
      HIViewRef root = nullptr;
      HIViewGetRoot(pWindow, &root);
      HIViewFindByID(root, kHIViewWindowContentID, &parent);
    }
    err = HIViewAddSubview(parent, mPane);
  } else {
    ControlRef parent = pParentControl;
    if (!parent && GetRootControl(pWindow, &parent) != noErr) CreateRootControl(pWindow, &parent);
    err = EmbedControl(mPane, parent);
  }
  if (err == noErr) SizeControl(mPane, mHost->Width(), mHost->Height());
}

IGraphicsCarbon::~IGraphicsCarbon() {
  RemoveEventLoopTimer(mTimerRef);
  RemoveEventHandler(mPaneHandler);
  RemoveEventHandler(mMouseHandler);
  DisposeRgn(mUpdateRgn);
  // The pane belongs to this editor: a closed editor leaves nothing in the host's window.
  if (mPane && !mPaneDisposed) DisposeControl(mPane);
}

bool IGraphicsCarbon::Resize(int w, int h) {
  if (!mHostWindow || !mPane) return false;
  Rect bounds;
  if (GetWindowBounds(mHostWindow, kWindowContentRgn, &bounds) != noErr) return false;
  bounds.right = static_cast<short>(bounds.left + w);
  bounds.bottom = static_cast<short>(bounds.top + h);
  SetWindowBounds(mHostWindow, kWindowContentRgn, &bounds);
  const HIRect frame = CGRectMake(0, 0, w, h);
  return HIViewSetFrame(mPane, &frame) == noErr;
}

void IGraphicsCarbon::OffsetContentRect(CGRect* pR) const {
  *pR = CGRectOffset(*pR, mContentOffsetX, mContentOffsetY);
}

OSStatus IGraphicsCarbon::CarbonEventHandler(EventHandlerCallRef pHandlerCall, EventRef pEvent,
                                             void* pGraphicsCarbon) {
  IGraphicsCarbon* self = static_cast<IGraphicsCarbon*>(pGraphicsCarbon);
  switch (GetEventClass(pEvent)) {
    case kEventClassControl:
      return self->OnControlEvent(pEvent);
    case kEventClassMouse:
      return self->OnMouseEvent(pHandlerCall, pEvent);
    default:
      return eventNotHandledErr;
  }
}

OSStatus IGraphicsCarbon::OnControlEvent(EventRef pEvent) {
  switch (GetEventKind(pEvent)) {
    case kEventControlDraw: {
      IRECT r(0, 0, mHost->Width(), mHost->Height());
      RgnHandle rgn = nullptr;
      if (Param(pEvent, kEventParamRgnHandle, typeQDRgnHandle, &rgn) && rgn) {
        Rect b;
        GetRegionBounds(rgn, &b);
        r = IRECT(b.left, b.top, b.right, b.bottom);
      }
      if (mComposited) {
        if (!Param(pEvent, kEventParamCGContextRef, typeCGContextRef, &mDrawContext)) return noErr;
        // The view's context has its origin at the top-left; the screen copy draws in the
        // usual bottom-up space.
        CGContextTranslateCTM(mDrawContext, 0, mHost->Height());
        CGContextScaleCTM(mDrawContext, 1, -1);
        mHost->Draw(&r);
      } else {
        mContentOffsetY = (r.B - r.T) - mHost->Height();
        CGrafPtr port = nullptr;
        if (!Param(pEvent, kEventParamGrafPort, typeGrafPtr, &port) ||
            QDBeginCGContext(port, &mDrawContext) != noErr) {
          mDrawContext = nullptr;
          return noErr;
        }
        IRECT dirty;
        mHost->IsDirty(&dirty);
        mHost->Draw(&dirty);
        CGContextFlush(mDrawContext);
        QDEndCGContext(port, &mDrawContext);
      }
      mDrawContext = nullptr;
      return noErr;
    }
    case kEventControlDispose: {
      // The host disposes the pane (or its window): the editor lets go of the window now,
      // before anything can reach a pane that no longer exists. This object goes with it.
      mPaneDisposed = true;
      mHost->CloseWindow();
      return noErr;
    }
    case kEventControlBoundsChanged:
      return noErr;
    default:
      return eventNotHandledErr;
  }
}

OSStatus IGraphicsCarbon::OnMouseEvent(EventHandlerCallRef pHandlerCall, EventRef pEvent) {
  const UInt32 kind = GetEventKind(pEvent);
  HIPoint p = {0, 0};
  Param(pEvent, kEventParamWindowMouseLocation, typeHIPoint, &p);
  HIPointConvert(&p, kHICoordSpaceWindow, mHostWindow, kHICoordSpaceView, mPane);
  const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
  UInt32 modifiers = 0;
  Param(pEvent, kEventParamKeyModifiers, typeUInt32, &modifiers);
  IMouseMod mod = CarbonMouseMod(modifiers);
  IGraphicsMac* host = mHost;  // a handler below may close the window and delete this
  switch (kind) {
    case kEventMouseDown: {
      CallNextEventHandler(pHandlerCall, pEvent);
      UInt32 clicks = 1;
      Param(pEvent, kEventParamClickCount, typeUInt32, &clicks);
      if (clicks < 2)
        host->OnMouseDown(x, y, &mod);
      else
        host->OnMouseDblClick(x, y, &mod);
      return noErr;
    }
    case kEventMouseUp:
      host->OnMouseUp(x, y, &mod);
      return noErr;
    case kEventMouseMoved:
      host->OnMouseOver(x, y, &mod);
      return noErr;
    case kEventMouseDragged:
      host->OnMouseDrag(x, y, &mod);
      return noErr;
    case kEventMouseWheelMoved: {
      EventMouseWheelAxis axis = kEventMouseWheelAxisX;
      Param(pEvent, kEventParamMouseWheelAxis, typeMouseWheelAxis, &axis);
      if (axis != kEventMouseWheelAxisY) return eventNotHandledErr;
      SInt32 delta = 0;
      Param(pEvent, kEventParamMouseWheelDelta, typeSInt32, &delta);
      host->OnMouseWheel(x, y, &mod, delta);
      return noErr;
    }
    default:
      return eventNotHandledErr;
  }
}

void IGraphicsCarbon::CarbonTimerHandler(EventLoopTimerRef, void* pGraphicsCarbon) {
  static_cast<IGraphicsCarbon*>(pGraphicsCarbon)->OnTimer();
}

void IGraphicsCarbon::OnTimer() {
  IRECT r;
  if (!mHost->IsDirty(&r)) return;
  if (mComposited) {
    const HIRect dirty = CGRectMake(r.L, r.T, r.R - r.L, r.B - r.T);
    HIViewSetNeedsDisplayInRect(mPane, &dirty, true);
  } else {
    UpdateControls(mHostWindow, nullptr);
  }
}
