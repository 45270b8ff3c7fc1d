#include "dialogs/about_box.h"

#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vireloc {
namespace {

class AboutBoxTest : public test::ProgramTest {
 protected:
  AboutBoxTest() {
    sim.windows[application.handle()].visible = true;
    start().versionText = "0.1.0.0";
  }
  WindowHandle openFromMenu() {
    chooseFromTrayMenu("About(&A)");
    return mainWindow().aboutBox ? mainWindow().aboutBox->handle() : 0;
  }
  const sim::SimControl& control(WindowHandle box, const std::string& name) {
    return sim.forms.at(box).control(name);
  }
};

TEST_F(AboutBoxTest, ShowsIconNameAndVersionWithTheFocusOnOk) {
  const WindowHandle box = openFromMenu();
  const FormSpec& layout = sim.forms.at(box).layout;
  EXPECT_EQ(sim.windows.at(box).title, "About Vireloc");
  EXPECT_EQ(sim.formRect(box).left, 193);
  EXPECT_EQ(sim.formRect(box).top, 146);
  EXPECT_EQ(layout.clientWidth, 221);
  EXPECT_EQ(layout.clientHeight, 134);
  EXPECT_TRUE(layout.appWindow && layout.systemMenu && !layout.minimizeBox);
  EXPECT_EQ(control(box, "Image1").layout.kind, ControlKind::Icon);
  EXPECT_EQ(control(box, "Image1").layout.bounds, (Rect{16, 16, 48, 48}));
  EXPECT_EQ(control(box, "Label2").text, "Vireloc");
  EXPECT_EQ(control(box, "Label1").text, "Version 0.1.0.0");
  EXPECT_FALSE(control(box, "Label3").text.empty());
  EXPECT_EQ(control(box, "Button1").text, "&OK");
  EXPECT_EQ(control(box, "Button1").layout.bounds, (Rect{168, 96, 201, 121}));
  EXPECT_EQ(sim.forms.at(box).focusedControl, "Button1");
  EXPECT_FALSE(sim.windows.at(application.handle()).visible);
}

TEST_F(AboutBoxTest, EscOkAndTheCloseBoxEachCloseOnlyTheirOwnBox) {
  const WindowHandle first = openFromMenu();
  const WindowHandle second = openFromMenu();
  const WindowHandle third = openFromMenu();
  ASSERT_EQ(sim.forms.size(), 3u);
  sim.pressEscape(second);
  EXPECT_FALSE(sim.forms.count(second));
  EXPECT_EQ(mainWindow().aboutBox->handle(), third);
  sim.clickControl(third, "Button1");
  EXPECT_EQ(mainWindow().aboutBox, nullptr);
  EXPECT_TRUE(sim.forms.count(first));
  sim.pressCloseBox(first);
  EXPECT_TRUE(sim.forms.empty());
  EXPECT_TRUE(sim.messageBoxes.empty());
}

}  // namespace
}  // namespace vireloc
