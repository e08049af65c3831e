#include "framework/editor/IFileSelectorControl.h"

#include "framework/editor/IGraphics.h"

IFileSelectorControl::IFileSelectorControl(IPluginBase* plug, const IRECT* pR, int paramIdx,
                                           const IBitmap* pBitmap, EFileAction action,
                                           const char* dir, const char* extensions)
    : IControl(plug, pR, paramIdx),
      mSkin(pBitmap ? *pBitmap : IBitmap()),
      mStartDir(dir, 128),
      mChosenFile(nullptr, 128),
      mFileTypes(extensions, 128),
      mAction(action),
      mSelectState(kSelectIdle) {}

bool IFileSelectorControl::Draw(IGraphics* pGraphics) {
  if (mSelectState != kSelectWaiting) return true;
  return pGraphics->DrawBitmap(&mSkin, &mDrawRect, 0, 0, nullptr);
}

void IFileSelectorControl::OnMouseDown(int, int, IMouseMod*) {
  IGraphics* gui = GetGUI();
  if (!gui) return;
  mSelectState = kSelectWaiting;
  SetDirty(false);
  gui->PromptForFile(&mChosenFile, mAction, mStartDir.Get(), mFileTypes.Get());
  mValue = mValue < 0.5 ? 1.0 : 0.0;
  mSelectState = kSelectDone;
  SetDirty(true);
}

bool IFileSelectorControl::IsDirty() {
  if (mDirty) return true;
  if (mSelectState == kSelectDone) {
    mSelectState = kSelectIdle;
    return true;
  }
  return false;
}

void IFileSelectorControl::GetLastSelectedFileForPlug(Core_String* pStr) const {
  if (pStr) pStr->Set(mChosenFile.Get());
}

void IFileSelectorControl::SetLastSelectedFileFromPlug(const char* file) {
  mChosenFile.Set(file ? file : "");
}
