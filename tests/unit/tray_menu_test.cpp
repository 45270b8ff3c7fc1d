#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include "app/program.h"
#include "program_fixture.h"

namespace vireloc {
namespace {

using test::kAppDir;
using test::kIniPath;
using KeyEvent = sim::KeyEvent;

constexpr std::uint32_t Up = keyeventf::KeyUp;
const std::vector<KeyEvent> kWinM = {{0x5B, 0, 0, 0}, {0x4D, 0, 0, 0}, {0x4D, 0, Up, 0}, {0x5B, 0, Up, 0}};
const std::vector<KeyEvent> kWinShiftM = {{0x5B, 0, 0, 0}, {0x10, 0, 0, 0}, {0x4D, 0, 0, 0},
                                          {0x4D, 0, Up, 0}, {0x10, 0, Up, 0}, {0x5B, 0, Up, 0}};
const std::vector<KeyEvent> kWinD = {{0x5B, 0, 0, 0}, {0x44, 0, 0, 0}, {0x44, 0, Up, 0}, {0x5B, 0, Up, 0}};

class TrayMenuTest : public test::ProgramTest {
 protected:
  void shell(LParam action) {
    mainWindow();
    sendTrayIconEvent(action);
  }
  void leftPress() {
    shell(wm::LButtonDown);
    shell(wm::LButtonUp);
  }
  // Opens the menu, choosing `caption` ("" for none), and lets the queued command run.
  const std::vector<MenuEntry>& rightPress(const std::string& caption = "") {
    chooseFromTrayMenu(caption);
    return sim.shownMenus.back().items;
  }
  std::vector<KeyEvent> takeKeys() { return std::exchange(sim.keyEvents, {}); }
  static const MenuEntry& entry(const std::vector<MenuEntry>& items, const std::string& caption) {
    for (const auto& item : items) {
      if (item.caption == caption) return item;
      for (const auto& sub : item.submenu)
        if (sub.caption == caption) return sub;
    }
    throw std::runtime_error("no item " + caption);
  }
  static std::vector<std::string> boldItems(const std::vector<MenuEntry>& items) {
    std::vector<std::string> bold;
    for (const auto& item : items)
      if (item.isDefault) bold.push_back(item.caption);
    return bold;
  }
};

TEST_F(TrayMenuTest, MenuHoldsEveryItemInOrder) {
  const auto& items = rightPress();
  std::vector<std::string> captions;
  for (const auto& item : items) captions.push_back(item.separator ? "-" : item.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{
                          "App最小化(&N)", "App元サイズ化(&R)", "全窓最小化/復元(&D)",
                          "D＆Dアドレス返し機能(&A)", "-", "クリップボード消去(&U)",
                          "クリップボード拡張自動ポップアップ一時有効(&C)",
                          "クリップボード拡張表示(&S)", "-", "設定(&O)", "-", "ヘルプ(&H)", "-",
                          "終了(&X)"}));
  const auto& help = items[11].submenu;
  ASSERT_EQ(help.size(), 3u);
  EXPECT_EQ(help[0].caption, "ヘルプ(&H)");
  EXPECT_EQ(help[1].caption, "最新版確認(&V)");
  EXPECT_EQ(help[2].caption, "About(&A)");
  EXPECT_TRUE(help[1].enabled);
  EXPECT_TRUE(help[2].enabled);
}

TEST_F(TrayMenuTest, LeftPressRunsTheDefaultActionOnThePress) {
  mainWindow().settings.DefaultClick = "Dovrant";
  shell(wm::LButtonDown);
  EXPECT_EQ(takeKeys(), kWinM);
  shell(wm::LButtonUp);
  shell(wm::LButtonDblClk);  // the second press of a double click has no handler
  shell(wm::LButtonUp);
  EXPECT_TRUE(takeKeys().empty());
  EXPECT_TRUE(mainWindow().appsMinimized);
}

TEST_F(TrayMenuTest, DovrantReAlternatesAndCountsMenuActions) {
  mainWindow().settings.DefaultClick = "DovrantRe";
  leftPress();
  EXPECT_EQ(takeKeys(), kWinM);
  leftPress();
  EXPECT_EQ(takeKeys(), kWinShiftM);
  EXPECT_EQ(boldItems(rightPress("App最小化(&N)")), std::vector<std::string>{"App最小化(&N)"});
  EXPECT_EQ(takeKeys(), kWinM);
  EXPECT_EQ(boldItems(rightPress()), std::vector<std::string>{"App元サイズ化(&R)"});
  leftPress();
  EXPECT_EQ(takeKeys(), kWinShiftM);
  EXPECT_FALSE(mainWindow().appsMinimized);
}

TEST_F(TrayMenuTest, WindowSmallSendsWinDAndLeavesTheMinimiseFlag) {
  mainWindow().settings.DefaultClick = "WindowSmall";
  mainWindow().appsMinimized = true;
  leftPress();
  leftPress();
  auto keys = takeKeys();
  EXPECT_EQ(std::vector<KeyEvent>(keys.begin(), keys.begin() + 4), kWinD);
  EXPECT_EQ(std::vector<KeyEvent>(keys.begin() + 4, keys.end()), kWinD);
  EXPECT_TRUE(mainWindow().appsMinimized);
  EXPECT_EQ(boldItems(rightPress()), std::vector<std::string>{"全窓最小化/復元(&D)"});
}

TEST_F(TrayMenuTest, UnrecognisedDefaultClickIsResetAndSavedAtFirstUse) {
  sim.putFile(kIniPath, "[Settings]\r\nDefaultClick=dovrant\r\n");
  start();
  EXPECT_EQ(sim.fileContents(kIniPath), "[Settings]\r\nDefaultClick=dovrant\r\n");
  EXPECT_EQ(boldItems(rightPress()), std::vector<std::string>{"App最小化(&N)"});
  EXPECT_EQ(mainWindow().settings.DefaultClick, "Dovrant");
  EXPECT_NE(sim.fileContents(kIniPath)->find("DefaultClick=Dovrant"), std::string::npos);
  leftPress();
  EXPECT_EQ(takeKeys(), kWinM);
}

TEST_F(TrayMenuTest, MenuStatesDescribeTheMomentItOpened) {
  auto items = rightPress();
  EXPECT_FALSE(entry(items, "クリップボード消去(&U)").enabled);
  EXPECT_FALSE(entry(items, "ヘルプ(&H)").submenu[0].enabled);
  EXPECT_TRUE(mainWindow().helpCommand.empty());

  sim.clipboard.text = "x";
  sim.putFile(kAppDir + "vrl.chm", "ITSF");
  items = rightPress();
  EXPECT_TRUE(entry(items, "クリップボード消去(&U)").enabled);
  EXPECT_TRUE(entry(items, "ヘルプ(&H)").submenu[0].enabled);
  EXPECT_EQ(mainWindow().helpCommand, "hh.exe " + kAppDir + "vrl.chm");

  // A folder of that name is no help file; the command keeps what it held.
  sim.files.erase(sim::SimDesktop::keyOf(kAppDir + "vrl.chm"));
  sim.addDirectory(kAppDir + "vrl.chm");
  items = rightPress();
  EXPECT_FALSE(entry(items, "ヘルプ(&H)").submenu[0].enabled);
  EXPECT_EQ(mainWindow().helpCommand, "hh.exe " + kAppDir + "vrl.chm");
}

TEST_F(TrayMenuTest, MenuOpensAtThePointerInFrontAndPostsNullAfterwards) {
  // Notes what reaches the form, then hands it on.
  struct Recorder : MessageHandler {
    explicit Recorder(MessageHandler* form) : form(form) {}
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                          LParam lParam) override {
      messages.push_back(message);
      return form->handleMessage(window, message, wParam, lParam);
    }
    MessageHandler* form;
    std::vector<std::uint32_t> messages;
  };
  const WindowHandle window = mainWindow().handle();
  Recorder recorder(sim.windows[window].handler);
  sim.windows[window].handler = &recorder;

  sim.cursor = Point{1000, 760};
  std::vector<WindowHandle> foregroundWhenShown;
  sim.duringModal.push_back([&] { foregroundWhenShown = sim.foregroundRequests; });
  sim.menuChoices.push_back("");
  shell(wm::RButtonDown);
  EXPECT_TRUE(recorder.messages.empty());  // queued, not sent while the menu closes
  sim.runMessageLoop();
  EXPECT_EQ(recorder.messages, std::vector<std::uint32_t>{wm::Null});
  EXPECT_EQ(sim.shownMenus.back().at, (Point{1000, 760}));
  EXPECT_EQ(sim.shownMenus.back().owner, window);
  EXPECT_EQ(foregroundWhenShown, std::vector<WindowHandle>{window});
  sim.windows[window].handler = recorder.form;
}

TEST_F(TrayMenuTest, TickOfTheTemporaryAutoPopupPersistsBetweenOpenings) {
  const std::string caption = "クリップボード拡張自動ポップアップ一時有効(&C)";
  EXPECT_FALSE(entry(rightPress(caption), caption).checked);
  EXPECT_TRUE(entry(rightPress(), caption).checked);
  EXPECT_TRUE(mainWindow().trayMenu->mnuClipTempEnable->Checked);
  mainWindow().iniWrite();
  EXPECT_EQ(sim.fileContents(kIniPath)->find("Temp"), std::string::npos);
}

TEST_F(TrayMenuTest, ClearClipboardEmptiesItOrReportsAHeldClipboard) {
  sim.clipboard.text = "secret";
  start();
  sim.clipboardLog.clear();  // the history has read it at start
  rightPress("クリップボード消去(&U)");
  EXPECT_EQ(sim.countClipboardFormats(), 0);
  EXPECT_EQ(sim.clipboardLog, (std::vector<std::string>{"open", "empty", "close"}));
  EXPECT_FALSE(sim.clipboardOpen);

  sim.clipboard.text = "held a moment";
  sim.clipboardHeldForAttempts = 3;
  rightPress("クリップボード消去(&U)");
  EXPECT_EQ(sim.countClipboardFormats(), 0);
  EXPECT_TRUE(sim.messageBoxes.empty());

  sim.clipboard.text = "kept";
  sim.clipboardHeldByOther = true;
  rightPress("クリップボード消去(&U)");
  EXPECT_EQ(sim.clipboard.text, "kept");
  EXPECT_EQ(messageBoxTexts(), test::Lines{"クリップボードを開くことができません."});
  EXPECT_EQ(lastMessageBox().caption, "Dovrant");
  EXPECT_EQ(lastMessageBox().icon, MessageBoxIcon::Error);
}

// The whole program, started as Windows starts it.
using TrayMenuExitTest = test::DesktopTest;

TEST_F(TrayMenuExitTest, ExitFromTheMenuEndsTheProgramWithEverythingSaved) {
  sim.queue([&] {
    sim.menuChoices.push_back("終了(&X)");
    sendTrayIconEvent(wm::RButtonDown);
  });
  runProgram(platform);
  EXPECT_TRUE(sim.loopEndedByQuit);
  EXPECT_TRUE(sim.trayIcons.empty());
  EXPECT_EQ(settingsLines(), test::kDefaultSettingsLines);
}

}  // namespace
}  // namespace vireloc
