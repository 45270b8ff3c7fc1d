// Errors shared by the core and the desktop backends.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vireloc {

// A failure the user is told about: the text is shown as it stands by the default error
// report of the event dispatcher.
class AppError : public std::runtime_error {
 public:
  explicit AppError(const std::string& userText) : std::runtime_error(userText) {}
};

// A system call failed. The text is the system's own reason for the error code; the core
// puts it after its own words for what could not be done.
class SystemError : public std::runtime_error {
 public:
  SystemError(std::uint32_t code, const std::string& reason)
      : std::runtime_error(reason), code_(code) {}
  std::uint32_t code() const { return code_; }

 private:
  std::uint32_t code_;
};

// Runs a platform call and puts a system failure into the user's words: `whatFailed` (a
// sentence ending in "。") followed by the system's reason.
template <typename Call>
auto inUserWords(const std::string& whatFailed, Call&& call) -> decltype(call()) {
  try {
    return call();
  } catch (const SystemError& error) {
    throw AppError(whatFailed + error.what());
  }
}

}  // namespace vireloc
