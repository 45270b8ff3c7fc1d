// Files dropped on a window from the shell. Both roads lead to the same handler: WM_DROPFILES
// (DragAcceptFiles) for a drop handle posted to the window, and an OLE drop target for a shell
// drag that only knows OLE (Wine's shell gives nothing else).
#pragma once
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vireloc {

using FilesDroppedHandler = std::function<void(std::vector<std::string> paths)>;

// OLE for the calling thread, which drop targets need, for the lifetime of the object.
class OleSession {
 public:
  OleSession();
  ~OleSession();
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool ok_;
};

// The window accepts drops until the object goes; dropped paths reach the handler. The OLE
// road needs an OleSession on the thread.
class FileDropRegistration {
 public:
  virtual ~FileDropRegistration() = default;
};

std::unique_ptr<FileDropRegistration> acceptFileDrops(HWND window, FilesDroppedHandler onDrop);

// The clipboard format of a file list (CF_HDROP in global memory), as drops carry it.
FORMATETC fileListFormat();

// WM_DROPFILES: the full paths of the drop, read as Unicode; the drop handle is released.
std::vector<std::string> takeDroppedFiles(HDROP drop);

}  // namespace vireloc
