// Carbon windows on the window system: input to the window's target, and the two ways of
// drawing (compositing views, or controls drawn on the window's port).
#include <math.h>

#include <algorithm>
#include <set>

#include "CarbonInternal.h"

namespace {

std::set<const OpaqueWindowPtr*>& LiveWindows() {
  static auto* s = new std::set<const OpaqueWindowPtr*>();
  return *s;
}

// Sends a control event carrying the control as its direct object plus the given
// parameters.
template <class F>
OSStatus SendControlEvent(ControlRef control, UInt32 kind, F addParameters) {
  EventRef e = nullptr;
  if (CreateEvent(nullptr, kEventClassControl, kind, ws::Now(), 0, &e) != noErr) return memFullErr;
  SetEventParameter(e, kEventParamDirectObject, typeControlRef, sizeof control, &control);
  addParameters(e);
  const OSStatus result = carbon::Dispatch(e, &control->target);
  ReleaseEvent(e);
  return result;
}

void FillBackground(CGContextRef c, CGRect area) {
  const uint32_t bg = ws::kWindowBackground;
  CGContextSaveGState(c);
  CGContextSetRGBFillColor(c, (bg >> 16 & 255) / 255.0, (bg >> 8 & 255) / 255.0, (bg & 255) / 255.0,
                           1);
  CGContextFillRect(c, area);
  CGContextRestoreGState(c);
}

// Compositing windows: each view meeting the area (window coordinates, top-left origin) gets
// a draw event with a context in its own coordinates, clipped to its part of the area.
void DrawViews(WindowRef w, ControlRef view, CGContextRef c, HIRect area) {
  const HIPoint o = carbon::OriginInWindow(view);
  const HIRect mine = CGRectMake(o.x, o.y, view->frame.size.width, view->frame.size.height);
  const HIRect part = CGRectIntersection(area, mine);
  if (CGRectIsEmpty(part)) return;
  CGContextSaveGState(c);
  CGContextTranslateCTM(c, 0, w->native->height);
  CGContextScaleCTM(c, 1, -1);
  CGContextTranslateCTM(c, o.x, o.y);
  const HIRect local = CGRectOffset(part, -o.x, -o.y);
  CGContextClipToRect(c, local);
  RgnHandle rgn = NewRgn();
  if (rgn)
    SetRectRgn(rgn, static_cast<short>(floor(local.origin.x)),
               static_cast<short>(floor(local.origin.y)),
               static_cast<short>(ceil(CGRectGetMaxX(local))),
               static_cast<short>(ceil(CGRectGetMaxY(local))));
  SendControlEvent(view, kEventControlDraw, [&](EventRef e) {
    SetEventParameter(e, kEventParamCGContextRef, typeCGContextRef, sizeof c, &c);
    if (rgn) SetEventParameter(e, kEventParamRgnHandle, typeQDRgnHandle, sizeof rgn, &rgn);
  });
  DisposeRgn(rgn);
  CGContextRestoreGState(c);
  std::vector<ControlRef> children = view->children;  // drawing may change the tree
  for (ControlRef child : children)
    if (carbon::IsLiveControl(child) && child->parent == view) DrawViews(w, child, c, area);
}

// Non-compositing windows: every control, parents first, drawn on the window's port.
void DrawControls(WindowRef w, ControlRef control, RgnHandle content) {
  SendControlEvent(control, kEventControlDraw, [&](EventRef e) {
    CGrafPtr port = &w->port;
    SetEventParameter(e, kEventParamGrafPort, typeGrafPtr, sizeof port, &port);
    SetEventParameter(e, kEventParamRgnHandle, typeQDRgnHandle, sizeof content, &content);
  });
  std::vector<ControlRef> children = control->children;
  for (ControlRef child : children)
    if (carbon::IsLiveControl(child) && child->parent == control) DrawControls(w, child, content);
}

}  // namespace

namespace carbon {
bool IsLiveWindow(const OpaqueWindowPtr* window) { return window && LiveWindows().count(window); }
}  // namespace carbon

void OpaqueWindowPtr::HandleEvent(const ws::Event& ev) {
  UInt32 kind;
  switch (ev.kind) {
    case ws::Event::kPress:
      kind = kEventMouseDown;
      break;
    case ws::Event::kRelease:
      kind = kEventMouseUp;
      break;
    case ws::Event::kMotion:
      kind = ev.buttons ? kEventMouseDragged : kEventMouseMoved;
      break;
    case ws::Event::kWheel:
      kind = kEventMouseWheelMoved;
      break;
    default:
      return;
  }
  EventRef e = nullptr;
  if (CreateEvent(nullptr, kEventClassMouse, kind, ev.time, 0, &e) != noErr) return;
  const HIPoint at = CGPointMake(ev.x, ev.y);
  SetEventParameter(e, kEventParamWindowMouseLocation, typeHIPoint, sizeof at, &at);
  SetEventParameter(e, kEventParamMouseLocation, typeHIPoint, sizeof at, &at);
  UInt32 modifiers = 0;
  if (ev.modifiers & kWindowSystemCommand) modifiers |= cmdKey;
  if (ev.modifiers & kWindowSystemShift) modifiers |= shiftKey;
  if (ev.modifiers & kWindowSystemOption) modifiers |= optionKey;
  if (ev.modifiers & kWindowSystemControl) modifiers |= controlKey;
  SetEventParameter(e, kEventParamKeyModifiers, typeUInt32, sizeof modifiers, &modifiers);
  if (ev.kind == ws::Event::kPress || ev.kind == ws::Event::kRelease) {
    const EventMouseButton button = ev.button == 3   ? kEventMouseButtonSecondary
                                    : ev.button == 2 ? kEventMouseButtonTertiary
                                                     : kEventMouseButtonPrimary;
    SetEventParameter(e, kEventParamMouseButton, typeMouseButton, sizeof button, &button);
    const UInt32 clicks = static_cast<UInt32>(ev.clickCount);
    SetEventParameter(e, kEventParamClickCount, typeUInt32, sizeof clicks, &clicks);
  }
  if (ev.kind == ws::Event::kWheel) {
    const EventMouseWheelAxis axis = ev.wheelY ? kEventMouseWheelAxisY : kEventMouseWheelAxisX;
    const SInt32 delta = ev.wheelY ? ev.wheelY : ev.wheelX;
    SetEventParameter(e, kEventParamMouseWheelAxis, typeMouseWheelAxis, sizeof axis, &axis);
    SetEventParameter(e, kEventParamMouseWheelDelta, typeSInt32, sizeof delta, &delta);
  }
  carbon::Dispatch(e, &target);
  ReleaseEvent(e);
}

void OpaqueWindowPtr::Display() {
  if (!hasDirty || !native || !Composited() || !root) return;
  hasDirty = false;
  const HIRect area =
      CGRectIntersection(CGRectIntegral(dirty), CGRectMake(0, 0, native->width, native->height));
  if (CGRectIsEmpty(area)) return;
  CGContextRef c = ws::CreateContext(native);
  if (!c) return;
  // The area in the context's default space (origin bottom-left) for the background.
  FillBackground(c, CGRectMake(area.origin.x, native->height - CGRectGetMaxY(area), area.size.width,
                               area.size.height));
  DrawViews(this, root, c, area);
  CGContextRelease(c);
  if (carbon::IsLiveWindow(this))
    ws::MarkChanged(native, static_cast<int>(area.origin.x), static_cast<int>(area.origin.y),
                    static_cast<int>(area.size.width), static_cast<int>(area.size.height));
}

void OpaqueWindowPtr::Uncover(int x, int y, int w, int h) {
  if (Composited()) {
    if (!root) return;
    const HIRect r = CGRectMake(x, y, w, h);
    HIViewSetNeedsDisplayInRect(root, &r, true);
  } else {
    UpdateControls(this, nullptr);
  }
}

OSStatus CreateNewWindow(WindowClass, WindowAttributes attributes, const Rect* contentBounds,
                         WindowRef* outWindow) {
  if (!contentBounds || !outWindow) return paramErr;
  const int w = contentBounds->right - contentBounds->left;
  const int h = contentBounds->bottom - contentBounds->top;
  if (w < 1 || h < 1) return paramErr;
  auto* window = new (std::nothrow) OpaqueWindowPtr();
  if (!window) return memFullErr;
  window->native = ws::CreateWindow(w, h, "", window);
  if (!window->native) {
    delete window;
    return memFullErr;
  }
  window->attributes = attributes;
  window->bounds = *contentBounds;
  window->port.window = window;
  LiveWindows().insert(window);
  if (window->Composited()) {
    // A compositing window has a root view and a content view covering the content area.
    const Rect all = {0, 0, static_cast<short>(h), static_cast<short>(w)};
    ControlRef root = nullptr, content = nullptr;
    CreateUserPaneControl(window, &all, kControlSupportsEmbedding, &root);
    CreateUserPaneControl(window, &all, kControlSupportsEmbedding, &content);
    window->root = root;
    content->viewID = kHIViewWindowContentID;
    HIViewAddSubview(root, content);
  }
  *outWindow = window;
  return noErr;
}

void DisposeWindow(WindowRef window) {
  if (!carbon::IsLiveWindow(window)) return;
  // Controls first: their handlers may still talk to the window.
  while (!window->controls.empty()) {
    ControlRef c = window->controls.front();
    while (c->parent) c = c->parent;
    DisposeControl(c);
  }
  window->root = nullptr;
  LiveWindows().erase(window);
  ws::DestroyWindow(window->native);
  delete window;
}

void ShowWindow(WindowRef window) {
  if (carbon::IsLiveWindow(window)) ws::ShowWindow(window->native, true);
}
void HideWindow(WindowRef window) {
  if (carbon::IsLiveWindow(window)) ws::ShowWindow(window->native, false);
}
Boolean IsWindowVisible(WindowRef window) {
  return carbon::IsLiveWindow(window) && window->native->shown;
}
Boolean IsValidWindowPtr(WindowRef window) { return carbon::IsLiveWindow(window); }

OSStatus GetWindowAttributes(WindowRef window, WindowAttributes* outAttributes) {
  if (!carbon::IsLiveWindow(window) || !outAttributes) return paramErr;
  *outAttributes = window->attributes;
  return noErr;
}

OSStatus GetWindowBounds(WindowRef window, WindowRegionCode region, Rect* bounds) {
  if (!carbon::IsLiveWindow(window) || !bounds) return paramErr;
  if (region != kWindowContentRgn && region != kWindowStructureRgn) return paramErr;
  *bounds = window->bounds;
  return noErr;
}

OSStatus SetWindowBounds(WindowRef window, WindowRegionCode region, const Rect* bounds) {
  if (!carbon::IsLiveWindow(window) || !bounds) return paramErr;
  if (region != kWindowContentRgn && region != kWindowStructureRgn) return paramErr;
  const int w = bounds->right - bounds->left, h = bounds->bottom - bounds->top;
  if (!ws::ResizeWindow(window->native, w, h)) return paramErr;
  window->bounds = *bounds;
  if (window->Composited() && window->root) {
    const HIRect all = CGRectMake(0, 0, w, h);
    HIViewSetFrame(window->root, &all);
    for (ControlRef c : window->root->children)
      if (c->viewID.signature == kHIViewWindowContentID.signature &&
          c->viewID.id == kHIViewWindowContentID.id)
        HIViewSetFrame(c, &all);
  }
  window->Uncover(0, 0, w, h);
  return noErr;
}

OSStatus SetWindowTitleWithCFString(WindowRef window, CFStringRef title) {
  if (!carbon::IsLiveWindow(window) || !title) return paramErr;
  char buffer[512];
  if (CFStringGetCString(title, buffer, sizeof buffer, kCFStringEncodingUTF8))
    ws::SetTitle(window->native, buffer);
  return noErr;
}

EventTargetRef GetWindowEventTarget(WindowRef window) {
  return carbon::IsLiveWindow(window) ? &window->target : nullptr;
}

CGrafPtr GetWindowPort(WindowRef window) {
  return carbon::IsLiveWindow(window) ? &window->port : nullptr;
}

void UpdateControls(WindowRef window, RgnHandle) {
  if (!carbon::IsLiveWindow(window) || !window->root) return;
  WindowSystemWindow* native = window->native;
  if (CGContextRef c = ws::CreateContext(native)) {
    FillBackground(c, CGRectMake(0, 0, native->width, native->height));
    CGContextRelease(c);
  }
  RgnHandle content = NewRgn();
  if (!content) return;
  SetRectRgn(content, 0, 0, static_cast<short>(native->width), static_cast<short>(native->height));
  DrawControls(window, window->root, content);
  DisposeRgn(content);
  if (carbon::IsLiveWindow(window)) ws::MarkChanged(native, 0, 0, native->width, native->height);
}

RgnHandle NewRgn(void) { return new (std::nothrow) OpaqueRgnHandle(); }
void DisposeRgn(RgnHandle rgn) { delete rgn; }

void SetRectRgn(RgnHandle rgn, short left, short top, short right, short bottom) {
  if (!rgn) return;
  // An inverted rectangle makes an empty region.
  if (right <= left || bottom <= top)
    rgn->bounds = Rect{0, 0, 0, 0};
  else
    rgn->bounds = Rect{top, left, bottom, right};
}

void RectRgn(RgnHandle rgn, const Rect* r) {
  if (r) SetRectRgn(rgn, r->left, r->top, r->right, r->bottom);
}

Rect* GetRegionBounds(RgnHandle rgn, Rect* bounds) {
  if (rgn && bounds) *bounds = rgn->bounds;
  return bounds;
}

Boolean EmptyRgn(RgnHandle rgn) {
  return !rgn || rgn->bounds.right <= rgn->bounds.left || rgn->bounds.bottom <= rgn->bounds.top;
}

OSStatus QDBeginCGContext(CGrafPtr port, CGContextRef* context) {
  if (!port || !context || !carbon::IsLiveWindow(port->window)) return paramErr;
  *context = ws::CreateContext(port->window->native);
  return *context ? noErr : memFullErr;
}

OSStatus QDEndCGContext(CGrafPtr port, CGContextRef* context) {
  if (!port || !context || !*context) return paramErr;
  CGContextRelease(*context);
  *context = nullptr;
  if (carbon::IsLiveWindow(port->window)) {
    WindowSystemWindow* native = port->window->native;
    ws::MarkChanged(native, 0, 0, native->width, native->height);
  }
  return noErr;
}

WindowSystemWindow* WindowSystemWindowOf(WindowRef window) {
  return carbon::IsLiveWindow(window) ? window->native : nullptr;
}
