// The subcommands of tessor-eq. Each takes the arguments after its name, prints its own
// --help, and returns the exit status or throws CliError.
#ifndef TESSOR_CLI_COMMANDS_H
#define TESSOR_CLI_COMMANDS_H

#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

int RenderCommand(const Args& args);
int ParamsCommand(const Args& args);
int InfoCommand(const Args& args);
int PresetCommand(const Args& args);
int DemoCommand(const Args& args);
int ResponseCommand(const Args& args);
int SnapshotCommand(const Args& args);
int GuiCommand(const Args& args);

}  // namespace cli

#endif
