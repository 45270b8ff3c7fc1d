#include "tray/tray_menu.h"

#include <vector>

#include "platform/opened_clipboard.h"

namespace vireloc {

TrayMenu::TrayMenu(ProgramContext& context, bool& appsMinimized, std::string& helpCommand)
    : context_(context),
      platform_(context.platform),
      appsMinimized_(appsMinimized),
      helpCommand_(helpCommand) {
  buildMenu();
}

void TrayMenu::buildMenu() {
  auto& m = PopupMenu1;
  mnuApp1 = &m.add(nullptr, "mnuApp1", "App最小化(&N)", [this] { mnuApp1Click(); });
  mnuApp2 = &m.add(nullptr, "mnuApp2", "App元サイズ化(&R)", [this] { mnuApp2Click(); });
  mnuWindow = &m.add(nullptr, "mnuWindow", "全窓最小化/復元(&D)", [this] { mnuWindowClick(); });
  mnuDrag = &m.add(nullptr, "mnuDrag", "D＆Dアドレス返し機能(&A)", [this] { mnuDragClick(); });
  m.separator("N4");
  mnuClip = &m.add(nullptr, "mnuClip", "クリップボード消去(&U)", [this] { mnuClipClick(); });
  mnuClipTempEnable = &m.add(nullptr, "mnuClipTempEnable",
                             "クリップボード拡張自動ポップアップ一時有効(&C)",
                             [this] { mnuClipTempEnableClick(); });
  mnuClipShow = &m.add(nullptr, "mnuClipShow", "クリップボード拡張表示(&S)",
                       [this] { mnuClipShowClick(); });
  m.separator("N1");
  mnuSettings = &m.add(nullptr, "mnuSettings", "設定(&O)", [this] { mnuSettingsClick(); });
  m.separator("N2");
  mnuHelp = &m.add(nullptr, "mnuHelp", "ヘルプ(&H)");
  mnuShowHelp = &m.add(mnuHelp, "mnuShowHelp", "ヘルプ(&H)", [this] { mnuShowHelpClick(); });
  mnuVersionCheck = &m.add(mnuHelp, "mnuVersionCheck", "最新版確認(&V)",
                           [this] { mnuVersionCheckClick(); });
  mnuAbout = &m.add(mnuHelp, "mnuAbout", "About(&A)", [this] { mnuAboutClick(); });
  m.separator("N3");
  mnuExit = &m.add(nullptr, "mnuExit", "終了(&X)", [this] { mnuExitClick(); });
}

TMenuItem& TrayMenu::defaultClickItem() {
  Settings& settings = context_.settings;
  if (!settings.leftClickAction()) {
    settings.setLeftClickAction(LeftClickAction::MinimizeApps);
    context_.iniWrite();
  }
  switch (*settings.leftClickAction()) {
    case LeftClickAction::MinimizeApps:
      return *mnuApp1;
    case LeftClickAction::MinimizeOrRestoreApps:
      return appsMinimized_ ? *mnuApp2 : *mnuApp1;
    case LeftClickAction::MinimizeOrRestoreWindows:
      return *mnuWindow;
  }
  return *mnuApp1;
}

void TrayMenu::TrayIcon1MouseDown(MouseButton button, ShiftState, int, int) {
  if (button == MouseButton::Left) {
    TMenuItem& item = defaultClickItem();
    if (item.OnClick) item.OnClick();
    return;
  }
  mnuClip->Enabled = platform_.clipboard.countClipboardFormats() != 0;
  defaultClickItem().setDefault();
  const std::string helpFile = context_.appDir + "vrl.chm";
  mnuShowHelp->Enabled = isPlainFile(platform_.files, helpFile);
  if (mnuShowHelp->Enabled) helpCommand_ = "hh.exe " + helpFile;
  mnuClipShow->Enabled = !isHistoryWindowOpen();
  showMenu();
}

void TrayMenu::showMenu() {
  const Point at = platform_.keyboardMouse.cursorPos().value_or(Point{});
  const WindowHandle window = context_.formHandle();
  platform_.windowing.setForegroundWindow(window);
  const std::uint32_t chosen = platform_.menus.trackPopupMenu(PopupMenu1.entries(), at, window);
  // The command runs from the queue, after the menu has fully closed, as a menu's WM_COMMAND does.
  if (chosen != 0) platform_.windowing.postMessage(window, wm::Command, chosen, 0);
  platform_.windowing.postMessage(window, wm::Null, 0, 0);
}

void TrayMenu::runCommand(std::uint32_t command) {
  TMenuItem* item = PopupMenu1.findByCommand(command);
  if (item && item->Enabled && item->OnClick) item->OnClick();
}

void TrayMenu::pressKeys(std::initializer_list<std::uint8_t> keys) {
  const std::vector<std::uint8_t> order(keys);
  for (std::uint8_t key : order) platform_.keyboardMouse.keybdEvent(key, 0, 0, 0);
  for (auto key = order.rbegin(); key != order.rend(); ++key)
    platform_.keyboardMouse.keybdEvent(*key, 0, keyeventf::KeyUp, 0);
}

void TrayMenu::mnuApp1Click() {
  pressKeys({vk::LWin, vk::KeyM});
  appsMinimized_ = true;
}

void TrayMenu::mnuApp2Click() {
  pressKeys({vk::LWin, vk::Shift, vk::KeyM});
  appsMinimized_ = false;
}

void TrayMenu::mnuWindowClick() { pressKeys({vk::LWin, vk::KeyD}); }

void TrayMenu::mnuClipClick() {
  OpenedClipboard clipboard(platform_.clipboard, context_.application.handle());
  platform_.clipboard.emptyClipboard();
}

void TrayMenu::mnuClipTempEnableClick() { mnuClipTempEnable->Checked = !mnuClipTempEnable->Checked; }

void TrayMenu::mnuExitClick() { onExit(); }

// The windows these open arrive with their own features.
void TrayMenu::mnuDragClick() { onShowDropWindow(); }
void TrayMenu::mnuClipShowClick() { onShowHistory(); }
void TrayMenu::mnuSettingsClick() { onShowSettings(); }
void TrayMenu::mnuShowHelpClick() { onShowHelp(); }
void TrayMenu::mnuVersionCheckClick() { onVersionCheck(); }
void TrayMenu::mnuAboutClick() { onShowAbout(); }

}  // namespace vireloc
