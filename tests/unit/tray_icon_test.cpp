#include "tray/tray_icon.h"

#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vireloc {
namespace {

// The icon alone on the application, without the main form.
class TrayIconTest : public test::ProgramTest {
 protected:
  TrayIconTest() {
    icon = std::make_unique<TTrayIcon>(platform, application);
    icon->OnClick = [this] { events.push_back("click"); };
    icon->OnDblClick = [this] { events.push_back("dblclick"); };
    icon->OnMouseDown = [this](MouseButton b, ShiftState s, int x, int y) {
      events.push_back("down " + std::to_string(int(b)) + " " + std::to_string(s) + " " +
                       std::to_string(x) + "," + std::to_string(y));
    };
    icon->OnMouseUp = [this](MouseButton b, ShiftState s, int, int) {
      events.push_back("up " + std::to_string(int(b)) + " " + std::to_string(s));
    };
    icon->OnMouseMove = [this](ShiftState s, int, int) { events.push_back("move"); };
  }

  std::unique_ptr<TTrayIcon> icon;
  std::vector<std::string> events;
};

TEST_F(TrayIconTest, AddsItselfOnceWithTheTitleAsTipAndRemovesItselfAtTheEnd) {
  ASSERT_EQ(sim.notifyRequests.size(), 1u);
  const auto& add = sim.notifyRequests[0];
  EXPECT_EQ(add.action, NotifyAction::Add);
  EXPECT_EQ(add.data.uFlags, 7u);
  EXPECT_EQ(add.tip(), "Dovrant");
  EXPECT_EQ(add.data.hWnd, icon->messageWindow());
  EXPECT_EQ(add.data.uID, icon->messageWindow());
  EXPECT_EQ(add.data.uCallbackMessage, sim.registerWindowMessage("HogeTrayIcon"));
  EXPECT_TRUE(sim.liveIcons.count(add.data.hIcon));

  icon.reset();
  EXPECT_EQ(sim.notifyRequests.back().action, NotifyAction::Delete);
  EXPECT_TRUE(sim.trayIcons.empty());
  EXPECT_TRUE(sim.liveIcons.empty());
  EXPECT_EQ(sim.findWindowByClass("TTrayIconWindow"), 0u);
}

TEST_F(TrayIconTest, HintSendsOnlyTheTipAndOnlyWhenItChanges) {
  icon->setHint("Vireloc");
  icon->setHint("Vireloc");
  ASSERT_EQ(sim.notifyRequests.size(), 2u);
  EXPECT_EQ(sim.notifyRequests[1].action, NotifyAction::Modify);
  EXPECT_EQ(sim.notifyRequests[1].data.uFlags, nif::Tip);
  EXPECT_EQ(sim.trayIcons.begin()->second.szTip.data(), std::string("Vireloc"));

  icon->setHint(std::string(70, 'a'));
  EXPECT_EQ(sim.notifyRequests.back().tip(), std::string(63, 'a'));
  // Japanese text (3 bytes a character) is cut before the character that would cross 63 bytes.
  std::string japanese;
  for (int i = 0; i < 22; ++i) japanese += "あ";
  icon->setHint(japanese);
  EXPECT_EQ(sim.notifyRequests.back().tip(), japanese.substr(0, 63));
  icon->setHint("x" + japanese);
  EXPECT_EQ(sim.notifyRequests.back().tip(), "x" + japanese.substr(0, 60));
}

TEST_F(TrayIconTest, LoadingAndIconChangeSendOnlyTheIcon) {
  icon->loaded();
  ASSERT_EQ(sim.notifyRequests.size(), 2u);
  EXPECT_EQ(sim.notifyRequests[1].action, NotifyAction::Modify);
  EXPECT_EQ(sim.notifyRequests[1].data.uFlags, nif::Icon);
  EXPECT_EQ(sim.notifyRequests[1].data.hIcon, icon->Icon());

  const IconHandle other = sim.loadApplicationIcon();
  icon->setIcon(icon->Icon());
  EXPECT_EQ(sim.notifyRequests.size(), 2u);
  icon->setIcon(other);
  ASSERT_EQ(sim.notifyRequests.size(), 3u);
  EXPECT_EQ(sim.notifyRequests[2].data.uFlags, nif::Icon);
  EXPECT_NE(sim.notifyRequests[2].data.hIcon, other);  // a copy, owned by the icon
  EXPECT_EQ(sim.notifyRequests[2].data.hIcon, icon->Icon());
}

TEST_F(TrayIconTest, ClickAndDoubleClicksFollowTheShellsSequence) {
  sim.cursor = Point{900, 750};
  sendTrayIconEvent(wm::LButtonDown);
  sendTrayIconEvent(wm::LButtonUp);
  sendTrayIconEvent(wm::LButtonDblClk);
  sendTrayIconEvent(wm::LButtonUp);
  EXPECT_EQ(events, (std::vector<std::string>{"down 0 8 900,750", "click", "up 0 8", "dblclick",
                                              "up 0 8"}));
  events.clear();
  sendTrayIconEvent(wm::RButtonDown);
  sendTrayIconEvent(wm::RButtonUp);
  sendTrayIconEvent(wm::RButtonDblClk);
  sendTrayIconEvent(wm::RButtonUp);
  EXPECT_EQ(events, (std::vector<std::string>{"down 1 16 900,750", "up 1 16", "dblclick",
                                              "up 1 16"}));
}

TEST_F(TrayIconTest, UnreportedReleaseLeavesTheClickPending) {
  sendTrayIconEvent(wm::LButtonDown);
  EXPECT_TRUE(icon->clickPending());
  sendTrayIconEvent(wm::RButtonDown);
  sendTrayIconEvent(wm::RButtonUp);
  sendTrayIconEvent(wm::LButtonUp);
  EXPECT_EQ(events.back(), "up 0 8");
  EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 1);
  EXPECT_FALSE(icon->clickPending());
}

TEST_F(TrayIconTest, ShiftStateIsReadFromTheKeyboardAtHandlingTime) {
  sim.keysDown[vk::Control] = true;
  sendTrayIconEvent(wm::LButtonDown);
  sim.keysDown[vk::Control] = false;
  sim.keysDown[vk::Shift] = true;
  sim.keysDown[vk::Menu] = true;
  sendTrayIconEvent(wm::RButtonUp);
  EXPECT_EQ(events[0], "down 0 12 0,0");
  EXPECT_EQ(events[1], "up 1 19");
}

TEST_F(TrayIconTest, OtherWindowsCallbacksAndOtherActionsFireNothing) {
  sim.sendMessage(icon->messageWindow(), sim.registerWindowMessage("HogeTrayIcon"), 0x1234,
                  wm::LButtonDown);
  sendTrayIconEvent(wm::MButtonDown);
  sendTrayIconEvent(0x0209);
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(icon->clickPending());
}

TEST_F(TrayIconTest, ShellRestartAddsTheIconAgainWithItsCurrentTip) {
  icon->setHint("Vireloc");
  sim.restartShell();
  ASSERT_EQ(sim.trayIcons.size(), 1u);
  const auto& readded = sim.notifyRequests.back();
  EXPECT_EQ(readded.action, NotifyAction::Add);
  EXPECT_EQ(readded.data.uFlags, 7u);
  EXPECT_EQ(readded.tip(), "Vireloc");
  EXPECT_EQ(readded.data.hIcon, icon->Icon());
}

TEST_F(TrayIconTest, HideMinimizeActsOnlyWhenSet) {
  const WindowHandle appWindow = application.handle();
  sim.windows[appWindow].visible = true;
  sim.sendMessage(appWindow, 0x0112, 0xF020, 0);  // minimise
  sim.sendMessage(appWindow, 0x0112, 0xF120, 0);  // restore
  EXPECT_TRUE(sim.windows[appWindow].visible);
  EXPECT_TRUE(sim.foregroundRequests.empty());

  icon->HideMinimize = true;
  sim.sendMessage(appWindow, 0x0112, 0xF020, 0);
  EXPECT_FALSE(sim.windows[appWindow].visible);
  sim.sendMessage(appWindow, 0x0112, 0xF120, 0);
  EXPECT_EQ(sim.foregroundRequests, std::vector<WindowHandle>{appWindow});
}

}  // namespace
}  // namespace vireloc
