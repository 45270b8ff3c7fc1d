#include "dialogs/drop_window.h"

#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vireloc {
namespace {

const std::string kOpenCommand = "D＆Dアドレス返し機能(&A)";
// Longer than 255 bytes, with a character outside code page 932.
const std::string kLongPath = "C:\\データ\\" + std::string(300, 'x') + "\\한글 ☃.txt";

class DropWindowTest : public test::ProgramTest {
 protected:
  DropWindowTest() {
    sim.windows[application.handle()].visible = true;
    sim.workAreaRect = {0, 0, 1024, 738};
    TForm1& form = start();
    form.settings.DragWindowTop = 115;
    form.settings.DragWindowLeft = 215;
  }
  // Opens one from the tray menu and returns its window.
  WindowHandle openFromMenu() {
    chooseFromTrayMenu(kOpenCommand);
    return mainWindow().dropWindow ? mainWindow().dropWindow->handle() : 0;
  }
  std::string shownPath(WindowHandle window) { return sim.forms.at(window).control("Edit1").text; }
  std::string savedDnD() {
    return sim.readProfileString("Settings", "D&D", "?", mainWindow().iniPath);
  }
};

TEST_F(DropWindowTest, OpensAsAFixedWindowWithAReadOnlyBoxThatTabSkips) {
  const WindowHandle window = openFromMenu();
  const FormSpec& layout = sim.forms.at(window).layout;
  EXPECT_EQ(sim.windows.at(window).title, "D&Dファイルアドレス返し");
  EXPECT_EQ(layout.clientWidth, 389);
  EXPECT_EQ(layout.clientHeight, 40);
  EXPECT_TRUE(layout.appWindow && layout.acceptFiles && layout.systemMenu && !layout.minimizeBox);
  const sim::SimControl& box = sim.forms.at(window).control("Edit1");
  EXPECT_EQ(box.layout.bounds, (Rect{8, 8, 377, 28}));
  EXPECT_TRUE(box.layout.readOnly);
  EXPECT_FALSE(box.layout.tabStop);
  EXPECT_EQ(box.text, "");
  EXPECT_EQ(sim.formRect(window).left, 215);
  EXPECT_FALSE(sim.windows.at(application.handle()).visible);
}

TEST_F(DropWindowTest, ADropShowsTheFirstPathAndCopiesItAsTextOnlyWithDnDOne) {
  const WindowHandle window = openFromMenu();
  mainWindow().settings.DnD = "0";
  sim.clipboard.text = "before";
  sim.dropFiles(window, {"C:\\a\\first.txt", "C:\\a\\second.txt", "C:\\a\\third"});
  EXPECT_EQ(shownPath(window), "C:\\a\\first.txt");
  EXPECT_EQ(sim.clipboard.text, "before");
  EXPECT_TRUE(sim.clipboardLog.empty());

  mainWindow().settings.DnD = "1";
  sim.dropFiles(window, {kLongPath, "C:\\a\\second.txt"});
  EXPECT_EQ(shownPath(window), kLongPath);
  EXPECT_EQ(sim.clipboard.text, kLongPath);
  EXPECT_EQ(mainWindow().clipHistory.entry(0), kLongPath);  // heard like any copied text
}

// Each path read makes the system scan the drop from its start: only the first one is read.
TEST_F(DropWindowTest, ADropOfManyFilesReadsOnlyItsFirstPathWhateverItsLength) {
  const WindowHandle window = openFromMenu();
  mainWindow().settings.DnD = "1";
  std::vector<std::string> paths(50000, "C:\\a\\other.txt");
  paths[0] = "\\\\?\\C:\\" + std::string(32767 - 7, 'x');  // the longest path Windows takes
  sim.dropFiles(window, paths);
  EXPECT_EQ(sim.dropPathReads, 1);
  EXPECT_EQ(shownPath(window), paths[0]);
  EXPECT_EQ(sim.clipboard.text, paths[0]);

  paths = {"", "C:\\b.txt"};  // a first path the system reports as empty
  sim.dropFiles(window, paths);
  EXPECT_EQ(sim.dropPathReads, 2);
  EXPECT_EQ(shownPath(window), "");

  sim.dropFiles(window, {});  // a drop block that lists nothing
  EXPECT_EQ(sim.dropPathReads, 2);
  EXPECT_EQ(shownPath(window), "");
}

TEST_F(DropWindowTest, AnUnknownDnDIsSavedAsZeroAtTheDropThatFindsItAndNothingIsCopied) {
  const WindowHandle window = openFromMenu();
  for (const char* unknown : {"2", "01", ""}) {
    mainWindow().settings.DnD = unknown;
    sim.dropFiles(window, {"C:\\folder"});
    EXPECT_EQ(shownPath(window), "C:\\folder") << unknown;
    EXPECT_EQ(savedDnD(), "0") << unknown;
    sim.dropFiles(window, {"C:\\later"});
    EXPECT_TRUE(sim.clipboardLog.empty()) << unknown;
    sim.writeProfileString("Settings", "D&D", "?", mainWindow().iniPath);
  }
}

TEST_F(DropWindowTest, AHeldClipboardIsReportedAfterThePathIsShown) {
  const WindowHandle window = openFromMenu();
  mainWindow().settings.DnD = "1";
  sim.clipboardHeldForAttempts = 3;
  sim.dropFiles(window, {"C:\\b.txt"});
  EXPECT_EQ(sim.clipboard.text, "C:\\b.txt");
  EXPECT_TRUE(sim.messageBoxes.empty());

  sim.clipboardHeldByOther = true;
  sim.dropFiles(window, {"C:\\a.txt"});
  EXPECT_EQ(shownPath(window), "C:\\a.txt");
  EXPECT_EQ(messageBoxTexts(), test::Lines{"クリップボードを開くことができません."});
  EXPECT_EQ(lastMessageBox().icon, MessageBoxIcon::Error);
}

TEST_F(DropWindowTest, PlacementForgetsPlacesOffTheWorkAreaAndKeepsPartlyShownOnes) {
  struct Case { std::int32_t left, top; Point expected; };
  for (const Case& c : {Case{300, 739, {215, 115}}, Case{1025, -40, {215, 115}},
                        Case{1024, 738, {215, 115}}, Case{-9000, 5000, {215, 115}},
                        Case{1000, 700, {1000, 700}}, Case{-100, -20, {-100, -20}},
                        Case{2147483600, 2147483600, {215, 115}}}) {
    Settings saved;
    saved.DragWindowLeft = c.left;
    saved.DragWindowTop = c.top;
    EXPECT_EQ(placeDropWindow(saved, sim, 395, 65), c.expected) << c.left << "," << c.top;
    EXPECT_EQ((Point{saved.DragWindowLeft, saved.DragWindowTop}), c.expected);
  }
}

TEST_F(DropWindowTest, APlaceNoMonitorShowsOpensAtTheDefaultAndOneOnAnotherMonitorStays) {
  sim.otherMonitorWorkAreas = {{-1280, 0, 0, 1000}};
  Settings& s = mainWindow().settings;
  s.DragWindowLeft = s.DragWindowTop = -32000;
  const WindowHandle lost = openFromMenu();
  EXPECT_EQ((Point{sim.formRect(lost).left, sim.formRect(lost).top}), (Point{215, 115}));
  sim.pressCloseBox(lost);

  s.DragWindowLeft = -900;
  s.DragWindowTop = 900;
  const WindowHandle other = openFromMenu();
  EXPECT_EQ((Point{sim.formRect(other).left, sim.formRect(other).top}), (Point{-900, 900}));
}

TEST_F(DropWindowTest, EachCommandOpensAnotherAndTheCloseKeepsThePlace) {
  const WindowHandle first = openFromMenu();
  const WindowHandle second = openFromMenu();
  ASSERT_NE(first, second);
  EXPECT_TRUE(sim.forms.count(first));
  sim.moveForm(first, {40, 50});
  sim.pressCloseBox(first);
  EXPECT_FALSE(sim.forms.count(first));
  EXPECT_EQ(mainWindow().dropWindow->handle(), second);  // the newest stays named
  EXPECT_EQ((Point{mainWindow().settings.DragWindowLeft, mainWindow().settings.DragWindowTop}),
            (Point{40, 50}));
  sim.pressCloseBox(second);
  EXPECT_EQ(mainWindow().dropWindow, nullptr);
  const WindowHandle third = openFromMenu();
  EXPECT_EQ(sim.formRect(third).left, 215);  // where the second one was
  EXPECT_EQ(shownPath(third), "");
}

}  // namespace
}  // namespace vireloc
