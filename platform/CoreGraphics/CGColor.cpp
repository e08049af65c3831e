// The device RGB colour space and immutable colours.
#include "CGInternal.h"

#include <algorithm>
#include <new>

CGColorSpaceRef CGColorSpaceDeviceRGBShared() {
  // Created once and kept for the life of the process.
  static CGColorSpace* space = new CGColorSpace();
  return space;
}

CGColorSpaceRef CGColorSpaceCreateDeviceRGB(void) {
  return CGColorSpaceRetain(CGColorSpaceDeviceRGBShared());
}

CGColorSpaceRef CGColorSpaceRetain(CGColorSpaceRef space) {
  if (space) space->refs.fetch_add(1, std::memory_order_relaxed);
  return space;
}

void CGColorSpaceRelease(CGColorSpaceRef space) {
  // The shared space is never freed; releasing only balances the count.
  if (space) space->refs.fetch_sub(1, std::memory_order_acq_rel);
}

size_t CGColorSpaceGetNumberOfComponents(CGColorSpaceRef space) {
  return space ? space->components : 0;
}

static CGFloat ClampUnit(CGFloat v) {
  // NaN becomes 0.
  return v > 0 ? std::min<CGFloat>(v, 1) : 0;
}

CGColorRef CGColorCreate(CGColorSpaceRef space, const CGFloat* components) {
  if (!space || !components) return nullptr;
  CGColor* c = new (std::nothrow) CGColor();
  if (!c) return nullptr;
  for (int i = 0; i < 4; ++i) c->comps[i] = ClampUnit(components[i]);
  return c;
}

CGColorRef CGColorCreateGenericRGB(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha) {
  const CGFloat comps[4] = {red, green, blue, alpha};
  return CGColorCreate(CGColorSpaceDeviceRGBShared(), comps);
}

CGColorRef CGColorCreateCopyWithAlpha(CGColorRef color, CGFloat alpha) {
  if (!color) return nullptr;
  const CGFloat comps[4] = {color->comps[0], color->comps[1], color->comps[2], alpha};
  return CGColorCreate(CGColorSpaceDeviceRGBShared(), comps);
}

CGColorRef CGColorRetain(CGColorRef color) {
  if (color) color->refs.fetch_add(1, std::memory_order_relaxed);
  return color;
}

void CGColorRelease(CGColorRef color) {
  if (color && color->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete color;
}

size_t CGColorGetNumberOfComponents(CGColorRef color) { return color ? 4 : 0; }
const CGFloat* CGColorGetComponents(CGColorRef color) { return color ? color->comps : nullptr; }
CGFloat CGColorGetAlpha(CGColorRef color) { return color ? color->comps[3] : 0; }
CGColorSpaceRef CGColorGetColorSpace(CGColorRef color) {
  return color ? CGColorSpaceDeviceRGBShared() : nullptr;
}

bool CGColorEqualToColor(CGColorRef a, CGColorRef b) {
  if (a == b) return true;
  if (!a || !b) return false;
  return std::equal(a->comps, a->comps + 4, b->comps);
}
