#include "platform/curl/http_status_line.h"

namespace vireloc {

namespace {
// A hostile server's reason phrase is cut short.
constexpr std::size_t kLongestReason = 200;
}  // namespace

bool failingStatus(long status) { return status >= 400 && status != 401 && status != 407; }

std::string reasonPhrase(std::string_view statusLine) {
  // A bare CR ends the line too: what follows it is no part of the status.
  statusLine = statusLine.substr(0, statusLine.find_first_of("\r\n"));
  const auto code = statusLine.find(' ');
  const auto reason = code == std::string_view::npos ? code : statusLine.find(' ', code + 1);
  if (reason == std::string_view::npos) return "";
  std::string phrase;
  for (char c : statusLine.substr(reason + 1)) {
    if (phrase.size() == kLongestReason) break;
    phrase += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return phrase;
}

}  // namespace vireloc
