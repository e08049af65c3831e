// A batch render: every item through its own instance of the unit, several at a time on
// worker threads, with one progress display for the whole batch. A file that fails does not
// stop the others; each outcome is kept for the report at the end.
#ifndef TESSOR_CLI_BATCH_RENDER_H
#define TESSOR_CLI_BATCH_RENDER_H

#include "cli/BatchPlan.h"
#include "cli/RenderJob.h"

#include <string>
#include <vector>

namespace cli {

struct BatchRequest {
  std::vector<BatchItem> items;
  RenderRequest common;  // component, preset, settings and block length for every item
  unsigned jobs = 1;     // items rendered at the same time
  bool showProgress = false;
};

struct BatchOutcome {
  std::vector<RenderReport> reports;  // one per item, in order
  std::vector<std::string> errors;    // one per item: empty when it was rendered

  size_t Failures() const;
};

BatchOutcome RunBatch(const BatchRequest& request);

}  // namespace cli

#endif
