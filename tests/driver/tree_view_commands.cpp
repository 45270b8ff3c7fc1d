// Reading another program's tree view. Its messages carry pointers, which the system does not
// carry across processes: the item and its text are read through memory lent in the program.
#include <windows.h>
#include <commctrl.h>

#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

namespace {

// Memory in another process for one command, freed on every path.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process_) throw Failure("cannot open the tree's process");
    memory_ = static_cast<char*>(VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    if (!memory_) throw Failure("cannot lend memory in the tree's process");
  }
  ~RemoteBuffer() { VirtualFreeEx(process_.get(), memory_, 0, MEM_RELEASE); }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  char* at(size_t offset) const { return memory_ + offset; }
  void write(size_t offset, const void* data, size_t size) const {
    WriteProcessMemory(process_.get(), memory_ + offset, data, size, nullptr);
  }
  void read(size_t offset, void* data, size_t size) const {
    ReadProcessMemory(process_.get(), memory_ + offset, data, size, nullptr);
  }

 private:
  size_t size_;
  KernelHandle process_;
  char* memory_ = nullptr;
};

constexpr size_t kTextChars = 260;
constexpr size_t kTextOffset = 256;  // after the TVITEMW or RECT

struct ItemView {
  std::wstring text;
  UINT state = 0;
  RECT rect{};  // in the tree's client area; empty when scrolled out of sight
};

ItemView readItem(HWND tree, const RemoteBuffer& remote, HTREEITEM item) {
  TVITEMW query{};
  query.mask = TVIF_TEXT | TVIF_STATE;
  query.hItem = item;
  query.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
  query.pszText = reinterpret_cast<LPWSTR>(remote.at(kTextOffset));
  query.cchTextMax = kTextChars;
  remote.write(0, &query, sizeof query);
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.at(0)));
  ItemView view;
  remote.read(0, &query, sizeof query);
  view.state = query.state;
  std::wstring text(kTextChars, L'\0');
  remote.read(kTextOffset, text.data(), kTextChars * sizeof(wchar_t));
  view.text = text.c_str();
  // TVM_GETITEMRECT takes the item in the rectangle it fills.
  remote.write(0, &item, sizeof item);
  if (SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote.at(0))))
    remote.read(0, &view.rect, sizeof view.rect);
  return view;
}

void printItems(HWND tree, const RemoteBuffer& remote, HTREEITEM first, int depth) {
  for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
    const ItemView view = readItem(tree, remote, item);
    const bool expanded = view.state & TVIS_EXPANDED;
    std::string flags = (view.state & TVIS_SELECTED) ? "selected" : "-";
    if (expanded) flags += ",expanded";
    const RECT& r = view.rect;
    printLine(std::to_string(depth) + "\t" + flags + "\t" + std::to_string(r.left) + " " +
              std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
              std::to_string(r.bottom - r.top) + "\t" + toUtf8(view.text));
    if (expanded) printItems(tree, remote, TreeView_GetChild(tree, item), depth + 1);
  }
}

}  // namespace

int treeItems(const Args& args) {
  requireArgs(args, 1, "tree-items <hwnd>");
  HWND tree = parseWindow(args[0]);
  const RemoteBuffer remote(tree, kTextOffset + kTextChars * sizeof(wchar_t));
  printItems(tree, remote, TreeView_GetRoot(tree), 0);
  return 0;
}

int focusedWindow(const Args&) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(0, &info)) throw Failure("GetGUIThreadInfo failed");
  printLine(hexHandle(info.hwndFocus));
  return 0;
}

}  // namespace vireloc::driver
