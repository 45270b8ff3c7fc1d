#include "platform/win32/win32_transfer_waiter.h"

#include <winsock2.h>

#include <map>
#include <vector>

#include "platform/win32/win32_services.h"
#include "platform/win32/win32_system_error.h"

namespace vireloc {

namespace {

struct WatchedSocket {
  SOCKET socket;
  long events;
};

std::vector<WatchedSocket> socketsOf(CURLM* multi, fd_set& read, fd_set& write) {
  fd_set except;
  FD_ZERO(&read);
  FD_ZERO(&write);
  FD_ZERO(&except);
  int highest = -1;
  curl_multi_fdset(multi, &read, &write, &except, &highest);
  // One binding per socket: a second WSAEventSelect would replace the first.
  std::map<SOCKET, long> events;
  for (u_int i = 0; i < read.fd_count; ++i) events[read.fd_array[i]] |= FD_READ | FD_ACCEPT | FD_CLOSE;
  for (u_int i = 0; i < write.fd_count; ++i) events[write.fd_array[i]] |= FD_WRITE | FD_CONNECT | FD_CLOSE;
  std::vector<WatchedSocket> sockets;
  for (const auto& [socket, mask] : events) sockets.push_back({socket, mask});
  return sockets;
}

// A socket that is ready already would not signal the event again (FD_WRITE is signalled
// once per change): look before sleeping.
bool anyReady(fd_set read, fd_set write) {
  if (read.fd_count == 0 && write.fd_count == 0) return false;
  timeval now{};
  return select(0, &read, &write, nullptr, &now) > 0;
}

}  // namespace

Win32TransferWaiter::Win32TransferWaiter(Win32Windowing& windowing)
    : windowing_(windowing), socketEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (!socketEvent_) throwLastError();
}

bool Win32TransferWaiter::wait(CURLM* multi, long timeoutMs) {
  if (!windowing_.handlePendingMessages()) return false;
  fd_set read, write;
  const std::vector<WatchedSocket> sockets = socketsOf(multi, read, write);
  ResetEvent(socketEvent_.get());
  for (const WatchedSocket& watched : sockets)
    WSAEventSelect(watched.socket, socketEvent_.get(), watched.events);
  if (!anyReady(read, write)) {
    const HANDLE event = socketEvent_.get();
    MsgWaitForMultipleObjectsEx(1, &event, static_cast<DWORD>(timeoutMs), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
  // Unbound again: libcurl expects its sockets as it left them.
  for (const WatchedSocket& watched : sockets) WSAEventSelect(watched.socket, nullptr, 0);
  return windowing_.handlePendingMessages();
}

}  // namespace vireloc
