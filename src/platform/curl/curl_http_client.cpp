#include "platform/curl/curl_http_client.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string>

#include "common/app_error.h"
#include "common/busy_flag.h"
#include "platform/curl/http_status_line.h"

namespace vireloc {

namespace {

using Clock = std::chrono::steady_clock;

// The state is checked at least this often, whatever the sockets do.
constexpr long kLongestWaitMs = 1000;
constexpr int kMostRelocations = 5;

struct EasyCleanup {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

std::string failureText(CURLcode result, const std::string& host) {
  switch (result) {
    case CURLE_COULDNT_RESOLVE_HOST:
      return "サーバ " + host + " が見つかりません";
    case CURLE_COULDNT_CONNECT:
      return "サーバ " + host + " に接続できません";
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
      return "サーバ " + host + " との接続が途中で切れました";
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:
      return "サーバ " + host + " の応答を読めません";
    default:
      return "サーバ " + host + " と通信できません (curl エラー " +
             std::to_string(static_cast<int>(result)) + ")";
  }
}

}  // namespace

struct CurlHttpClient::Transfer {
  Transfer(const HttpRequest& request, HttpBody& body) : request(request), body(body) {}
  const HttpRequest& request;
  HttpBody& body;
  std::unique_ptr<CURL, EasyCleanup> easy{curl_easy_init()};
  std::unique_ptr<curl_slist, ListCleanup> headers;
  std::string reason;
  std::exception_ptr bodyError;
  bool refusedByStatus = false;
  Clock::time_point lastMove = Clock::now();

  static std::size_t onHeader(char* data, std::size_t, std::size_t size, void* self) {
    auto& transfer = *static_cast<Transfer*>(self);
    transfer.lastMove = Clock::now();
    if (size >= 5 && std::string(data, 5) == "HTTP/") transfer.reason = reasonPhrase({data, size});
    return size;
  }

  static std::size_t onBody(char* data, std::size_t, std::size_t size, void* self) {
    auto& transfer = *static_cast<Transfer*>(self);
    transfer.lastMove = Clock::now();
    long status = 0;
    curl_easy_getinfo(transfer.easy.get(), CURLINFO_RESPONSE_CODE, &status);
    // The body of an error answer is nobody's data: the transfer ends at its first byte.
    if (failingStatus(status)) {
      transfer.refusedByStatus = true;
      return 0;
    }
    try {
      transfer.body.receive(data, size);
      return size;
    } catch (...) {
      // Carried across libcurl's C frames and thrown again once the transfer is over.
      transfer.bodyError = std::current_exception();
      return 0;
    }
  }

  void configure();
};

void CurlHttpClient::Transfer::configure() {
  CURL* handle = easy.get();
  // libcurl writes a Host line of its own first; an empty "Host:" clears it, so that our
  // Host line goes out last, in the order of the list.
  curl_slist* list = curl_slist_append(nullptr, "Host:");
  for (const std::string& line : request.headers) list = curl_slist_append(list, line.c_str());
  headers.reset(list);
  const std::string url = "http://" + request.host + request.path;
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, static_cast<long>(kMostRelocations));
  curl_easy_setopt(handle, CURLOPT_PROXY, "");  // no proxy, whatever the environment says
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
  curl_easy_setopt(handle, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, this);
}

CurlHttpClient::CurlHttpClient(TransferWaiter& waiter, std::chrono::milliseconds idleTimeout)
    : waiter_(waiter), idleTimeout_(idleTimeout) {}

// With the first transfer, not with the program: the idle program loads no sockets library.
CURLM* CurlHttpClient::startedMulti() {
  if (!multi_) {
    // Once per process; it also starts Windows Sockets.
    static const CURLcode started = curl_global_init(CURL_GLOBAL_ALL);
    if (started == CURLE_OK) multi_ = curl_multi_init();
  }
  return multi_;
}

CurlHttpClient::~CurlHttpClient() {
  if (multi_) curl_multi_cleanup(multi_);
}

int CurlHttpClient::get(const HttpRequest& request, HttpBody& body) {
  if (running_) throw AppError(kHttpBusyText);
  BusyWhileAtWork running(running_);
  cancelled_ = false;
  CURLM* multi = startedMulti();  // before the easy handle, which would start curl by itself
  Transfer transfer(request, body);
  if (!multi || !transfer.easy) throw AppError("通信の準備ができません");
  transfer.configure();
  curl_multi_add_handle(multi_, transfer.easy.get());
  CURLcode result = CURLE_OK;
  try {
    result = runToEnd(transfer);
  } catch (...) {
    curl_multi_remove_handle(multi_, transfer.easy.get());
    throw;
  }
  curl_multi_remove_handle(multi_, transfer.easy.get());
  return outcome(transfer, result);
}

CURLcode CurlHttpClient::runToEnd(Transfer& transfer) {
  for (;;) {
    int active = 0;
    curl_multi_perform(multi_, &active);
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
      if (message->msg == CURLMSG_DONE) return message->data.result;
    }
    if (cancelled_) throw AppError(kHttpCancelledText);
    // Sockets are read above before the clock is looked at: a long modal moment inside the
    // wait (an open menu) must not count as silence of the server.
    const auto silent = Clock::now() - transfer.lastMove;
    if (silent >= idleTimeout_) throw AppError(kHttpIdleText);
    long timeoutMs = -1;
    curl_multi_timeout(multi_, &timeoutMs);
    const long untilIdle = static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(idleTimeout_ - silent).count()) + 1;
    long wait = std::min(kLongestWaitMs, untilIdle);
    if (timeoutMs >= 0) wait = std::min(wait, timeoutMs);
    if (!waiter_.wait(multi_, wait)) cancelled_ = true;
  }
}

int CurlHttpClient::outcome(Transfer& transfer, CURLcode result) {
  if (transfer.bodyError) std::rethrow_exception(transfer.bodyError);
  long status = 0;
  curl_easy_getinfo(transfer.easy.get(), CURLINFO_RESPONSE_CODE, &status);
  // A sixth relocation is not followed: the request ends with that answer, not with an error.
  const bool answered = result == CURLE_OK || result == CURLE_TOO_MANY_REDIRECTS ||
                        (result == CURLE_WRITE_ERROR && transfer.refusedByStatus);
  if (!answered) throw AppError(failureText(result, transfer.request.host));
  if (failingStatus(status)) {
    throw AppError(transfer.reason.empty() ? "HTTP " + std::to_string(status) : transfer.reason);
  }
  return static_cast<int>(status);
}

}  // namespace vireloc
