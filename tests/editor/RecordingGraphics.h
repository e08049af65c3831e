#pragma once
// An editor for tests, without window or pixels: it records what it is asked to draw, with the
// clip in force, and answers the window host's prompts from what the test sets. ProbeControl
// logs what reaches a control as "name event".

#include <string>
#include <vector>

#include "framework/editor/IGraphics.h"

inline std::string Str(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }
inline std::string Str(const IRECT& r) { return Str(r.L, r.T) + "," + Str(r.R, r.B); }

class RecordingGraphics : public IGraphics {
 public:
  struct Call {
    std::string op;        // "bitmap", "rotated", "mask", "line", "text", ...
    IRECT dest, clip;      // bitmaps and texts: the destination; mClipRect during the call
    int srcY;              // bitmaps: the source row; rotated bitmaps: the pivot
    float x1, y1, x2, y2;  // lines: the ends; rotations: the centre or the corner in x1, y1
    double angle;
    IChannelBlend blend;
    std::string text;
  };

  RecordingGraphics(IPluginBase* plug, int w, int h, int fps = 0) : IGraphics(plug, w, h, fps) {}
  ~RecordingGraphics() override {
    if (deleted) ++*deleted;
  }
  using IGraphics::DrawBitmap;
  using IGraphics::DrawHorizontalLine;
  using IGraphics::DrawVerticalLine;
  using IGraphics::OpenWindow;

  void PrepDraw() override { log.push_back("prep"); }
  bool DrawScreen(IRECT* r) override { return Log("screen " + Str(*r)); }
  bool DrawBitmap(IBitmap*, IRECT* d, int, int srcY, const IChannelBlend* b) override {
    return Record("bitmap", *d, srcY, 0, 0, 0, 0, 0, b);
  }
  bool DrawRotatedBitmap(IBitmap*, int cx, int cy, double angle, int pivotY,
                         const IChannelBlend* b) override {
    return Record("rotated", IRECT(), pivotY, cx, cy, 0, 0, angle, b);
  }
  bool DrawRotatedMask(IBitmap*, IBitmap*, IBitmap*, int x, int y, double angle,
                       const IChannelBlend* b) override {
    return Record("mask", IRECT(), 0, x, y, 0, 0, angle, b);
  }
  bool DrawPoint(const IColor*, float x, float y, const IChannelBlend*, bool) override {
    return Record("point", {}, 0, x, y);
  }
  bool ForcePixel(const IColor*, int x, int y) override { return Record("pixel", {}, 0, x, y); }
  bool DrawLine(const IColor*, float x1, float y1, float x2, float y2, const IChannelBlend* b,
                bool) override {
    return Record("line", IRECT(), 0, x1, y1, x2, y2, 0, b);
  }
  bool DrawArc(const IColor*, float, float, float, float, float, const IChannelBlend*,
               bool) override {
    return Record("arc", {});
  }
  bool DrawCircle(const IColor*, float, float, float, const IChannelBlend*, bool) override {
    return Record("circle", {});
  }
  bool FillIRect(const IColor*, IRECT* r, const IChannelBlend*) override {
    return Record("fill", *r);
  }
  bool DrawIText(IText*, const char* str, IRECT* r) override {
    return Record("text", *r, 0, 0, 0, 0, 0, 0, nullptr, str);
  }
  IColor GetPoint(int, int) override { return COLOR_TRANSPARENT; }  // no pixels here
  void* GetData() override { return nullptr; }
  void PromptUserInput(IControl*, IParam* p) override {
    promptedParam = p;
    log.push_back("prompt");
  }
  void HostPath(Core_String* path) override { path->Set("/host"); }
  void PluginPath(Core_String* path) override { path->Set("/plugin/"); }
  void PromptForFile(Core_String* result, EFileAction action, const char* dir,
                     const char* ext) override {
    Log("file " + std::to_string(action) + " " + dir + " " + ext);
    result->Set(fileToChoose.c_str());
  }
  bool PromptForColor(IColor*, const char*) override { return false; }
  bool OpenURL(const char* url, const char* msg, const char*, const char*) override {
    return Log(std::string("url ") + url + " " + msg) && urlsOpen;
  }
  void* OpenWindow(void*) override { return mWindow = this; }
  void CloseWindow() override { mWindow = nullptr; }
  void* GetWindow() override { return mWindow; }
  // Images without pixels, each frame as large as the editor.
  IBitmap LoadIBitmap(int, const char*, int n) override {
    return IBitmap(nullptr, Width(), Height() * n, n);
  }
  IBitmap ScaleBitmap(IBitmap* b, int w, int h) override {
    return IBitmap(nullptr, w, h, b->mFrames);
  }
  IBitmap CropBitmap(IBitmap* b, IRECT* r) override {
    return IBitmap(nullptr, r->W(), r->H(), b->mFrames);
  }
  void RetainBitmap(IBitmap*) override {}
  void ReleaseBitmap(IBitmap*) override {}
  Raster_IBitmap* OSLoadBitmap(int, const char*) override { return nullptr; }

  std::vector<Call> calls;
  std::vector<std::string> log;  // "prep", "screen L,T,R,B", "prompt", "file ...", "url ..."
  std::string fileToChoose;      // what PromptForFile answers
  bool urlsOpen = true;          // what OpenURL answers
  IParam* promptedParam = nullptr;
  int* deleted = nullptr;  // counted up by the destructor

 private:
  bool Log(const std::string& line) {
    log.push_back(line);
    return true;
  }
  bool Record(const char* op, IRECT dest, int srcY = 0, float x1 = 0, float y1 = 0, float x2 = 0,
              float y2 = 0, double angle = 0, const IChannelBlend* b = nullptr,
              const char* text = "") {
    calls.push_back(
        {op, dest, mClipRect, srcY, x1, y1, x2, y2, angle, b ? *b : IChannelBlend(), text});
    return true;
  }
  void* mWindow = nullptr;
};

class ProbeControl : public IControl {
 public:
  ProbeControl(IPluginBase* plug, const IRECT& r, int paramIdx, std::vector<std::string>* pLog,
               const char* name)
      : IControl(plug, &r, paramIdx), mLog(pLog), mName(name) {}
  bool Draw(IGraphics* g) override { return Log("draw " + Str(g->ClipRect())); }
  void OnMouseDown(int x, int y, IMouseMod* m) override {
    Log("down " + Str(x, y));
    IControl::OnMouseDown(x, y, m);
  }
  void OnMouseUp(int x, int y, IMouseMod*) override { Log("up " + Str(x, y)); }
  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod*) override {
    Log("drag " + Str(x, y) + " by " + Str(dX, dY));
  }
  void OnMouseDblClick(int x, int y, IMouseMod* m) override {
    Log("dblclick");
    IControl::OnMouseDblClick(x, y, m);
  }
  void OnMouseWheel(int x, int y, IMouseMod* m, int d) override {
    Log("wheel " + std::to_string(d));
    IControl::OnMouseWheel(x, y, m, d);
  }
  void OnKeyDown(int, int, int key) override { Log("key " + std::to_string(key)); }
  void OnMouseOver(int x, int y, IMouseMod*) override { Log("over " + Str(x, y)); }
  void OnMouseOut() override { Log("out"); }
  void SetValueFromPlug(double v) override {
    Log("plug " + std::to_string(v));
    IControl::SetValueFromPlug(v);
  }
  void OnGUIIdle() override { Log("idle"); }

 private:
  bool Log(const std::string& event) {
    mLog->push_back(mName + " " + event);
    return true;
  }
  std::vector<std::string>* mLog;
  std::string mName;
};
