#include "framework/editor/IURLControl.h"

#include <cstring>

#include "framework/editor/IGraphics.h"

namespace {

// Copies text into a field of size bytes, cut to fit; the field stays all zero for no text.
void CopyField(char* field, int size, const char* text) {
  memset(field, 0, size);
  if (text && *text) strncpy(field, text, size - 1);
}

}  // namespace

IURLControl::IURLControl(IPluginBase* plug, const IRECT* pR, const char* url,
                         const char* fallbackURL, const char* message)
    : IControl(plug, pR) {
  CopyField(mAddress, kURLSize, url);
  CopyField(mFallbackAddress, kURLSize, fallbackURL);
  CopyField(mMessage, kURLMessageSize, message);
}

void IURLControl::OnMouseDown(int, int, IMouseMod*) {
  IGraphics* gui = GetGUI();
  if (!gui) return;
  if (mAddress[0] && gui->OpenURL(mAddress, mMessage, nullptr, nullptr)) return;
  if (mFallbackAddress[0]) gui->OpenURL(mFallbackAddress, mMessage, nullptr, nullptr);
}
