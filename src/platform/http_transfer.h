// HTTP GET requests that wait without stopping the window-message loop.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace vireloc {

// Texts of the client's own errors, the same on every desktop.
inline constexpr const char* kHttpBusyText = "前の通信がまだ終わっていないため、通信を始められません";
inline constexpr const char* kHttpCancelledText = "通信を中止しました";
inline constexpr const char* kHttpIdleText = "サーバからの応答が30秒間ありません";

struct HttpRequest {
  std::string host;  // "name" or "name:port"; port 80 when none is given
  std::string path;  // from the leading "/"
  // Header lines sent after the request line, exactly these and in this order.
  std::vector<std::string> headers;
};

// Where the body of an answer goes, in pieces as it arrives.
class HttpBody {
 public:
  virtual ~HttpBody() = default;
  // Throws to end the request; the request then fails with that error.
  virtual void receive(const char* data, std::size_t size) = 0;
};

class HttpTransfer {
 public:
  virtual ~HttpTransfer() = default;
  // One HTTP/1.0 GET, following at most 5 relocations. Returns when the transfer is over,
  // handling window messages while it waits, with the final status: below 400, or 401 or
  // 407 (a sixth relocation answer is returned as it stands). Throws AppError for any other
  // status of 400 or more (the reason phrase as its text), a connection that cannot be made,
  // 30 seconds without data moving, a body that refuses what arrives, a request cancelled,
  // or a request made while another one runs (kHttpBusyText; the running one goes on).
  virtual int get(const HttpRequest& request, HttpBody& body) = 0;
  // Ends the running request at its next step: its get throws kHttpCancelledText.
  virtual void cancel() = 0;
};

}  // namespace vireloc
