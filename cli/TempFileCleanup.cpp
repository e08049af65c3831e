#include "cli/TempFileCleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace cli {

namespace {

// One slot per file being written at the same time: a batch render writes one file per job,
// a response a picture and a table. Paths are copied into fixed storage because the handler
// may only use async-signal-safe calls.
const int kSlots = kMaxGuardedFiles;
// A slot is claimed by one thread before its path is copied in, and armed only once the copy
// is complete, so neither a racing thread nor the handler sees half a path.
enum SlotState { kFree = 0, kClaimed = 1, kArmed = 2 };
char gPaths[kSlots][PATH_MAX];
std::atomic<int> gState[kSlots];
std::atomic<bool> gInstalled{false};

const int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

void RemoveAndDie(int signo) {
  for (int i = 0; i < kSlots; ++i)
    if (gState[i].load() == kArmed) ::unlink(gPaths[i]);
  ::signal(signo, SIG_DFL);
  ::raise(signo);
}

void InstallOnce() {
  if (gInstalled.exchange(true)) return;
  for (int signo : kSignals) {
    struct sigaction current;
    if (::sigaction(signo, nullptr, &current) != 0) continue;
    // A signal the caller chose to ignore (nohup, a shell's background job) stays ignored.
    if (current.sa_handler == SIG_IGN) continue;
    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = &RemoveAndDie;
    sigemptyset(&action.sa_mask);
    ::sigaction(signo, &action, nullptr);
  }
}

}  // namespace

int GuardTempFile(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  InstallOnce();
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!gState[i].compare_exchange_strong(expected, kClaimed)) continue;
    std::memcpy(gPaths[i], path.c_str(), path.size() + 1);
    gState[i].store(kArmed);
    return i;
  }
  return -1;
}

void ForgetTempFile(int slot) {
  if (slot >= 0 && slot < kSlots) gState[slot].store(kFree);
}

}  // namespace cli
