// Where the shell's notification area shows each icon, so a test can click it as a user does.
// Wine's taskbar draws the icons itself, with no window per icon; each icon's tooltip (a
// tooltip window owned by the taskbar) holds the icon's rectangle and its tip text. Those
// are read in the taskbar's own process, whose memory the tooltip messages point into.
#include "commands.h"
#include "driver_util.h"

#include <commctrl.h>  // after windows.h, which it needs

namespace vireloc::driver {

namespace {

constexpr size_t kTipChars = 256;

// The tool information and a buffer for its text, laid out as the remote block holds them.
struct ToolBlock {
  TTTOOLINFOW info;
  wchar_t text[kTipChars];
};

// A block of memory in another process, freed on every path.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, size_t size)
      : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {
    if (!address_) throw Failure("VirtualAllocEx failed, error " + std::to_string(GetLastError()));
  }
  ~RemoteBlock() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  void* address() const { return address_; }
  void write(const void* data, size_t size) const {
    if (!WriteProcessMemory(process_, address_, data, size, nullptr))
      throw Failure("WriteProcessMemory failed, error " + std::to_string(GetLastError()));
  }
  void read(void* data, size_t size) const {
    if (!ReadProcessMemory(process_, address_, data, size, nullptr))
      throw Failure("ReadProcessMemory failed, error " + std::to_string(GetLastError()));
  }

 private:
  HANDLE process_;
  void* address_;
};

// The first tool of the tooltip window, text included.
ToolBlock readTool(HWND tooltip, HANDLE process) {
  const RemoteBlock remote(process, sizeof(ToolBlock));
  ToolBlock block{};
  block.info.cbSize = sizeof(block.info);
  block.info.lpszText = static_cast<ToolBlock*>(remote.address())->text;
  remote.write(&block, sizeof block);
  if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote.address())))
    throw Failure("the tooltip " + hexHandle(tooltip) + " has no tool");
  remote.read(&block, sizeof block);
  block.text[kTipChars - 1] = L'\0';
  return block;
}

}  // namespace

int trayIcons(const Args& args) {
  requireArgs(args, 0, "tray-icons");
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!taskbar) throw Failure("no window of class Shell_TrayWnd (no taskbar on this desktop?)");
  DWORD processId = 0;
  GetWindowThreadProcessId(taskbar, &processId);
  const KernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  if (!process) throw Failure("OpenProcess failed, error " + std::to_string(GetLastError()));
  for (HWND window : topLevelWindows()) {
    if (GetWindow(window, GW_OWNER) != taskbar || windowClass(window) != TOOLTIPS_CLASSW) continue;
    const ToolBlock tool = readTool(window, process.get());
    RECT rect = tool.info.rect;
    if (IsRectEmpty(&rect)) continue;  // an icon the shell keeps hidden
    MapWindowPoints(tool.info.hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    // As window-rect prints a rectangle, then the tip last: it may hold spaces.
    printLine(std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
              std::to_string(rect.right - rect.left) + " " + std::to_string(rect.bottom - rect.top) +
              "\t" + toUtf8(tool.text));
  }
  return 0;
}

}  // namespace vireloc::driver
