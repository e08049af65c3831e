// What the whole-command benchmarks share: running a program as a child with its standard
// output discarded, and a console reporter that keeps each benchmark's fastest repetition.
#ifndef TESSOR_BENCH_COMMAND_BENCH_H
#define TESSOR_BENCH_COMMAND_BENCH_H

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <map>
#include <string>
#include <vector>

extern char** environ;

// Runs args[0] (looked up in PATH) with the rest as arguments; true when it exited with 0.
// processorSeconds, when given, receives the child's user + system time.
inline bool RunQuietly(const std::vector<std::string>& args, double* processorSeconds = nullptr) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  struct rusage usage {};
  if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return false;
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
  if (processorSeconds) *processorSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  return true;
}

// Keeps each benchmark's fastest repetition (wall time, or the manual time a benchmark
// sets) for the ratios printed at the end.
class FastestRunReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.iterations == 0 || r.error_occurred) continue;
      const double ms = r.GetAdjustedRealTime();
      auto it = mMs.find(r.run_name.function_name);
      if (it == mMs.end() || ms < it->second) mMs[r.run_name.function_name] = ms;
    }
  }

  // The fastest repetition of the benchmark function, in its time unit; 0 when it did not run.
  double Fastest(const std::string& function) const {
    auto it = mMs.find(function);
    return it == mMs.end() ? 0.0 : it->second;
  }

 private:
  std::map<std::string, double> mMs;
};

#endif
