// What the command does to files it did not mean to touch: the input is never replaced by
// its own render, a directory is never taken for OUT, and an interrupted render leaves the
// output directory exactly as it was.
#include "tests/cli/AudioFixtures.h"
#include "tests/cli/CliTestPaths.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

std::vector<std::string> Entries(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(path.c_str())) {
    while (dirent* e = ::readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
        names.push_back(e->d_name);
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

TestAudio Sine(int channels, int rate, size_t frames) {
  TestAudio a;
  a.channels = channels;
  a.rate = rate;
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      a.samples.push_back(static_cast<float>(0.4 * std::sin(0.05 * static_cast<double>(i))));
  return a;
}

TEST(OutputSafety, RenderingAFileOntoItselfIsRefusedAndTheOriginalKept) {
  TempDir dir;
  ASSERT_TRUE(
      WriteTestAudio(dir / "take.wav", Sine(2, 44100, 3000), SF_FORMAT_WAV | SF_FORMAT_PCM_16));
  const std::string original = ReadWholeFile(dir / "take.wav");
  for (const std::string& out : {dir / "take.wav", dir.Path() + "/./take.wav"}) {
    CommandResult r = TessorEq({"render", dir / "take.wav", out, "--set", "Gain=6"});
    EXPECT_EQ(2, r.exitCode) << r.err;
    EXPECT_NE(std::string::npos, r.err.find("is the input file")) << r.err;
  }
  EXPECT_EQ(original, ReadWholeFile(dir / "take.wav"));
  EXPECT_EQ((std::vector<std::string>{"take.wav"}), Entries(dir.Path()));
}

TEST(OutputSafety, ADirectoryNamedLikeAnAudioFileIsNotTakenForOut) {
  TempDir dir;
  ASSERT_TRUE(WriteTestAudio(dir / "in.wav", Sine(1, 48000, 1000)));
  ASSERT_EQ(0, ::mkdir((dir / "mix.wav").c_str(), 0755));
  CommandResult r = TessorEq({"render", dir / "in.wav", dir / "mix.wav"});
  EXPECT_EQ(2, r.exitCode);
  EXPECT_NE(std::string::npos, r.err.find("'" + dir / "mix.wav" + "' is a directory")) << r.err;
  EXPECT_EQ(1, std::count(r.err.begin(), r.err.end(), '\n')) << r.err;
  EXPECT_TRUE(Entries(dir / "mix.wav").empty());
}

// Starts a long render with one-frame blocks, waits until its temporary file exists, then
// sends the signal; returns the signal the child died of (0 if it exited).
int InterruptRender(const TempDir& dir, int signo) {
  std::vector<std::string> args = {"render", dir / "long.wav", dir / "out.wav", "--block", "1"};
  std::vector<char*> argv = Argv(kTessorEq, args);
  pid_t pid = ::fork();
  if (pid == 0) {
    int devNull = ::open("/dev/null", O_RDWR);
    ::dup2(devNull, 0);
    ::dup2(devNull, 1);
    ::dup2(devNull, 2);
    ::execv(kTessorEq.c_str(), argv.data());
    ::_exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Entries(dir.Path()).size() < 2 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ::kill(pid, signo);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST(OutputSafety, AnInterruptedRenderLeavesNoPartialFileBehind) {
  TempDir dir;
  ASSERT_TRUE(WriteTestAudio(dir / "long.wav", Sine(2, 48000, 48000 * 10)));
  for (int signo : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signo);
    EXPECT_EQ(signo, InterruptRender(dir, signo)) << "the command must still die of the signal";
    EXPECT_EQ((std::vector<std::string>{"long.wav"}), Entries(dir.Path()));
  }
}

}  // namespace
