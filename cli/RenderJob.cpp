#include "cli/RenderJob.h"

#include "cli/AudioFile.h"
#include "cli/ChannelInterleave.h"
#include "cli/CliError.h"
#include "cli/HostedUnit.h"
#include "cli/Progress.h"
#include "cli/UnitSettings.h"

#include <sys/stat.h>

#include <algorithm>

namespace cli {

namespace {

// Frames read from and written to the files at a time: large enough that the system calls
// and the file system's per-call work vanish beside the samples (4096 frames cost a tenth
// more than this), small enough that a piece read is still in the processor's cache when
// the unit takes it and a batch of many jobs stays small (256 kB per stereo file each way).
// Rounded to whole blocks, so the unit sees exactly the blocks it would see if the file
// were read block by block.
const size_t kFileChunkFrames = 32768;

size_t ChunkFrames(size_t block) {
  return block >= kFileChunkFrames ? block : block * (kFileChunkFrames / block);
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
    throw UsageError("OUT '" + output +
                     "' is the input file; write to a new file, the input is never replaced");
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
  if (reader.LengthIsExact()) writer.Reserve(reader.Frames());
  const size_t block = request.blockFrames;
  const size_t chunk = ChunkFrames(block);
  std::vector<float> inChunk(chunk * channels), outChunk(chunk * channels);
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
  for (size_t got; (got = reader.ReadInterleaved(inChunk.data(), chunk)) > 0;) {
    for (size_t at = 0; at < got; at += block) {
      const size_t n = std::min(block, got - at);
      const size_t offset = at * static_cast<size_t>(channels);
      const int64_t frame = done + static_cast<int64_t>(at);
      if (!DeinterleaveFinite(inChunk.data() + offset, channels, n, inPtr))
        throw Failure("'" + request.input +
                      "' holds a sample that is not a finite number at frame " +
                      std::to_string(frame + FirstNonFiniteFrame(inPtr, channels, n)));
      unit.Render(inPtr, outPtr, static_cast<unsigned>(n));
      if (!InterleaveFinite(outPtr, channels, n, outChunk.data() + offset))
        throw Failure("the component produced a sample that is not a finite number at frame " +
                      std::to_string(frame + FirstNonFiniteFrame(outPtr, channels, n)) +
                      " (a filter unstable at " + std::to_string(reader.SampleRate()) +
                      " Hz?); nothing was written");
    }
    writer.WriteInterleaved(outChunk.data(), got);
    done += static_cast<int64_t>(got);
    progress.Update(done);
    if (request.onFrames) request.onFrames(static_cast<int64_t>(got));
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
