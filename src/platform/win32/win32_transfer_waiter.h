#pragma once
#include "platform/curl/curl_http_client.h"
#include "platform/win32/win32_handles.h"

namespace vireloc {

class Win32Windowing;

// Waits on the transfer's sockets and the thread's message queue together
// (WSAEventSelect + MsgWaitForMultipleObjectsEx), handling the messages that arrive.
class Win32TransferWaiter final : public TransferWaiter {
 public:
  explicit Win32TransferWaiter(Win32Windowing& windowing);
  bool wait(CURLM* multi, long timeoutMs) override;

 private:
  Win32Windowing& windowing_;
  KernelHandle socketEvent_;
};

}  // namespace vireloc
