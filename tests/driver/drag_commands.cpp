// A real OLE drag of files, as the shell starts one: a left press on a small source window
// starts DoDragDrop with a data object offering CF_HDROP; the pointer and button do the rest.
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_com.h"
#include "platform/win32/win32_file_drop.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {

template <typename Object, typename... Params>
ComPtr<Object> make(Params&&... params) {
  ComPtr<Object> owned;
  *owned.put() = new Object(std::forward<Params>(params)...);
  return owned;
}

bool isFileList(const FORMATETC* format) {
  return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) &&
         format->dwAspect == DVASPECT_CONTENT;
}

// The file list in global memory, as a data object hands it over.
HGLOBAL dropBlock(const std::vector<std::wstring>& paths) {
  const std::vector<char> bytes = dropFilesBlock(paths, POINT{0, 0});
  GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!block) return nullptr;
  {
    const GlobalLockGuard lock(block.get());
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(lock.data()));
  }
  return block.release();
}

class FileList final : public ComObject<IDataObject> {
 public:
  explicit FileList(std::vector<std::wstring> paths) : paths_(std::move(paths)) {}

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!isFileList(format)) return DV_E_FORMATETC;
    *medium = {};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = dropBlock(paths_);  // the receiver's, released by ReleaseStgMedium
    return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return isFileList(format) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format = fileListFormat();
    return SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  std::vector<std::wstring> paths_;
};

// Drops when the left button goes up, as the shell's drags do. Reports the drag's progress on
// stdout, so a script knows when to move and release: "dragging" once the drag has the
// pointer, then "feedback <effect>" each time the window under it answers differently.
class ButtonSource final : public ComObject<IDropSource> {
 public:
  explicit ButtonSource(ULONGLONG deadline) : deadline_(deadline) {}

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (!announced_) printLine("dragging");
    announced_ = true;
    if (escape || GetTickCount64() > deadline_) return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

 private:
  ULONGLONG deadline_;
  bool announced_ = false;
  DWORD shown_ = ~DWORD{0};
};

std::string effectName(DWORD effect) {
  if (effect & DROPEFFECT_COPY) return "copy";
  if (effect & DROPEFFECT_MOVE) return "move";
  if (effect & DROPEFFECT_LINK) return "link";
  return "none";
}

HRESULT ButtonSource::GiveFeedback(DWORD effect) {
  if (effect != shown_) printLine("feedback " + effectName(effect));
  shown_ = effect;
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

// Topmost, so the press is its own; by the right edge, clear of the program's windows.
OwnedWindow showSourceWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
  windowClass.lpszClassName = L"ViRelocDragSource";
  RegisterClassW(&windowClass);
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  constexpr int kSize = 48;
  OwnedWindow window(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"ViRelocDragSource",
                                     L"vireloc-drag-source", WS_POPUP | WS_VISIBLE,
                                     area.right - 2 * kSize, (area.top + area.bottom - kSize) / 2,
                                     kSize, kSize, nullptr, nullptr, instance, nullptr));
  if (!window) throw Failure("CreateWindow failed, error " + std::to_string(GetLastError()));
  UpdateWindow(window.get());
  return window;
}

// Pumps messages until the left button goes down on the source, or false at the deadline.
bool waitForPress(HWND source, ULONGLONG deadline) {
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_LBUTTONDOWN && message.hwnd == source) return true;
      DispatchMessageW(&message);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}

// Shows the source window, waits for the press on it and drags the files from there; the
// window goes as soon as the drag ends.
HRESULT dragFrom(std::vector<std::wstring> paths, ULONGLONG deadline, DWORD& effect) {
  const OwnedWindow source = showSourceWindow();
  RECT box{};
  GetWindowRect(source.get(), &box);
  printLine("source " + std::to_string((box.left + box.right) / 2) + " " +
            std::to_string((box.top + box.bottom) / 2));
  if (!waitForPress(source.get(), deadline)) throw Failure("no left press on the source window in time");

  ComPtr<FileList> data = make<FileList>(std::move(paths));
  ComPtr<ButtonSource> dropSource = make<ButtonSource>(deadline);
  // What a drag of files from the shell allows; the target picks.
  return DoDragDrop(data.get(), dropSource.get(),
                    DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
}

}  // namespace

int dragFiles(const Args& args) {
  if (args.size() < 2) throw Failure("usage: drag-files <seconds> <path>...");
  const ULONGLONG deadline = GetTickCount64() + parseNumber(args[0], "seconds") * 1000;
  const OleSession ole;
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = dragFrom({args.begin() + 1, args.end()}, deadline, effect);
  if (result == DRAGDROP_S_DROP)
    printLine("dropped " + effectName(effect));
  else if (result == DRAGDROP_S_CANCEL)
    printLine("cancelled");
  else
    throw Failure("DoDragDrop failed: " + std::to_string(static_cast<long>(result)));
  return 0;
}

}  // namespace vireloc::driver
