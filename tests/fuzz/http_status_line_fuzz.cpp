// Any status line a server sends: the reason phrase shown to the user is printable ASCII,
// one line, at most 200 bytes, and each of its bytes stands for one byte of the line.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/curl/http_status_line.h"

using namespace vireloc;
using namespace vireloc::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const long status = static_cast<long>(data[0] | (data[1] << 8) | (data[2] << 16)) - 100000;
  const std::string_view line(reinterpret_cast<const char*>(data) + 3, size - 3);
  check(failingStatus(status) == (status >= 400 && status != 401 && status != 407),
        "failing status");
  const std::string phrase = reasonPhrase(line);
  check(phrase.size() <= 200, "the reason is longer than 200 bytes");
  for (char c : phrase) check(c >= 0x20 && c < 0x7F, "a byte outside printable ASCII");
  const auto lineEnd = line.find_first_of("\r\n");
  check(phrase.size() <= std::min(line.size(), lineEnd), "the reason is longer than its line");
  // Printable bytes of the line come through as they are.
  const std::string_view firstLine = line.substr(0, lineEnd);
  const auto first = firstLine.find(' ');
  if (first != std::string_view::npos && firstLine.find(' ', first + 1) != std::string_view::npos) {
    const std::string_view sent = firstLine.substr(firstLine.find(' ', first + 1) + 1);
    for (std::size_t i = 0; i < phrase.size(); ++i) {
      const char c = sent[i];
      check(phrase[i] == ((c >= 0x20 && c < 0x7F) ? c : '?'), "a byte of the reason changed");
    }
  } else {
    check(phrase.empty(), "a reason from a line without one");
  }
  return 0;
}
