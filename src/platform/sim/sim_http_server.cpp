#include "platform/sim/sim_http_server.h"

#include "common/app_error.h"
#include "common/busy_flag.h"

namespace vireloc::sim {

void SimHttpServer::wait() {
  duringTransfer_();
  if (cancelled_ || quitPending_()) throw AppError(kHttpCancelledText);
}

int SimHttpServer::get(const HttpRequest& request, HttpBody& body) {
  if (running_) throw AppError(kHttpBusyText);
  BusyWhileAtWork running(running_);
  cancelled_ = false;
  requests.push_back(request);
  wait();
  auto it = answers.find(request.path);
  if (it == answers.end()) throw AppError("サーバ " + request.host + " に接続できません");
  const SimHttpAnswer& answer = it->second;
  const bool failedStatus = answer.status >= 400 && answer.status != 401 && answer.status != 407;
  if (failedStatus) throw AppError(answer.reason);
  for (std::size_t i = 0; i < answer.chunks.size(); ++i) {
    if (i > 0) wait();
    body.receive(answer.chunks[i].data(), answer.chunks[i].size());
  }
  if (!answer.failure.empty()) throw AppError(answer.failure);
  return answer.status;
}

}  // namespace vireloc::sim
