// tessor-eq render IN OUT [options] | tessor-eq render IN... --out-dir DIR [-j N] [options]
#include "cli/Args.h"
#include "cli/BatchRender.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/ComponentLocator.h"
#include "cli/HostedUnit.h"
#include "cli/Progress.h"
#include "cli/RenderJob.h"
#include "cli/TempFileCleanup.h"
#include "cli/UnitSettings.h"

#include <cstdio>
#include <thread>

namespace cli {

namespace {

const char kUsage[] =
    "tessor-eq render IN OUT [--set NAME=VALUE]... [--preset FILE.aupreset] [--block N] "
    "[--component PATH]"
    " | tessor-eq render IN... --out-dir DIR [-j N] [same options]";

const char kHelp[] =
    "usage: tessor-eq render IN OUT [options]\n"
    "       tessor-eq render IN... --out-dir DIR [-j N] [options]\n"
    "\n"
    "Renders the audio file IN through a fresh Tessor EQ instance into OUT, at IN's sample\n"
    "rate and channel count (mono or stereo). IN may be WAV, AIFF, FLAC, OGG or anything\n"
    "else libsndfile reads. OUT's extension picks its format: .wav .aif .aiff .caf .w64 .au\n"
    "hold 32-bit float, .flac 24-bit, .ogg Vorbis. OUT appears only when the render succeeded.\n"
    "\n"
    "With --out-dir every IN is rendered into DIR under its own file name (so in its own\n"
    "format), each through its own instance, N files at a time. A file that fails does not\n"
    "stop the others; they are listed at the end and the exit status is 1. Inputs named\n"
    "twice, and inputs that would write the same output, are refused before anything is\n"
    "rendered. DIR is created when it does not exist.\n"
    "\n"
    "options:\n"
    "  --set NAME=VALUE     set a parameter after the preset; repeatable, applied in order.\n"
    "                       NAME is a name from 'tessor-eq params' (any case) or its index;\n"
    "                       VALUE a number in the parameter's unit (\"6\", \"-3.5\") or one of\n"
    "                       its display texts (\"80 Hz\", \"On\").\n"
    "  --preset FILE        restore an .aupreset file first (see 'tessor-eq preset')\n"
    "  --block N            frames per render call, 1..65536 (default 512)\n"
    "  --out-dir DIR        render a batch: every IN into DIR under its own name\n"
    "  -j, --jobs N         files rendered at the same time in a batch, 1..64\n"
    "                       (default: the number of processors)\n"
    "  --component PATH     the TessorEQ.component bundle (default: the one built with this "
    "command)\n"
    "\n"
    "examples: tessor-eq render vocal.wav out.wav --set HPF=\"80 Hz\" --set \"MF Level 2=3\"\n"
    "          tessor-eq render takes/*.wav --out-dir eq/ -j 4 --preset vocal.aupreset\n";

std::string Describe(const RenderReport& report) {
  char text[128];
  std::snprintf(text, sizeof(text), "%.2f s of %s audio at %d Hz",
                static_cast<double>(report.frames) / report.sampleRate,
                report.channels == 1 ? "mono" : "stereo", report.sampleRate);
  return text;
}

unsigned DefaultJobs() {
  const unsigned processors = std::thread::hardware_concurrency();
  if (processors == 0) return 1;
  return processors < unsigned(kMaxGuardedFiles) ? processors : unsigned(kMaxGuardedFiles);
}

int RenderBatch(const ParsedArgs& parsed, RenderRequest common) {
  const std::string dir = parsed.Value("out-dir");
  BatchRequest batch;
  batch.items = PlanBatch(parsed.positional, dir);
  batch.jobs = parsed.Has("jobs") ? ParseWholeNumber("-j", parsed.Value("jobs"), 1,
                                                     kMaxGuardedFiles, "files at a time")
                                  : DefaultJobs();
  // A mistake in the settings would fail every file the same way: check them once, first.
  {
    HostedUnit unit(common.componentPath);
    UnitSettings check(unit, common.presetPath, common.settings);
  }
  MakeOutputDirectory(dir);
  batch.common = common;
  batch.showProgress = ProgressBar::StderrIsTerminal();

  const BatchOutcome outcome = RunBatch(batch);
  for (size_t i = 0; i < batch.items.size(); ++i)
    if (outcome.errors[i].empty())
      std::printf("rendered %s into %s (%s)\n", batch.items[i].input.c_str(),
                  batch.items[i].output.c_str(), Describe(outcome.reports[i]).c_str());
  const size_t failed = outcome.Failures();
  std::printf("rendered %zu of %zu files into %s\n", batch.items.size() - failed,
              batch.items.size(), dir.c_str());
  std::fflush(stdout);
  for (size_t i = 0; i < batch.items.size(); ++i)
    if (!outcome.errors[i].empty())
      std::fprintf(stderr, "tessor-eq: failed: %s: %s\n", batch.items[i].input.c_str(),
                   outcome.errors[i].c_str());
  return failed == 0 ? kExitOk : kExitFailure;
}

}  // namespace

int RenderCommand(const Args& args) {
  ParsedArgs parsed = ParseArgs(args, {{"set", true, true},
                                       {"preset", true, false},
                                       {"block", true, false},
                                       {"component", true, false},
                                       {"out-dir", true, false},
                                       {"jobs", true, false, 'j'}});
  if (parsed.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  const bool batch = parsed.Has("out-dir");
  if (!batch && parsed.Has("jobs"))
    throw UsageError("-j sets how many files of a batch render at once; give --out-dir DIR");
  ExpectPositional(parsed, batch ? 1 : 2, batch ? parsed.positional.size() : 2, kUsage);
  RenderRequest request;
  request.settings = parsed.Values("set");
  request.presetPath = parsed.Value("preset");
  if (parsed.Has("block")) request.blockFrames = ParseBlockSize(parsed.Value("block"), 65536);
  request.componentPath = LocateComponent(parsed.Value("component"));
  if (batch) return RenderBatch(parsed, request);

  request.input = parsed.positional[0];
  request.output = parsed.positional[1];
  request.showProgress = ProgressBar::StderrIsTerminal();
  RenderReport report = RunRenderJob(request);
  std::printf("rendered %s into %s (%s)\n", Describe(report).c_str(), request.output.c_str(),
              report.outputFormat.c_str());
  return 0;
}

}  // namespace cli
