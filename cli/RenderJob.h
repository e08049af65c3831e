// The main job: one audio file through a freshly opened instance of the component, block by
// block, into a new file at the input's rate and channel count.
#ifndef TESSOR_CLI_RENDER_JOB_H
#define TESSOR_CLI_RENDER_JOB_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace cli {

struct RenderRequest {
  std::string input;
  std::string output;
  std::string componentPath;          // a bundle directory
  std::string presetPath;             // empty: none
  std::vector<std::string> settings;  // "NAME=VALUE", applied in order after the preset
  unsigned blockFrames = 512;
  bool showProgress = false;
  // Told the frames of every piece of the file as soon as it is written (a batch's progress
  // display); called on the thread that runs the job.
  std::function<void(int64_t frames)> onFrames;
};

struct RenderReport {
  int channels = 0;
  int sampleRate = 0;
  int64_t frames = 0;
  std::string outputFormat;
  std::vector<std::string> appliedSettings;  // "Name = value (display text)"
};

// Throws CliError (usage or failure); the output file exists only when it returns.
RenderReport RunRenderJob(const RenderRequest& request);

}  // namespace cli

#endif
