#include "capture/capture_writer.h"

#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vireloc {
namespace {

using test::kAppDir;
using test::kIniPath;

const std::string kStamp = "20110315142305123";

class CaptureWriterTest : public test::ProgramTest {
 protected:
  CaptureWriterTest() { start(); }
  void press(int id = 101) { sim.sendMessage(mainWindow().handle(), wm::Hotkey, id, 0); }
};

TEST(CaptureTimeStampTest, SeventeenZeroPaddedDigitsMonthBeforeMinute) {
  EXPECT_EQ(captureTimeStamp({2011, 3, 15, 14, 23, 5, 123}), "20110315142305123");
  EXPECT_EQ(captureTimeStamp({2026, 12, 9, 0, 0, 0, 7}), "20261209000000007");
}

TEST_F(CaptureWriterTest, FormatChoosesEncoderAndExtensionAndUnknownWritesNothing) {
  const std::pair<const char*, std::string> formats[] = {
      {"0", ".bmp"}, {"1", ".jpg"}, {"2", ".PNG"}};
  for (const auto& [choice, extension] : formats) {
    mainWindow().settings.SaveFormat = choice;
    press();
    ASSERT_TRUE(sim.hasFile(kAppDir + kStamp + extension)) << extension;
  }
  // Names as the file system keeps them: the PNG extension is upper-case.
  EXPECT_EQ(sim.fileNamesIn(kAppDir), (std::vector<std::string>{kStamp + ".PNG", kStamp + ".bmp",
                                                                kStamp + ".jpg", "vireloc.exe"}));
  EXPECT_EQ(sim.fileContents(kAppDir + kStamp + ".jpg")->substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(sim.fileContents(kAppDir + kStamp + ".PNG")->substr(1, 3), "PNG");

  const auto filesBefore = sim.files.size();
  mainWindow().settings.SaveFormat = "3";
  mainWindow().settings.SaveClip = "1";
  press();
  EXPECT_EQ(sim.files.size(), filesBefore);
  EXPECT_TRUE(sim.clipboard.bitmap.has_value());  // the clipboard step still runs
  EXPECT_TRUE(sim.messageBoxes.empty());
}

TEST_F(CaptureWriterTest, SaveFolderIsJoinedToTheNameAsItStands) {
  sim.addDirectory("C:\\shots");
  mainWindow().settings.ClipAddr = "C:\\shots";
  press();
  EXPECT_TRUE(sim.hasFile("C:\\shots" + kStamp + ".bmp"));
}

TEST_F(CaptureWriterTest, MissingFolderIsToldOnceAndTheCaptureLandsInTheProgramFolder) {
  mainWindow().settings.ClipAddr = "D:\\gone\\";
  press();
  sim.clock.millisecond = 124;
  press();
  EXPECT_EQ(messageBoxTexts(),
            test::Lines{"フォルダが見つからないため保存フォルダを\r\n" + kAppDir + "\r\nに変更しました"});
  EXPECT_EQ(lastMessageBox().caption, "Dovrant");
  EXPECT_EQ(lastMessageBox().icon, MessageBoxIcon::None);
  EXPECT_TRUE(sim.hasFile(kAppDir + kStamp + ".bmp"));
  EXPECT_NE(sim.fileContents(kIniPath)->find("ClipAddr=" + kAppDir), std::string::npos);
}

// A share that stopped answering holds each question to it for the network's time-out: the
// folder is asked and written by the background work only, and the program goes on meanwhile.
TEST_F(CaptureWriterTest, AFolderThatDoesNotAnswerHoldsNeitherTheProgramNorTheCaptures) {
  const std::string share = "\\\\nas\\shots\\";
  sim.addDirectory(share);
  mainWindow().settings.ClipAddr = share;
  mainWindow().settings.SaveClip = "1";
  sim.background.holdJobs = true;
  press();
  sim.clock.millisecond = 124;
  press();
  copyInAnotherProgram("typed meanwhile");
  EXPECT_EQ(mainWindow().clipHistory.entry(0), "typed meanwhile");
  EXPECT_EQ(sim.attributeQueries[sim::SimFiles::keyOf(share)], 0);
  EXPECT_EQ(sim.background.heldJobs(), 2u);
  EXPECT_TRUE(sim.fileNamesIn(share).empty());

  sim.background.runHeldWork();
  // Named when captured, not when written; on the clipboard only once written.
  EXPECT_EQ(sim.fileNamesIn(share),
            (std::vector<std::string>{kStamp + ".bmp", "20110315142305124.bmp"}));
  EXPECT_TRUE(sim.clipboard.bitmap.has_value());
  EXPECT_TRUE(sim.messageBoxes.empty());
}

TEST_F(CaptureWriterTest, CapturesStillBeingWrittenAtExitAreFinishedBeforeTheSettingsAreSaved) {
  mainWindow().settings.ClipAddr = "D:\\gone\\";
  sim.background.holdJobs = true;
  press();
  stop();
  EXPECT_TRUE(sim.hasFile(kAppDir + kStamp + ".bmp"));
  EXPECT_EQ(messageBoxTexts().size(), 1u);
  EXPECT_NE(sim.fileContents(kIniPath)->find("ClipAddr=" + kAppDir), std::string::npos);
}

TEST_F(CaptureWriterTest, AFolderGoneSinceItWasFoundStillGetsTheCaptureIntoTheProgramFolder) {
  sim.addDirectory("C:\\shots");
  mainWindow().settings.ClipAddr = "C:\\shots\\";
  press();
  sim.removeDirectory("C:\\shots");
  sim.clock.millisecond = 124;
  press();
  EXPECT_EQ(messageBoxTexts(),
            test::Lines{"フォルダが見つからないため保存フォルダを\r\n" + kAppDir + "\r\nに変更しました"});
  EXPECT_TRUE(sim.hasFile(kAppDir + "20110315142305124.bmp"));
  EXPECT_EQ(mainWindow().settings.ClipAddr, kAppDir);
  EXPECT_NE(sim.fileContents(kIniPath)->find("ClipAddr=" + kAppDir), std::string::npos);
}

TEST_F(CaptureWriterTest, SecondCaptureInsideTheFolderMessageRunsToItsEndFirst) {
  mainWindow().settings.ClipAddr = "D:\\gone\\";
  std::vector<std::string> order;
  sim.duringModal.push_back([&] {
    sim.clock.millisecond = 456;
    press();
    order.push_back("inner done");
  });
  press();
  EXPECT_EQ(sim.messageBoxes.size(), 2u);  // both saw the missing folder
  EXPECT_EQ(order, std::vector<std::string>{"inner done"});
  EXPECT_EQ(sim.fileNamesIn(kAppDir), (std::vector<std::string>{kStamp + ".bmp", "20110315142305456.bmp",
                                      "vireloc.exe", "vireloc.ini"}));
  EXPECT_EQ(mainWindow().settings.ClipAddr, kAppDir);
}

TEST_F(CaptureWriterTest, UnwritableFileIsReportedWithItsPathAndStopsTheCapture) {
  sim.diskSpace = 10;
  mainWindow().settings.SaveClip = "1";
  sim.clipboard.text = "kept";
  press();
  ASSERT_EQ(sim.messageBoxes.size(), 1u);
  EXPECT_NE(sim.messageBoxes[0].text.find(kAppDir + kStamp + ".bmp"), std::string::npos);
  EXPECT_EQ(sim.clipboard.text, "kept");
  EXPECT_FALSE(mainWindow().captureBusy);  // a failed capture does not switch the image monitor off
}

TEST(CaptureTimeStampTest, NextMillisecondCarriesIntoSecondsDaysMonthsAndYears) {
  EXPECT_EQ(captureTimeStamp(nextMillisecond({2011, 3, 15, 14, 23, 5, 123})), "20110315142305124");
  EXPECT_EQ(captureTimeStamp(nextMillisecond({2011, 3, 15, 14, 59, 59, 999})), "20110315150000000");
  EXPECT_EQ(captureTimeStamp(nextMillisecond({2011, 4, 30, 23, 59, 59, 999})), "20110501000000000");
  EXPECT_EQ(captureTimeStamp(nextMillisecond({2024, 2, 28, 23, 59, 59, 999})), "20240229000000000");
  EXPECT_EQ(captureTimeStamp(nextMillisecond({2100, 2, 28, 23, 59, 59, 999})), "21000301000000000");
  EXPECT_EQ(captureTimeStamp(nextMillisecond({2026, 12, 31, 23, 59, 59, 999})), "20270101000000000");
}

// A name already taken (by an earlier capture in the same millisecond, or by anything else)
// is never replaced: the capture takes the next free millisecond.
TEST_F(CaptureWriterTest, CapturesInOneMillisecondAreAllKeptUnderTheNextFreeStamps) {
  sim.putFile(kAppDir + "20110315142305124.bmp", "someone's", /*readOnly=*/true);
  press();
  const std::string first = *sim.fileContents(kAppDir + kStamp + ".bmp");
  sim.screenImage.pixels[0] = 0x42;
  press();
  EXPECT_TRUE(sim.messageBoxes.empty());
  EXPECT_EQ(*sim.fileContents(kAppDir + kStamp + ".bmp"), first);
  EXPECT_EQ(sim.fileContents(kAppDir + "20110315142305124.bmp"), "someone's");
  EXPECT_NE(*sim.fileContents(kAppDir + "20110315142305125.bmp"), first);
  EXPECT_EQ(sim.fileNamesIn(kAppDir).size(), 4u);
}

// Temporary names left behind by a crash are passed over, never removed; only ten tries.
TEST_F(CaptureWriterTest, LeftoverTemporaryFilesAreSkippedUpToTenNames) {
  sim.putFile(kAppDir + kStamp + ".bmp.tmp", "left by a crash");
  sim.putFile(kAppDir + kStamp + ".bmp.1.tmp", "and another");
  press();
  EXPECT_TRUE(sim.messageBoxes.empty());
  EXPECT_EQ(sim.fileNamesIn(kAppDir), (std::vector<std::string>{kStamp + ".bmp", kStamp + ".bmp.1.tmp",
                                                                kStamp + ".bmp.tmp", "vireloc.exe"}));
  EXPECT_EQ(sim.fileContents(kAppDir + kStamp + ".bmp.tmp"), "left by a crash");

  sim.clock.millisecond = 124;
  const std::string next = kAppDir + "20110315142305124.bmp";
  sim.putFile(next + ".tmp", "");
  for (int n = 1; n < 10; ++n) sim.putFile(next + "." + std::to_string(n) + ".tmp", "");
  press();
  EXPECT_FALSE(sim.hasFile(next));
  EXPECT_EQ(messageBoxTexts(), test::Lines{"\"" + next + "\" を作成できません。ファイルが存在します。."});
}

TEST_F(CaptureWriterTest, DiskFullPartWayLeavesNoFileAndKeepsEarlierCaptures) {
  mainWindow().settings.SaveFormat = "2";
  press();
  const std::string earlier = *sim.fileContents(kAppDir + kStamp + ".PNG");
  for (const char* format : {"0", "1", "2"}) {
    mainWindow().settings.SaveFormat = format;
    sim.clock.millisecond += 1;
    sim.diskSpace = 1000;  // the headers fit, the pixels do not
    press();
  }
  EXPECT_EQ(sim.fileNamesIn(kAppDir), (std::vector<std::string>{kStamp + ".PNG", "vireloc.exe"}));
  EXPECT_EQ(*sim.fileContents(kAppDir + kStamp + ".PNG"), earlier);
  ASSERT_EQ(sim.messageBoxes.size(), 3u);
  EXPECT_EQ(sim.messageBoxes[0].text, "\"" + kAppDir + "20110315142305124.bmp\" に書き込めません。"
                                      "ディスクに十分な空き領域がありません。.");
  EXPECT_EQ(*sim.diskSpace, 1000u);  // every partial byte given back
}

TEST_F(CaptureWriterTest, ClipboardCopyThatCannotBeMadeLeavesTheClipboardAlone) {
  mainWindow().settings.SaveClip = "1";
  sim.clipboard.text = "the user's text";
  sim.clipboardImageFails = true;
  press();
  EXPECT_EQ(sim.clipboard.text, "the user's text");
  EXPECT_TRUE(sim.clipboardLog.empty());
  EXPECT_EQ(messageBoxTexts(), test::Lines{"クリップボードに置く画像を作成できません。"
                                           "この操作を完了するのに十分な記憶域がありません。."});
  EXPECT_TRUE(sim.hasFile(kAppDir + kStamp + ".bmp"));
}

TEST_F(CaptureWriterTest, ClipboardCopyNeedsTheClipboardAndKeepsTheFile) {
  mainWindow().settings.SaveClip = "1";
  press();
  ASSERT_TRUE(sim.clipboard.bitmap);
  EXPECT_EQ(sim.clipboard.bitmap->width, 1024);
  EXPECT_FALSE(sim.clipboardOpen);

  sim.clipboard = {};
  sim.clipboardHeldForAttempts = 3;
  sim.clock.second = 7;
  press();
  EXPECT_TRUE(sim.clipboard.bitmap);
  EXPECT_TRUE(sim.messageBoxes.empty());

  sim.clipboard = {};
  sim.clipboardHeldByOther = true;
  sim.clock.second = 6;
  press();
  EXPECT_TRUE(sim.hasFile(kAppDir + "20110315142306123.bmp"));
  EXPECT_EQ(messageBoxTexts(), test::Lines{"クリップボードを開くことができません."});
  EXPECT_FALSE(sim.clipboard.bitmap);
}

}  // namespace
}  // namespace vireloc
