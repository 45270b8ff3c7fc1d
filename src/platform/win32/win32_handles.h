// Owners for Windows handles: each releases its handle on every path and cannot be copied.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <utility>

#include "platform/types.h"

namespace vireloc {

inline HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle fromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// Owns one handle of type T, released with Closer unless it is the empty value.
template <typename T, typename Closer>
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(T handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != T{}; }
  // Gives up ownership, e.g. once the clipboard has taken the handle.
  T release() { return std::exchange(handle_, T{}); }
  // Closes now; false when the system refused to close it.
  bool reset(T handle = T{}) {
    const T old = std::exchange(handle_, handle);
    return old == T{} || Closer{}(old);
  }

 private:
  T handle_{};
};

struct KernelHandleCloser {
  bool operator()(HANDLE handle) const { return CloseHandle(handle) != 0; }
};
struct GdiObjectCloser {
  bool operator()(HGDIOBJ object) const { return DeleteObject(object) != 0; }
};
struct MemoryDcCloser {
  bool operator()(HDC dc) const { return DeleteDC(dc) != 0; }
};
struct WindowCloser {
  bool operator()(HWND window) const { return DestroyWindow(window) != 0; }
};
struct MenuCloser {
  // Destroys the submenus attached to it as well.
  bool operator()(HMENU menu) const { return DestroyMenu(menu) != 0; }
};
struct MappedViewCloser {
  bool operator()(const void* view) const { return UnmapViewOfFile(view) != 0; }
};
struct HookCloser {
  bool operator()(HHOOK hook) const { return UnhookWindowsHookEx(hook) != 0; }
};
struct GlobalMemoryCloser {
  bool operator()(HGLOBAL memory) const { return GlobalFree(memory) == nullptr; }
};
struct DropCloser {
  bool operator()(HDROP drop) const {
    DragFinish(drop);
    return true;
  }
};

// CreateFile reports failure as INVALID_HANDLE_VALUE, not NULL: convert before wrapping.
using KernelHandle = ScopedHandle<HANDLE, KernelHandleCloser>;
using BitmapHandle = ScopedHandle<HBITMAP, GdiObjectCloser>;
using PaletteHandle = ScopedHandle<HPALETTE, GdiObjectCloser>;
using FontHandle = ScopedHandle<HFONT, GdiObjectCloser>;
using BrushHandle = ScopedHandle<HBRUSH, GdiObjectCloser>;
using OwnedWindow = ScopedHandle<HWND, WindowCloser>;
using MenuHandle = ScopedHandle<HMENU, MenuCloser>;
using MemoryDc = ScopedHandle<HDC, MemoryDcCloser>;
using GlobalMemory = ScopedHandle<HGLOBAL, GlobalMemoryCloser>;
using DropHandle = ScopedHandle<HDROP, DropCloser>;
using MappedView = ScopedHandle<void*, MappedViewCloser>;
using HookHandle = ScopedHandle<HHOOK, HookCloser>;

// A window's device context from GetDC (the screen's for window 0), released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC for one scope; the previous object comes back on exit, so the
// bitmap is free again for GetDIBits or the clipboard.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  bool ok() const { return previous_ && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Selects and realizes a palette for one scope.
class SelectedPalette {
 public:
  SelectedPalette(HDC dc, HPALETTE palette)
      : dc_(dc), previous_(palette ? SelectPalette(dc, palette, FALSE) : nullptr) {
    if (previous_) RealizePalette(dc_);
  }
  ~SelectedPalette() {
    if (previous_) SelectPalette(dc_, previous_, FALSE);
  }
  SelectedPalette(const SelectedPalette&) = delete;
  SelectedPalette& operator=(const SelectedPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_;
};

// The clipboard opened by a window of this thread, closed again on every path.
class ClipboardSession {
 public:
  ClipboardSession() = default;
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  // OpenClipboard unless already open; false while another window holds the clipboard.
  bool open(HWND owner) {
    if (!open_) open_ = OpenClipboard(owner) != 0;
    return open_;
  }

 private:
  bool open_ = false;
};

// GlobalLock for one scope.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  void* data() const { return data_; }
  std::size_t size() const { return data_ ? GlobalSize(memory_) : 0; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace vireloc
