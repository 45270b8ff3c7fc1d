// A file drop as the shell makes one for a window that accepts files: a DROPFILES block in
// the receiving program's memory and WM_DROPFILES posted with it.
#include <shlobj.h>

#include <algorithm>

#include <vector>

#include "commands.h"
#include "driver_util.h"
#include "platform/win32/win32_handles.h"

namespace vireloc::driver {

std::vector<char> dropFilesBlock(const std::vector<std::wstring>& paths, POINT at) {
  std::wstring list;
  for (const std::wstring& path : paths) list += path + L'\0';
  list += L'\0';
  std::vector<char> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* header = reinterpret_cast<DROPFILES*>(block.data());
  header->pFiles = sizeof(DROPFILES);
  header->pt = at;
  header->fNC = FALSE;
  header->fWide = TRUE;
  std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(block.data() + sizeof(DROPFILES)));
  return block;
}

// "--count N first": first, then N - 1 made-up paths after it.
std::vector<std::wstring> dropPaths(const Args& args) {
  if (args.size() == 4 && args[1] == L"--count") {
    const auto count = static_cast<std::size_t>(parseNumber(args[2], "count"));
    std::vector<std::wstring> paths{args[3]};
    for (std::size_t i = 1; i < count; ++i) paths.push_back(L"C:\\dropped\\file" + std::to_wstring(i) + L".txt");
    return paths;
  }
  return {args.begin() + 1, args.end()};
}

int dropFiles(const Args& args) {
  if (args.size() < 2) throw Failure("usage: drop-files <hwnd> [--count N] <path>...");
  HWND target = parseWindow(args[0]);
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(target, &processId)) throw Failure("no such window");
  const KernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId));
  if (!process) throw Failure("OpenProcess failed: " + std::to_string(GetLastError()));
  const std::vector<char> block = dropFilesBlock(dropPaths(args), POINT{10, 10});
  // The receiver releases the block with DragFinish; until then it is its memory.
  void* remote = VirtualAllocEx(process.get(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remote || !WriteProcessMemory(process.get(), remote, block.data(), block.size(), nullptr))
    throw Failure("could not write the drop into the program: " + std::to_string(GetLastError()));
  if (!PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0))
    throw Failure("PostMessage failed: " + std::to_string(GetLastError()));
  return 0;
}

}  // namespace vireloc::driver
