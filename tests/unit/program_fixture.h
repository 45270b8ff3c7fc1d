// The program on the simulated desktop, shared by the unit tests that run it: the desktop
// alone (for tests that start the whole program through runProgram) and, on top of it, the
// "Dovrant" application with a main form started on demand.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/sim/sim_desktop.h"

namespace vireloc::test {

using Lines = std::vector<std::string>;

inline const std::string kAppDir = "C:\\Program Files\\Vireloc\\";
inline const std::string kIniPath = "C:\\Program Files\\Vireloc\\vireloc.ini";

// Lines of a profile text, without line ends.
Lines linesOf(const std::string& text);

// What a first start writes at exit, in its order.
inline const Lines kDefaultSettingsLines = {
    "[Settings]",        "DefaultClick=Dovrant", "D&D=0",
    "ClipAddr=" + kAppDir, "ClipCpCursor=0",     "SaveFormat=0",
    "SaveClip=0",        "ClipEnable=0",         "ImageClipSave=1",
    "ImageAppDraw=0",    "[SettingWindow]",      "Top=105",
    "Left=192",          "[DragWindow]",         "Top=115",
    "Left=215",          "[Language]",           "Lang=jp.lang",
    "[VRLClipboard]",    "AutoPopup=0",          "Top=0",
    "Left=0",            "Height=0",             "Width=0",
};

// The simulated desktop with nothing of the program on it yet.
class DesktopTest : public ::testing::Test {
 protected:
  // The newest message box; throws (failing the test) when none was shown.
  const sim::MessageBoxRecord& lastMessageBox() const;
  // The texts of every message box shown, oldest first.
  Lines messageBoxTexts() const;
  // The settings file's lines, from either of its forms; none while it does not exist.
  Lines settingsLines() const;
  // The shell reports a mouse action on the tray icon, as to the icon's own window.
  void sendTrayIconEvent(LParam action);

  sim::SimDesktop sim;
  Platform platform = sim.platform();
};

// The program running: the application titled "Dovrant" with its window made, and the main
// form, made at start() or at the first use of mainWindow(), so that a test can first put
// files and settings in place.
class ProgramTest : public DesktopTest {
 protected:
  ProgramTest();

  // Starts the main form; starting again after stop() is a new start on the same desktop.
  TForm1& start();
  // The running main form, started now if it is not yet.
  TForm1& mainWindow();
  // Destroys the main form as the end of the program does.
  void stop() { mainWindow_.reset(); }

  // Another program puts a text, or any content, on the clipboard while ours runs.
  void copyInAnotherProgram(const std::string& text);
  void copyInAnotherProgram(sim::SimClipboardContent content);
  // A right press on the tray icon with `caption` chosen in its menu ("" dismisses it); the
  // chosen command has run when this returns.
  void chooseFromTrayMenu(const std::string& caption);

  Application application{platform};

 private:
  std::unique_ptr<TForm1> mainWindow_;
};

}  // namespace vireloc::test
