#include "dialogs/settings_dialog.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/app_error.h"
#include "program_fixture.h"

namespace vireloc {
namespace {

using Names = std::vector<std::string>;
const Names kSwitched = {"RadioGroup2", "RadioGroup2.0", "RadioGroup2.1", "RadioGroup4",
                         "RadioGroup4.0", "RadioGroup4.1", "Button3", "Button4"};

// The dialog alone on the application, with settings of the test's own.
class SettingsDialogTest : public test::ProgramTest {
 protected:
  SettingsDialogTest() {
    sim.windows[application.handle()].visible = true;
    sim.workAreaRect = {0, 0, 900, 700};
    settings.DefaultClick = "Dovrant";
    settings.DnD = "0";
    settings.ClipAddr = "C:\\caps\\";
    settings.ClipCpCursor = settings.SaveFormat = settings.SaveClip = settings.ClipEnable = "0";
    settings.ImageClipSave = "1";
    settings.ImageAppDraw = "0";
    settings.SettingWindowTop = 105;
    settings.SettingWindowLeft = 192;
  }

  void open() {
    dialog = &forms.add<TForm2>(
        TForm2::Shared{settings, appDir,
                       [this] {
                         if (writeRefused) throw AppError("C:\\v.ini に書き込めません");
                         written.push_back(settings);
                       },
                       [this] { hotkeyCalls.push_back(switchedEnabled() + " register"); },
                       [this] { hotkeyCalls.push_back(switchedEnabled() + " unregister"); }},
        [this] { dialog = nullptr; });
    forms.open(*dialog);
    form = sim.findWindowByClass("TForm2");
  }
  // The dialog's window also while it is being opened.
  sim::SimControl& control(const std::string& name) {
    return sim.forms.at(dialog ? dialog->handle() : form).control(name);
  }
  // "enabled", "disabled" or "mixed": the four controls the auto-save switch governs.
  std::string switchedEnabled() {
    int on = 0;
    for (const std::string& name : kSwitched) on += control(name).enabled;
    return on == 0 ? "disabled" : on == static_cast<int>(kSwitched.size()) ? "enabled" : "mixed";
  }
  Names checked() {
    Names names;
    for (const sim::SimControl& c : sim.forms.at(form).controls)
      if (c.checked) names.push_back(c.layout.name);
    return names;
  }
  void click(const std::string& name) { sim.clickControl(form, name); }

  Settings settings;
  const std::string appDir = test::kAppDir;
  bool writeRefused = false;
  std::vector<Settings> written;  // the settings at each iniWrite
  Names hotkeyCalls;              // each with the switched controls' state at the call
  TForm2* dialog = nullptr;
  WindowHandle form = 0;
  OpenForms forms{platform, application};  // last: its windows go first
};

TEST_F(SettingsDialogTest, FramesAndTheirControlsDoNotOverlapAtEveryDpi) {
  // 144 DPI is 150 %, 192 DPI 200 %: the design grows with the text the system draws.
  for (const auto& [dpi, width, height, fontHeight] :
       {std::tuple{96, 421, 453, 12}, std::tuple{144, 632, 680, 18}, std::tuple{192, 842, 906, 24}}) {
    sim.dpi = dpi;
    open();
    const FormSpec& layout = sim.forms.at(form).layout;
    EXPECT_EQ(sim.windows.at(form).title, "Vireloc : 設定");
    EXPECT_EQ(layout.clientWidth, width);
    EXPECT_EQ(layout.clientHeight, height);
    EXPECT_TRUE(layout.appWindow);
    EXPECT_EQ(layout.font.face, "ＭＳ Ｐゴシック");
    EXPECT_EQ(layout.font.height, fontHeight);
    EXPECT_EQ(sim.formRect(form).left, 192);  // a place on the screen is not scaled
    auto parentSize = [&](const std::string& parent) {
      if (parent.empty()) return Rect{0, 0, layout.clientWidth, layout.clientHeight};
      const Rect& outer = control(parent).layout.bounds;
      return Rect{0, 0, outer.right - outer.left, outer.bottom - outer.top};
    };
    for (const ControlSpec& a : layout.controls) {
      const Rect room = parentSize(a.parent);
      EXPECT_TRUE(a.bounds.left >= room.left && a.bounds.top >= room.top &&
                  a.bounds.right <= room.right && a.bounds.bottom <= room.bottom) << a.name;
      for (const ControlSpec& b : layout.controls) {
        if (&a == &b || a.parent != b.parent) continue;
        const bool apart = a.bounds.right <= b.bounds.left || b.bounds.right <= a.bounds.left ||
                           a.bounds.bottom <= b.bounds.top || b.bounds.bottom <= a.bounds.top;
        EXPECT_TRUE(apart) << a.name << " overlaps " << b.name << " at " << dpi;
      }
    }
    sim.pressCloseBox(form);
  }
}

TEST_F(SettingsDialogTest, OpensWithTheSettingsSelectedAndAFilledFolderBox) {
  settings.SaveFormat = "2";
  settings.AutoPopup = true;
  open();
  EXPECT_EQ(checked(), (Names{"RadioButton1", "RadioGroup1.0", "RadioGroup5.0", "RadioGroup7.1",
                              "RadioGroup2.0", "RadioGroup3.2", "RadioGroup4.0", "RadioGroup6.0"}));
  EXPECT_EQ(control("Edit1").text, "C:\\caps\\");
  EXPECT_FALSE(control("Button5").enabled);
  EXPECT_FALSE(sim.windows.at(application.handle()).visible);
  EXPECT_TRUE(written.empty());
}

TEST_F(SettingsDialogTest, PlacementForgetsPlacesOffTheWorkAreaAndKeepsPartlyShownOnes) {
  struct Case { std::int32_t left, top; Point expected; };
  for (const Case& c : {Case{300, 800, {192, 105}}, Case{950, -50, {192, 105}},
                        Case{900, 700, {192, 105}}, Case{-5000, 701, {192, 105}},
                        Case{850, 650, {850, 650}}, Case{-20, -30, {-20, -30}}}) {
    Settings saved;
    saved.SettingWindowLeft = c.left;
    saved.SettingWindowTop = c.top;
    EXPECT_EQ(placeSettingsDialog(saved, sim, 427, 478), c.expected) << c.left << "," << c.top;
    EXPECT_EQ((Point{saved.SettingWindowLeft, saved.SettingWindowTop}), c.expected);
  }
  settings.SettingWindowTop = 800;
  open();
  EXPECT_EQ(sim.formRect(form).top, 105);
  EXPECT_TRUE(written.empty());  // kept in memory until the next write
}

TEST_F(SettingsDialogTest, APlaceNoMonitorShowsOpensAtTheDefaultAndOneOnAnotherMonitorStays) {
  sim.otherMonitorWorkAreas = {{-1280, 0, 0, 1000}};
  settings.SettingWindowLeft = settings.SettingWindowTop = -32000;
  open();
  EXPECT_EQ((Point{sim.formRect(form).left, sim.formRect(form).top}), (Point{192, 105}));
  EXPECT_EQ((Point{settings.SettingWindowLeft, settings.SettingWindowTop}), (Point{192, 105}));
  click("Button2");

  settings.SettingWindowLeft = -900;
  settings.SettingWindowTop = 750;
  open();
  EXPECT_EQ((Point{sim.formRect(form).left, sim.formRect(form).top}), (Point{-900, 750}));
}

TEST_F(SettingsDialogTest, UnknownDefaultClickAndDragDropAreCorrectedAndWrittenAtOnce) {
  struct Case { const char* click; const char* dragDrop; Names shown; const char* kept; };
  const Case cases[] = {
      {"WindowSmall", "1", {"RadioButton3", "RadioGroup1.1"}, nullptr},
      {"DovrantRe", "01", {"RadioButton2", "RadioGroup1.1"}, nullptr},
      {"windowsmall", "0", {"RadioButton1", "RadioGroup1.0"}, "Dovrant 0"},
      {"DovrantRe", "7", {"RadioButton2", "RadioGroup1.0"}, "DovrantRe 0"},
      {"DovrantRe", "-1", {"RadioButton2", "RadioGroup1.0"}, "DovrantRe 0"},
      {"DovrantRe", "", {"RadioButton2", "RadioGroup1.0"}, "DovrantRe 0"},
      {"", "abc", {"RadioButton1", "RadioGroup1.0"}, "Dovrant 0"},  // both: one write
  };
  for (const Case& c : cases) {
    const std::string what = std::string(c.click) + " " + c.dragDrop;
    settings.DefaultClick = c.click;
    settings.DnD = c.dragDrop;
    written.clear();
    open();
    const Names all = checked();
    EXPECT_EQ(Names(all.begin(), all.begin() + 2), c.shown) << what;
    ASSERT_EQ(written.size(), c.kept ? 1u : 0u) << what;
    if (c.kept) {
      EXPECT_EQ(written[0].DefaultClick + " " + written[0].DnD, c.kept) << what;
    }
    click("Button2");
  }
}

// Mended: a refused write while opening no longer leaves the choice groups empty and the
// hotkeys as they were.
TEST_F(SettingsDialogTest, RefusedCorrectionWriteIsReportedAndTheDialogStillComplete) {
  settings.DnD = "x";
  settings.ClipEnable = "1";
  writeRefused = true;
  open();
  EXPECT_EQ(messageBoxTexts(), test::Lines{"C:\\v.ini に書き込めません."});
  EXPECT_EQ(checked().size(), 8u);
  EXPECT_EQ(hotkeyCalls, Names{"disabled unregister"});
}

TEST_F(SettingsDialogTest, AutoSaveSwitchActsAtOnceInOrderAndSurvivesCancel) {
  settings.ClipEnable = "1";
  open();
  EXPECT_EQ(hotkeyCalls, Names{"disabled unregister"});
  EXPECT_TRUE(control("RadioGroup3").enabled && control("RadioGroup3.1").enabled);
  EXPECT_TRUE(control("Edit1").enabled);

  click("RadioGroup5.0");
  click("RadioGroup5.0");  // already chosen: nothing
  EXPECT_EQ(hotkeyCalls, (Names{"disabled unregister", "enabled register"}));
  click("RadioGroup5.1");
  EXPECT_EQ(hotkeyCalls.back(), "disabled unregister");
  click("Button2");
  EXPECT_EQ(settings.ClipEnable, "1");
  EXPECT_TRUE(written.empty());

  settings.ClipEnable = "0";
  hotkeyCalls.clear();
  open();
  EXPECT_EQ(hotkeyCalls, Names{"enabled register"});
}

TEST_F(SettingsDialogTest, ApplicationPathIsLostWhenTheDialogIsActivatedAgain) {
  open();
  click("Button4");
  EXPECT_EQ(control("Edit1").text, appDir);
  sim.activateForm(form);
  click("Button1");
  EXPECT_EQ(settings.ClipAddr, "C:\\caps\\");

  open();
  click("Button4");
  click("Button1");
  EXPECT_EQ(settings.ClipAddr, appDir);
}

TEST_F(SettingsDialogTest, OkWithUntouchedControlsWritesTheSameValuesOnce) {
  settings.DefaultClick = "WindowSmall";
  settings.SaveFormat = "1";
  settings.AutoPopup = true;
  const Settings before = settings;
  open();
  click("Button1");
  ASSERT_EQ(written.size(), 1u);
  const Settings& after = written[0];
  EXPECT_EQ(after.DefaultClick + after.DnD + after.ClipAddr + after.ClipCpCursor + after.SaveFormat +
                after.SaveClip + after.ClipEnable + after.ImageClipSave + after.ImageAppDraw,
            before.DefaultClick + before.DnD + before.ClipAddr + before.ClipCpCursor +
                before.SaveFormat + before.SaveClip + before.ClipEnable + before.ImageClipSave +
                before.ImageAppDraw);
  EXPECT_TRUE(after.AutoPopup);
  EXPECT_EQ(dialog, nullptr);
}

TEST_F(SettingsDialogTest, OkTakesEveryChoiceIntoItsOwnSetting) {
  settings.AutoPopup = true;
  open();
  for (const char* name : {"RadioButton2", "RadioGroup1.1", "RadioGroup2.1", "RadioGroup3.2",
                           "RadioGroup4.1", "RadioGroup7.0", "RadioGroup6.1", "RadioGroup5.1"})
    click(name);
  EXPECT_EQ(checked().size(), 8u);  // each choice put out the other of its group
  sim.moveForm(form, {40, 30});
  click("Button1");
  const Settings& s = settings;
  EXPECT_EQ((Names{s.DefaultClick, s.DnD, s.ClipCpCursor, s.SaveFormat, s.SaveClip, s.ImageClipSave,
                   s.ClipEnable}),
            (Names{"DovrantRe", "1", "1", "2", "1", "0", "1"}));
  EXPECT_FALSE(s.AutoPopup);
  EXPECT_EQ((Point{s.SettingWindowLeft, s.SettingWindowTop}), (Point{40, 30}));
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].SettingWindowLeft, 192);  // the place is stored after the write
}

// From the tray menu: one dialog at a time, and the real hotkeys follow its switch.
using SettingsDialogFromTrayTest = test::ProgramTest;

TEST_F(SettingsDialogFromTrayTest, OneDialogAtATimeAndTheHotkeysFollowTheSwitch) {
  auto chooseSettings = [&] { chooseFromTrayMenu("設定(&O)"); };
  chooseSettings();
  ASSERT_NE(mainWindow().settingsDialog, nullptr);
  const WindowHandle form = mainWindow().settingsDialog->handle();
  chooseSettings();
  EXPECT_EQ(mainWindow().settingsDialog->handle(), form);
  EXPECT_EQ(sim.forms.size(), 1u);

  sim.clickControl(form, "RadioGroup5.1");
  EXPECT_TRUE(sim.hotkeys.empty());
  sim.pressCloseBox(form);
  EXPECT_EQ(mainWindow().settingsDialog, nullptr);
  EXPECT_TRUE(sim.hotkeys.empty());
  EXPECT_EQ(mainWindow().settings.ClipEnable, "0");
}

}  // namespace
}  // namespace vireloc
