// The HTTP client of the update check on libcurl's multi interface: the transfer moves
// while the desktop's own waiting keeps its messages handled.
#pragma once
#include <curl/curl.h>

#include <chrono>

#include "platform/http_transfer.h"

namespace vireloc {

// Waits for the transfer's sockets and, at the same time, for whatever else the program
// must keep serving (window messages, handled here).
class TransferWaiter {
 public:
  virtual ~TransferWaiter() = default;
  // Returns when a socket of multi is ready, after timeoutMs, or after other work was done;
  // false when the program is quitting.
  virtual bool wait(CURLM* multi, long timeoutMs) = 0;
};

class CurlHttpClient final : public HttpTransfer {
 public:
  explicit CurlHttpClient(TransferWaiter& waiter,
                          std::chrono::milliseconds idleTimeout = std::chrono::seconds(30));
  ~CurlHttpClient() override;
  CurlHttpClient(const CurlHttpClient&) = delete;
  CurlHttpClient& operator=(const CurlHttpClient&) = delete;

  int get(const HttpRequest& request, HttpBody& body) override;
  void cancel() override { cancelled_ = true; }

 private:
  struct Transfer;
  CURLM* startedMulti();
  CURLcode runToEnd(Transfer& transfer);
  int outcome(Transfer& transfer, CURLcode result);

  TransferWaiter& waiter_;
  std::chrono::milliseconds idleTimeout_;
  CURLM* multi_ = nullptr;
  bool running_ = false;
  bool cancelled_ = false;
};

}  // namespace vireloc
