// Checks of an output path made before any work starts, so that a command that would fail to
// write its result says so at once.
#ifndef TESSOR_CLI_OUTPUT_PATH_H
#define TESSOR_CLI_OUTPUT_PATH_H

#include <string>

namespace cli {

// Throws a usage error when the path names a directory.
void CheckNotDirectory(const std::string& path);

// Throws a usage error unless the path ends in ".png" (in any case) and is not a directory:
// the commands that draw a picture write it as PNG whatever the name says.
void CheckPngOutput(const std::string& path);

}  // namespace cli

#endif
