#pragma once

namespace vireloc {

// Raises a flag while some work runs and puts it back on every way out, also when the work
// ran inside another (a hotkey handled inside a message box of a capture).
class BusyWhileAtWork {
 public:
  explicit BusyWhileAtWork(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~BusyWhileAtWork() { flag_ = previous_; }
  BusyWhileAtWork(const BusyWhileAtWork&) = delete;
  BusyWhileAtWork& operator=(const BusyWhileAtWork&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace vireloc
