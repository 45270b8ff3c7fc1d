// The simulated update server and HTTP client: answers scripted by path, events run inside
// the transfer as in any modal moment.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/http_transfer.h"

namespace vireloc::sim {

struct SimHttpAnswer {
  int status = 200;
  std::string reason = "OK";
  std::vector<std::string> chunks;  // the body, in the pieces it arrives in
  // Not empty: after the chunks the request fails with this text (a lost connection, the
  // idle time-out), as the real client reports it.
  std::string failure;
};

class SimHttpServer final : public HttpTransfer {
 public:
  // duringTransfer runs one scripted event; quitPending tells of a quit message.
  SimHttpServer(std::function<void()> duringTransfer, std::function<bool()> quitPending)
      : duringTransfer_(std::move(duringTransfer)), quitPending_(std::move(quitPending)) {}

  // Waits once before the first piece and once before each later one; a cancel or a quit
  // seen after a wait ends the request.
  int get(const HttpRequest& request, HttpBody& body) override;
  void cancel() override { cancelled_ = true; }

  std::map<std::string, SimHttpAnswer> answers;  // by path; none: no connection
  std::vector<HttpRequest> requests;             // every request made, in order
  bool running() const { return running_; }

 private:
  void wait();

  std::function<void()> duringTransfer_;
  std::function<bool()> quitPending_;
  bool running_ = false;
  bool cancelled_ = false;
};

}  // namespace vireloc::sim
