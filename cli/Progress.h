// A progress bar on stderr for long renders. It draws only when stderr is a terminal and
// redraws at most every tenth of a second, so pipes and logs stay clean.
#ifndef TESSOR_CLI_PROGRESS_H
#define TESSOR_CLI_PROGRESS_H

#include <chrono>
#include <cstdint>
#include <string>

namespace cli {

class ProgressBar {
 public:
  // total 0 or less: the length is unknown and the bar shows the frames done only.
  ProgressBar(const std::string& label, int64_t total, bool enabled);
  ~ProgressBar();

  void Update(int64_t done);
  // The text before the bar from the next drawing on ("render 3/16 files").
  void SetLabel(const std::string& label) { mLabel = label; }
  // Draws the final state and ends the line; does nothing when the bar never drew.
  void Finish();

  // Whether a bar on stderr would reach a person (stderr is a terminal).
  static bool StderrIsTerminal();

  // The line drawn for a state, e.g. "render [#########           ]  45%  (9.9 s of 22.0 s)";
  // exposed so that its layout can be checked without a terminal.
  static std::string Line(const std::string& label, int64_t done, int64_t total, int width);

 private:
  void Draw(int64_t done);

  std::string mLabel;
  int64_t mTotal;
  bool mEnabled;
  bool mDrawn = false;
  bool mFinished = false;
  int64_t mLast = -1;
  std::chrono::steady_clock::time_point mLastDraw;
};

}  // namespace cli

#endif
