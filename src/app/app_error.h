#pragma once
#include <stdexcept>
#include <string>

namespace vireloc {

// A failure the user is told about: the text is shown as it stands by the default error
// report of the event dispatcher.
class AppError : public std::runtime_error {
 public:
  explicit AppError(const std::string& userText) : std::runtime_error(userText) {}
};

}  // namespace vireloc
