#include <gtest/gtest.h>

#include "app/program.h"
#include "app/version_info.h"
#include "program_fixture.h"

namespace vireloc {
namespace {

using test::kAppDir;
using test::kIniPath;

// The whole program, started as Windows starts it: no window of ours before runProgram.
class StartupTest : public test::DesktopTest {
 protected:
  // Runs the program; `whileRunning` is handled inside its message loop, then Exit follows.
  int run(std::function<void()> whileRunning = [] {}) {
    sim.queue(std::move(whileRunning));
    sim.queue([this] {
      const WindowHandle form = sim.findWindowByClass("TForm1");
      if (form) sim.postMessage(form, wm::Close, 0, 0);
    });
    return runProgram(platform);
  }
};

TEST_F(StartupTest, FirstStartWritesNothingUntilExitThenEveryKey) {
  bool iniExistedWhileRunning = true;
  std::string tipWhileRunning;
  run([&] {
    iniExistedWhileRunning = sim.hasFile(kIniPath);
    tipWhileRunning = sim.trayIcons.begin()->second.szTip.data();
    const WindowHandle app = sim.findTopLevelWindow("Dovrant");
    EXPECT_EQ(sim.windows[app].className, "TApplication");
    EXPECT_FALSE(sim.windows[app].visible);
  });
  EXPECT_FALSE(iniExistedWhileRunning);
  EXPECT_EQ(tipWhileRunning, "Vireloc");
  EXPECT_EQ(settingsLines(), test::kDefaultSettingsLines);
  EXPECT_TRUE(sim.trayIcons.empty());
  EXPECT_TRUE(sim.windows.empty());
  EXPECT_TRUE(sim.messageBoxes.empty());
  ASSERT_EQ(sim.notifyRequests.size(), 4u);  // add, icon, tip, delete
  EXPECT_EQ(sim.notifyRequests[0].tip(), "Dovrant");
  EXPECT_EQ(sim.notifyRequests[2].data.uFlags, nif::Tip);
}

TEST_F(StartupTest, AnyWindowTitledLikeUsEndsTheStartBeforeAnythingIsTouched) {
  const WindowHandle owner = sim.addForeignWindow("Other", "owner");
  sim.windows[owner].iconic = true;
  sim.addForeignWindow("SomeClass", "Dovrant", owner);
  sim.putFile(kIniPath, "[Settings]\r\nSaveFormat=9\r\n");
  const auto windowsBefore = sim.windows.size();

  EXPECT_EQ(runProgram(platform), 0);
  EXPECT_EQ(sim.windows.size(), windowsBefore);
  EXPECT_TRUE(sim.notifyRequests.empty());
  EXPECT_TRUE(sim.hotkeyLog.empty());
  EXPECT_EQ(sim.fileContents(kIniPath), "[Settings]\r\nSaveFormat=9\r\n");
  EXPECT_FALSE(sim.windows[owner].iconic);
  EXPECT_EQ(sim.foregroundRequests, std::vector<WindowHandle>{owner});
}

TEST_F(StartupTest, SettingsFileFollowsTheExecutablesName) {
  sim.addDirectory("D:\\tools");
  sim.executablePath = "D:\\tools\\my.grabber.exe";
  sim.putFile(sim.executablePath, "MZ");
  run();
  EXPECT_TRUE(sim.hasFile("D:\\tools\\my.grabber.ini"));
  EXPECT_FALSE(sim.hasFile(kIniPath));
}

TEST_F(StartupTest, StartupCorrectionsAreWrittenAtOnceAndSilently) {
  sim.putFile(kIniPath,
              "[Settings]\r\nClipAddr=C:\\gone\\\r\nClipCpCursor=\r\nImageClipSave=2\r\n"
              "SaveFormat=01\r\nLang=xx\r\n");
  std::vector<std::string> linesWhileRunning;
  run([&] { linesWhileRunning = settingsLines(); });
  EXPECT_TRUE(sim.messageBoxes.empty());
  auto has = [&](const std::string& line) {
    return std::find(linesWhileRunning.begin(), linesWhileRunning.end(), line) !=
           linesWhileRunning.end();
  };
  EXPECT_TRUE(has("ClipAddr=" + kAppDir));
  EXPECT_TRUE(has("ClipCpCursor=0"));
  EXPECT_TRUE(has("ImageClipSave=1"));
  EXPECT_TRUE(has("SaveFormat=0"));
  // Lang belongs to [Language]: one under [Settings] is not read, so the default is written.
  const auto language = std::find(linesWhileRunning.begin(), linesWhileRunning.end(), "[Language]");
  ASSERT_NE(language, linesWhileRunning.end());
  EXPECT_EQ(*std::next(language), "Lang=jp.lang");
}

TEST_F(StartupTest, RefusedSettingsWriteIsReportedAndTheProgramRunsOn) {
  sim.putFile(kIniPath, "[Settings]\r\nSaveClip=5\r\n", /*readOnly=*/true);
  bool trayWorks = false;
  run([&] { trayWorks = sim.trayIcons.size() == 1; });
  ASSERT_EQ(sim.messageBoxes.size(), 2u);  // at start, and again at exit
  EXPECT_EQ(sim.messageBoxes[0].text, kIniPath + " に書き込めません.");
  EXPECT_EQ(sim.messageBoxes[0].caption, "Dovrant");
  EXPECT_EQ(sim.messageBoxes[0].icon, MessageBoxIcon::Error);
  EXPECT_EQ(sim.messageBoxes[1].text, kIniPath + " に書き込めません.");
  EXPECT_TRUE(sim.messageBoxes[1].answered) << "the exit's box must wait for the user";
  EXPECT_TRUE(trayWorks);
  EXPECT_TRUE(sim.trayIcons.empty());  // the icon is removed even so
}

TEST_F(StartupTest, HotkeysAreReleasedBeforeTheExitSaveThatMayBeRefused) {
  bool hotkeysWhileRunning = false;
  run([&] {
    hotkeysWhileRunning = sim.hotkeys.size() == 4;
    sim.profileWritesAllowed = 0;
  });
  EXPECT_TRUE(hotkeysWhileRunning);
  EXPECT_TRUE(sim.hotkeys.empty());
  EXPECT_EQ(messageBoxTexts(), test::Lines{kIniPath + " に書き込めません."});
}

TEST_F(StartupTest, VersionComesFromTheResourceOrStaysEmpty) {
  sim.versionStrings[sim::SimDesktop::keyOf(sim.executablePath)]
                    ["\\StringFileInfo\\041103A4\\FileVersion"] = "1.2.3.4";
  runProgram(platform);
  EXPECT_EQ(programVersion.text, "1.2.3.4");
  EXPECT_EQ(programVersion.build, 4);

  sim.versionStrings.clear();
  runProgram(platform);
  EXPECT_EQ(programVersion.text, "");
  EXPECT_EQ(programVersion.major, 0);
}

TEST(VersionTextTest, PartsSplitAtDotsAndLineBreaksWithoutEmptyParts) {
  TVersion v = parseVersionText("2..5.\r\n7.9");
  EXPECT_EQ(v.major, 2);
  EXPECT_EQ(v.minor, 5);
  EXPECT_EQ(v.release, 7);
  EXPECT_EQ(v.build, 9);
  EXPECT_EQ(v.text, "2..5.\r\n7.9");
  TVersion odd = parseVersionText("1.x");
  EXPECT_EQ(odd.major, 1);
  EXPECT_EQ(odd.minor, 0);
}

TEST_F(StartupTest, EndOfSessionSavesAndRemovesTheIconLikeExitUnlessCancelled) {
  sim.putFile(kIniPath, "[Settings]\r\nSaveFormat=2\r\n");
  sim.queue([this] {  // another program refuses to end: the session goes on, and so do we
    sim.broadcast(wm::QueryEndSession, 0, 0);
    sim.broadcast(wm::EndSession, 0, 0);
  });
  bool wentOn = false;
  sim.queue([&] {
    wentOn = true;
    EXPECT_EQ(sim.trayIcons.size(), 1u);
    EXPECT_EQ(sim.fileContents(kIniPath), "[Settings]\r\nSaveFormat=2\r\n");
    sim.endSession();
  });
  sim.queue([] { FAIL() << "the message loop went on after the end of the session"; });
  runProgram(platform);
  EXPECT_TRUE(wentOn);
  EXPECT_TRUE(sim.loopEndedByQuit);
  auto lines = settingsLines();
  EXPECT_EQ(lines.size(), test::kDefaultSettingsLines.size());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "SaveFormat=2"), lines.end());
  EXPECT_TRUE(sim.trayIcons.empty());
  EXPECT_EQ(std::count_if(sim.notifyRequests.begin(), sim.notifyRequests.end(),
                          [](auto& r) { return r.action == NotifyAction::Delete; }),
            1);
}

TEST_F(StartupTest, EndOfSessionWithARefusedWriteWaitsForTheUserToReadWhy) {
  sim.queue([this] {
    sim.profileWritesAllowed = 0;
    sim.endSession();
  });
  runProgram(platform);
  EXPECT_EQ(messageBoxTexts(), test::Lines{kIniPath + " に書き込めません."});
  EXPECT_TRUE(lastMessageBox().answered);
  EXPECT_TRUE(sim.loopEndedByQuit);
  EXPECT_TRUE(sim.trayIcons.empty());
}

// The box about a failed join comes before the settings are read and the tray tip is set.
TEST_F(StartupTest, EndOfSessionWhileTheJoinFailureBoxIsOpenEndsCleanlyAndKeepsTheSettings) {
  sim.putFile(kIniPath, "[Settings]\r\nSaveFormat=2\r\nClipEnable=1\r\n");
  sim.clipboardViewerFails = true;
  sim.duringModal.push_back([this] { sim.endSession(); });
  sim.queue([] { FAIL() << "the message loop went on after the end of the session"; });
  runProgram(platform);
  EXPECT_EQ(messageBoxTexts(), test::Lines{"なぜかクリップボードのフックに失敗しました(T_T)"});
  EXPECT_TRUE(sim.trayIcons.empty());
  EXPECT_TRUE(sim.hotkeys.empty());
  EXPECT_EQ(sim.fileContents(kIniPath), "[Settings]\r\nSaveFormat=2\r\nClipEnable=1\r\n");
}

TEST_F(StartupTest, ErrorReportAddsAFullStopOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(withClosingFullStop("abc"), "abc.");
  EXPECT_EQ(withClosingFullStop("abc."), "abc.");
  EXPECT_EQ(withClosingFullStop("abc!"), "abc!");
  EXPECT_EQ(withClosingFullStop("開けません"), "開けません.");
  EXPECT_EQ(withClosingFullStop(""), "");

  Application application(platform);
  application.showException(std::bad_alloc());  // its own text is English
  EXPECT_EQ(lastMessageBox().text, "メモリが足りません.");
}

}  // namespace
}  // namespace vireloc
