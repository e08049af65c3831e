// Temporary files that must not outlive an interrupted command. A render writes into a hidden
// file beside its destination and renames it on success; when the user presses Ctrl-C or the
// process is terminated, the signal handler installed here removes every registered file
// before the process dies with the signal, so nothing half-written stays behind.
#ifndef TESSOR_CLI_TEMP_FILE_CLEANUP_H
#define TESSOR_CLI_TEMP_FILE_CLEANUP_H

#include <string>

namespace cli {

// How many files can be guarded at once; a batch render runs at most this many jobs.
const int kMaxGuardedFiles = 64;

// Registers path for removal on SIGINT, SIGTERM, SIGHUP and SIGPIPE; returns a slot for
// ForgetTempFile, or -1 when every slot is taken (the file is then not guarded).
int GuardTempFile(const std::string& path);

// Unregisters a slot (the file was renamed into place or removed); -1 is ignored.
void ForgetTempFile(int slot);

}  // namespace cli

#endif
