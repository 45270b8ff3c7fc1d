// Work that may block for long (files on a network share that stopped answering) done away
// from the message loop's thread, so that the program keeps answering meanwhile.
#pragma once
#include <functional>

namespace vireloc {

class BackgroundWork {
 public:
  // Runs on the message loop's thread, with what the job found.
  using Continuation = std::function<void()>;
  // Runs on another thread: may touch nothing but what it was given and the files, and must
  // not throw.
  using Job = std::function<Continuation()>;

  virtual ~BackgroundWork() = default;
  // Jobs run one at a time in the order given; each continuation runs later, in the same
  // order, on the loop's thread.
  virtual void run(Job job) = 0;
  // Waits for every job given (and any their continuations give) and runs their
  // continuations: at exit, nothing begun for the user is dropped.
  virtual void finishAll() = 0;
};

}  // namespace vireloc
