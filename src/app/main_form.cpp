#include "app/main_form.h"

#include <utility>

#include "app/app_paths.h"
#include "app/version_info.h"
#include "clipboard/history_window.h"
#include "common/app_error.h"
#include "dialogs/about_box.h"
#include "dialogs/drop_window.h"
#include "dialogs/folder_picker.h"
#include "dialogs/help_launcher.h"
#include "dialogs/settings_dialog.h"

namespace vireloc {

TForm1::TForm1(Platform& platform, Application& application)
    : platform_(platform),
      application_(application),
      store_(platform.profileFiles, platform.files),
      context_{platform, application, settings, appDir, [this] { iniWrite(); },
               [this] { return handle(); }},
      ownClipboardWrites_(platform.clipboard) {
  TrayIcon1 = std::make_unique<TTrayIcon>(platform_, application_);
  trayMenu = std::make_unique<TrayMenu>(context_, appsMinimized, helpCommand);
  captureWriter = std::make_unique<CaptureWriter>(
      context_, [this](const std::function<void()>& write) { ownClipboardWrites_.write(write); });
  screenCapture = std::make_unique<ScreenCapture>(context_, *captureWriter, captureBusy);
  clipboardWatcher = std::make_unique<ClipboardWatcher>(
      context_, ClipboardWatcher::Shared{clipHistory, selfCopy, captureBusy, ownClipboardWrites_},
      *captureWriter, *screenCapture);
  updateCheck = std::make_unique<UpdateCheck>(context_, iniPath, versionText);
  connectFeatures();
  TrayIcon1->loaded();
  application_.runGuarded([this] { FormCreate(); });
}

TForm1::~TForm1() { release(); }

void TForm1::connectFeatures() {
  TrayIcon1->OnMouseDown = [this](MouseButton button, ShiftState shift, int x, int y) {
    trayMenu->TrayIcon1MouseDown(button, shift, x, y);
  };
  trayMenu->isHistoryWindowOpen = [this] { return historyWindow != nullptr; };
  trayMenu->onShowHistory = [this] { openHistoryWindow(); };
  trayMenu->onShowSettings = [this] { openSettingsDialog(); };
  trayMenu->onShowDropWindow = [this] { openDropWindow(); };
  trayMenu->onShowAbout = [this] { openAboutBox(); };
  trayMenu->onShowHelp = [this] { startHelpViewer(platform_, application_, helpCommand); };
  trayMenu->onExit = [this] { close(); };
  trayMenu->onVersionCheck = [this] { updateCheck->checkForUpdate(); };

  clipboardWatcher->showBalloon = [this](const std::string& title, const std::string& text) {
    if (TrayIcon1) TrayIcon1->showBalloon(title, text);
  };
  ClipboardWatcher::HistoryView& view = clipboardWatcher->historyView;
  view.isOpen = [this] { return historyWindow != nullptr; };
  view.open = [this] { openHistoryWindow(); };
  view.autoPopupTicked = [this] { return trayMenu->mnuClipTempEnable->Checked; };
  view.refresh = [this] {
    historyWindow->refreshHistoryGrid();
    if (!historyWindow->gridRow(0).empty())
      historyWindow->setMenuItemEnabled(*historyWindow->mnuClipErase, true);
  };
}

WindowHandle TForm1::handle() {
  if (!window_) {
    window_ = inUserWords(kWindowFailure, [&] {
      return platform_.windowing.createHiddenWindow("TForm1", "Vireloc", *this);
    });
  }
  return window_;
}

void TForm1::FormCreate() {
  clipboardWatcher->joinClipboardChain();
  // The session may have ended while the box about a failed join was open: the program is
  // released already, its tray icon gone.
  if (released_) return;
  TrayIcon1->setHint("Vireloc");
  platform_.windowing.hideWindow(application_.handle());
  appsMinimized = false;
  const std::string modulePath = platform_.files.modulePath();
  appDir = appDirOf(modulePath);
  iniPath = iniPathOf(modulePath);
  iniRead();
  correctMissingSaveFolder(settings, platform_.files, platform_.background, appDir,
                           [this] { application_.runGuarded([this] { iniWrite(); }); });
  normaliseStartupSettings(settings, [this] { iniWrite(); });
  if (settings.autoSaveOn()) registerCaptureHotkeys();
  captureBusy = false;
  versionText = programVersion.text;
}

void TForm1::FormClose() { clipboardWatcher->leaveClipboardChain(); }

void TForm1::FormDestroy() {
  unregisterCaptureHotkeys();
  // Captures still being written are the user's; one may move the save folder.
  platform_.background.finishAll();
  iniWrite();
}

void TForm1::close() {
  updateCheck->abandon();
  application_.runGuarded([this] { FormClose(); });
  application_.terminate();
}

void TForm1::release() {
  if (released_) return;
  released_ = true;
  application_.runGuarded([this] { FormDestroy(); });
  TrayIcon1.reset();
  // Windows still open at the end go without their close steps.
  openForms.closeAll();
  if (window_) platform_.windowing.destroyWindow(window_);
  window_ = 0;
}

void TForm1::endSession() {
  // The system ends the process soon after this message: save and clean up now, as Exit does,
  // and only then ask the loop to end, so that a box about a refused write is not closed at
  // once by the quit message.
  updateCheck->abandon();
  application_.runGuarded([this] { FormClose(); });
  release();
  application_.terminate();
}

void TForm1::iniRead() { store_.read(settings, appDir, iniPath); }
void TForm1::iniWrite() { store_.write(settings, appDir, iniPath); }

// A window whose handler outlives the end of the session (a settings dialog reporting an error
// while it opens) must not bring the hotkeys back on a window nothing will ever close.
void TForm1::registerCaptureHotkeys() {
  if (!released_) screenCapture->registerCaptureHotkeys();
}
void TForm1::unregisterCaptureHotkeys() { screenCapture->unregisterCaptureHotkeys(); }

void TForm1::openHistoryWindow() {
  if (historyWindow) return;
  historyWindow = &openForms.add<TWClipboard>(
      TWClipboard::Shared{clipHistory, selfCopy, settings, [this] { iniWrite(); }},
      [this] { historyWindow = nullptr; });
  openForms.open(*historyWindow);
}

void TForm1::openSettingsDialog() {
  if (settingsDialog) return;
  settingsDialog = &openForms.add<TForm2>(
      TForm2::Shared{settings, appDir, [this] { iniWrite(); }, [this] { registerCaptureHotkeys(); },
                     [this] { unregisterCaptureHotkeys(); }},
      [this] { settingsDialog = nullptr; });
  settingsDialog->onPickFolder = [this] { openFolderPicker(); };
  openForms.open(*settingsDialog);
}

void TForm1::openFolderPicker() {
  // Its folder reaches the dialog's box only while that dialog is still open.
  auto chosen = [this](const std::string& folder) {
    if (settingsDialog) settingsDialog->setFolderText(folder);
  };
  openForms.open(openForms.add<TForm4>(settings.ClipAddr, chosen));
}

// Several may be open: closing an older one leaves the reference to the newest.
void TForm1::openDropWindow() {
  dropWindow = &openForms.add<TForm3>(TForm3::Shared{settings, [this] { iniWrite(); }},
                                      [this](TForm3* closed) {
                                        if (dropWindow == closed) dropWindow = nullptr;
                                      });
  openForms.open(*dropWindow);
}

void TForm1::openAboutBox() {
  aboutBox = &openForms.add<TAboutForm>(versionText, [this](TAboutForm* closed) {
    if (aboutBox == closed) aboutBox = nullptr;
  });
  openForms.open(*aboutBox);
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
    case wm::DrawClipboard:
      clipboardWatcher->onClipboardChange();  // drops its own errors
      return 0;
    case wm::ClipboardUpdate:
      clipboardWatcher->onClipboardUpdate();
      return 0;
    case wm::ChangeCbChain:
      application_.runGuarded([&] {
        clipboardWatcher->onClipboardChainChange(static_cast<WindowHandle>(wParam),
                                                 static_cast<WindowHandle>(lParam));
      });
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
