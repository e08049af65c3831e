// Windows: event dispatch and the display pass over the window system.
#include "AppKit/NSWindow.h"

#include <math.h>

#include "WindowSystem/src/WSCore.h"

// Turns the window system's input into NSEvents and its redraw requests into display
// passes.
class NSWindow::Client : public ws::Client {
 public:
  explicit Client(NSWindow* w) : m_window(w) {}

  void HandleEvent(const ws::Event& e) override {
    WindowSystemWindow* native = m_window->m_native;
    if (!native) return;
    NSEventModifierFlags flags = 0;
    if (e.modifiers & kWindowSystemShift) flags |= NSShiftKeyMask;
    if (e.modifiers & kWindowSystemControl) flags |= NSControlKeyMask;
    if (e.modifiers & kWindowSystemOption) flags |= NSAlternateKeyMask;
    if (e.modifiers & kWindowSystemCommand) flags |= NSCommandKeyMask;
    // Pixel centres in base coordinates: the origin is the bottom-left corner of the content.
    const NSPoint at = {e.x + 0.5, native->height - e.y - 0.5};
    NSEventType type;
    CGFloat dx = 0, dy = 0;
    switch (e.kind) {
      case ws::Event::kPress:
      case ws::Event::kRelease: {
        const bool press = e.kind == ws::Event::kPress;
        if (e.button == 2) {
          type = press ? NSOtherMouseDown : NSOtherMouseUp;
        } else {
          type = press ? NSLeftMouseDown : NSLeftMouseUp;
          if (e.button == 3) flags |= NSSecondaryButtonMask;
        }
        break;
      }
      case ws::Event::kMotion:
        if (e.buttons & 5u) {
          type = NSLeftMouseDragged;
          if (e.buttons & 4u) flags |= NSSecondaryButtonMask;
        } else {
          type = e.buttons ? NSOtherMouseDragged : NSMouseMoved;
        }
        break;
      case ws::Event::kWheel:
        type = NSScrollWheel;
        dx = e.wheelX;
        dy = e.wheelY;
        break;
      default:
        return;
    }
    m_window->sendEvent(
        NSEvent::mouseEventWithType(type, at, flags, e.time, m_window, e.clickCount, dx, dy));
  }

  void Display() override { m_window->displayIfNeeded(); }

  void Uncover(int x, int y, int w, int h) override {
    WindowSystemWindow* native = m_window->m_native;
    if (native) m_window->Uncover(NSMakeRect(x, native->height - y - h, w, h));
  }

 private:
  NSWindow* m_window;
};

NSWindow::~NSWindow() {
  close();
  delete m_client;
}

NSWindow* NSWindow::initWithContentRect_styleMask_backing_defer(NSRect contentRect,
                                                                NSWindowStyleMask,
                                                                NSBackingStoreType, bool) {
  m_client = new Client(this);
  const int w = static_cast<int>(lround(contentRect.size.width));
  const int h = static_cast<int>(lround(contentRect.size.height));
  m_native = ws::CreateWindow(w, h, "", m_client);
  NSView* content = m_native ? NSView::alloc() : nullptr;
  if (!content || !content->initWithFrame(NSMakeRect(0, 0, w, h))) {
    release();
    return nullptr;
  }
  setContentView(content);
  content->release();
  return this;
}

void NSWindow::setContentView(NSView* view) {
  if (view == m_contentView) return;
  if (view) view->retain();
  if (m_contentView) {
    m_contentView->SetWindow(nullptr);
    m_contentView->release();
  }
  m_contentView = view;
  if (!view) return;
  if (view->superview()) view->removeFromSuperview();
  if (m_native) view->setFrame(NSMakeRect(0, 0, m_native->width, m_native->height));
  view->SetWindow(this);
  view->setNeedsDisplay(true);
}

void NSWindow::setTitle(const NSString* title) {
  if (m_native && title) ws::SetTitle(m_native, title->str());
}

NSRect NSWindow::frame() const {
  return m_native ? NSMakeRect(0, 0, m_native->width, m_native->height) : NSMakeRect(0, 0, 0, 0);
}

void NSWindow::setContentSize(NSSize size) {
  if (!m_native) return;
  if (!ws::ResizeWindow(m_native, static_cast<int>(lround(size.width)),
                        static_cast<int>(lround(size.height))))
    return;
  if (m_contentView) m_contentView->setFrame(NSMakeRect(0, 0, m_native->width, m_native->height));
}

bool NSWindow::makeFirstResponder(NSResponder* responder) {
  if (responder && !responder->acceptsFirstResponder()) return false;
  m_firstResponder = responder;
  return true;
}

void NSWindow::makeKeyAndOrderFront(NSObject* sender) { orderFront(sender); }
void NSWindow::orderFront(NSObject*) { ws::ShowWindow(m_native, true); }
void NSWindow::orderOut(NSObject*) { ws::ShowWindow(m_native, false); }
bool NSWindow::isVisible() const { return m_native && m_native->shown; }

void NSWindow::close() {
  if (!m_native) return;
  retain();
  // Each subview hears that it leaves (an editor's view closes its editor).
  while (m_contentView && !m_contentView->subviews().empty())
    m_contentView->subviews().back()->removeFromSuperview();
  NSRelease(m_mouseView);
  m_firstResponder = nullptr;
  ws::DestroyWindow(m_native);
  m_native = nullptr;
  release();
}

void NSWindow::sendEvent(NSEvent* event) {
  if (!event || !m_native || !m_contentView) return;
  retain();
  switch (event->type()) {
    case NSLeftMouseDown: {
      NSView* v = m_contentView->hitTest(event->locationInWindow());
      if (v) {
        if (v->acceptsFirstResponder()) makeFirstResponder(v);
        NSRelease(m_mouseView);
        m_mouseView = static_cast<NSView*>(v->retain());
        v->mouseDown(event);
      }
      break;
    }
    case NSLeftMouseDragged:
      if (m_mouseView) m_mouseView->mouseDragged(event);
      break;
    case NSLeftMouseUp:
      if (NSView* v = m_mouseView) {
        m_mouseView = nullptr;
        v->mouseUp(event);
        v->release();
      }
      break;
    case NSMouseMoved:
      if (m_acceptsMoves && m_firstResponder) m_firstResponder->mouseMoved(event);
      break;
    case NSScrollWheel:
      if (NSView* v = m_contentView->hitTest(event->locationInWindow())) v->scrollWheel(event);
      break;
    default:
      break;
  }
  release();
}

void NSWindow::ViewNeedsDisplay(NSRect windowRect) {
  if (!m_native) return;
  m_dirty = m_hasDirty ? CGRectUnion(m_dirty, windowRect) : windowRect;
  m_hasDirty = true;
  ws::RequestDisplay(m_native);
}

void NSWindow::ViewLeaving(NSView* view) {
  if (m_firstResponder == view) m_firstResponder = nullptr;
  if (m_mouseView == view) NSRelease(m_mouseView);
}

void NSWindow::Uncover(NSRect windowRect) {
  if (m_contentView) m_contentView->setNeedsDisplayInRect(windowRect);
}

void NSWindow::displayIfNeeded() {
  if (!m_native || !m_hasDirty || !m_contentView) return;
  // Whole pixels: a partly covered pixel is drawn again whole.
  const NSRect area = CGRectIntersection(CGRectIntegral(m_dirty), frame());
  m_hasDirty = false;
  if (CGRectIsEmpty(area)) return;
  CGContextRef c = ws::CreateContext(m_native);
  if (!c) return;
  retain();
  CGContextSaveGState(c);
  const uint32_t bg = ws::kWindowBackground;
  CGContextSetRGBFillColor(c, (bg >> 16 & 255) / 255.0, (bg >> 8 & 255) / 255.0, (bg & 255) / 255.0,
                           1);
  CGContextFillRect(c, area);
  CGContextRestoreGState(c);
  m_contentView->DisplayTree(c, area);
  CGContextRelease(c);
  if (m_native) {
    const int x = static_cast<int>(area.origin.x), w = static_cast<int>(area.size.width);
    const int h = static_cast<int>(area.size.height);
    ws::MarkChanged(m_native, x, m_native->height - static_cast<int>(area.origin.y) - h, w, h);
  }
  release();
}

NS_REGISTER_CLASS(NSWindow);

WindowSystemWindow* WindowSystemWindowOf(NSWindow* window) {
  return NSObjectCast<NSWindow>(window) ? window->WindowSystemHandle() : nullptr;
}
