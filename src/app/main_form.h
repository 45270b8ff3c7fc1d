#pragma once
#include <memory>
#include <string>

#include "forms/application.h"
#include "forms/open_forms.h"
#include "forms/program_context.h"
#include "settings/settings.h"
#include "app/settings_store.h"
#include "capture/capture_writer.h"
#include "capture/screen_capture.h"
#include "clipboard/clip_history.h"
#include "clipboard/clipboard_watcher.h"
#include "clipboard/own_clipboard_writes.h"
#include "platform/platform.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"
#include "update/update_check.h"

namespace vireloc {

class TWClipboard;
class TForm2;
class TForm3;
class TAboutForm;

// mainWindow: the hidden main form. Owns the settings, the tray icon and the program-wide
// flags; receives hotkey, clipboard and end-of-session messages, and wires the features
// together: each gets what it needs from here and none reaches back.
class TForm1 : public MessageHandler {
 public:
  // Creates the components (the tray icon appears now), then runs FormCreate; an error in it
  // goes to the default error report and the rest of FormCreate is skipped.
  TForm1(Platform& platform, Application& application);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  void FormCreate();
  void FormClose();
  void FormDestroy();
  // Close(): FormClose, then the message loop ends.
  void close();
  // FormDestroy and removal of the components, exactly once (exit or end of session).
  void release();

  // The form's window, created on first use.
  WindowHandle handle();

  void iniRead();
  void iniWrite();

  void registerCaptureHotkeys();
  void unregisterCaptureHotkeys();
  // Opens the clipboard history window unless it is open already.
  void openHistoryWindow();
  // Opens the settings dialog unless it is open already.
  void openSettingsDialog();
  // A new folder picker for ClipAddr, beside any already open.
  void openFolderPicker();
  // A new drop-path window, beside any already open; it becomes dropWindow.
  void openDropWindow();
  // A new About box, beside any already open; it becomes aboutBox.
  void openAboutBox();

  LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                        LParam lParam) override;

  Settings settings;
  std::string appDir;
  std::string iniPath;
  std::string versionText;
  bool appsMinimized = false;
  std::string helpCommand;
  bool captureBusy = false;
  bool selfCopy = false;
  ClipHistory clipHistory;
  // The open windows' owner keeps these true: each names its window while that is open.
  TWClipboard* historyWindow = nullptr;
  TForm2* settingsDialog = nullptr;
  TForm3* dropWindow = nullptr;
  TAboutForm* aboutBox = nullptr;

 private:
  void endSession();
  void connectFeatures();

  Platform& platform_;
  Application& application_;
  SettingsStore store_;
  ProgramContext context_;
  OwnClipboardWrites ownClipboardWrites_;
  WindowHandle window_ = 0;
  bool released_ = false;

 public:
  // Declared last: they hold references to everything above.
  std::unique_ptr<TTrayIcon> TrayIcon1;
  std::unique_ptr<TrayMenu> trayMenu;
  std::unique_ptr<CaptureWriter> captureWriter;
  std::unique_ptr<ScreenCapture> screenCapture;
  std::unique_ptr<ClipboardWatcher> clipboardWatcher;
  std::unique_ptr<UpdateCheck> updateCheck;
  // Last, so that the windows go first: they hold references to all of the above.
  OpenForms openForms{platform_, application_};
};

}  // namespace vireloc
