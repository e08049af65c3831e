#include "cli/Progress.h"

#include <unistd.h>

#include <cstdio>

namespace cli {

ProgressBar::ProgressBar(const std::string& label, int64_t total, bool enabled)
    : mLabel(label), mTotal(total), mEnabled(enabled) {}

ProgressBar::~ProgressBar() {
  // A bar left mid-line (the render failed) must not swallow the error line that follows.
  if (mDrawn && !mFinished) std::fputc('\n', stderr);
}

bool ProgressBar::StderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

std::string ProgressBar::Line(const std::string& label, int64_t done, int64_t total, int width) {
  char tail[64];
  if (total <= 0) {
    std::snprintf(tail, sizeof(tail), "%lld frames", static_cast<long long>(done));
    return label + " " + tail;
  }
  if (done > total) done = total;
  if (done < 0) done = 0;
  const int filled = static_cast<int>(done * width / total);
  const int percent = static_cast<int>(done * 100 / total);
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(width - filled), ' ');
  std::snprintf(tail, sizeof(tail), "%3d%%", percent);
  return label + " [" + bar + "] " + tail;
}

void ProgressBar::Draw(int64_t done) {
  std::string line = Line(mLabel, done, mTotal, 30);
  std::fprintf(stderr, "\r%s", line.c_str());
  std::fflush(stderr);
  mDrawn = true;
  mLast = done;
  mLastDraw = std::chrono::steady_clock::now();
}

void ProgressBar::Update(int64_t done) {
  if (!mEnabled || mFinished) return;
  auto now = std::chrono::steady_clock::now();
  if (mDrawn && now - mLastDraw < std::chrono::milliseconds(100)) return;
  Draw(done);
}

void ProgressBar::Finish() {
  if (!mEnabled || mFinished) return;
  if (mDrawn) {
    Draw(mTotal > 0 ? mTotal : mLast);
    std::fputc('\n', stderr);
  }
  mFinished = true;
}

}  // namespace cli
