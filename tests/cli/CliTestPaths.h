// Where the tests find the built command and the component it hosts.
#ifndef TESSOR_TESTS_CLI_PATHS_H
#define TESSOR_TESTS_CLI_PATHS_H

#include "tests/cli/CommandRunner.h"

inline const std::string kTessorEq = TESSOR_EQ_EXE;
inline const std::string kComponent = TESSOR_EQ_COMPONENT;

// tessor-eq with the given arguments.
inline CommandResult TessorEq(std::vector<std::string> args, const std::string& workDir = "") {
  return RunCommand(kTessorEq, std::move(args), workDir);
}

#endif
