#include "dialogs/help_launcher.h"

#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vireloc {
namespace {

class HelpLauncherTest : public test::ProgramTest {
 protected:
  HelpLauncherTest() {
    start();
    sim.putFile(test::kAppDir + "vrl.chm", "ITSF");
  }
};

TEST_F(HelpLauncherTest, StartsTheViewerUnquotedAtTheTopLeft640x480WithDefaultErrorMode) {
  chooseFromTrayMenu("ヘルプ(&H)");
  ASSERT_EQ(sim.startedProcesses.size(), 1u);
  const auto& started = sim.startedProcesses[0];
  EXPECT_EQ(started.commandLine, "hh.exe C:\\Program Files\\Vireloc\\vrl.chm");
  EXPECT_EQ(started.startup.position, (Point{0, 0}));
  EXPECT_EQ(started.startup.width, 640);
  EXPECT_EQ(started.startup.height, 480);
  EXPECT_EQ(started.startup.showWindow, 1);
  EXPECT_EQ(started.creationFlags, 0x04000000u);
  EXPECT_TRUE(sim.messageBoxes.empty());
}

TEST_F(HelpLauncherTest, AFailedStartTellsTheCodeInUnsignedDecimal) {
  struct Case { std::uint32_t code; const char* text; };
  for (const Case& c : {Case{2, "実行できません (2)"}, Case{0x80070002, "実行できません (2147942402)"}}) {
    sim.processStartError = c.code;
    sim.messageBoxes.clear();
    chooseFromTrayMenu("ヘルプ(&H)");
    EXPECT_EQ(messageBoxTexts(), test::Lines{c.text});
    EXPECT_EQ(lastMessageBox().caption, "Dovrant");
    EXPECT_EQ(lastMessageBox().icon, MessageBoxIcon::None);
  }
}

TEST_F(HelpLauncherTest, AHelpFileGoneAfterTheMenuOpenedStillStartsTheViewer) {
  sim.files.clear();
  chooseFromTrayMenu("ヘルプ(&H)");  // greyed: nothing runs
  EXPECT_TRUE(sim.startedProcesses.empty());
  sim.putFile(test::kAppDir + "vrl.chm", "ITSF");
  sim.duringModal.push_back([&] { sim.files.clear(); });
  chooseFromTrayMenu("ヘルプ(&H)");
  EXPECT_EQ(sim.startedProcesses.size(), 1u);
}

}  // namespace
}  // namespace vireloc
