#pragma once
// An editor for tests, on a memory surface and without a window: it records what it is asked to
// draw (with the clip in force) and answers the window host's prompts from what the test sets.
// ProbeControl logs what reaches a control.

#include <map>
#include <string>
#include <vector>

#include "framework/editor/IGraphics.h"

class RecordingGraphics : public IGraphics {
 public:
  struct Call {
    explicit Call(const char* kind, const IRECT& r = IRECT()) : op(kind), dest(r) {}
    std::string op;  // "bitmap", "rotated", "mask", "line", "text"
    IRECT dest;      // bitmap and text: the destination
    IRECT clip;      // mClipRect during the call
    int srcY = 0;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; rotations: centre or corner in x1, y1
    double angle = 0;
    IChannelBlend blend;
    std::string text;
  };

  RecordingGraphics(IPluginBase* plug, int w, int h, int fps = 0);
  ~RecordingGraphics() override;

  using IGraphics::DrawBitmap;
  using IGraphics::DrawHorizontalLine;
  using IGraphics::DrawVerticalLine;
  using IGraphics::OpenWindow;

  void PrepDraw() override { log.push_back("prep"); }
  bool DrawScreen(IRECT* pR) override;
  bool DrawBitmap(IBitmap* pBitmap, IRECT* pDest, int srcX, int srcY,
                  const IChannelBlend* pBlend) override;
  bool DrawRotatedBitmap(IBitmap*, int cx, int cy, double angle, int pivotY,
                         const IChannelBlend* pBlend) override;
  bool DrawRotatedMask(IBitmap*, IBitmap*, IBitmap*, int x, int y, double angle,
                       const IChannelBlend* pBlend) override;
  bool DrawPoint(const IColor* pColor, float x, float y, const IChannelBlend*, bool) override;
  bool ForcePixel(const IColor* pColor, int x, int y) override;
  bool DrawLine(const IColor*, float x1, float y1, float x2, float y2, const IChannelBlend* pBlend,
                bool) override;
  bool DrawArc(const IColor*, float, float, float, float, float, const IChannelBlend*,
               bool) override;
  bool DrawCircle(const IColor*, float, float, float, const IChannelBlend*, bool) override;
  bool FillIRect(const IColor* pColor, IRECT* pR, const IChannelBlend*) override;
  bool DrawIText(IText*, const char* str, IRECT* pR) override;
  IColor GetPoint(int x, int y) override;
  void* GetData() override { return mSurface.data(); }
  void PromptUserInput(IControl* pControl, IParam* pParam) override;
  void HostPath(Core_String* pPath) override { pPath->Set("/host"); }
  void PluginPath(Core_String* pPath) override { pPath->Set("/plugin/"); }
  void PromptForFile(Core_String* pResult, EFileAction action, const char* dir,
                     const char* extensions) override;
  bool PromptForColor(IColor*, const char*) override { return false; }
  bool OpenURL(const char* url, const char* msg, const char*, const char*) override;
  void* OpenWindow(void*) override { return mWindow = this; }
  void CloseWindow() override { mWindow = nullptr; }
  void* GetWindow() override { return mWindow; }
  // A bitmap of the size DefineBitmap gave the id (else 10 x 10 per frame), without pixels.
  IBitmap LoadIBitmap(int id, const char* name, int nFrames) override;
  IBitmap ScaleBitmap(IBitmap* pBitmap, int w, int h) override;
  IBitmap CropBitmap(IBitmap* pBitmap, IRECT* pR) override;
  void RetainBitmap(IBitmap*) override {}
  void ReleaseBitmap(IBitmap*) override {}
  Raster_IBitmap* OSLoadBitmap(int, const char*) override { return nullptr; }

  void DefineBitmap(int id, int w, int h) { mSizes[id] = {w, h}; }
  // The calls of one kind, in order.
  std::vector<Call> Calls(const std::string& op) const;

  std::vector<Call> calls;
  std::vector<std::string> log;  // "prep", "screen L,T,R,B", "prompt", "file", "url ..."
  std::string fileToChoose;      // what PromptForFile answers
  bool urlsOpen = true;          // what OpenURL answers
  IControl* promptedControl = nullptr;
  IParam* promptedParam = nullptr;
  int* deleted = nullptr;  // counted up by the destructor

 private:
  void Record(Call call);
  std::vector<IColor> mSurface;
  std::map<int, std::pair<int, int>> mSizes;
  void* mWindow = nullptr;
};

// "L,T,R,B"
std::string Str(const IRECT& r);

// Logs, as "name event", what reaches it: draws with the clip in force, mouse events, values
// from the plug-in and idle calls. The base class's handling runs as well.
class ProbeControl : public IControl {
 public:
  ProbeControl(IPluginBase* plug, const IRECT& r, int paramIdx, std::vector<std::string>* pLog,
               const char* name);
  bool Draw(IGraphics* pGraphics) override;
  void OnMouseDown(int x, int y, IMouseMod* pMod) override;
  void OnMouseUp(int x, int y, IMouseMod* pMod) override;
  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* pMod) override;
  void OnMouseDblClick(int x, int y, IMouseMod* pMod) override;
  void OnMouseWheel(int x, int y, IMouseMod* pMod, int d) override;
  void OnKeyDown(int x, int y, int key) override;
  void OnMouseOver(int x, int y, IMouseMod*) override;
  void OnMouseOut() override { Log("out"); }
  void SetValueFromPlug(double value) override;
  void OnGUIIdle() override { Log("idle"); }

 private:
  void Log(const std::string& event) { mLog->push_back(mName + " " + event); }
  std::vector<std::string>* mLog;
  std::string mName;
};
