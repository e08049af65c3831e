// The headless back end: windows are their pixel memory, time is a virtual clock and input
// is what the host posts.
#include <deque>

#include "WSCore.h"

namespace ws {
namespace {

class Headless : public Backend {
 public:
  bool CreateNative(WindowSystemWindow*) override { return true; }
  void DestroyNative(WindowSystemWindow* window) override {
    for (auto& p : m_queue)
      if (p.first == window) p.first = nullptr;
  }
  void ResizeNative(WindowSystemWindow*) override {}
  void ShowNative(WindowSystemWindow*, bool) override {}
  void Present(WindowSystemWindow*, int, int, int, int) override {}
  void WaitForEvents(double) override {
    // Input posted while delivering waits for the next pass.
    std::deque<std::pair<WindowSystemWindow*, Event>> batch;
    batch.swap(m_queue);
    for (auto& p : batch) {
      if (!p.first) continue;
      p.second.time = m_now;
      Deliver(p.first, p.second);
    }
  }
  double Now() override { return m_now; }
  void SetNow(double t) override { m_now = t; }
  bool IsVirtualTime() const override { return true; }
  bool OpenURL(const std::string&) override { return true; }
  bool Post(WindowSystemWindow* window, const Event& e) override {
    m_queue.emplace_back(window, e);
    return true;
  }

 private:
  double m_now = 0;
  std::deque<std::pair<WindowSystemWindow*, Event>> m_queue;
};

}  // namespace

Backend* NewHeadlessBackend() { return new Headless(); }

}  // namespace ws
