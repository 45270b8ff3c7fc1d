#include "app/settings_store.h"

#include <gtest/gtest.h>

#include "common/app_error.h"
#include "program_fixture.h"

namespace vireloc {
namespace {

using test::kAppDir;
using test::kIniPath;

TEST(ProfileIntegerTest, AcceptsDecimalAndHexadecimalForms) {
  EXPECT_EQ(parseProfileInteger("0x20"), 32);
  EXPECT_EQ(parseProfileInteger("0X20"), 32);
  EXPECT_EQ(parseProfileInteger("$ff"), 255);
  EXPECT_EQ(parseProfileInteger("x10"), 16);
  EXPECT_EQ(parseProfileInteger("X10"), 16);
  EXPECT_EQ(parseProfileInteger("  -12"), -12);
  EXPECT_EQ(parseProfileInteger("+7"), 7);
  EXPECT_EQ(parseProfileInteger("-$10"), -16);
  EXPECT_EQ(parseProfileInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(parseProfileInteger("$80000000"), INT32_MIN);
  EXPECT_EQ(parseProfileInteger("2147483647"), INT32_MAX);
  EXPECT_EQ(parseProfileInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(parseProfileInteger("007"), 7);
}

TEST(ProfileIntegerTest, RejectsWhatIsNotANumberToItsEnd) {
  for (const char* text : {"", " ", "-", "$", "0x", "abc", "12 ", "1.5", "2147483648",
                           "-2147483649", "$123456789", "0x1G", "--1", "1e3",
                           // leading zeros count: a ninth digit is too many
                           "$000000001", "0x000000010"})
    EXPECT_EQ(parseProfileInteger(text), std::nullopt) << "'" << text << "'";
}

// The store alone on the desktop's files.
class SettingsStoreTest : public test::DesktopTest {
 protected:
  SettingsStore store{sim, sim};
  Settings settings;

  void writeIni(const std::string& text) { sim.putFile(kIniPath, text); }
};

TEST_F(SettingsStoreTest, MissingFileGivesEveryDefaultAndFirstWriteHasTheFixedOrder) {
  store.read(settings, kAppDir, kIniPath);
  EXPECT_EQ(settings.DefaultClick, "Dovrant");
  EXPECT_EQ(settings.ClipAddr, kAppDir);
  EXPECT_EQ(settings.ImageClipSave, "1");
  EXPECT_EQ(settings.SettingWindowLeft, 192);
  EXPECT_EQ(settings.DragWindowTop, 115);
  EXPECT_EQ(settings.Lang, "jp.lang");
  EXPECT_FALSE(settings.AutoPopup);
  EXPECT_FALSE(sim.hasFile(kIniPath));

  store.write(settings, kAppDir, kIniPath);
  EXPECT_EQ(settingsLines(), test::kDefaultSettingsLines);
}

TEST_F(SettingsStoreTest, ReadsValueFormsAsTheFileHoldsThem) {
  writeIni(
      "[Settings]\r\nClipCpCursor=\r\nD&D=1\r\n"
      "[SettingWindow]\r\nTop=0x20\r\nLeft=abc\r\n"
      "[DragWindow]\r\nLeft=-20\r\n"
      "[VRLClipboard]\r\nAutoPopup=01\r\nLeft=-20\r\nWidth=$FFFFFFFF\r\n");
  store.read(settings, kAppDir, kIniPath);
  EXPECT_EQ(settings.ClipCpCursor, "");  // present but empty: not the default
  EXPECT_EQ(settings.DnD, "1");
  EXPECT_EQ(settings.SettingWindowTop, 32);
  EXPECT_EQ(settings.SettingWindowLeft, 192);
  EXPECT_EQ(settings.DragWindowLeft, -20);
  EXPECT_FALSE(settings.AutoPopup);
  EXPECT_EQ(settings.VRLClipboardLeft, 4294967276u);
  EXPECT_EQ(settings.VRLClipboardWidth, 0xFFFFFFFFu);

  store.write(settings, kAppDir, kIniPath);
  auto lines = settingsLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Left=-20"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Width=-1"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "AutoPopup=0"), lines.end());
}

TEST_F(SettingsStoreTest, WriteReplacesKeysInPlaceAndKeepsForeignLines) {
  writeIni("; mine\r\n[Language]\r\nLang=en.lang\r\n\r\n[Settings]\r\nSaveFormat=2\r\nExtra=x\r\n");
  store.read(settings, kAppDir, kIniPath);
  store.write(settings, kAppDir, kIniPath);
  auto lines = settingsLines();
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], "; mine");
  EXPECT_EQ(lines[1], "[Language]");
  EXPECT_EQ(lines[2], "Lang=en.lang");
  EXPECT_EQ(lines[4], "[Settings]");
  EXPECT_EQ(lines[5], "SaveFormat=2");
  EXPECT_EQ(lines[6], "Extra=x");
  EXPECT_EQ(lines[7], "DefaultClick=Dovrant");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "SaveFormat=2"), 1);
}

TEST_F(SettingsStoreTest, RefusedWriteStopsAtTheFailingKeyWithTheFileNamed) {
  sim.profileWritesAllowed = 3;  // DefaultClick, D&D, ClipAddr
  store.read(settings, kAppDir, kIniPath);
  try {
    store.write(settings, kAppDir, kIniPath);
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()), kIniPath + " に書き込めません");
  }
  EXPECT_EQ(settingsLines(),
            (test::Lines{"[Settings]", "DefaultClick=Dovrant", "D&D=0", "ClipAddr=" + kAppDir}));
}

TEST_F(SettingsStoreTest, MissingProgramFolderMeansNoReadAndNoWrite) {
  const std::string goneDir = "C:\\Gone\\";
  sim.addDirectory("C:\\Gone");
  sim.putFile("C:\\Gone\\vireloc.ini", "[Settings]\r\nSaveFormat=2\r\n");
  sim.removeDirectory("C:\\Gone");
  settings.SaveFormat = "keep";
  store.read(settings, goneDir, "C:\\Gone\\vireloc.ini");
  EXPECT_EQ(settings.SaveFormat, "keep");
  EXPECT_NO_THROW(store.write(settings, goneDir, "C:\\Gone\\vireloc.ini"));
  EXPECT_FALSE(sim.hasFile("C:\\Gone\\vireloc.ini"));
}

// Another program (a sync tool, a virus scanner) holds the file open while the program starts:
// what it holds is the user's, and defaults must never be written over it.
TEST_F(SettingsStoreTest, AFileHeldAtTheStartIsReadAgainBeforeTheFirstWriteAndKeepsItsValues) {
  writeIni("[Settings]\r\nDefaultClick=WindowSmall\r\nSaveFormat=2\r\n"
           "[VRLClipboard]\r\nAutoPopup=1\r\nLeft=-5\r\n[Update]\r\nHost=updates.test\r\n");
  sim.lockFile(kIniPath);
  store.read(settings, kAppDir, kIniPath);
  EXPECT_EQ(settings.DefaultClick, "Dovrant");
  settings.SaveClip = "1";  // changed by the user meanwhile: this stays
  sim.unlockFile(kIniPath);
  store.write(settings, kAppDir, kIniPath);
  EXPECT_EQ(settings.DefaultClick, "WindowSmall");
  EXPECT_EQ(settings.SaveFormat, "2");
  EXPECT_TRUE(settings.AutoPopup);
  EXPECT_EQ(static_cast<std::int32_t>(settings.VRLClipboardLeft), -5);
  const std::string written = *sim.fileContents(kIniPath);
  for (const char* line : {"DefaultClick=WindowSmall", "SaveFormat=2", "SaveClip=1", "Left=-5",
                           "Host=updates.test"})
    EXPECT_NE(written.find(line), std::string::npos) << line;
}

TEST_F(SettingsStoreTest, AFileStillHeldAtAWriteIsLeftAloneAndTheUserToldOnce) {
  const std::string userFile = "[Settings]\r\nDefaultClick=WindowSmall\r\n";
  writeIni(userFile);
  sim.lockFile(kIniPath);
  store.read(settings, kAppDir, kIniPath);
  try {
    store.write(settings, kAppDir, kIniPath);
    ADD_FAILURE() << "no word of the file left unwritten";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()),
              kIniPath + " を起動時に読めなかったため、設定を保存しません。"
                         "ほかのプログラムがこのファイルを開いたままにしていないか確かめてください");
  }
  EXPECT_NO_THROW(store.write(settings, kAppDir, kIniPath));
  EXPECT_EQ(sim.fileContents(kIniPath), userFile);
  sim.unlockFile(kIniPath);
  store.write(settings, kAppDir, kIniPath);
  EXPECT_EQ(settings.DefaultClick, "WindowSmall");
  EXPECT_NE(sim.fileContents(kIniPath)->find("D&D=0"), std::string::npos);
}

TEST_F(SettingsStoreTest, StartupChecksCorrectEachUnrecognisedChoiceAndSaveAfterEach) {
  store.read(settings, kAppDir, kIniPath);
  settings.ClipCpCursor = "";
  settings.SaveFormat = "2";   // valid
  settings.SaveClip = "01";    // not "1"
  settings.ImageClipSave = "2";
  std::vector<Settings> saved;
  normaliseStartupSettings(settings, [&] { saved.push_back(settings); });
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0].ClipCpCursor, "0");
  EXPECT_EQ(saved[0].SaveClip, "01");  // each correction is saved on its own
  EXPECT_EQ(saved[1].SaveClip, "0");
  EXPECT_EQ(saved[2].ImageClipSave, "1");  // off, not on
  EXPECT_EQ(settings.SaveFormat, "2");
}

TEST_F(SettingsStoreTest, ValidDefaultsNeedNoStartupWrite) {
  store.read(settings, kAppDir, kIniPath);
  int saves = 0;
  normaliseStartupSettings(settings, [&] { ++saves; });
  correctMissingSaveFolder(settings, sim, sim.background, kAppDir, [&] { ++saves; });
  EXPECT_EQ(saves, 0);
}

// The question may wait for a network's time-out: the loop goes on, and what the user chose
// meanwhile is not undone by the answer.
TEST_F(SettingsStoreTest, AMissingSaveFolderIsAskedInTheBackgroundAndAChoiceMadeMeanwhileStays) {
  store.read(settings, kAppDir, kIniPath);
  int saves = 0;
  sim.background.holdJobs = true;
  settings.ClipAddr = "\\\\nas\\gone\\";
  correctMissingSaveFolder(settings, sim, sim.background, kAppDir, [&] { ++saves; });
  settings.ClipAddr = "C:\\chosen\\";
  correctMissingSaveFolder(settings, sim, sim.background, kAppDir, [&] { ++saves; });
  EXPECT_EQ(sim.attributeQueries[sim::SimFiles::keyOf("\\\\nas\\gone\\")], 0);
  sim.background.runHeldWork();
  EXPECT_EQ(settings.ClipAddr, kAppDir);  // C:\chosen is not there either
  EXPECT_EQ(saves, 1);

  settings.ClipAddr = "\\\\nas\\gone\\";
  correctMissingSaveFolder(settings, sim, sim.background, kAppDir, [&] { ++saves; });
  settings.ClipAddr = kAppDir + "shots\\";
  sim.background.runHeldWork();
  EXPECT_EQ(settings.ClipAddr, kAppDir + "shots\\");
  EXPECT_EQ(saves, 1);
}

// The file is in the system code page (Japanese here) until a value needs more: then it
// becomes UTF-16 once, keeping all it held.
TEST_F(SettingsStoreTest, AFileWhoseValuesFitKeepsItsBytesAndItsCodePage) {
  const std::string folder = "C:\\キャプチャ画像\\";
  settings.ClipAddr = folder;
  store.write(settings, kAppDir, kIniPath);
  const std::string first = *sim.fileContents(kIniPath);
  EXPECT_EQ(first.substr(0, 10), "[Settings]");
  EXPECT_NE(first.find("ClipAddr=" + folder + "\r\n"), std::string::npos);
  store.write(settings, kAppDir, kIniPath);
  EXPECT_EQ(*sim.fileContents(kIniPath), first);
}

TEST_F(SettingsStoreTest, AValueOutsideTheCodePageTurnsTheFileToUtf16KeepingEverythingInOrder) {
  writeIni("; mine\n[Update]\r\nHost=updates.test:8080\r\n[Settings]\r\nExtra=x\r\nSaveFormat=2\r\n");
  store.read(settings, kAppDir, kIniPath);
  settings.ClipAddr = "D:\\캡처 📷\\";
  store.write(settings, kAppDir, kIniPath);
  const std::string bytes = *sim.fileContents(kIniPath);
  ASSERT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE;\0", 4));
  EXPECT_EQ(sim.profileText(kIniPath)->substr(0, 8), "; mine\r\n");  // CR LF throughout
  const test::Lines lines = settingsLines();
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(test::Lines(lines.begin(), lines.begin() + 8),
            (test::Lines{"; mine", "[Update]", "Host=updates.test:8080", "[Settings]", "Extra=x",
                         "SaveFormat=2", "DefaultClick=Dovrant", "D&D=0"}));
  EXPECT_EQ(lines[8], "ClipAddr=D:\\캡처 📷\\");
  EXPECT_EQ(lines.size(), test::kDefaultSettingsLines.size() + 4);  // ; mine, [Update], Host, Extra

  Settings again;
  store.read(again, kAppDir, kIniPath);
  EXPECT_EQ(again.ClipAddr, "D:\\캡처 📷\\");
  EXPECT_EQ(again.SaveFormat, "2");
  EXPECT_EQ(sim.readProfileString("Update", "Host", "", kIniPath), "updates.test:8080");
}

TEST_F(SettingsStoreTest, ARewriteWithoutRoomLeavesTheFileAsItWasAndIsReportedAsARefusedWrite) {
  const std::string original = "[Update]\r\nHost=updates.test:8080\r\n";
  writeIni(original);
  sim.diskSpace = original.size();  // the UTF-16 copy needs twice that
  store.read(settings, kAppDir, kIniPath);
  settings.ClipAddr = "D:\\캡처\\";
  EXPECT_THROW(store.write(settings, kAppDir, kIniPath), AppError);
  // DefaultClick and D&D fitted and were written in place; the file is still one text.
  EXPECT_EQ(*sim.fileContents(kIniPath),
            original + "[Settings]\r\nDefaultClick=Dovrant\r\nD&D=0\r\n");
}

// A folder named in letters the code page lacks is the save folder after a restart too.
using SettingsFileRestartTest = test::ProgramTest;

TEST_F(SettingsFileRestartTest, AKoreanOrEmojiSaveFolderTypedInTheDialogIsKeptAcrossARestart) {
  for (const std::string folder : {"C:\\캡처\\", "C:\\shots 📷\\"}) {
    SCOPED_TRACE(folder);
    sim.putFile(kIniPath, "[Settings]\r\nSaveFormat=0\r\n");
    sim.addDirectory(folder.substr(0, folder.size() - 1));
    start().openSettingsDialog();
    const WindowHandle dialog = sim.findWindowByClass("TForm2");
    sim.setControlText(dialog, "Edit1", folder);
    sim.clickControl(dialog, "Button1");
    stop();

    EXPECT_EQ(start().settings.ClipAddr, folder);
    sim.sendMessage(mainWindow().handle(), wm::Hotkey, 101, 0);
    EXPECT_EQ(sim.fileNamesIn(folder.substr(0, folder.size() - 1)).size(), 1u);
    stop();
  }
}

}  // namespace
}  // namespace vireloc
