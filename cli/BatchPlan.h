// Which file a batch render writes for each input: DIR/<the input's file name>, so the
// output keeps the input's name and with it its format. The whole plan is checked before
// anything is rendered, because a conflict found half-way through would leave a batch that
// is neither done nor untouched.
#ifndef TESSOR_CLI_BATCH_PLAN_H
#define TESSOR_CLI_BATCH_PLAN_H

#include <string>
#include <vector>

namespace cli {

struct BatchItem {
  std::string input;
  std::string output;
};

// The items for the inputs, in their order. Throws a usage error when DIR exists but is no
// directory; when an input is given twice (the same file under any spelling); when two
// inputs would write the same output; when an output would replace an input or is a
// directory; and when an output's name tells no format the writer knows.
std::vector<BatchItem> PlanBatch(const std::vector<std::string>& inputs, const std::string& dir);

// Creates DIR when it does not exist yet (its parent must). Throws a failure otherwise.
void MakeOutputDirectory(const std::string& dir);

}  // namespace cli

#endif
