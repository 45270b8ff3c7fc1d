#pragma once
#include <cstdint>

#include <functional>
#include <string>

#include "forms/program_context.h"
#include "forms/popup_menu.h"
#include "tray/tray_icon.h"

namespace vireloc {

// The tray menu of mainWindow and its commands: the quick actions on a left press, the menu on
// a right press.
class TrayMenu {
 public:
  TrayMenu(ProgramContext& context, bool& appsMinimized, std::string& helpCommand);

  // mainWindow's handler of the tray icon's OnMouseDown.
  void TrayIcon1MouseDown(MouseButton button, ShiftState shift, int x, int y);
  // The item DefaultClick names; an unrecognised value is reset to "Dovrant" and saved first.
  TMenuItem& defaultClickItem();
  // A menu command that arrived as WM_COMMAND.
  void runCommand(std::uint32_t command);

  void mnuApp1Click();
  void mnuApp2Click();
  void mnuWindowClick();
  void mnuDragClick();
  void mnuClipClick();
  void mnuClipTempEnableClick();
  void mnuClipShowClick();
  void mnuSettingsClick();
  void mnuShowHelpClick();
  void mnuVersionCheckClick();
  void mnuAboutClick();
  void mnuExitClick();

  TPopupMenu PopupMenu1;
  TMenuItem* mnuApp1;
  TMenuItem* mnuApp2;
  TMenuItem* mnuWindow;
  TMenuItem* mnuDrag;
  TMenuItem* mnuClip;
  TMenuItem* mnuClipTempEnable;
  TMenuItem* mnuClipShow;
  TMenuItem* mnuSettings;
  TMenuItem* mnuHelp;
  TMenuItem* mnuShowHelp;
  TMenuItem* mnuVersionCheck;
  TMenuItem* mnuAbout;
  TMenuItem* mnuExit;

  // Commands other features serve; the main form connects them.
  std::function<bool()> isHistoryWindowOpen = [] { return false; };
  std::function<void()> onShowHistory = [] {};
  std::function<void()> onShowSettings = [] {};
  std::function<void()> onShowDropWindow = [] {};
  std::function<void()> onShowAbout = [] {};
  std::function<void()> onShowHelp = [] {};  // starts helpCommand
  std::function<void()> onVersionCheck = [] {};
  std::function<void()> onExit = [] {};

 private:
  void buildMenu();
  void showMenu();
  void pressKeys(std::initializer_list<std::uint8_t> keys);

  ProgramContext& context_;
  Platform& platform_;
  bool& appsMinimized_;
  std::string& helpCommand_;
};

}  // namespace vireloc
