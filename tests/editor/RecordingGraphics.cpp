#include "tests/editor/RecordingGraphics.h"

#include <algorithm>

std::string Str(const IRECT& r) {
  return std::to_string(r.L) + "," + std::to_string(r.T) + "," + std::to_string(r.R) + "," +
         std::to_string(r.B);
}

RecordingGraphics::RecordingGraphics(IPluginBase* plug, int w, int h, int fps)
    : IGraphics(plug, w, h, fps), mSurface(static_cast<size_t>(w) * h) {}

RecordingGraphics::~RecordingGraphics() {
  if (deleted) ++*deleted;
}

void RecordingGraphics::Record(Call call) {
  call.clip = mClipRect;
  calls.push_back(call);
}

std::vector<RecordingGraphics::Call> RecordingGraphics::Calls(const std::string& op) const {
  std::vector<Call> out;
  for (const Call& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

bool RecordingGraphics::DrawScreen(IRECT* pR) {
  log.push_back("screen " + Str(*pR));
  return true;
}

bool RecordingGraphics::DrawBitmap(IBitmap*, IRECT* pDest, int, int srcY,
                                   const IChannelBlend* pBlend) {
  Call c("bitmap", *pDest);
  c.srcY = srcY;
  if (pBlend) c.blend = *pBlend;
  Record(c);
  return true;
}

bool RecordingGraphics::DrawRotatedBitmap(IBitmap*, int cx, int cy, double angle, int pivotY,
                                          const IChannelBlend*) {
  Call c("rotated");
  c.x1 = cx, c.y1 = cy, c.angle = angle, c.srcY = pivotY;
  Record(c);
  return true;
}

bool RecordingGraphics::DrawRotatedMask(IBitmap*, IBitmap*, IBitmap*, int x, int y, double angle,
                                        const IChannelBlend*) {
  Call c("mask");
  c.x1 = x, c.y1 = y, c.angle = angle;
  Record(c);
  return true;
}

bool RecordingGraphics::DrawPoint(const IColor* pColor, float x, float y, const IChannelBlend*,
                                  bool) {
  return ForcePixel(pColor, static_cast<int>(x + 0.5f), static_cast<int>(y + 0.5f));
}

bool RecordingGraphics::ForcePixel(const IColor* pColor, int x, int y) {
  if (x < 0 || y < 0 || x >= mEditorWidth || y >= mEditorHeight) return false;
  mSurface[static_cast<size_t>(y) * mEditorWidth + x] = *pColor;
  return true;
}

bool RecordingGraphics::DrawLine(const IColor*, float x1, float y1, float x2, float y2,
                                 const IChannelBlend* pBlend, bool) {
  Call c("line");
  c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2;
  if (pBlend) c.blend = *pBlend;
  Record(c);
  return true;
}

bool RecordingGraphics::DrawArc(const IColor*, float cx, float cy, float, float, float,
                                const IChannelBlend*, bool) {
  Call c("arc");
  c.x1 = cx, c.y1 = cy;
  Record(c);
  return true;
}

bool RecordingGraphics::DrawCircle(const IColor*, float cx, float cy, float, const IChannelBlend*,
                                   bool) {
  Call c("circle");
  c.x1 = cx, c.y1 = cy;
  Record(c);
  return true;
}

bool RecordingGraphics::FillIRect(const IColor* pColor, IRECT* pR, const IChannelBlend*) {
  for (int y = std::max(pR->T, 0); y < std::min(pR->B, mEditorHeight); ++y)
    for (int x = std::max(pR->L, 0); x < std::min(pR->R, mEditorWidth); ++x)
      ForcePixel(pColor, x, y);
  return true;
}

bool RecordingGraphics::DrawIText(IText*, const char* str, IRECT* pR) {
  Call c("text", *pR);
  c.text = str;
  Record(c);
  return true;
}

IColor RecordingGraphics::GetPoint(int x, int y) {
  if (x < 0 || y < 0 || x >= mEditorWidth || y >= mEditorHeight) return COLOR_TRANSPARENT;
  return mSurface[static_cast<size_t>(y) * mEditorWidth + x];
}

void RecordingGraphics::PromptUserInput(IControl* pControl, IParam* pParam) {
  promptedControl = pControl;
  promptedParam = pParam;
  log.push_back("prompt");
}

void RecordingGraphics::PromptForFile(Core_String* pResult, EFileAction action, const char* dir,
                                      const char* extensions) {
  log.push_back("file " + std::to_string(action) + " " + dir + " " + extensions);
  pResult->Set(fileToChoose.c_str());
}

bool RecordingGraphics::OpenURL(const char* url, const char* msg, const char*, const char*) {
  log.push_back(std::string("url ") + url + " " + msg);
  return urlsOpen;
}

IBitmap RecordingGraphics::LoadIBitmap(int id, const char*, int nFrames) {
  auto it = mSizes.find(id);
  if (it == mSizes.end()) return IBitmap(nullptr, 10, 10 * std::max(nFrames, 1), nFrames);
  return IBitmap(nullptr, it->second.first, it->second.second, nFrames);
}

IBitmap RecordingGraphics::ScaleBitmap(IBitmap* pBitmap, int w, int h) {
  return IBitmap(nullptr, w, h, pBitmap->mFrames);
}

IBitmap RecordingGraphics::CropBitmap(IBitmap* pBitmap, IRECT* pR) {
  return IBitmap(nullptr, pR->W(), pR->H(), pBitmap->mFrames);
}

ProbeControl::ProbeControl(IPluginBase* plug, const IRECT& r, int paramIdx,
                           std::vector<std::string>* pLog, const char* name)
    : IControl(plug, &r, paramIdx), mLog(pLog), mName(name) {}

bool ProbeControl::Draw(IGraphics* pGraphics) {
  Log("draw " + Str(pGraphics->ClipRect()));
  return true;
}

void ProbeControl::OnMouseDown(int x, int y, IMouseMod* pMod) {
  Log("down " + std::to_string(x) + "," + std::to_string(y));
  IControl::OnMouseDown(x, y, pMod);
}

void ProbeControl::OnMouseUp(int x, int y, IMouseMod*) {
  Log("up " + std::to_string(x) + "," + std::to_string(y));
}

void ProbeControl::OnMouseDrag(int x, int y, int dX, int dY, IMouseMod*) {
  Log("drag " + std::to_string(x) + "," + std::to_string(y) + " by " + std::to_string(dX) + "," +
      std::to_string(dY));
}

void ProbeControl::OnMouseDblClick(int x, int y, IMouseMod* pMod) {
  Log("dblclick");
  IControl::OnMouseDblClick(x, y, pMod);
}

void ProbeControl::OnMouseWheel(int x, int y, IMouseMod* pMod, int d) {
  Log("wheel " + std::to_string(d));
  IControl::OnMouseWheel(x, y, pMod, d);
}

void ProbeControl::OnKeyDown(int, int, int key) { Log("key " + std::to_string(key)); }

void ProbeControl::OnMouseOver(int x, int y, IMouseMod*) {
  Log("over " + std::to_string(x) + "," + std::to_string(y));
}

void ProbeControl::SetValueFromPlug(double value) {
  Log("plug " + std::to_string(value));
  IControl::SetValueFromPlug(value);
}
