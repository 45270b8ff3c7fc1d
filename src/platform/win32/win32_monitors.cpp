#include "platform/win32/win32_monitors.h"

namespace vireloc {

namespace {

struct MonitorSearch {
  RECT rect;
  LONGLONG shown = 0;
  std::optional<MonitorWorkArea> best;
};

LONGLONG overlap(const RECT& a, const RECT& b) {
  RECT both{};
  if (!IntersectRect(&both, &a, &b)) return 0;
  return static_cast<LONGLONG>(both.right - both.left) * (both.bottom - both.top);
}

BOOL CALLBACK weighMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& search = *reinterpret_cast<MonitorSearch*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const LONGLONG shown = overlap(search.rect, info.rcWork);
  if (shown > search.shown) {
    search.shown = shown;
    const RECT& work = info.rcWork;
    search.best = MonitorWorkArea{Rect{work.left, work.top, work.right, work.bottom},
                                  (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
  }
  return TRUE;
}

}  // namespace

std::optional<MonitorWorkArea> monitorWorkAreaShowing(const RECT& rect) {
  MonitorSearch search{rect, 0, std::nullopt};
  EnumDisplayMonitors(nullptr, nullptr, weighMonitor, reinterpret_cast<LPARAM>(&search));
  return search.best;
}

RECT restoredWindowRect(HWND window) {
  RECT rect{};
  if (!IsIconic(window)) {
    GetWindowRect(window, &rect);
    return rect;
  }
  // A minimised window stands at -32000; its own place is kept in workspace coordinates,
  // which start at its monitor's work area instead of the monitor's corner.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) {
    GetWindowRect(window, &rect);
    return rect;
  }
  rect = placement.rcNormalPosition;
  if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return rect;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY), &info))
    OffsetRect(&rect, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
  return rect;
}

}  // namespace vireloc
