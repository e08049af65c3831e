// tessor-eq demo [DIR]: a few seconds of test tones through a characteristic setting, with
// the level change the equaliser made at each tone.
#include "cli/Args.h"
#include "cli/AudioFile.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/ComponentLocator.h"
#include "cli/RenderJob.h"
#include "cli/ResponseMeasure.h"
#include "cli/ResponsePlot.h"
#include "cli/ToneLevels.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace cli {

namespace {

const char kHelp[] =
    "usage: tessor-eq demo [DIR] [--component PATH]\n"
    "\n"
    "Synthesises 3 seconds of stereo test tones (30 Hz to 14 kHz, 48 kHz), renders them\n"
    "through Tessor EQ with a characteristic setting and writes both files into DIR\n"
    "(default ./tessor-eq-demo/), with a picture of the setting's magnitude response.\n"
    "Prints the settings and the level change measured at each tone, so you can see each\n"
    "band at work.\n";

const int kRate = 48000;
const int kSeconds = 3;

struct Band {
  double frequency;
  const char* region;
};

// One tone per region the setting below touches, and one (1 kHz) that it leaves alone.
const Band kBands[] = {
    {30, "sub-bass, under the 50 Hz high-pass"},
    {90, "bass, on the low shelf (220 Hz, +6 dB)"},
    {400, "low mids, at mid band 1 (400 Hz, -6 dB)"},
    {1000, "mids, between the bands"},
    {3150, "presence, at mid band 2 (3150 Hz, +4 dB)"},
    {14000, "air, on the high shelf (12 kHz, +5 dB)"},
};

const char* const kSettings[] = {
    "HPF=50 Hz",        "LoShelf Freq=220 Hz", "LoShelf Level=6",
    "MF 1 Freq=400 Hz", "MF Level 1=-6",       "MF 2 Freq=3150 Hz",
    "MF Level 2=4",     "HiShelf Level=5",     "Gain=-2",
};

std::vector<double> Frequencies() {
  std::vector<double> f;
  for (const Band& b : kBands) f.push_back(b.frequency);
  return f;
}

void WriteDemoInput(const std::string& path) {
  const std::vector<double> freqs = Frequencies();
  ToneSum left(freqs, 0.08, 0.0, kRate), right(freqs, 0.08, 0.7, kRate);
  AudioWriter writer(path, 2, kRate);
  std::vector<float> l(4800), r(4800);
  const float* channels[2] = {l.data(), r.data()};
  for (int64_t start = 0; start < int64_t(kRate) * kSeconds; start += 4800) {
    for (size_t i = 0; i < l.size(); ++i) {
      l[i] = left.Sample(start + static_cast<int64_t>(i));
      r[i] = right.Sample(start + static_cast<int64_t>(i));
    }
    writer.Write(channels, l.size());
  }
  writer.Commit();
}

// Amplitudes of every tone in the last second of the left channel, after the filters settled.
std::vector<double> MeasureLastSecond(const std::string& path) {
  AudioReader reader(path);
  ToneMeter meter(Frequencies(), reader.SampleRate());
  std::vector<float> l(4096), r(4096);
  float* channels[2] = {l.data(), r.data()};
  const int64_t from = reader.Frames() - reader.SampleRate();
  int64_t n = 0;
  for (size_t got; (got = reader.Read(channels, l.size())) > 0;)
    for (size_t i = 0; i < got; ++i, ++n)
      if (n >= from) meter.Add(n, l[i]);
  return meter.Amplitudes();
}

}  // namespace

int DemoCommand(const Args& args) {
  ParsedArgs parsed = ParseArgs(args, {{"component", true, false}});
  if (parsed.help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  ExpectPositional(parsed, 0, 1, "tessor-eq demo [DIR]");
  std::string dir = parsed.positional.empty() ? "tessor-eq-demo" : parsed.positional[0];
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST)
    throw Failure("cannot create the directory '" + dir + "': " + std::strerror(errno));

  RenderRequest request;
  request.componentPath = LocateComponent(parsed.Value("component"));
  request.input = dir + "/demo-input.wav";
  request.output = dir + "/demo-output.wav";
  request.settings.assign(std::begin(kSettings), std::end(kSettings));

  WriteDemoInput(request.input);
  RenderReport report = RunRenderJob(request);
  ResponseRequest responseRequest;
  responseRequest.componentPath = request.componentPath;
  responseRequest.settings = request.settings;
  responseRequest.rate = kRate;
  const std::string picture = dir + "/demo-response.png";
  WriteResponsePicture(picture, MeasureResponse(responseRequest));
  const std::vector<double> before = MeasureLastSecond(request.input);
  const std::vector<double> after = MeasureLastSecond(request.output);

  std::printf("Tessor EQ demo: %d s of stereo test tones at %d Hz through the equaliser\n",
              kSeconds, kRate);
  std::printf("settings:\n");
  for (const std::string& s : report.appliedSettings) std::printf("  %s\n", s.c_str());
  std::printf("level change measured at each tone (left channel, last second):\n");
  for (size_t k = 0; k < before.size(); ++k) {
    const double db = 20.0 * std::log10(after[k] / before[k]);
    std::printf("  %6.0f Hz  %+6.1f dB   %s\n", kBands[k].frequency, db, kBands[k].region);
  }
  std::printf("the output gain of -2 dB applies to every tone.\n");
  std::printf("input:  %s\noutput: %s\n", request.input.c_str(), request.output.c_str());
  std::printf("the setting's magnitude response: %s\n", picture.c_str());
  return 0;
}

}  // namespace cli
