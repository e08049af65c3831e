#include "cli/AtomicFile.h"

#include "cli/CliError.h"
#include "cli/TempFileCleanup.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {

void WriteFileAtomically(const std::string& path, const std::string& bytes,
                         const std::string& what) {
  const size_t slash = path.find_last_of('/');
  const std::string temp = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + "." +
                           (slash == std::string::npos ? path : path.substr(slash + 1)) +
                           ".partial-" + std::to_string(::getpid());
  const int guard = GuardTempFile(temp);
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) {
    const int err = errno;
    ForgetTempFile(guard);
    throw Failure("cannot write " + what + " '" + path + "': " + std::strerror(err));
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    ForgetTempFile(guard);
    throw Failure("cannot write " + what + " '" + path + "': " + std::strerror(err));
  }
  ForgetTempFile(guard);
}

}  // namespace cli
