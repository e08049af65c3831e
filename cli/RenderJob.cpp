#include "cli/RenderJob.h"

#include "cli/AudioFile.h"
#include "cli/CliError.h"
#include "cli/HostedUnit.h"
#include "cli/Progress.h"
#include "cli/UnitSettings.h"

#include <sys/stat.h>

#include <cmath>

namespace cli {

namespace {

// The frame of the first non-finite sample of a block, or -1.
int64_t FirstNonFinite(const std::vector<float>* channels, int nChannels, size_t frames) {
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < nChannels; ++c)
      if (!std::isfinite(channels[c][i])) return static_cast<int64_t>(i);
  return -1;
}

// OUT must name a file that is not IN: rendering a file onto itself would replace the
// original take with the processed one, which no undo brings back.
void CheckOutputPath(const std::string& input, const std::string& output) {
  struct stat out;
  if (::stat(output.c_str(), &out) != 0) return;  // a new file
  if (S_ISDIR(out.st_mode))
    throw UsageError("OUT '" + output + "' is a directory; give the path of the file to write");
  struct stat in;
  if (::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
    throw UsageError("OUT '" + output + "' is the input file; write to a new file, the input is never replaced");
}

}  // namespace

RenderReport RunRenderJob(const RenderRequest& request) {
  CheckWritableExtension(request.output);
  CheckOutputPath(request.input, request.output);

  HostedUnit unit(request.componentPath);
  const UnitSettings settings(unit, request.presetPath, request.settings);

  AudioReader reader(request.input);
  const int channels = reader.Channels();
  unit.Configure(reader.SampleRate(), channels, request.blockFrames);
  RenderReport report;
  report.appliedSettings = settings.ApplyTo(unit);
  unit.Initialize();

  AudioWriter writer(request.output, channels, reader.SampleRate());
  const size_t block = request.blockFrames;
  std::vector<float> in[2], out[2];
  float* inPtr[2] = {nullptr, nullptr};
  float* outPtr[2] = {nullptr, nullptr};
  for (int c = 0; c < channels; ++c) {
    in[c].assign(block, 0.0f);
    out[c].assign(block, 0.0f);
    inPtr[c] = in[c].data();
    outPtr[c] = out[c].data();
  }

  ProgressBar progress("render", reader.Frames(), request.showProgress);
  int64_t done = 0;
  for (;;) {
    const size_t n = reader.Read(inPtr, block);
    if (n == 0) break;
    int64_t bad = FirstNonFinite(in, channels, n);
    if (bad >= 0)
      throw Failure("'" + request.input + "' holds a sample that is not a finite number at frame " +
                    std::to_string(done + bad));
    unit.Render(inPtr, outPtr, static_cast<unsigned>(n));
    bad = FirstNonFinite(out, channels, n);
    if (bad >= 0)
      throw Failure("the component produced a sample that is not a finite number at frame " +
                    std::to_string(done + bad) + " (a filter unstable at " +
                    std::to_string(reader.SampleRate()) + " Hz?); nothing was written");
    writer.Write(outPtr, n);
    done += static_cast<int64_t>(n);
    progress.Update(done);
    if (request.onFrames) request.onFrames(static_cast<int64_t>(n));
  }
  writer.Commit();
  progress.Finish();

  report.channels = channels;
  report.sampleRate = reader.SampleRate();
  report.frames = done;
  report.outputFormat = writer.FormatName();
  return report;
}

}  // namespace cli
