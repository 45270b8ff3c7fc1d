#include "clipboard/clipboard_watcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "clipboard/history_window.h"
#include "program_fixture.h"

namespace vireloc {
namespace {

using test::kAppDir;
using Rows = std::vector<std::string>;
using sim::SimClipboardContent;

SimClipboardContent textContent(const std::string& text) {
  SimClipboardContent content;
  content.text = text;
  return content;
}
SimClipboardContent imageContent() {
  SimClipboardContent content;
  content.bitmap = PixelBuffer::blank(4, 3, 32);
  return content;
}

class ClipboardWatcherTest : public test::ProgramTest {
 protected:
  ClipboardWatcherTest() {
    sim.clipboardViewer = otherViewer;  // joined the chain before the program
  }
  void copyTexts(std::initializer_list<const char*> texts) {
    for (const char* text : texts) copyInAnotherProgram(text);
  }
  Rows history() {
    Rows entries;
    const ClipHistory& clipHistory = mainWindow().clipHistory;
    for (int i = 0; i < ClipHistory::kSize; ++i) entries.push_back(clipHistory.entry(i));
    return entries;
  }
  int passedOn(std::uint32_t message) {
    int count = 0;
    for (const auto& sent : sim.foreignMessages)
      count += sent.window == otherViewer && sent.message == message;
    return count;
  }
  std::vector<std::string> captures() {
    std::vector<std::string> names;
    for (const std::string& name : sim.fileNamesIn(kAppDir))
      if (name.size() == 21 && name.ends_with(".bmp")) names.push_back(name);
    return names;
  }
  void monitorImages() {
    mainWindow().settings.ImageClipSave = "0";
    mainWindow().settings.SaveClip = "1";
  }

  WindowHandle otherViewer = sim.addForeignWindow("OtherViewer", "");
};

TEST_F(ClipboardWatcherTest, JoiningRecordsTheTextThereAndEveryChangeGoesOnDownTheChain) {
  sim.clipboard.text = "there at start";
  start();
  EXPECT_EQ(history()[0], "there at start");
  EXPECT_EQ(mainWindow().clipboardWatcher->nextViewer, otherViewer);
  EXPECT_EQ(passedOn(wm::DrawClipboard), 0);  // the join's own notification came too early
  EXPECT_TRUE(sim.messageBoxes.empty());

  copyInAnotherProgram("a");
  copyInAnotherProgram(imageContent());
  sim.clipboardHeldByOther = true;  // its error is dropped without a word
  copyInAnotherProgram("held");
  sim.clipboardHeldByOther = false;
  mainWindow().trayMenu->mnuClipClick();  // emptied by the program itself
  EXPECT_EQ(passedOn(wm::DrawClipboard), 4);
  EXPECT_TRUE(sim.messageBoxes.empty());
  EXPECT_EQ(history()[0], "a");

  mainWindow().close();
  EXPECT_EQ(sim.clipboardViewer, otherViewer);  // left the chain, the rest of it intact
}

TEST_F(ClipboardWatcherTest, JoiningFailsWithAMessageOnlyWhenTheSystemSaysSo) {
  sim.clipboardViewer = 0;  // the first viewer: 0 without an error is no failure
  start();
  EXPECT_TRUE(sim.messageBoxes.empty());
  copyInAnotherProgram("recorded");
  EXPECT_EQ(history()[0], "recorded");
  EXPECT_TRUE(sim.foreignMessages.empty());

  stop();
  sim.clipboardViewerFails = true;
  start();
  EXPECT_EQ(messageBoxTexts(), test::Lines{"なぜかクリップボードのフックに失敗しました(T_T)"});
  EXPECT_EQ(lastMessageBox().icon, MessageBoxIcon::None);
}

TEST_F(ClipboardWatcherTest, HistoryKeepsFiveDistinctTextsNewestFirst) {
  copyTexts({"E", "D", "C", "B", "A"});
  EXPECT_EQ(history(), (Rows{"A", "B", "C", "D", "E"}));
  copyInAnotherProgram("C");
  EXPECT_EQ(history(), (Rows{"C", "A", "B", "D", "E"}));
  copyInAnotherProgram("E");
  EXPECT_EQ(history(), (Rows{"E", "C", "A", "B", "D"}));
  copyInAnotherProgram("F");  // the sixth text drops the oldest
  EXPECT_EQ(history(), (Rows{"F", "E", "C", "A", "B"}));
  copyInAnotherProgram("F");
  EXPECT_EQ(history(), (Rows{"F", "E", "C", "A", "B"}));
  copyInAnotherProgram("f");  // case matters
  EXPECT_EQ(history()[0], "f");

  mainWindow().selfCopy = true;  // the history window is writing an entry back
  sim.clipboardLog.clear();
  copyInAnotherProgram("during reuse");
  EXPECT_EQ(history()[0], "f");
  EXPECT_EQ(std::count(sim.clipboardLog.begin(), sim.clipboardLog.end(), "read text"), 0)
      << "a text of its own is not read back";
}

TEST_F(ClipboardWatcherTest, MarkedTextsAreNeitherRecordedNorSaved) {
  monitorImages();
  const std::pair<std::string, std::optional<std::uint32_t>> markers[] = {
      {"ExcludeClipboardContentFromMonitorProcessing", std::nullopt},
      {"Clipboard Viewer Ignore", std::nullopt},
      {"CanIncludeInClipboardHistory", 0u},
  };
  for (const auto& [name, value] : markers) {
    SimClipboardContent secret = textContent("password");
    secret.namedFormats[name] = value;
    copyInAnotherProgram(secret);
    SimClipboardContent image = imageContent();
    image.namedFormats[name] = value;
    copyInAnotherProgram(image);
  }
  EXPECT_EQ(history()[0], "");
  EXPECT_TRUE(captures().empty());

  SimClipboardContent allowed = textContent("may be kept");
  allowed.namedFormats["CanIncludeInClipboardHistory"] = 1u;
  copyInAnotherProgram(allowed);
  EXPECT_EQ(history()[0], "may be kept");
}

TEST_F(ClipboardWatcherTest, ImageMonitorSavesExactlyThreeFormatImagesWhenOn) {
  start();
  copyInAnotherProgram(imageContent());
  EXPECT_TRUE(captures().empty());  // off by default

  monitorImages();
  copyInAnotherProgram(imageContent());
  EXPECT_EQ(captures().size(), 1u);

  SimClipboardContent withPalette;
  withPalette.bitmap = PixelBuffer::blank(4, 4, 8);
  withPalette.bitmap->palette.resize(256);  // four formats with CF_PALETTE
  SimClipboardContent withOther = imageContent();
  withOther.otherFormats = 1;
  SimClipboardContent textAndImage = imageContent();
  textAndImage.text = "caption";
  sim.clock.millisecond += 1;
  for (const auto& content : {withPalette, withOther, textAndImage}) copyInAnotherProgram(content);
  EXPECT_EQ(captures().size(), 1u);
  EXPECT_EQ(history()[0], "caption");  // a text wins over the image
}

// Texts are read on a thread of their own: the loop goes on meanwhile, and hears of them in
// the order the changes happened.
TEST_F(ClipboardWatcherTest, TextsReadAwayFromTheLoopAreRecordedInTheOrderCopied) {
  monitorImages();
  sim::SimClipboardTextReader& reader = sim.clipboardTextReader;
  reader.holdAnswers = true;  // read, the loop not told yet
  copyTexts({"first", "second"});
  copyInAnotherProgram(imageContent());
  copyInAnotherProgram("third");
  EXPECT_EQ(captures().size(), 1u) << "an image does not wait behind the texts";
  EXPECT_EQ(history()[0], "");
  EXPECT_EQ(passedOn(wm::DrawClipboard), 4);
  reader.runHeldReads();
  EXPECT_EQ(history(), (Rows{"third", "second", "first", "", ""}));

  reader.holdAnswers = false;
  reader.holdReads = true;  // the thread comes late: the first text is gone by then
  copyTexts({"gone", "latest"});
  sim.clipboardLog.clear();
  reader.runHeldReads();
  EXPECT_EQ(history()[0], "latest");
  EXPECT_EQ(history()[1], "third");
  EXPECT_EQ(std::count(sim.clipboardLog.begin(), sim.clipboardLog.end(), "read text"), 1)
      << "the same contents are read once";

  copyInAnotherProgram("asked at exit");
  stop();
  EXPECT_EQ(reader.heldReads(), 0u) << "no answer may reach a program that is gone";
}

// No box may interrupt every copy, but an image not saved must not go without a word: the
// tray icon's balloon says why, once, until an image is saved again.
TEST_F(ClipboardWatcherTest, AMonitoredImageNotSavedIsToldByOneBalloonUntilOneIsSavedAgain) {
  monitorImages();
  mainWindow().settings.SaveClip = "0";
  sim.diskSpace = 10;
  copyInAnotherProgram(imageContent());
  sim.clock.millisecond += 1;
  copyInAnotherProgram(imageContent());
  ASSERT_EQ(sim.balloons.size(), 1u);
  EXPECT_EQ(sim.balloons[0].title, "Vireloc");
  EXPECT_TRUE(sim.balloons[0].text.starts_with("クリップボードの画像を保存できませんでした。\"" + kAppDir))
      << sim.balloons[0].text;
  EXPECT_NE(sim.balloons[0].text.find("ディスクに十分な空き領域がありません。"), std::string::npos);

  sim.diskSpace.reset();
  sim.clock.millisecond += 1;
  copyInAnotherProgram(imageContent());
  EXPECT_EQ(captures().size(), 1u);
  sim.diskSpace = 10;
  sim.clock.millisecond += 1;
  copyInAnotherProgram(imageContent());
  EXPECT_EQ(sim.balloons.size(), 2u);
  EXPECT_TRUE(sim.messageBoxes.empty());
}

TEST_F(ClipboardWatcherTest, OwnCapturesAreNeverSavedAgainAndTheMonitorKeepsWorking) {
  monitorImages();
  sim.sendMessage(mainWindow().handle(), wm::Hotkey, 101, 0);  // PrintScreen with SaveClip
  EXPECT_EQ(captures().size(), 1u);
  EXPECT_FALSE(mainWindow().captureBusy);
  sim.clock.millisecond += 1;  // a second save would have a name of its own
  sim.sendMessage(mainWindow().handle(), wm::DrawClipboard, 0, 0);  // its notification, late
  EXPECT_EQ(captures().size(), 1u);

  sim.clock.millisecond += 1;
  copyInAnotherProgram(imageContent());  // another program's image after the capture
  EXPECT_EQ(captures().size(), 2u);

  mainWindow().settings.ImageAppDraw = "1";  // the monitor captures the screen itself
  sim.clock.millisecond += 1;
  copyInAnotherProgram(imageContent());
  EXPECT_EQ(captures().size(), 3u);
  EXPECT_EQ(sim.clipboard.bitmap->width, 1024);  // its capture went onto the clipboard
  sim.clock.millisecond += 1;
  sim.sendMessage(mainWindow().handle(), wm::DrawClipboard, 0, 0);
  EXPECT_EQ(captures().size(), 3u);
  EXPECT_TRUE(sim.messageBoxes.empty());

  mainWindow().captureBusy = true;  // a capture at work, waiting in a message box
  sim.clock.millisecond += 1;
  copyInAnotherProgram(imageContent());
  EXPECT_EQ(captures().size(), 3u);
}

TEST_F(ClipboardWatcherTest, AutoPopupOpensTheWindowOnceAndRefreshesItAfterwards) {
  copyInAnotherProgram("nothing opens");
  EXPECT_EQ(mainWindow().historyWindow, nullptr);

  mainWindow().trayMenu->mnuClipTempEnableClick();
  copyInAnotherProgram("tick");
  ASSERT_NE(mainWindow().historyWindow, nullptr);
  TWClipboard* window = mainWindow().historyWindow;
  EXPECT_EQ(window->gridRow(0), "tick");
  window->mnuClipEraseClick();
  EXPECT_FALSE(window->mnuClipErase->Enabled);

  copyInAnotherProgram("refreshed");
  EXPECT_EQ(mainWindow().historyWindow, window);  // no second window
  EXPECT_EQ(window->gridRow(0), "refreshed");
  EXPECT_TRUE(window->mnuClipErase->Enabled);
  window->mnuCloseClick();
  EXPECT_EQ(mainWindow().historyWindow, nullptr);

  mainWindow().trayMenu->mnuClipTempEnableClick();
  mainWindow().settings.AutoPopup = true;
  copyInAnotherProgram("setting");
  ASSERT_NE(mainWindow().historyWindow, nullptr);
  EXPECT_EQ(mainWindow().historyWindow->gridRow(0), "setting");
}

TEST_F(ClipboardWatcherTest, ChainChangesAreRepairedAndPassedOn) {
  ClipboardWatcher& watcher = *mainWindow().clipboardWatcher;
  const WindowHandle elsewhere = sim.addForeignWindow("Elsewhere", "");
  sim.sendMessage(mainWindow().handle(), wm::ChangeCbChain, elsewhere, 0x777);
  EXPECT_EQ(watcher.nextViewer, otherViewer);
  EXPECT_EQ(passedOn(wm::ChangeCbChain), 1);

  const WindowHandle following = sim.addForeignWindow("Following", "");
  sim.sendMessage(mainWindow().handle(), wm::ChangeCbChain, otherViewer, following);
  EXPECT_EQ(watcher.nextViewer, following);
  ASSERT_EQ(sim.foreignMessages.back().window, following);
  EXPECT_EQ(sim.foreignMessages.back().wParam, otherViewer);

  const auto sentBefore = sim.foreignMessages.size();
  sim.sendMessage(mainWindow().handle(), wm::ChangeCbChain, following, 0);
  EXPECT_EQ(watcher.nextViewer, 0u);
  EXPECT_EQ(sim.foreignMessages.size(), sentBefore);  // nobody left to tell
}

// Any program can send these: a removed "no window" while the program is the last viewer, or
// the program itself as the viewer following.
TEST_F(ClipboardWatcherTest, ForgedChainNoticesNeverMakeTheProgramItsOwnNextViewer) {
  ClipboardWatcher& watcher = *mainWindow().clipboardWatcher;
  const WindowHandle own = mainWindow().handle();
  const WindowHandle stranger = sim.addForeignWindow("Stranger", "");
  sim.sendMessage(own, wm::ChangeCbChain, otherViewer, own);
  EXPECT_EQ(watcher.nextViewer, otherViewer);
  sim.sendMessage(own, wm::ChangeCbChain, stranger, own);
  EXPECT_EQ(passedOn(wm::ChangeCbChain), 0);  // not passed on either: nobody honest sent them

  sim.sendMessage(own, wm::ChangeCbChain, otherViewer, 0);  // honest: the last viewer left
  ASSERT_EQ(watcher.nextViewer, 0u);
  sim.sendMessage(own, wm::ChangeCbChain, 0, own);
  sim.sendMessage(own, wm::ChangeCbChain, 0, stranger);
  EXPECT_EQ(watcher.nextViewer, 0u);
  copyInAnotherProgram("still recorded");
  EXPECT_EQ(history()[0], "still recorded");
  EXPECT_TRUE(std::none_of(sim.foreignMessages.begin(), sim.foreignMessages.end(),
                           [&](const sim::ForeignMessage& m) { return m.window == stranger; }));
}

TEST_F(ClipboardWatcherTest, AViewerThatStopsAnsweringNeitherStopsTheProgramNorLeavesTheChain) {
  mainWindow().settings.SaveClip = "1";  // captures go onto the clipboard: a change of its own
  sim.windows[otherViewer].answers = false;
  copyInAnotherProgram("while it hangs");
  sim.sendMessage(mainWindow().handle(), wm::Hotkey, 101, 0);
  sim.sendMessage(mainWindow().handle(), wm::ChangeCbChain, sim.addForeignWindow("Gone", ""), 0);
  EXPECT_TRUE(sim.blockedSends.empty());
  EXPECT_EQ(sim.timedOutSends.size(), 3u);
  EXPECT_EQ(history()[0], "while it hangs");
  EXPECT_EQ(captures().size(), 1u);
  EXPECT_TRUE(sim.messageBoxes.empty());

  sim.windows[otherViewer].answers = true;
  copyInAnotherProgram("answered");
  EXPECT_EQ(mainWindow().clipboardWatcher->nextViewer, otherViewer);
  EXPECT_EQ(passedOn(wm::DrawClipboard), 1);
}

// A viewer that joined after the program and swallows every notice, as one does that ended
// without leaving the chain: the program hears of changes as a listener all the same.
TEST_F(ClipboardWatcherTest, RecordingGoesOnWithoutTheChainAndEachChangeIsHandledOnce) {
  monitorImages();
  const WindowHandle own = mainWindow().handle();
  sim.clipboardViewer = sim.addForeignWindow("Swallower", "");
  copyInAnotherProgram("heard as a listener");
  sim.runMessageLoop();
  EXPECT_EQ(history()[0], "heard as a listener");

  sim.clipboardViewer = own;
  copyInAnotherProgram(imageContent());
  sim.clock.millisecond += 1;  // a second save would have a name of its own
  sim.runMessageLoop();        // the change's update notice comes after the chain's
  EXPECT_EQ(captures().size(), 1u);
  sim.clipboard = imageContent();  // the notices of one change in the other order
  sim.clipboardSequence += 4;
  sim.sendMessage(own, wm::ClipboardUpdate, 0, 0);
  sim.clock.millisecond += 1;
  sim.sendMessage(own, wm::DrawClipboard, 0, 0);
  EXPECT_EQ(captures().size(), 2u);
  EXPECT_EQ(passedOn(wm::DrawClipboard), 2);  // passed on although handled already

  sim.clipboardSequenceUnknown = true;  // no way to tell changes apart: each notice counts
  copyTexts({"x", "y"});
  EXPECT_EQ(history()[0], "y");
  EXPECT_EQ(history()[1], "x");

  mainWindow().close();
  EXPECT_TRUE(sim.clipboardListeners.empty());
}

TEST_F(ClipboardWatcherTest, AClipboardHeldForAMomentIsWaitedForAndOneHeldLongerIsLeft) {
  start();
  auto opens = [this] { return std::count(sim.clipboardLog.begin(), sim.clipboardLog.end(), "open"); };
  auto waited = [this] {
    return std::accumulate(sim.clipboardSleeps.begin(), sim.clipboardSleeps.end(), 0u);
  };
  sim.clipboardLog.clear();
  sim.clipboardHeldForAttempts = 3;  // the copying program closes it again a moment later
  copyInAnotherProgram("held briefly");
  EXPECT_EQ(history()[0], "held briefly");
  EXPECT_EQ(opens(), std::ssize(sim.clipboardSleeps) + 1);  // a pause before each try
  EXPECT_LE(waited(), 100u);

  sim.clipboardLog.clear();
  sim.clipboardSleeps.clear();
  sim.clipboardHeldByOther = true;
  copyInAnotherProgram("held long");
  sim.runMessageLoop();  // the change's second notice finds it handled
  EXPECT_EQ(history()[0], "held briefly");
  EXPECT_EQ(opens(), std::ssize(sim.clipboardSleeps) + 1);
  EXPECT_LE(waited(), 100u);
  EXPECT_TRUE(sim.messageBoxes.empty());
}

}  // namespace
}  // namespace vireloc
