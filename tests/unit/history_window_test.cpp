#include "clipboard/history_window.h"

#include <gtest/gtest.h>

#include "forms/saved_place.h"
#include "program_fixture.h"

namespace vireloc {
namespace {

using Rows = std::vector<std::string>;
const std::string kGrid = "StringGrid1";
const std::string kErase = "クリップボードログ消去(&E)";
const Rect kWorkArea{0, 0, 1024, 738};

// The window alone on the application, with a history and settings of the test's own.
class HistoryWindowTest : public test::ProgramTest {
 protected:
  HistoryWindowTest() {
    sim.windows[application.handle()].visible = true;
    sim.workAreaRect = kWorkArea;
    for (const char* text : {"E", "D", "C", "B", "A"}) history.record(text);
  }

  void open() {
    window = &forms.add<TWClipboard>(
        TWClipboard::Shared{history, selfCopy, settings, [this] { written.push_back(settings); }},
        [this] { window = nullptr; });
    forms.open(*window);
    form = sim.findWindowByClass("TWClipboard");
  }
  sim::SimForm& simForm() { return sim.forms.at(form); }
  Rows gridRows() { return simForm().control(kGrid).rows; }
  Rows historyEntries() {
    Rows entries;
    for (int i = 0; i < ClipHistory::kSize; ++i) entries.push_back(history.entry(i));
    return entries;
  }
  bool eraseEnabled() { return simForm().menuItem(kErase)->enabled; }

  ClipHistory history;
  bool selfCopy = false;
  Settings settings;
  std::vector<Settings> written;  // the settings at each iniWrite
  TWClipboard* window = nullptr;
  WindowHandle form = 0;
  OpenForms forms{platform, application};  // last: its windows go first
};

TEST_F(HistoryWindowTest, FiveRowsFillTheClientAreaUnderTheFunctionMenu) {
  open();
  const FormSpec& layout = simForm().layout;
  EXPECT_EQ(sim.windows.at(form).title, "クリップボードログ");
  EXPECT_EQ(layout.clientWidth, 133);
  EXPECT_EQ(layout.clientHeight, 129);
  EXPECT_TRUE(layout.appWindow);
  EXPECT_EQ(layout.font.face, "MS Shell Dlg 2");
  EXPECT_EQ(layout.font.charset, charset::ShiftJis);
  const ControlSpec& grid = simForm().control(kGrid).layout;
  EXPECT_EQ(grid.bounds, (Rect{0, 0, layout.clientWidth, layout.clientHeight}));
  EXPECT_EQ(5 * (grid.rowHeight + grid.gridLine) + 2 * 2, layout.clientHeight);
  ASSERT_EQ(layout.menuBar.size(), 1u);
  EXPECT_EQ(layout.menuBar[0].caption, "機能(&F)");
  Rows captions;
  for (const MenuEntry& item : layout.menuBar[0].submenu)
    captions.push_back(item.separator ? "-" : item.caption + (item.enabled ? "" : " (disabled)"));
  EXPECT_EQ(captions, (Rows{"オプション(&O) (disabled)", kErase, "-", "閉じる(&C)"}));
  EXPECT_EQ(gridRows(), (Rows{"A", "B", "C", "D", "E"}));
}

TEST_F(HistoryWindowTest, PlacementOnTheWorkArea) {
  const int w = 139, h = 173;
  struct Case {
    const char* what;
    std::int32_t left, top;
    std::uint32_t width;
    Point expected;
  };
  const Case cases[] = {
      {"never placed", 0, 0, 0, {1024 - w, 738 - h}},
      {"left of the screen", -10, 100, w, {1024 - w, 100}},
      {"at the right edge", 1024, 900, w, {1024 - w, 738 - h}},  // on no screen: the corner
      {"top at the bottom edge", 200, 738, w, {1024 - w, 738 - h}},
      {"top above the screen", 200, -1, w, {200, 738 - h}},
      {"closed at the origin", 0, 0, w, {0, 0}},
      {"inside", 300, 400, w, {300, 400}},
  };
  for (const Case& c : cases) {
    Settings saved;
    saved.VRLClipboardLeft = static_cast<std::uint32_t>(c.left);
    saved.VRLClipboardTop = static_cast<std::uint32_t>(c.top);
    saved.VRLClipboardWidth = c.width;
    EXPECT_EQ(placeHistoryWindow(saved, sim, w, h), c.expected) << c.what;
    EXPECT_EQ(static_cast<std::int32_t>(saved.VRLClipboardLeft), c.expected.x) << c.what;
    EXPECT_EQ(static_cast<std::int32_t>(saved.VRLClipboardTop), c.expected.y) << c.what;
  }
}

TEST_F(HistoryWindowTest, FirstOpeningStandsInTheLowerRightCornerAndIsSaved) {
  open();
  const Rect rect = sim.formRect(form);
  EXPECT_EQ(rect.right, kWorkArea.right);
  EXPECT_EQ(rect.bottom, kWorkArea.bottom);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].VRLClipboardLeft, static_cast<std::uint32_t>(rect.left));
  EXPECT_EQ(written[0].VRLClipboardTop, static_cast<std::uint32_t>(rect.top));
  EXPECT_EQ(written[0].VRLClipboardWidth, static_cast<std::uint32_t>(rect.right - rect.left));
  EXPECT_EQ(written[0].VRLClipboardHeight, static_cast<std::uint32_t>(rect.bottom - rect.top));
}

TEST_F(HistoryWindowTest, At150PercentTheWindowGrowsByHalfAndStillOpensInTheCorner) {
  sim.dpi = 144;
  open();
  const FormSpec& layout = simForm().layout;
  EXPECT_EQ(layout.clientWidth, 200);
  EXPECT_EQ(layout.clientHeight, 194);
  EXPECT_EQ(layout.font.height, 18);
  const ControlSpec& grid = simForm().control(kGrid).layout;
  EXPECT_EQ(grid.rowHeight, 36);
  EXPECT_EQ(grid.gridLine, 2);
  EXPECT_EQ(5 * (grid.rowHeight + grid.gridLine) + 2 * 2, layout.clientHeight);
  const Rect rect = sim.formRect(form);
  EXPECT_EQ(rect.right, kWorkArea.right);
  EXPECT_EQ(rect.bottom, kWorkArea.bottom);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].VRLClipboardWidth, static_cast<std::uint32_t>(rect.right - rect.left));
}

TEST_F(HistoryWindowTest, ActivationHidesTheApplicationAndEnablesEraseForAFilledHistory) {
  open();
  EXPECT_FALSE(sim.windows.at(application.handle()).visible);
  EXPECT_TRUE(sim.windows.at(form).visible);
  EXPECT_TRUE(eraseEnabled());

  sim.pressCloseBox(form);
  history.clear();
  open();
  EXPECT_FALSE(eraseEnabled());
}

TEST_F(HistoryWindowTest, DoubleClickPutsTheRowBackOnTopAndOnTheClipboard) {
  open();
  sim.doubleClickRow(form, kGrid, 3);
  EXPECT_EQ(historyEntries(), (Rows{"D", "A", "B", "C", "E"}));
  EXPECT_EQ(gridRows(), historyEntries());
  EXPECT_EQ(sim.clipboard.text, "D");
  EXPECT_FALSE(selfCopy);

  sim.doubleClickRow(form, kGrid, 0);
  EXPECT_EQ(historyEntries(), (Rows{"D", "A", "B", "C", "E"}));
  EXPECT_EQ(sim.clipboard.text, "D");
  EXPECT_EQ(sim.clipboardLog, (Rows{"open", "empty", "close", "open", "empty", "close"}));
}

TEST_F(HistoryWindowTest, DoubleClickOnAnEmptyRowChangesNothing) {
  history.clear();
  history.record("only");
  sim.clipboard.text = "elsewhere";
  open();
  sim.doubleClickRow(form, kGrid, 2);
  EXPECT_EQ(historyEntries(), (Rows{"only", "", "", "", ""}));
  EXPECT_EQ(sim.clipboard.text, "elsewhere");
  EXPECT_TRUE(sim.clipboardLog.empty());
}

TEST_F(HistoryWindowTest, HeldClipboardReportsTheErrorAndReleasesRecording) {
  open();
  sim.clipboardHeldForAttempts = 3;  // let go a moment later: waited for
  sim.doubleClickRow(form, kGrid, 0);
  EXPECT_EQ(sim.clipboard.text, "A");
  EXPECT_TRUE(sim.messageBoxes.empty());

  sim.clipboardHeldByOther = true;
  sim.doubleClickRow(form, kGrid, 2);
  EXPECT_EQ(messageBoxTexts(), test::Lines{"クリップボードを開くことができません."});
  EXPECT_EQ(lastMessageBox().caption, "Dovrant");
  EXPECT_EQ(lastMessageBox().icon, MessageBoxIcon::Error);
  EXPECT_FALSE(selfCopy);
  EXPECT_EQ(historyEntries(), (Rows{"C", "A", "B", "D", "E"}));
  EXPECT_EQ(gridRows(), historyEntries());
}

TEST_F(HistoryWindowTest, ClosingWhileTheErrorBoxIsOpenLeavesNoReference) {
  open();
  sim.clipboardHeldByOther = true;
  sim.duringModal.push_back([this] { sim.pressCloseBox(form); });
  sim.doubleClickRow(form, kGrid, 1);
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(selfCopy);
  EXPECT_EQ(sim.forms.count(form), 0u);
}

TEST_F(HistoryWindowTest, PressShowsTheSelectedRowAsTooltip) {
  open();
  sim.pressRow(form, kGrid, 2);
  EXPECT_EQ(simForm().control(kGrid).tooltip, "C");
  sim.pressRow(form, kGrid, 4, MouseButton::Right);  // other buttons leave the selection
  EXPECT_EQ(simForm().control(kGrid).tooltip, "C");

  history.clear();
  history.record(std::string(5000, 'a').replace(4094, 3, "あ"));
  window->refreshHistoryGrid();
  sim.pressRow(form, kGrid, 0);
  // Cut before the character that would not fit whole.
  EXPECT_EQ(simForm().control(kGrid).tooltip, std::string(4094, 'a'));
}

TEST_F(HistoryWindowTest, ARowHoldsOnlyTheStartOfALongTextInWholeCharacters) {
  std::string text = "ab";
  while (text.size() < 1000000) text += "\xE3\x81\x82";  // あ
  history.record(text);
  open();
  EXPECT_EQ(gridRows()[0], text.substr(0, 254));  // the next あ would end at byte 257
  EXPECT_EQ(window->gridRow(0), text);
}

TEST_F(HistoryWindowTest, EraseEmptiesHistoryAndGridButNotTheClipboard) {
  sim.clipboard.text = "kept";
  open();
  sim.chooseMenuItem(form, kErase);
  EXPECT_EQ(historyEntries(), Rows(5));
  EXPECT_EQ(gridRows(), Rows(5));
  EXPECT_FALSE(eraseEnabled());
  EXPECT_EQ(sim.clipboard.text, "kept");
}

TEST_F(HistoryWindowTest, ClosingKeepsTheGeometryAndClearsTheReference) {
  open();
  sim.moveForm(form, {40, 50});
  sim.chooseMenuItem(form, "閉じる(&C)");
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(sim.forms.count(form), 0u);
  EXPECT_EQ(settings.VRLClipboardLeft, 40u);
  EXPECT_EQ(settings.VRLClipboardTop, 50u);
  EXPECT_EQ(written.size(), 1u);  // kept in memory only

  open();
  EXPECT_EQ(sim.formRect(form).left, 40);
  EXPECT_EQ(sim.formRect(form).top, 50);
  sim.moveForm(form, {-10, 60});
  sim.pressCloseBox(form);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(settings.VRLClipboardLeft, static_cast<std::uint32_t>(-10));
}

TEST_F(HistoryWindowTest, APlaceNoMonitorShowsOpensInTheCornerAndOneOnAnotherMonitorStays) {
  const Rect leftMonitor{-1280, 0, 0, 1000};
  sim.otherMonitorWorkAreas = {leftMonitor};
  settings.VRLClipboardLeft = settings.VRLClipboardTop = static_cast<std::uint32_t>(-32000);
  settings.VRLClipboardWidth = 160;
  open();
  const Rect rect = sim.formRect(form);
  EXPECT_EQ((Point{rect.right, rect.bottom}), (Point{kWorkArea.right, kWorkArea.bottom}));
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].VRLClipboardLeft, static_cast<std::uint32_t>(rect.left));
  EXPECT_EQ(written[0].VRLClipboardTop, static_cast<std::uint32_t>(rect.top));
  EXPECT_EQ(written[0].VRLClipboardWidth, static_cast<std::uint32_t>(rect.right - rect.left));
  sim.pressCloseBox(form);

  settings.VRLClipboardLeft = static_cast<std::uint32_t>(-900);
  settings.VRLClipboardTop = 800;  // below the primary screen, on the taller left one
  open();
  EXPECT_EQ((Point{sim.formRect(form).left, sim.formRect(form).top}), (Point{-900, 800}));
  EXPECT_EQ(written.back().VRLClipboardLeft, static_cast<std::uint32_t>(-900));
}

TEST_F(HistoryWindowTest, ClosedWhileMinimisedKeepsItsLastPlaceOnScreen) {
  open();
  sim.moveForm(form, {40, 50});
  const Rect normal = sim.formRect(form);
  sim.minimizeForm(form);
  ASSERT_EQ(sim.formRect(form).left, -32000);
  sim.pressCloseBox(form);
  EXPECT_EQ((Point{static_cast<std::int32_t>(settings.VRLClipboardLeft),
                   static_cast<std::int32_t>(settings.VRLClipboardTop)}),
            (Point{40, 50}));
  EXPECT_EQ(settings.VRLClipboardWidth, static_cast<std::uint32_t>(normal.right - normal.left));
  EXPECT_EQ(settings.VRLClipboardHeight, static_cast<std::uint32_t>(normal.bottom - normal.top));
  open();
  EXPECT_EQ(sim.formRect(form), normal);
}

// The tray menu opens the one window; the settings file holds its place from then on.
using HistoryWindowFromTrayTest = test::ProgramTest;

TEST_F(HistoryWindowFromTrayTest, OpensOnceAndClosesToTheSameReference) {
  auto rightPress = [&](const std::string& choice) {
    chooseFromTrayMenu(choice);
    for (const MenuEntry& item : sim.shownMenus.back().items)
      if (item.caption == "クリップボード拡張表示(&S)") return item.enabled;
    throw std::runtime_error("no item クリップボード拡張表示(&S)");
  };

  EXPECT_TRUE(rightPress("クリップボード拡張表示(&S)"));
  ASSERT_NE(mainWindow().historyWindow, nullptr);
  const WindowHandle form = mainWindow().historyWindow->handle();
  const Rect rect = sim.formRect(form);
  const Rows ini = settingsLines();
  ASSERT_GE(ini.size(), 4u);
  const Rows tail(ini.end() - 4, ini.end());
  EXPECT_EQ(tail, (Rows{"Top=" + std::to_string(rect.top), "Left=" + std::to_string(rect.left),
                        "Height=" + std::to_string(rect.bottom - rect.top),
                        "Width=" + std::to_string(rect.right - rect.left)}));

  EXPECT_FALSE(rightPress(""));
  sim.pressCloseBox(form);
  EXPECT_EQ(mainWindow().historyWindow, nullptr);
  EXPECT_TRUE(rightPress("クリップボード拡張表示(&S)"));
  EXPECT_EQ(sim.formRect(mainWindow().historyWindow->handle()), rect);
}

}  // namespace
}  // namespace vireloc
