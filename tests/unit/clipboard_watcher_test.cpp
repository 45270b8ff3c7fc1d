#include "clipboard/clipboard_watcher.h"

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "clipboard/history_window.h"
#include "sim_fixture.h"

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

class ClipboardWatcherTest : public ::testing::Test {
 protected:
  ClipboardWatcherTest() {
    application.setTitle("Dovrant");
    application.handle();
    sim.clipboardViewer = otherViewer;  // joined the chain before the program
  }
  TForm1& form() {
    if (!form_) form_ = std::make_unique<TForm1>(platform, application);
    return *form_;
  }
  void copy(SimClipboardContent content) {
    form();
    sim.otherProgramCopies(std::move(content));
  }
  void copyTexts(std::initializer_list<const char*> texts) {
    for (const char* text : texts) copy(textContent(text));
  }
  Rows history() {
    Rows entries;
    for (int i = 0; i < ClipHistory::kSize; ++i) entries.push_back(form().clipHistory.entry(i));
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
    form().settings.ImageClipSave = "0";
    form().settings.SaveClip = "1";
  }

  sim::SimDesktop sim;
  Platform platform = sim.platform();
  Application application{platform};
  WindowHandle otherViewer = sim.addForeignWindow("OtherViewer", "");
  std::unique_ptr<TForm1> form_;
};

TEST_F(ClipboardWatcherTest, JoiningRecordsTheTextThereAndEveryChangeGoesOnDownTheChain) {
  sim.clipboard.text = "there at start";
  form();
  EXPECT_EQ(history()[0], "there at start");
  EXPECT_EQ(form().clipboardWatcher->nextViewer, otherViewer);
  EXPECT_EQ(passedOn(wm::DrawClipboard), 0);  // the join's own notification came too early
  EXPECT_TRUE(sim.messageBoxes.empty());

  copy(textContent("a"));
  copy(imageContent());
  sim.clipboardHeldByOther = true;  // its error is dropped without a word
  copy(textContent("held"));
  sim.clipboardHeldByOther = false;
  form().trayMenu->mnuClipClick();  // emptied by the program itself
  EXPECT_EQ(passedOn(wm::DrawClipboard), 4);
  EXPECT_TRUE(sim.messageBoxes.empty());
  EXPECT_EQ(history()[0], "a");

  form().close();
  EXPECT_EQ(sim.clipboardViewer, otherViewer);  // left the chain, the rest of it intact
}

TEST_F(ClipboardWatcherTest, JoiningFailsWithAMessageOnlyWhenTheSystemSaysSo) {
  sim.clipboardViewer = 0;  // the first viewer: 0 without an error is no failure
  form();
  EXPECT_TRUE(sim.messageBoxes.empty());
  copy(textContent("recorded"));
  EXPECT_EQ(history()[0], "recorded");
  EXPECT_TRUE(sim.foreignMessages.empty());

  sim::SimDesktop failing;
  failing.clipboardViewerFails = true;
  Platform failingPlatform = failing.platform();
  Application failingApplication{failingPlatform};
  TForm1 refused(failingPlatform, failingApplication);
  ASSERT_EQ(failing.messageBoxes.size(), 1u);
  EXPECT_EQ(failing.messageBoxes[0].text, "なぜかクリップボードのフックに失敗しました(T_T)");
  EXPECT_EQ(failing.messageBoxes[0].icon, MessageBoxIcon::None);
}

TEST_F(ClipboardWatcherTest, HistoryKeepsFiveDistinctTextsNewestFirst) {
  copyTexts({"E", "D", "C", "B", "A"});
  EXPECT_EQ(history(), (Rows{"A", "B", "C", "D", "E"}));
  copy(textContent("C"));
  EXPECT_EQ(history(), (Rows{"C", "A", "B", "D", "E"}));
  copy(textContent("E"));
  EXPECT_EQ(history(), (Rows{"E", "C", "A", "B", "D"}));
  copy(textContent("F"));  // the sixth text drops the oldest
  EXPECT_EQ(history(), (Rows{"F", "E", "C", "A", "B"}));
  copy(textContent("F"));
  EXPECT_EQ(history(), (Rows{"F", "E", "C", "A", "B"}));
  copy(textContent("f"));  // case matters
  EXPECT_EQ(history()[0], "f");

  form().selfCopy = true;  // the history window is writing an entry back
  copy(textContent("during reuse"));
  EXPECT_EQ(history()[0], "f");
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
    copy(secret);
    SimClipboardContent image = imageContent();
    image.namedFormats[name] = value;
    copy(image);
  }
  EXPECT_EQ(history()[0], "");
  EXPECT_TRUE(captures().empty());

  SimClipboardContent allowed = textContent("may be kept");
  allowed.namedFormats["CanIncludeInClipboardHistory"] = 1u;
  copy(allowed);
  EXPECT_EQ(history()[0], "may be kept");
}

TEST_F(ClipboardWatcherTest, ImageMonitorSavesExactlyThreeFormatImagesWhenOn) {
  form();
  copy(imageContent());
  EXPECT_TRUE(captures().empty());  // off by default

  monitorImages();
  copy(imageContent());
  EXPECT_EQ(captures().size(), 1u);

  SimClipboardContent withPalette;
  withPalette.bitmap = PixelBuffer::blank(4, 4, 8);
  withPalette.bitmap->palette.resize(256);  // four formats with CF_PALETTE
  SimClipboardContent withOther = imageContent();
  withOther.otherFormats = 1;
  SimClipboardContent textAndImage = imageContent();
  textAndImage.text = "caption";
  sim.clock.millisecond += 1;
  for (const auto& content : {withPalette, withOther, textAndImage}) copy(content);
  EXPECT_EQ(captures().size(), 1u);
  EXPECT_EQ(history()[0], "caption");  // a text wins over the image
}

TEST_F(ClipboardWatcherTest, OwnCapturesAreNeverSavedAgainAndTheMonitorKeepsWorking) {
  monitorImages();
  sim.sendMessage(form().handle(), wm::Hotkey, 101, 0);  // PrintScreen with SaveClip
  EXPECT_EQ(captures().size(), 1u);
  EXPECT_FALSE(form().captureBusy);
  sim.clock.millisecond += 1;  // a second save would have a name of its own
  sim.sendMessage(form().handle(), wm::DrawClipboard, 0, 0);  // its notification, late
  EXPECT_EQ(captures().size(), 1u);

  sim.clock.millisecond += 1;
  copy(imageContent());  // another program's image after the capture
  EXPECT_EQ(captures().size(), 2u);

  form().settings.ImageAppDraw = "1";  // the monitor captures the screen itself
  sim.clock.millisecond += 1;
  copy(imageContent());
  EXPECT_EQ(captures().size(), 3u);
  EXPECT_EQ(sim.clipboard.bitmap->width, 1024);  // its capture went onto the clipboard
  sim.clock.millisecond += 1;
  sim.sendMessage(form().handle(), wm::DrawClipboard, 0, 0);
  EXPECT_EQ(captures().size(), 3u);
  EXPECT_TRUE(sim.messageBoxes.empty());

  form().captureBusy = true;  // a capture at work, waiting in a message box
  sim.clock.millisecond += 1;
  copy(imageContent());
  EXPECT_EQ(captures().size(), 3u);
}

TEST_F(ClipboardWatcherTest, AutoPopupOpensTheWindowOnceAndRefreshesItAfterwards) {
  copy(textContent("nothing opens"));
  EXPECT_EQ(form().historyWindow, nullptr);

  form().trayMenu->mnuClipTempEnableClick();
  copy(textContent("tick"));
  ASSERT_NE(form().historyWindow, nullptr);
  TWClipboard* window = form().historyWindow;
  EXPECT_EQ(window->gridRow(0), "tick");
  window->mnuClipEraseClick();
  EXPECT_FALSE(window->mnuClipErase->Enabled);

  copy(textContent("refreshed"));
  EXPECT_EQ(form().historyWindow, window);  // no second window
  EXPECT_EQ(window->gridRow(0), "refreshed");
  EXPECT_TRUE(window->mnuClipErase->Enabled);
  window->mnuCloseClick();
  EXPECT_EQ(form().historyWindow, nullptr);

  form().trayMenu->mnuClipTempEnableClick();
  form().settings.AutoPopup = true;
  copy(textContent("setting"));
  ASSERT_NE(form().historyWindow, nullptr);
  EXPECT_EQ(form().historyWindow->gridRow(0), "setting");
}

TEST_F(ClipboardWatcherTest, ChainChangesAreRepairedAndPassedOn) {
  ClipboardWatcher& watcher = *form().clipboardWatcher;
  const WindowHandle elsewhere = sim.addForeignWindow("Elsewhere", "");
  sim.sendMessage(form().handle(), wm::ChangeCbChain, elsewhere, 0x777);
  EXPECT_EQ(watcher.nextViewer, otherViewer);
  EXPECT_EQ(passedOn(wm::ChangeCbChain), 1);

  const WindowHandle following = sim.addForeignWindow("Following", "");
  sim.sendMessage(form().handle(), wm::ChangeCbChain, otherViewer, following);
  EXPECT_EQ(watcher.nextViewer, following);
  ASSERT_EQ(sim.foreignMessages.back().window, following);
  EXPECT_EQ(sim.foreignMessages.back().wParam, otherViewer);

  const auto sentBefore = sim.foreignMessages.size();
  sim.sendMessage(form().handle(), wm::ChangeCbChain, following, 0);
  EXPECT_EQ(watcher.nextViewer, 0u);
  EXPECT_EQ(sim.foreignMessages.size(), sentBefore);  // nobody left to tell
}

}  // namespace
}  // namespace vireloc
