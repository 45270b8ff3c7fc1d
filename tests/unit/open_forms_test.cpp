#include "forms/open_forms.h"

#include <gtest/gtest.h>

#include <optional>

#include "app/main_form.h"
#include "common/app_error.h"
#include "dialogs/drop_window.h"
#include "program_fixture.h"
#include "clipboard/history_window.h"
#include "dialogs/settings_dialog.h"

namespace vireloc {
namespace {

// The main form as the one owner of the program's windows.
class OpenFormsTest : public test::ProgramTest {
 protected:
  std::size_t formsOfClass(const std::string& className) {
    std::size_t count = 0;
    for (const auto& [handle, form] : sim.forms) count += form.layout.className == className;
    return count;
  }
};

TEST_F(OpenFormsTest, EveryOpenWindowGoesAtExitNotOnlyTheNewestOfEachKind) {
  mainWindow().openDropWindow();
  mainWindow().openDropWindow();
  mainWindow().openAboutBox();
  mainWindow().openAboutBox();
  mainWindow().openFolderPicker();
  mainWindow().openSettingsDialog();
  mainWindow().openHistoryWindow();
  ASSERT_EQ(sim.forms.size(), 7u);
  EXPECT_EQ(mainWindow().openForms.count(), 7u);

  mainWindow().release();
  EXPECT_TRUE(sim.forms.empty());
  EXPECT_EQ(mainWindow().openForms.count(), 0u);
  EXPECT_EQ(mainWindow().dropWindow, nullptr);
  EXPECT_EQ(mainWindow().aboutBox, nullptr);
  EXPECT_EQ(mainWindow().settingsDialog, nullptr);
  EXPECT_EQ(mainWindow().historyWindow, nullptr);
}

TEST_F(OpenFormsTest, AClosedWindowGoesAndAnOlderOneKeepsNoReference) {
  mainWindow().openDropWindow();
  TForm3* older = mainWindow().dropWindow;
  mainWindow().openDropWindow();
  sim.pressCloseBox(older->handle());
  EXPECT_EQ(mainWindow().openForms.count(), 1u);
  ASSERT_NE(mainWindow().dropWindow, nullptr);
  sim.pressCloseBox(mainWindow().dropWindow->handle());
  EXPECT_EQ(mainWindow().dropWindow, nullptr);
  EXPECT_EQ(mainWindow().openForms.count(), 0u);
}

// The session ends while OK's refused write is reported from inside the dialog's handler: the
// dialog stays until that handler has returned, and then goes.
TEST_F(OpenFormsTest, EndOfSessionInsideAHandlersErrorBoxLeavesThatWindowUntilItReturns) {
  mainWindow().openSettingsDialog();
  mainWindow().openAboutBox();
  const WindowHandle dialog = mainWindow().settingsDialog->handle();
  sim.profileWritesAllowed = 0;
  std::size_t dialogsDuringBox = 0;
  sim.duringModal.push_back([&] {
    sim.endSession();
    dialogsDuringBox = formsOfClass("TForm2");
  });
  sim.clickControl(dialog, "Button1");
  EXPECT_EQ(dialogsDuringBox, 1u);  // the About box went, the dialog under its handler did not
  EXPECT_TRUE(sim.forms.empty());
  EXPECT_EQ(mainWindow().openForms.count(), 0u);
}

TEST_F(OpenFormsTest, EndOfSessionWhileTheHistoryWindowReportsItsOpeningWrite) {
  sim.profileWritesAllowed = 0;
  std::size_t windowsDuringBox = 0;
  sim.duringModal.push_back([&] {
    sim.endSession();
    windowsDuringBox = formsOfClass("TWClipboard");
  });
  mainWindow().openHistoryWindow();
  EXPECT_EQ(windowsDuringBox, 1u);
  EXPECT_TRUE(sim.forms.empty());
  EXPECT_EQ(mainWindow().openForms.count(), 0u);
}

TEST_F(OpenFormsTest, AWindowClosedByAnotherProgramWhileItReportsItsOpeningIsNotShown) {
  mainWindow();
  sim.profileWritesAllowed = 0;
  sim.duringModal.push_back([&] { sim.pressCloseBox(sim.findWindowByClass("TWClipboard")); });
  EXPECT_NO_THROW(mainWindow().openHistoryWindow());
  EXPECT_EQ(mainWindow().historyWindow, nullptr);
  EXPECT_EQ(mainWindow().openForms.count(), 0u);
  EXPECT_EQ(sim.messageBoxes.size(), 1u);  // the refused write, nothing after it
}

// The dialog's correction write fails while it is being made: it is placed and filled first,
// and only then shown.
TEST_F(OpenFormsTest, AWindowIsShownOnlyOnceItsCreationStepsHaveRun) {
  mainWindow().settings.DnD = "7";
  sim.profileWritesAllowed = 0;
  std::optional<bool> visibleDuringBox;
  sim.duringModal.push_back([&] { visibleDuringBox = sim.windows.at(sim.findWindowByClass("TForm2")).visible; });
  mainWindow().openSettingsDialog();
  EXPECT_EQ(visibleDuringBox, false);
  ASSERT_NE(mainWindow().settingsDialog, nullptr);
  EXPECT_TRUE(sim.windows.at(mainWindow().settingsDialog->handle()).visible);
}

TEST_F(OpenFormsTest, ADialogOpeningAfterTheSessionEndedRegistersNoHotkeys) {
  Settings& settings = mainWindow().settings;
  settings.DnD = "7";  // corrected, and so written, while the dialog opens
  mainWindow().unregisterCaptureHotkeys();
  sim.profileWritesAllowed = 0;
  sim.duringModal.push_back([&] { sim.endSession(); });
  mainWindow().openSettingsDialog();
  EXPECT_TRUE(sim.hotkeys.empty());
  EXPECT_EQ(sim.findWindowByClass("TForm1"), 0u);
  EXPECT_TRUE(sim.forms.empty());
}

TEST_F(OpenFormsTest, AWindowThatCannotBeCreatedIsDroppedAndSaysSoInTheUsersWords) {
  sim.formCreationFails = true;
  try {
    mainWindow().openSettingsDialog();
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()), std::string(kWindowFailure) + "メモリが不足しています。");
  }
  EXPECT_EQ(mainWindow().settingsDialog, nullptr);
  EXPECT_EQ(mainWindow().openForms.count(), 0u);

  sim.formCreationFails = false;
  mainWindow().openSettingsDialog();  // the reference was cleared: a new one opens
  EXPECT_EQ(formsOfClass("TForm2"), 1u);
}

}  // namespace
}  // namespace vireloc
