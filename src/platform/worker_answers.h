// Answers that worker threads leave for the main thread. The message that wakes the main
// thread names the request only and the answer stays here: a message another program forges
// can name an id at most, and an id with no answer waiting takes nothing.
#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace vireloc {

template <typename Answer>
class WorkerAnswers {
 public:
  // Any thread.
  void put(std::uint64_t request, Answer answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.insert_or_assign(request, std::move(answer));
  }
  // The answer left for request, once; nothing for any other id.
  std::optional<Answer> take(std::uint64_t request) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = answers_.find(request);
    if (found == answers_.end()) return std::nullopt;
    std::optional<Answer> answer(std::move(found->second));
    answers_.erase(found);
    return answer;
  }

 private:
  std::mutex mutex_;
  std::map<std::uint64_t, Answer> answers_;
};

}  // namespace vireloc
