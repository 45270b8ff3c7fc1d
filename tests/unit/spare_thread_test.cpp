#include "capture/spare_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace vireloc {
namespace {

// One caller holds the thread from start to wait; another is turned away meanwhile and does
// its work itself. After the thread has ended for want of work, a start brings up a new one.
TEST(SpareThread, ServesOneCallerAtATimeAndStartsAgainAfterIdling) {
  SpareThread spare(std::chrono::milliseconds(5));
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<int> ran{0};
  ASSERT_TRUE(spare.start([&] {
    released.wait();
    ++ran;
  }));
  EXPECT_FALSE(spare.start([&] { ++ran; }));
  release.set_value();
  spare.wait();
  EXPECT_EQ(ran, 1);

  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_TRUE(spare.start([&] { ++ran; }));
  spare.wait();
  EXPECT_EQ(ran, 2);
}

}  // namespace
}  // namespace vireloc
