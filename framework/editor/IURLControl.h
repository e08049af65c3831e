#pragma once
// An invisible area that opens an address when pressed, or a fallback address when the first
// cannot be opened.

#include "framework/editor/IControl.h"

constexpr int kURLSize = 256;  // address fields, terminator included
constexpr int kURLMessageSize = 1024;

class IURLControl : public IControl {
 public:
  // Each text is copied when given and not empty, cut to its field (255 and 1023 characters).
  IURLControl(IPluginBase* plug, const IRECT* pR, const char* url,
              const char* fallbackURL = nullptr, const char* message = nullptr);
  bool Draw(IGraphics*) override { return true; }
  void OnMouseDown(int x, int y, IMouseMod* pMod) override;

  const char* Address() const { return mAddress; }
  const char* FallbackAddress() const { return mFallbackAddress; }
  const char* Message() const { return mMessage; }

 protected:
  char mAddress[kURLSize];
  char mFallbackAddress[kURLSize];
  char mMessage[kURLMessageSize];
};
