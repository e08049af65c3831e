#include "cli/BatchRender.h"

#include "cli/AudioFile.h"
#include "cli/Progress.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace cli {

namespace {

// The frames of all inputs, for the progress display: 0 (unknown) when any input does not
// state its length. An input that cannot be opened adds nothing; its job reports why.
int64_t TotalFrames(const std::vector<BatchItem>& items) {
  int64_t total = 0;
  for (const BatchItem& item : items) {
    try {
      const int64_t frames = AudioReader(item.input).Frames();
      if (frames <= 0) return 0;
      total += frames;
    } catch (const std::exception&) {}
  }
  return total;
}

}  // namespace

size_t BatchOutcome::Failures() const {
  return static_cast<size_t>(
      std::count_if(errors.begin(), errors.end(), [](const std::string& e) { return !e.empty(); }));
}

BatchOutcome RunBatch(const BatchRequest& request) {
  const size_t count = request.items.size();
  BatchOutcome outcome;
  outcome.reports.resize(count);
  outcome.errors.resize(count);

  std::atomic<size_t> next{0};
  std::atomic<int64_t> framesDone{0};
  std::mutex lock;
  std::condition_variable changed;
  size_t finished = 0;

  // Each worker takes the next item not yet taken; results go to the item's own slots.
  auto work = [&] {
    for (size_t i; (i = next.fetch_add(1)) < count;) {
      RenderRequest job = request.common;
      job.input = request.items[i].input;
      job.output = request.items[i].output;
      job.showProgress = false;
      job.onFrames = [&framesDone](int64_t frames) { framesDone += frames; };
      try {
        outcome.reports[i] = RunRenderJob(job);
      } catch (const std::exception& e) {
        outcome.errors[i] = e.what();
      }
      std::lock_guard<std::mutex> guard(lock);
      ++finished;
      changed.notify_one();
    }
  };

  const size_t workers = std::max<size_t>(1, std::min<size_t>(request.jobs, count));
  std::vector<std::thread> threads;
  for (size_t t = 0; t < workers; ++t) threads.emplace_back(work);

  // Only this thread draws, so the display never interleaves with itself.
  ProgressBar progress("render", request.showProgress ? TotalFrames(request.items) : 0,
                       request.showProgress);
  {
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
      progress.SetLabel("render " + std::to_string(finished) + "/" + std::to_string(count) +
                        " files");
      progress.Update(framesDone.load());
      if (finished == count) break;
      changed.wait_for(guard, std::chrono::milliseconds(100));
    }
  }
  for (std::thread& t : threads) t.join();
  progress.Finish();
  return outcome;
}

}  // namespace cli
