// The program's entry on Windows: builds the real desktop services and hands them to the core.
#include <windows.h>

#include <exception>

#include "app/program.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_background_work.h"
#include "platform/win32/win32_clipboard_text_reader.h"
#include "platform/win32/win32_forms.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_shell_namespace.h"
#include "platform/win32/win32_transfer_waiter.h"

namespace {

// The manifest declares DPI awareness; a build without one must not be scaled blurry.
bool hasManifest() {
  return FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST) != nullptr;
}

// Last resort for a failure the core did not report itself: say what happened rather than
// vanish. The caption is the one of the program's own error reports.
int reportFatal(const char* what) {
  MessageBoxW(nullptr, vireloc::toWide(what).c_str(), L"Dovrant", MB_OK | MB_ICONERROR);
  return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (!hasManifest()) SetProcessDPIAware();

  vireloc::Win32Windowing windowing;
  vireloc::Win32MessageBoxes messageBoxes;
  vireloc::Win32PopupMenus menus;
  vireloc::Win32NotificationArea notificationArea;
  vireloc::Win32Icons icons;
  vireloc::Win32KeyboardMouse keyboardMouse;
  vireloc::Win32Clipboard clipboard;
  vireloc::Win32Screen screen;
  vireloc::Win32ProfileFiles profileFiles;
  vireloc::Win32Files files;
  vireloc::Win32Shell shell;
  vireloc::Win32Forms forms;
  windowing.setForms(forms);
  vireloc::Win32ShellNamespace shellNamespace(windowing);
  vireloc::Win32TransferWaiter transferWaiter(windowing);
  vireloc::CurlHttpClient http(transferWaiter);
  vireloc::Win32FileDigests digests;
  vireloc::Win32BackgroundWork background(windowing);
  vireloc::Win32ClipboardTextReader clipboardTextReader(windowing);
  vireloc::Platform platform{.windowing = windowing,
                             .messageBoxes = messageBoxes,
                             .menus = menus,
                             .notificationArea = notificationArea,
                             .icons = icons,
                             .keyboardMouse = keyboardMouse,
                             .clipboard = clipboard,
                             .screen = screen,
                             .profileFiles = profileFiles,
                             .files = files,
                             .shell = shell,
                             .forms = forms,
                             .shellNamespace = shellNamespace,
                             .http = http,
                             .digests = digests,
                             .background = background,
                             .clipboardTextReader = clipboardTextReader};
  try {
    return vireloc::runProgram(platform);
  } catch (const std::exception& error) {
    return reportFatal(error.what());
  }
}
