// The one way the command reports a problem: a one-line message and the exit status that
// goes with it (2 for a command line that cannot be used, 1 for anything that failed).
#ifndef TESSOR_CLI_CLI_ERROR_H
#define TESSOR_CLI_CLI_ERROR_H

#include <stdexcept>
#include <string>

namespace cli {

enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

class CliError : public std::runtime_error {
 public:
  CliError(int exitCode, const std::string& message)
      : std::runtime_error(message), mExitCode(exitCode) {}
  int ExitCode() const { return mExitCode; }

 private:
  int mExitCode;
};

inline CliError UsageError(const std::string& message) { return CliError(kExitUsage, message); }
inline CliError Failure(const std::string& message) { return CliError(kExitFailure, message); }

}  // namespace cli

#endif
