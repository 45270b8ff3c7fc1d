// What the HTTP client takes from a server's status line and status code.
#pragma once
#include <string>
#include <string_view>

namespace vireloc {

// The status ends the request with an error: 400 or above, but for 401 and 407.
bool failingStatus(long status);

// "HTTP/1.0 404 Not Found" gives "Not Found", shown to the user as the error's text: up to
// the line's end, at most 200 bytes, each byte outside printable ASCII as "?".
std::string reasonPhrase(std::string_view statusLine);

}  // namespace vireloc
