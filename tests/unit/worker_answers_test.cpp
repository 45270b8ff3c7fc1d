#include "platform/worker_answers.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace vireloc {
namespace {

// A forged wake-up names an id: only one with an answer waiting takes anything, and only once.
TEST(WorkerAnswersTest, AnAnswerIsTakenOnceAndOnlyByItsOwnId) {
  WorkerAnswers<std::string> answers;
  EXPECT_FALSE(answers.take(1).has_value());
  answers.put(7, "seven");
  for (std::uint64_t forged : {0ull, 1ull, 6ull, 8ull, 0x12345678ull, ~0ull})
    EXPECT_FALSE(answers.take(forged).has_value()) << forged;
  EXPECT_EQ(answers.take(7), "seven");
  EXPECT_FALSE(answers.take(7).has_value());
}

TEST(WorkerAnswersTest, AnswersLeftByManyThreadsAtOnceAllArriveIntact) {
  WorkerAnswers<std::vector<int>> answers;
  constexpr int kThreads = 8, kEach = 500;
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t)
    workers.emplace_back([&answers, t] {
      for (int i = 0; i < kEach; ++i) answers.put(t * kEach + i, std::vector<int>(16, t * kEach + i));
    });
  int taken = 0;
  while (taken < kThreads * kEach) {  // taken while the workers still put
    for (int id = 0; id < kThreads * kEach; ++id)
      if (auto answer = answers.take(id)) {
        ASSERT_EQ(*answer, std::vector<int>(16, id));
        ++taken;
      }
  }
  for (std::thread& worker : workers) worker.join();
  EXPECT_FALSE(answers.take(0).has_value());
}

}  // namespace
}  // namespace vireloc
