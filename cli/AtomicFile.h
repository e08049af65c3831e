// Writing a whole file so that it either appears complete or not at all: the bytes go into a
// hidden temporary file beside the destination (guarded against interruption, see
// TempFileCleanup.h), which then replaces the destination in one rename.
#ifndef TESSOR_CLI_ATOMIC_FILE_H
#define TESSOR_CLI_ATOMIC_FILE_H

#include <string>

namespace cli {

// Throws a failure "cannot write <what> '<path>': <reason>" when the file cannot be written;
// the destination is then as it was.
void WriteFileAtomically(const std::string& path, const std::string& bytes,
                         const std::string& what);

}  // namespace cli

#endif
