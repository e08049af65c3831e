// The current graphics context of each thread and its saved states.
#include "AppKit/NSGraphicsContext.h"

#include <vector>

namespace {

struct ThreadContexts {
  NSGraphicsContext* current = nullptr;   // retained
  std::vector<NSGraphicsContext*> saved;  // retained, may hold nulls
  ~ThreadContexts() {
    for (NSGraphicsContext* c : saved)
      if (c) c->release();
    if (current) current->release();
  }
};
ThreadContexts& Contexts() {
  static thread_local ThreadContexts contexts;
  return contexts;
}

}  // namespace

NSGraphicsContext::~NSGraphicsContext() { CGContextRelease(m_port); }

NSGraphicsContext* NSGraphicsContext::graphicsContextWithGraphicsPort_flipped(void* port,
                                                                              bool flipped) {
  if (!port) return nullptr;
  NSGraphicsContext* c = alloc();
  if (!c) return nullptr;
  c->m_port = CGContextRetain(static_cast<CGContextRef>(port));
  c->m_flipped = flipped;
  return static_cast<NSGraphicsContext*>(c->autorelease());
}

NSGraphicsContext* NSGraphicsContext::currentContext() { return Contexts().current; }

void NSGraphicsContext::setCurrentContext(NSGraphicsContext* context) {
  ThreadContexts& t = Contexts();
  if (context) context->retain();
  if (t.current) t.current->release();
  t.current = context;
}

void NSGraphicsContext::saveGraphicsState() {
  ThreadContexts& t = Contexts();
  NSGraphicsContext* c = t.current;
  if (c) {
    c->retain();
    CGContextSaveGState(c->m_port);
  }
  t.saved.push_back(c);
}

void NSGraphicsContext::restoreGraphicsState() {
  ThreadContexts& t = Contexts();
  if (t.saved.empty()) return;
  NSGraphicsContext* c = t.saved.back();
  t.saved.pop_back();
  if (c) CGContextRestoreGState(c->m_port);
  setCurrentContext(c);
  if (c) c->release();
}

void NSGraphicsContext::setShouldAntialias(bool antialias) {
  m_antialias = antialias;
  CGContextSetShouldAntialias(m_port, antialias);
}

NS_REGISTER_CLASS(NSGraphicsContext);
