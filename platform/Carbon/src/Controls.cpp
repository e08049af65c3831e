// Controls and HIViews: the tree, frames, invalidation and coordinate conversion.
#include <algorithm>
#include <set>

#include "CarbonInternal.h"

const HIViewID kHIViewWindowContentID = {'wind', 1};

namespace {

std::set<const OpaqueControlRef*>& LiveControls() {
  static auto* s = new std::set<const OpaqueControlRef*>();
  return *s;
}

void Detach(ControlRef control) {
  if (ControlRef p = control->parent) {
    p->children.erase(std::remove(p->children.begin(), p->children.end(), control),
                      p->children.end());
    control->parent = nullptr;
  }
}

// Marks the control's whole frame as needing display (compositing windows only).
void InvalidateFrame(ControlRef control) {
  const HIRect all = CGRectMake(0, 0, control->frame.size.width, control->frame.size.height);
  HIViewSetNeedsDisplayInRect(control, &all, true);
}

OSStatus AddChild(ControlRef parent, ControlRef child) {
  if (!carbon::IsLiveControl(parent) || !carbon::IsLiveControl(child)) return errUnknownControl;
  if (parent->window != child->window || parent == child) return paramErr;
  for (ControlRef p = parent; p; p = p->parent)
    if (p == child) return paramErr;  // a control cannot hold its own ancestor
  Detach(child);
  child->parent = parent;
  parent->children.push_back(child);
  InvalidateFrame(child);
  return noErr;
}

}  // namespace

namespace carbon {
bool IsLiveControl(const OpaqueControlRef* control) {
  return control && LiveControls().count(control);
}

HIPoint OriginInWindow(ControlRef control) {
  HIPoint o = {0, 0};
  for (ControlRef c = control; c; c = c->parent) {
    o.x += c->frame.origin.x;
    o.y += c->frame.origin.y;
  }
  return o;
}
}  // namespace carbon

OSStatus CreateUserPaneControl(WindowRef window, const Rect* bounds, UInt32 features,
                               ControlRef* outControl) {
  if (!carbon::IsLiveWindow(window) || !bounds || !outControl) return paramErr;
  auto* c = new (std::nothrow) OpaqueControlRef();
  if (!c) return memFullErr;
  c->window = window;
  c->features = features;
  c->frame = CGRectMake(bounds->left, bounds->top, std::max(0, bounds->right - bounds->left),
                        std::max(0, bounds->bottom - bounds->top));
  LiveControls().insert(c);
  window->controls.push_back(c);
  *outControl = c;
  return noErr;
}

void DisposeControl(ControlRef control) {
  if (!carbon::IsLiveControl(control) || control->disposing) return;
  control->disposing = true;
  InvalidateFrame(control);
  EventRef e = nullptr;
  if (CreateEvent(nullptr, kEventClassControl, kEventControlDispose, ws::Now(), 0, &e) == noErr) {
    SetEventParameter(e, kEventParamDirectObject, typeControlRef, sizeof control, &control);
    carbon::Dispatch(e, &control->target);
    ReleaseEvent(e);
  }
  while (!control->children.empty()) {
    ControlRef child = control->children.back();
    DisposeControl(child);
    if (!control->children.empty() && control->children.back() == child) Detach(child);
  }
  Detach(control);
  WindowRef w = control->window;
  if (carbon::IsLiveWindow(w)) {
    w->controls.erase(std::remove(w->controls.begin(), w->controls.end(), control),
                      w->controls.end());
    if (w->root == control) w->root = nullptr;
  }
  LiveControls().erase(control);
  delete control;
}

EventTargetRef GetControlEventTarget(ControlRef control) {
  return carbon::IsLiveControl(control) ? &control->target : nullptr;
}

WindowRef GetControlOwner(ControlRef control) {
  return carbon::IsLiveControl(control) ? control->window : nullptr;
}

Boolean IsValidControlHandle(ControlRef control) { return carbon::IsLiveControl(control); }

OSStatus GetRootControl(WindowRef window, ControlRef* outControl) {
  if (!carbon::IsLiveWindow(window) || !outControl) return paramErr;
  *outControl = window->root;
  return window->root ? OSStatus(noErr) : OSStatus(errNoRootControl);
}

OSStatus CreateRootControl(WindowRef window, ControlRef* outControl) {
  if (!carbon::IsLiveWindow(window) || !outControl) return paramErr;
  if (window->root) {
    *outControl = window->root;
    return -30595;  // errRootAlreadyExists
  }
  const Rect all = {0, 0, static_cast<short>(window->native->height),
                    static_cast<short>(window->native->width)};
  const OSStatus err = CreateUserPaneControl(window, &all, kControlSupportsEmbedding, outControl);
  if (err == noErr) window->root = *outControl;
  return err;
}

OSStatus EmbedControl(ControlRef control, ControlRef container) {
  if (!carbon::IsLiveControl(container)) return errUnknownControl;
  if (!(container->features & kControlSupportsEmbedding)) return errControlIsNotEmbedder;
  return AddChild(container, control);
}

void SizeControl(ControlRef control, SInt16 width, SInt16 height) {
  if (!carbon::IsLiveControl(control)) return;
  HIRect f = control->frame;
  f.size = CGSizeMake(std::max<SInt16>(0, width), std::max<SInt16>(0, height));
  HIViewSetFrame(control, &f);
}

Rect* GetControlBounds(ControlRef control, Rect* bounds) {
  if (!bounds) return bounds;
  *bounds = Rect{0, 0, 0, 0};
  if (carbon::IsLiveControl(control)) {
    const HIPoint o = carbon::OriginInWindow(control);
    bounds->left = static_cast<short>(o.x);
    bounds->top = static_cast<short>(o.y);
    bounds->right = static_cast<short>(o.x + control->frame.size.width);
    bounds->bottom = static_cast<short>(o.y + control->frame.size.height);
  }
  return bounds;
}

OSStatus HIViewGetRoot(WindowRef window, HIViewRef* outView) {
  if (!carbon::IsLiveWindow(window) || !outView) return paramErr;
  *outView = window->root;
  return window->root ? OSStatus(noErr) : OSStatus(errNoRootControl);
}

OSStatus HIViewFindByID(HIViewRef start, HIViewID id, HIViewRef* outView) {
  if (!carbon::IsLiveControl(start) || !outView) return paramErr;
  if (start->viewID.signature == id.signature && start->viewID.id == id.id) {
    *outView = start;
    return noErr;
  }
  for (ControlRef c : start->children)
    if (HIViewFindByID(c, id, outView) == noErr) return noErr;
  *outView = nullptr;
  return errUnknownControl;
}

OSStatus HIViewAddSubview(HIViewRef parent, HIViewRef child) { return AddChild(parent, child); }

OSStatus HIViewRemoveFromSuperview(HIViewRef view) {
  if (!carbon::IsLiveControl(view)) return errUnknownControl;
  InvalidateFrame(view);
  Detach(view);
  return noErr;
}

OSStatus HIViewGetFrame(HIViewRef view, HIRect* outFrame) {
  if (!carbon::IsLiveControl(view) || !outFrame) return paramErr;
  *outFrame = view->frame;
  return noErr;
}

OSStatus HIViewSetFrame(HIViewRef view, const HIRect* frame) {
  if (!carbon::IsLiveControl(view) || !frame) return paramErr;
  InvalidateFrame(view);
  view->frame = CGRectStandardize(*frame);
  InvalidateFrame(view);
  EventRef e = nullptr;
  if (CreateEvent(nullptr, kEventClassControl, kEventControlBoundsChanged, ws::Now(), 0, &e) ==
      noErr) {
    SetEventParameter(e, kEventParamDirectObject, typeControlRef, sizeof view, &view);
    carbon::Dispatch(e, &view->target);
    ReleaseEvent(e);
  }
  return noErr;
}

HIViewRef HIViewGetSuperview(HIViewRef view) {
  return carbon::IsLiveControl(view) ? view->parent : nullptr;
}

OSStatus HIViewSetNeedsDisplayInRect(HIViewRef view, const HIRect* rect, Boolean needsDisplay) {
  if (!carbon::IsLiveControl(view) || !rect) return paramErr;
  WindowRef w = view->window;
  if (!needsDisplay || !carbon::IsLiveWindow(w) || !w->Composited()) return noErr;
  const HIRect mine = CGRectMake(0, 0, view->frame.size.width, view->frame.size.height);
  HIRect r = CGRectIntersection(CGRectStandardize(*rect), mine);
  if (CGRectIsEmpty(r)) return noErr;
  const HIPoint o = carbon::OriginInWindow(view);
  r = CGRectOffset(r, o.x, o.y);
  w->dirty = w->hasDirty ? CGRectUnion(w->dirty, r) : r;
  w->hasDirty = true;
  ws::RequestDisplay(w->native);
  return noErr;
}

OSStatus HIViewSetNeedsDisplay(HIViewRef view, Boolean needsDisplay) {
  if (!carbon::IsLiveControl(view)) return paramErr;
  const HIRect all = CGRectMake(0, 0, view->frame.size.width, view->frame.size.height);
  return HIViewSetNeedsDisplayInRect(view, &all, needsDisplay);
}

OSStatus HIPointConvert(HIPoint* point, HICoordinateSpace sourceSpace, void* sourceObject,
                        HICoordinateSpace destinationSpace, void* destinationObject) {
  if (!point) return paramErr;
  // Into window coordinates; this platform's global coordinates are the window's.
  HIPoint p = *point;
  if (sourceSpace == kHICoordSpaceView) {
    ControlRef v = static_cast<ControlRef>(sourceObject);
    if (!carbon::IsLiveControl(v)) return errUnknownControl;
    const HIPoint o = carbon::OriginInWindow(v);
    p.x += o.x, p.y += o.y;
  } else if (sourceSpace == kHICoordSpaceWindow) {
    if (!carbon::IsLiveWindow(static_cast<WindowRef>(sourceObject))) return paramErr;
  } else if (sourceSpace != kHICoordSpace72DPIGlobal && sourceSpace != kHICoordSpaceScreenPixel) {
    return paramErr;
  }
  if (destinationSpace == kHICoordSpaceView) {
    ControlRef v = static_cast<ControlRef>(destinationObject);
    if (!carbon::IsLiveControl(v)) return errUnknownControl;
    const HIPoint o = carbon::OriginInWindow(v);
    p.x -= o.x, p.y -= o.y;
  } else if (destinationSpace == kHICoordSpaceWindow) {
    if (!carbon::IsLiveWindow(static_cast<WindowRef>(destinationObject))) return paramErr;
  } else if (destinationSpace != kHICoordSpace72DPIGlobal &&
             destinationSpace != kHICoordSpaceScreenPixel) {
    return paramErr;
  }
  *point = p;
  return noErr;
}
