#include "dialogs/folder_picker.h"

#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vireloc {
namespace {

using Texts = std::vector<std::string>;
const std::string kTree = "VETree1";
const Texts kComputer = {"デスクトップ", "マイ コンピュータ"};
const Texts kCDrive = {"デスクトップ", "マイ コンピュータ", "C:"};
const Texts kTemp = {"デスクトップ", "マイ コンピュータ", "C:", "Temp"};
const Texts kShare = {"デスクトップ", "ネットワーク", "nas", "share"};

// The picker alone on the application, for a folder box of the test's own.
class FolderPickerTest : public test::ProgramTest {
 protected:
  FolderPickerTest() {
    computer = sim.addShellFolder("", "マイ コンピュータ", "");
    const ShellItemId c = sim.addShellFolder(computer, "C:", "C:\\");
    temp = sim.addShellFolder(c, "Temp", "C:\\Temp");
    sim.addShellFolder(temp, "shots", "C:\\Temp\\shots");
    sim.addShellFolder(c, "表", "C:\\表");
    sim.addShellFolder(computer, "D:", "D:\\");
    const ShellItemId network = sim.addShellFolder("", "ネットワーク", "");
    nas = sim.addShellFolder(network, "nas", "\\\\nas", true);
    sim.addShellFolder(nas, "share", "\\\\nas\\share");
  }

  void open(const std::string& folder) {
    clipAddr = folder;
    picker = &forms.add<TForm4>(clipAddr,
                                [this](const std::string& chosen) { boxTexts.push_back(chosen); });
    forms.open(*picker);
    form = picker->handle();
    sim.runMessageLoop();  // the shell's answers
  }
  sim::SimControl& tree() { return sim.forms.at(form).control(kTree); }
  TreeItemId item(const Texts& texts) { return sim.treeItem(form, kTree, texts); }
  bool expanded(const Texts& texts) { return tree().treeItems.at(item(texts)).expanded; }
  void choose(const Texts& texts) { sim.clickTreeItem(form, kTree, item(texts)); }
  void openItem(const Texts& texts) {
    sim.openTreeItem(form, kTree, item(texts));
    sim.runMessageLoop();
  }
  void pressOk() { sim.clickControl(form, "Button1"); }

  ShellItemId computer, temp, nas;
  std::string clipAddr;
  Texts boxTexts;  // what the settings dialog's folder box was given
  TForm4* picker = nullptr;
  WindowHandle form = 0;
  OpenForms forms{platform, application};  // last: its windows go first
};

TEST_F(FolderPickerTest, OpensAt303_115WithoutTitleBarButtonsOrTaskbarButton) {
  open("C:\\Temp\\");
  const FormSpec& layout = sim.forms.at(form).layout;
  EXPECT_EQ(sim.windows.at(form).title, "ディレクトリ選択");
  EXPECT_EQ((Point{sim.formRect(form).left, sim.formRect(form).top}), (Point{303, 115}));
  EXPECT_FALSE(layout.systemMenu);
  EXPECT_FALSE(layout.appWindow);
  EXPECT_EQ(layout.owner, application.handle());
  EXPECT_EQ(tree().layout.imageList, sim::SimDesktop::kSmallIcons);
  EXPECT_EQ(sim.forms.at(form).control("Button1").text, "OK");
  EXPECT_EQ(sim.forms.at(form).control("Button2").text, "Cancel");
}

// Only the folders on the way are listed: the rest waits until the user opens it.
TEST_F(FolderPickerTest, OpensTheTreeDownToClipAddrSelectsItAndFocusesTheTree) {
  open("C:\\Temp\\");
  EXPECT_EQ(tree().selectedItem, item(kTemp));
  EXPECT_TRUE(expanded({"デスクトップ"}));
  EXPECT_TRUE(expanded(kComputer));
  EXPECT_TRUE(expanded(kCDrive));
  EXPECT_FALSE(expanded(kTemp));
  EXPECT_TRUE(tree().treeItems.at(item(kTemp)).item.hasChildren);
  EXPECT_EQ(sim.shellListings, (Texts{"", computer, computer + "/C:"}));
  EXPECT_EQ(sim.forms.at(form).focusedControl, kTree);
  EXPECT_EQ(sim.foreground, form);
}

TEST_F(FolderPickerTest, AFolderIsListedOnceWhenFirstOpenedAndAnEmptyOneLosesItsButton) {
  open("C:\\Temp\\");
  sim.openTreeItem(form, kTree, item(kTemp));
  sim.runMessageLoop();
  ASSERT_NE(item({"デスクトップ", "マイ コンピュータ", "C:", "Temp", "shots"}), 0u);
  EXPECT_TRUE(expanded(kTemp));
  const TreeItemId shots = item({"デスクトップ", "マイ コンピュータ", "C:", "Temp", "shots"});
  sim.openTreeItem(form, kTree, shots);  // the shell said it has no subfolders
  sim.openTreeItem(form, kTree, item(kTemp));
  sim.runMessageLoop();
  EXPECT_EQ(std::count(sim.shellListings.begin(), sim.shellListings.end(), temp), 1);
  EXPECT_EQ(tree().treeItems.size(), 8u);  // desktop, 2 below it, C: D:, Temp 表, shots
}

TEST_F(FolderPickerTest, OkPutsTheFolderWithOneTrailingBackslashIntoBoxAndClipAddr) {
  const std::pair<Texts, std::string> cases[] = {
      {kTemp, "C:\\Temp\\"},
      {kCDrive, "C:\\"},  // a drive root keeps its one backslash
      {{"デスクトップ", "マイ コンピュータ", "D:"}, "D:\\"},
      // In Shift-JIS the second byte of 表 is a backslash; here it must not count as one.
      {{"デスクトップ", "マイ コンピュータ", "C:", "表"}, "C:\\表\\"},
      {{"デスクトップ"}, "C:\\Users\\user\\Desktop\\"},
  };
  for (const auto& [texts, expected] : cases) {
    boxTexts.clear();
    open("C:\\Temp\\");
    choose(texts);
    pressOk();
    EXPECT_EQ(boxTexts, Texts{expected});
    EXPECT_EQ(clipAddr, expected);
    EXPECT_EQ(forms.count(), 0u) << expected;  // the picker has gone
    EXPECT_FALSE(sim.forms.count(form));
  }
  EXPECT_TRUE(sim.messageBoxes.empty());
}

// A virtual folder (or nothing) selected would otherwise become a lone "\": the root of
// whichever drive is current.
TEST_F(FolderPickerTest, OkWithoutAFileSystemFolderSaysWhyAndKeepsThePickerAndClipAddr) {
  open("C:\\Nowhere\\");  // names no folder: the tree stays at the desktop, nothing selected
  EXPECT_EQ(tree().selectedItem, 0u);
  pressOk();
  choose(kComputer);
  pressOk();
  ASSERT_EQ(sim.messageBoxes.size(), 2u);
  EXPECT_EQ(sim.messageBoxes[0].text, "フォルダーが選択されていません。保存先のフォルダーを選んでください。");
  EXPECT_EQ(sim.messageBoxes[1].text,
            "「マイ コンピュータ」はドライブ上のフォルダーではないため、保存先にできません。"
            "ドライブの中のフォルダーを選んでください。");
  for (const sim::MessageBoxRecord& box : sim.messageBoxes) {
    EXPECT_EQ(box.caption, "Dovrant");
    EXPECT_EQ(box.icon, MessageBoxIcon::None);
  }
  EXPECT_EQ(clipAddr, "C:\\Nowhere\\");
  EXPECT_TRUE(boxTexts.empty());
  ASSERT_NE(picker, nullptr);

  openItem(kComputer);
  choose(kCDrive);
  pressOk();
  EXPECT_EQ(clipAddr, "C:\\");
}

TEST_F(FolderPickerTest, CancelAndAltF4ChangeNothing) {
  for (bool byKey : {false, true}) {
    open("C:\\Temp\\");
    choose(kCDrive);
    if (byKey)
      sim.pressCloseBox(form);
    else
      sim.clickControl(form, "Button2");
    EXPECT_EQ(forms.count(), 0u);
    EXPECT_FALSE(sim.forms.count(form));
  }
  EXPECT_EQ(clipAddr, "C:\\Temp\\");
  EXPECT_TRUE(boxTexts.empty());
}

TEST_F(FolderPickerTest, ClosedWhileOksMessageIsOpenItGoesOnceTheMessageIsAnswered) {
  open("C:\\Nowhere\\");
  sim.duringModal.push_back([&] { sim.clickControl(form, "Button2"); });
  pressOk();
  EXPECT_EQ(forms.count(), 0u);
  EXPECT_FALSE(sim.forms.count(form));
  EXPECT_EQ(clipAddr, "C:\\Nowhere\\");
}

// A network folder that does not answer must not hold up the picker, nor answer into one
// that has gone.
TEST_F(FolderPickerTest, ASlowFolderNeitherBlocksThePickerNorAnswersAfterItClosed) {
  open("\\\\nas\\share\\");
  EXPECT_FALSE(expanded({"デスクトップ", "ネットワーク", "nas"}));
  openItem(kComputer);  // meanwhile the user goes on
  choose(kCDrive);
  sim.answerSlowListings(ShellAnswer::TimedOut);
  EXPECT_FALSE(expanded({"デスクトップ", "ネットワーク", "nas"}));
  EXPECT_EQ(tree().selectedItem, item(kCDrive));  // the walk ended at the folder that timed out

  openItem({"デスクトップ", "ネットワーク", "nas"});  // asked again
  sim.answerSlowListings();
  EXPECT_NE(item(kShare), 0u);
  EXPECT_TRUE(expanded({"デスクトップ", "ネットワーク", "nas"}));

  open("\\\\nas\\share\\");  // a second picker, closed before the folder answers
  sim.clickControl(form, "Button2");
  sim.answerSlowListings();
  EXPECT_EQ(std::count(sim.shellListings.begin(), sim.shellListings.end(), nas), 3);
}

// Until the browse to the save folder has arrived, the tree offers its first item, the
// Desktop: OK keeps the folder instead. A folder the user picks meanwhile is never moved by
// the browse arriving late.
TEST_F(FolderPickerTest, OkBeforeTheBrowseArrivesKeepsTheFolderAndTheUsersChoiceIsNeverMoved) {
  open("\\\\nas\\share\\");
  pressOk();
  EXPECT_EQ(boxTexts, Texts{"\\\\nas\\share\\"});
  EXPECT_TRUE(sim.messageBoxes.empty());

  open("\\\\nas\\share\\");
  openItem(kComputer);
  choose(kCDrive);
  sim.answerSlowListings();
  EXPECT_EQ(tree().selectedItem, item(kCDrive));
  pressOk();
  EXPECT_EQ(boxTexts.back(), "C:\\");
}

// Every click on a folder that has not answered yet sends the tree's expanding notice again.
TEST_F(FolderPickerTest, AFolderOpenedAgainWhileItsListingIsPendingIsAskedOnce) {
  open("\\\\nas\\share\\");  // the walk waits for the slow folder
  openItem({"デスクトップ", "ネットワーク", "nas"});
  openItem({"デスクトップ", "ネットワーク", "nas"});
  sim.answerSlowListings();
  EXPECT_EQ(std::count(sim.shellListings.begin(), sim.shellListings.end(), nas), 1);
  EXPECT_EQ(tree().treeItems.size(), 5u);  // desktop, 2 below it, nas, share: once each
  EXPECT_EQ(tree().selectedItem, item(kShare));
}

TEST_F(FolderPickerTest, RightClickShowsTheShellsMenuOfThatFolder) {
  open("C:\\Temp\\");
  sim.rightClickTreeItem(form, kTree, item(kCDrive), {120, 200});
  ASSERT_EQ(sim.shownContextMenus.size(), 1u);
  EXPECT_EQ(sim.shownContextMenus[0].item, computer + "/C:");
  EXPECT_EQ(sim.shownContextMenus[0].owner, form);
  EXPECT_EQ(sim.shownContextMenus[0].at, (Point{120, 200}));
}

// The folder is in force for the next capture at once; the file has it after the next write.
using FolderPickerFromMainFormTest = test::ProgramTest;

TEST_F(FolderPickerFromMainFormTest, ThePickedFolderTakesTheNextCapture) {
  sim.addDirectory("D:\\shots");
  const ShellItemId computer = sim.addShellFolder("", "マイ コンピュータ", "");
  sim.addShellFolder(sim.addShellFolder(computer, "D:", "D:\\"), "shots", "D:\\shots");
  start().openSettingsDialog();
  const WindowHandle dialog = sim.findWindowByClass("TForm2");
  sim.clickControl(dialog, "Button3");
  sim.runMessageLoop();
  const WindowHandle form = sim.findWindowByClass("TForm4");
  ASSERT_NE(form, 0u);
  sim.openTreeItem(form, kTree, sim.treeItem(form, kTree, {"デスクトップ", "マイ コンピュータ"}));
  sim.runMessageLoop();
  sim.openTreeItem(form, kTree, sim.treeItem(form, kTree, {"デスクトップ", "マイ コンピュータ", "D:"}));
  sim.runMessageLoop();
  sim.clickTreeItem(form, kTree, sim.treeItem(form, kTree, {"デスクトップ", "マイ コンピュータ", "D:", "shots"}));
  sim.clickControl(form, "Button1");
  EXPECT_EQ(mainWindow().settings.ClipAddr, "D:\\shots\\");
  EXPECT_EQ(sim.forms.at(dialog).control("Edit1").text, "D:\\shots\\");
  EXPECT_EQ(sim.findWindowByClass("TForm4"), 0u);
  sim.sendMessage(mainWindow().handle(), wm::Hotkey, 101, 0);
  EXPECT_EQ(sim.fileNamesIn("D:\\shots"), Texts{"20110315142305123.bmp"});
  EXPECT_FALSE(sim.hasFile(test::kIniPath));  // a first start writes at exit
  mainWindow().iniWrite();
  EXPECT_EQ(settingsLines().at(3), "ClipAddr=D:\\shots\\");
}

// Any program can send private messages to the program's windows; pointer-like values in them
// must stay numbers, and the picker's answers keep coming.
TEST_F(FolderPickerFromMainFormTest, JunkPrivateMessagesToEveryWindowChangeNothing) {
  const ShellItemId computer = sim.addShellFolder("", "マイ コンピュータ", "");
  sim.addShellFolder(sim.addShellFolder(computer, "D:", "D:\\"), "shots", "D:\\shots");
  start().openSettingsDialog();
  sim.clickControl(sim.findWindowByClass("TForm2"), "Button3");
  sim.runMessageLoop();
  const WindowHandle form = sim.findWindowByClass("TForm4");
  ASSERT_NE(form, 0u);
  std::vector<WindowHandle> ours;
  for (const auto& [handle, window] : sim.windows)
    if (window.handler) ours.push_back(handle);
  ASSERT_GE(ours.size(), 3u);  // the application, the main form, the tray icon
  std::vector<std::uint32_t> messages;
  for (std::uint32_t offset = 0; offset < 0x40; ++offset) messages.push_back(0x400 + offset);  // WM_USER
  for (std::uint32_t offset = 0; offset < 0x100; ++offset) messages.push_back(0x8000 + offset);  // WM_APP
  for (WindowHandle window : ours)
    for (std::uint32_t message : messages)
      for (const auto& [wParam, lParam] : {std::pair<WParam, LParam>{1, 0x12345678}, {2, -1}, {0, 0x10}})
        if (sim.windows.count(window)) sim.sendMessage(window, message, wParam, lParam);
  sim.runMessageLoop();
  EXPECT_TRUE(sim.messageBoxes.empty());
  EXPECT_FALSE(sim.loopEndedByQuit);
  sim.openTreeItem(form, kTree, sim.treeItem(form, kTree, {"デスクトップ", "マイ コンピュータ"}));
  sim.runMessageLoop();
  sim.openTreeItem(form, kTree, sim.treeItem(form, kTree, {"デスクトップ", "マイ コンピュータ", "D:"}));
  sim.runMessageLoop();
  EXPECT_NE(sim.treeItem(form, kTree, {"デスクトップ", "マイ コンピュータ", "D:", "shots"}), 0u);
}

}  // namespace
}  // namespace vireloc
