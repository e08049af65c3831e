#pragma once
// A button that asks the user for a file. The image shows only while the prompt is up; the
// value toggles with every finished selection, and the plug-in reads the chosen path back.

#include "core/Core_String.h"
#include "framework/editor/IControl.h"

enum EFileSelectorState { kSelectIdle = 0, kSelectWaiting = 1, kSelectDone = 2 };

class IFileSelectorControl : public IControl {
 public:
  // extensions: the file types offered, as the window host's prompt reads them.
  IFileSelectorControl(IPluginBase* plug, const IRECT* pR, int paramIdx, const IBitmap* pBitmap,
                       EFileAction action, const char* dir = "", const char* extensions = "");
  bool Draw(IGraphics* pGraphics) override;
  // Does nothing while the plug-in has no editor.
  void OnMouseDown(int x, int y, IMouseMod* pMod) override;
  // Dirty as usual, and once more after each finished selection.
  bool IsDirty() override;

  void GetLastSelectedFileForPlug(Core_String* pStr) const;
  void SetLastSelectedFileFromPlug(const char* file);
  EFileSelectorState State() const { return mSelectState; }

 protected:
  IBitmap mSkin;
  Core_String mStartDir, mChosenFile, mFileTypes;
  EFileAction mAction;
  EFileSelectorState mSelectState;
};
