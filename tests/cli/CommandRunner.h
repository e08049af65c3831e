// Runs the built tessor-eq as a user would: a child process with its own stdout and stderr,
// its exit status and its peak memory (from the child's own rusage).
#ifndef TESSOR_TESTS_CLI_COMMAND_RUNNER_H
#define TESSOR_TESTS_CLI_COMMAND_RUNNER_H

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct CommandResult {
  int exitCode = -1;  // -1 when the child did not exit normally
  std::string out, err;
  long maxRssKb = 0;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// A fresh directory under $TMPDIR (or /tmp) for one test; removed by the destructor.
class TempDir {
 public:
  TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tessor-cli-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    mPath = ::mkdtemp(buf.data()) ? buf.data() : "";
  }
  ~TempDir() {
    if (!mPath.empty()) std::system(("rm -rf '" + mPath + "'").c_str());
  }
  std::string operator/(const std::string& name) const { return mPath + "/" + name; }
  const std::string& Path() const { return mPath; }

 private:
  std::string mPath;
};

inline std::vector<char*> Argv(const std::string& exe, std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(exe.c_str()));
  for (std::string& a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  return argv;
}

inline CommandResult Finish(pid_t pid) {
  CommandResult result;
  int status = 0;
  struct rusage usage {};
  if (::wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
  result.maxRssKb = usage.ru_maxrss;
  return result;
}

// Runs exe with args; stdout and stderr go to files that are read back. stdin is /dev/null.
inline CommandResult RunCommand(const std::string& exe, std::vector<std::string> args,
                                const std::string& workDir = "") {
  char outName[] = "/tmp/tessor-cli-out-XXXXXX";
  char errName[] = "/tmp/tessor-cli-err-XXXXXX";
  int outFd = ::mkstemp(outName), errFd = ::mkstemp(errName);
  std::vector<char*> argv = Argv(exe, args);
  pid_t pid = ::fork();
  if (pid == 0) {
    int devNull = ::open("/dev/null", O_RDONLY);
    ::dup2(devNull, 0);
    ::dup2(outFd, 1);
    ::dup2(errFd, 2);
    if (!workDir.empty() && ::chdir(workDir.c_str()) != 0) ::_exit(126);
    ::execv(exe.c_str(), argv.data());
    ::_exit(127);
  }
  CommandResult result = Finish(pid);
  ::close(outFd);
  ::close(errFd);
  result.out = ReadWholeFile(outName);
  result.err = ReadWholeFile(errName);
  ::unlink(outName);
  ::unlink(errName);
  return result;
}

// Runs exe with stdout and stderr on a pseudo-terminal, as from an interactive shell; the
// terminal's output (both streams) lands in out.
inline CommandResult RunOnTerminal(const std::string& exe, std::vector<std::string> args) {
  std::vector<char*> argv = Argv(exe, args);
  int master = -1;
  pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    ::execv(exe.c_str(), argv.data());
    ::_exit(127);
  }
  std::string text;
  char buf[4096];
  for (;;) {
    ssize_t n = ::read(master, buf, sizeof(buf));
    if (n <= 0) break;  // EIO once the child closed its side
    text.append(buf, static_cast<size_t>(n));
  }
  CommandResult result = Finish(pid);
  ::close(master);
  result.out = text;
  return result;
}

#endif
