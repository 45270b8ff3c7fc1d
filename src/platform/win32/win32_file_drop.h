// Files dropped on a window from the shell. Both roads lead to the same handler: WM_DROPFILES
// (DragAcceptFiles) for a drop handle posted to the window, and an OLE drop target for a shell
// drag that only knows OLE (Wine's shell gives nothing else).
#pragma once
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <functional>
#include <memory>

#include "platform/file_drop.h"

namespace vireloc {

using FilesDroppedHandler = std::function<void(DroppedFiles files)>;

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

// The window accepts drops until the object goes; drops reach the handler. The OLE
// road needs an OleSession on the thread.
class FileDropRegistration {
 public:
  virtual ~FileDropRegistration() = default;
};

std::unique_ptr<FileDropRegistration> acceptFileDrops(HWND window, FilesDroppedHandler onDrop);

// The clipboard format of a file list (CF_HDROP in global memory), as drops carry it.
FORMATETC fileListFormat();

// WM_DROPFILES: the drop read as Unicode; the drop handle is released.
DroppedFiles takeDroppedFiles(HDROP drop);

}  // namespace vireloc
