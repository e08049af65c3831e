// framework-demo [OUTPUT_DIR]
// Runs two seconds of a stereo test signal through a plug-in built on the framework core, block
// by block through the host-facing processing entry, and prints what each stage did. Writes the
// processed signal to OUTPUT_DIR/demo-output.wav (default: framework-demo).

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "DemoTrim.h"
#include "WavFile.h"
#include "framework/IPluginUtilities.h"

namespace {

const int kRate = 44100;
const int kBlock = 512;
const int kChannels = 2;
const double kPi = 3.14159265358979323846;

double DbFs(double rms) { return rms > 0.0 ? 20.0 * std::log10(rms) : -INFINITY; }

// Renders frames [from, to) of the planar input into the planar output through the plug-in.
void Render(DemoTrim& plug, std::vector<float> (&in)[kChannels],
            std::vector<float> (&out)[kChannels], int from, int to) {
  for (int pos = from; pos < to; pos += kBlock) {
    int n = std::min(kBlock, to - pos);
    float* inBufs[kChannels] = {in[0].data() + pos, in[1].data() + pos};
    float* outBufs[kChannels] = {out[0].data() + pos, out[1].data() + pos};
    plug.AttachInputBuffers(0, kChannels, inBufs, n);
    plug.AttachOutputBuffers(0, kChannels, outBufs);
    Core_MutexLock lock(plug.GetMutex());
    plug.ProcessBuffers(0.0f, n);
  }
}

void Report(const char* what, const std::vector<float> (&in)[kChannels],
            const std::vector<float> (&out)[kChannels], int from, int to) {
  printf("  %-34s", what);
  for (int c = 0; c < kChannels; ++c) {
    double si = 0, so = 0, corr = 0;
    for (int s = from; s < to; ++s) {
      si += double(in[c][s]) * in[c][s];
      so += double(out[c][s]) * out[c][s];
      corr += double(in[c][s]) * out[c][s];
    }
    double rmsIn = std::sqrt(si / (to - from)), rmsOut = std::sqrt(so / (to - from));
    printf("  %s %6.2f -> %6.2f dBFS%s", c ? "R" : "L", DbFs(rmsIn), DbFs(rmsOut),
           corr < 0 ? " (inverted)" : "");
  }
  printf("\n");
}

void PrintParam(const IParam* p) {
  char value[kParamTextSize];
  p->GetDisplayForHost(p->Value(), false, value);
  printf("%s = %s%s%s", p->GetNameForHost(), value, *p->GetLabelForHost() ? " " : "",
         p->GetLabelForHost());
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir = argc > 1 ? argv[1] : "framework-demo";
  if (argc > 2 || (argc > 1 && argv[1][0] == '-')) {
    fprintf(stderr, "usage: framework-demo [OUTPUT_DIR]\n");
    return 2;
  }

  DemoTrim plug;
  char version[kVersionStrSize];
  plug.GetEffectVersionStr(version);
  printf("Plug-in \"%s\" by %s, %s\n", plug.GetEffectName(), plug.GetMfrName(), version);
  printf("  channel configurations:");
  for (int i = 0; i < plug.NChannelIO(); ++i) {
    int nIn, nOut;
    plug.GetChannelIO(i, &nIn, &nOut);
    printf(" %d-%d", nIn, nOut);
  }
  printf("\n  parameters:");
  for (int i = 0; i < plug.NParams(); ++i) {
    printf(i ? ", " : " ");
    PrintParam(plug.GetParam(i));
  }
  printf("\n  presets:");
  for (int i = 0; i < plug.NPresets(); ++i) printf(" \"%s\"", plug.GetPresetName(i));
  printf("\n");

  // Host set-up: rate, block size, stereo in and out.
  if (!plug.LegalIO(kChannels, kChannels)) {
    fprintf(stderr, "framework-demo: the plug-in does not accept %d-%d\n", kChannels, kChannels);
    return 1;
  }
  plug.SetSampleRate(kRate);
  plug.SetBlockSize(kBlock);
  plug.SetInputChannelConnections(0, kChannels, true);
  plug.SetOutputChannelConnections(0, kChannels, true);
  plug.Reset();

  // Two seconds: 440 Hz at -6 dBFS on the left, 1 kHz at -12 dBFS on the right.
  const int frames = 2 * kRate;
  std::vector<float> in[kChannels], out[kChannels];
  for (int c = 0; c < kChannels; ++c) {
    in[c].resize(frames);
    out[c].assign(frames, 0.0f);
  }
  for (int s = 0; s < frames; ++s) {
    in[0][s] = static_cast<float>(0.5 * std::sin(2 * kPi * 440.0 * s / kRate));
    in[1][s] = static_cast<float>(0.25 * std::sin(2 * kPi * 1000.0 * s / kRate));
  }

  printf("Rendering %d frames at %d Hz in blocks of %d (sine RMS sits 3 dB below its peak):\n",
         frames, kRate, kBlock);
  const int q = frames / 4;
  Render(plug, in, out, 0, q);
  Report("preset \"Default\"", in, out, 0, q);

  plug.RestorePreset("Quiet");
  Render(plug, in, out, q, 2 * q);
  Report("preset \"Quiet\"", in, out, q, 2 * q);

  plug.RestorePreset("Flip");
  Render(plug, in, out, 2 * q, 3 * q);
  Report("preset \"Flip\"", in, out, 2 * q, 3 * q);

  // An editor gesture: the gain knob moved to 80% of its travel.
  plug.SetParameterFromGUI(DemoTrim::kGain, 0.8);
  char gainText[64];
  snprintf(gainText, sizeof(gainText), "gain knob at 0.8 (%+.1f dB)",
           plug.GetParam(DemoTrim::kGain)->Value());
  Render(plug, in, out, 3 * q, frames);
  Report(gainText, in, out, 3 * q, frames);
  printf("  host notified of %d parameter change(s)\n", plug.HostNotifications());

  // Saved state: what a host would store with its project.
  ByteChunk state, bank;
  plug.SerializeParams(&state);
  plug.SerializePresets(&bank);
  printf("State: %d bytes of parameter values, %d bytes of preset bank\n", state.Size(),
         bank.Size());
  DemoTrim restored;
  int pos = restored.UnserializeParams(&state, 0);
  printf("  restored into a new instance (read %d bytes): ", pos);
  for (int i = 0; i < restored.NParams(); ++i) {
    printf(i ? ", " : "");
    PrintParam(restored.GetParam(i));
  }
  printf("\n");

  if (mkdir(outDir.c_str(), 0777) != 0 && errno != EEXIST) {
    fprintf(stderr, "framework-demo: cannot create %s: %s\n", outDir.c_str(), strerror(errno));
    return 1;
  }
  std::vector<float> interleaved(static_cast<size_t>(frames) * kChannels);
  for (int s = 0; s < frames; ++s)
    for (int c = 0; c < kChannels; ++c)
      interleaved[static_cast<size_t>(s) * kChannels + c] = out[c][s];
  std::string path = outDir + "/demo-output.wav";
  std::string error;
  if (!WriteFloatWav(path, interleaved, kChannels, kRate, &error)) {
    fprintf(stderr, "framework-demo: cannot write %s: %s\n", path.c_str(), error.c_str());
    return 1;
  }
  printf("Wrote %s (%d frames, %d channels, 32-bit float, %d Hz)\n", path.c_str(), frames,
         kChannels, kRate);
  return 0;
}
