#include "platform/sim/sim_background_work.h"

#include <utility>

namespace vireloc::sim {

void SimBackgroundWork::run(Job job) {
  // Behind a held job, a new one waits its turn.
  if (holdJobs || !held_.empty()) {
    held_.push_back(std::move(job));
    return;
  }
  if (Continuation next = job()) next();
}

void SimBackgroundWork::runHeldWork() {
  while (!held_.empty()) {
    Job job = std::move(held_.front());
    held_.pop_front();
    if (Continuation next = job()) next();
  }
}

}  // namespace vireloc::sim
