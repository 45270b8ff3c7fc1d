// Background work on the simulated desktop: a job runs at once with its continuation, as if
// the worker were instant, unless the test holds jobs; held ones wait for runHeldWork(), and
// meanwhile the test shows what the program does while a folder does not answer.
#pragma once
#include <cstddef>
#include <deque>

#include "platform/background_work.h"

namespace vireloc::sim {

class SimBackgroundWork final : public BackgroundWork {
 public:
  bool holdJobs = false;
  std::size_t heldJobs() const { return held_.size(); }
  // Runs the held jobs and their continuations in order, and any job those give.
  void runHeldWork();

  void run(Job job) override;
  void finishAll() override { runHeldWork(); }

 private:
  std::deque<Job> held_;
};

}  // namespace vireloc::sim
