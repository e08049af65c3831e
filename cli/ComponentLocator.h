// Where the command finds the Tessor EQ component when no --component is given: beside the
// executable first (an installed copy), then in the build tree the executable came from.
#ifndef TESSOR_CLI_COMPONENT_LOCATOR_H
#define TESSOR_CLI_COMPONENT_LOCATOR_H

#include <string>
#include <vector>

namespace cli {

// The places searched, in order.
std::vector<std::string> ComponentSearchPaths();

// The explicit path when one is given, else the first bundle directory found. Throws a
// failure that lists the places searched when there is none.
std::string LocateComponent(const std::string& explicitPath);

}  // namespace cli

#endif
