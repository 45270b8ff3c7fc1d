#include "app/main_form.h"

#include <utility>

#include "app/app_paths.h"
#include "app/version_info.h"
#include "clipboard/history_window.h"

namespace vireloc {

TForm1::TForm1(Platform& platform, Application& application)
    : platform_(platform), application_(application), store_(platform.profileFiles, platform.files) {
  TrayIcon1 = std::make_unique<TTrayIcon>(platform_, application_);
  trayMenu = std::make_unique<TrayMenu>(platform_, application_, *this);
  captureWriter = std::make_unique<CaptureWriter>(platform_, application_, *this);
  screenCapture = std::make_unique<ScreenCapture>(platform_, *this, *captureWriter);
  TrayIcon1->OnMouseDown = [this](MouseButton button, ShiftState shift, int x, int y) {
    trayMenu->TrayIcon1MouseDown(button, shift, x, y);
  };
  TrayIcon1->loaded();
  application_.runGuarded([this] { FormCreate(); });
}

TForm1::~TForm1() { release(); }

WindowHandle TForm1::handle() {
  if (!window_) window_ = platform_.windowing.createHiddenWindow("TForm1", "Vireloc", *this);
  return window_;
}

void TForm1::FormCreate() {
  joinClipboardChain();
  TrayIcon1->setHint("Vireloc");
  platform_.windowing.hideWindow(application_.handle());
  appsMinimized = false;
  const std::string modulePath = platform_.files.modulePath();
  appDir = appDirOf(modulePath);
  iniPath = iniPathOf(modulePath);
  iniRead();
  normaliseStartupSettings(settings, platform_.files, appDir, [this] { iniWrite(); });
  if (settings.ClipEnable == "0") registerCaptureHotkeys();
  captureBusy = false;
  versionText = programVersion.text;
}

void TForm1::FormClose() { leaveClipboardChain(); }

void TForm1::FormDestroy() {
  unregisterCaptureHotkeys();
  iniWrite();
}

void TForm1::close() {
  application_.runGuarded([this] { FormClose(); });
  application_.terminate();
}

void TForm1::release() {
  if (released_) return;
  released_ = true;
  application_.runGuarded([this] { FormDestroy(); });
  TrayIcon1.reset();
  delete std::exchange(historyWindow, nullptr);
  if (window_) platform_.windowing.destroyWindow(window_);
  window_ = 0;
}

void TForm1::endSession() {
  // The system ends the process soon after this message: save and clean up now, as Exit does.
  close();
  release();
}

void TForm1::iniRead() { store_.read(settings, appDir, iniPath); }
void TForm1::iniWrite() { store_.write(settings, appDir, iniPath); }

void TForm1::joinClipboardChain() { handle(); }
void TForm1::leaveClipboardChain() {}
void TForm1::registerCaptureHotkeys() { screenCapture->registerCaptureHotkeys(); }
void TForm1::unregisterCaptureHotkeys() { screenCapture->unregisterCaptureHotkeys(); }

void TForm1::openHistoryWindow() {
  if (historyWindow) return;
  // The window frees itself when closed and clears this reference then.
  historyWindow = new TWClipboard(platform_, application_,
                                  {clipHistory, selfCopy, settings, [this] { iniWrite(); }},
                                  [this] { historyWindow = nullptr; });
  historyWindow->open();
}

LResult TForm1::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                              LParam lParam) {
  switch (message) {
    case wm::Close:
      close();
      return 0;
    case wm::Command:
      application_.runGuarded([&] { trayMenu->runCommand(static_cast<std::uint32_t>(wParam & 0xFFFF)); });
      return 0;
    case wm::Hotkey:
      application_.runGuarded([&] { screenCapture->onCaptureHotkey(static_cast<int>(wParam)); });
      return 0;
    case wm::QueryEndSession:
      return 1;
    case wm::EndSession:
      if (wParam != 0) endSession();
      return 0;
    default:
      return platform_.windowing.defaultWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace vireloc
