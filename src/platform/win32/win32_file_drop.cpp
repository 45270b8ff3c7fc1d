#include "platform/win32/win32_file_drop.h"

#include <ole2.h>

#include <algorithm>
#include <utility>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_com.h"
#include "platform/win32/win32_handles.h"

namespace vireloc {

FORMATETC fileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

namespace {

// Reads without releasing: a drop from OLE belongs to its storage medium.
class HdropFileList final : public DroppedFileList {
 public:
  explicit HdropFileList(HDROP drop) : drop_(drop) {}
  std::uint32_t fileCount() override { return DragQueryFileW(drop_, 0xFFFFFFFF, nullptr, 0); }
  // The block's own text may lack its end: no more than the length the system reported.
  std::string filePath(std::uint32_t index) override {
    const UINT length = DragQueryFileW(drop_, index, nullptr, 0);
    if (length == 0) return {};
    std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
    const UINT copied = DragQueryFileW(drop_, index, path.data(), length + 1);
    path.resize(std::min(copied, length));
    return toUtf8(path);
  }

 private:
  HDROP drop_;
};

DroppedFiles readDrop(HDROP drop) {
  HdropFileList list(drop);
  return readDroppedFiles(list);
}

class DropTarget final : public ComObject<IDropTarget> {
 public:
  explicit DropTarget(FilesDroppedHandler onDrop) : onDrop_(std::move(onDrop)) {}

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format = fileListFormat();
    holdsFiles_ = data && data->QueryGetData(&format) == S_OK;
    *effect = holdsFiles_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = holdsFiles_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override;

 private:
  FilesDroppedHandler onDrop_;
  bool holdsFiles_ = false;
};

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  *effect = DROPEFFECT_NONE;
  FORMATETC format = fileListFormat();
  STGMEDIUM medium{};
  if (!data || FAILED(data->GetData(&format, &medium))) return S_OK;
  DroppedFiles files = readDrop(static_cast<HDROP>(medium.hGlobal));
  ReleaseStgMedium(&medium);
  *effect = DROPEFFECT_COPY;
  // The handler may destroy the window, and with it this target: it is kept until the end.
  AddRef();
  onDrop_(std::move(files));
  Release();
  return S_OK;
}

class Registration final : public FileDropRegistration {
 public:
  Registration(HWND window, FilesDroppedHandler onDrop) : window_(window) {
    DragAcceptFiles(window, TRUE);
    // Without OLE the posted road still works; a shell drag then finds no target.
    auto* target = new DropTarget(std::move(onDrop));
    registered_ = SUCCEEDED(RegisterDragDrop(window, target));
    target->Release();  // RegisterDragDrop holds its own reference
  }
  ~Registration() override {
    if (registered_) RevokeDragDrop(window_);
  }

 private:
  HWND window_;
  bool registered_ = false;
};

}  // namespace

std::unique_ptr<FileDropRegistration> acceptFileDrops(HWND window, FilesDroppedHandler onDrop) {
  return std::make_unique<Registration>(window, std::move(onDrop));
}

DroppedFiles takeDroppedFiles(HDROP drop) {
  const DropHandle owned(drop);
  return readDrop(drop);
}

OleSession::OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}

OleSession::~OleSession() {
  if (ok_) OleUninitialize();
}

}  // namespace vireloc
