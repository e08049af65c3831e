// tessor-eq render IN OUT [--set NAME=VALUE]... [--preset FILE] [--block N] [--component PATH]
#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/ComponentLocator.h"
#include "cli/Progress.h"
#include "cli/RenderJob.h"

#include <cstdio>

namespace cli {

namespace {

const char kUsage[] = "tessor-eq render IN OUT [--set NAME=VALUE]... [--preset FILE.aupreset] [--block N] [--component PATH]";

const char kHelp[] =
    "usage: tessor-eq render IN OUT [options]\n"
    "\n"
    "Renders the audio file IN through a fresh Tessor EQ instance into OUT, at IN's sample\n"
    "rate and channel count (mono or stereo). IN may be WAV, AIFF, FLAC, OGG or anything\n"
    "else libsndfile reads. OUT's extension picks its format: .wav .aif .aiff .caf .w64 .au\n"
    "hold 32-bit float, .flac 24-bit, .ogg Vorbis. OUT appears only when the render succeeded.\n"
    "\n"
    "options:\n"
    "  --set NAME=VALUE     set a parameter after the preset; repeatable, applied in order.\n"
    "                       NAME is a name from 'tessor-eq params' (any case) or its index;\n"
    "                       VALUE a number in the parameter's unit (\"6\", \"-3.5\") or one of\n"
    "                       its display texts (\"80 Hz\", \"On\").\n"
    "  --preset FILE        restore an .aupreset file first (see 'tessor-eq preset')\n"
    "  --block N            frames per render call, 1..65536 (default 512)\n"
    "  --component PATH     the TessorEQ.component bundle (default: the one built with this command)\n"
    "\n"
    "example: tessor-eq render vocal.wav out.wav --set HPF=\"80 Hz\" --set \"MF Level 2=3\"\n";

}  // namespace

int RenderCommand(const Args& args) {
  ParsedArgs parsed = ParseArgs(args, {{"set", true, true}, {"preset", true, false},
                                       {"block", true, false}, {"component", true, false}});
  if (parsed.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  ExpectPositional(parsed, 2, 2, kUsage);
  RenderRequest request;
  request.input = parsed.positional[0];
  request.output = parsed.positional[1];
  request.settings = parsed.Values("set");
  request.presetPath = parsed.Value("preset");
  if (parsed.Has("block")) request.blockFrames = ParseBlockSize(parsed.Value("block"), 65536);
  request.showProgress = ProgressBar::StderrIsTerminal();
  request.componentPath = LocateComponent(parsed.Value("component"));

  RenderReport report = RunRenderJob(request);
  std::printf("rendered %.2f s of %s audio at %d Hz into %s (%s)\n",
              static_cast<double>(report.frames) / report.sampleRate,
              report.channels == 1 ? "mono" : "stereo", report.sampleRate, request.output.c_str(),
              report.outputFormat.c_str());
  return 0;
}

}  // namespace cli
