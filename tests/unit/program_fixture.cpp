#include "program_fixture.h"

#include <stdexcept>

namespace vireloc::test {

Lines linesOf(const std::string& text) {
  Lines lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

const sim::MessageBoxRecord& DesktopTest::lastMessageBox() const {
  if (sim.messageBoxes.empty()) throw std::logic_error("no message box was shown");
  return sim.messageBoxes.back();
}

Lines DesktopTest::messageBoxTexts() const {
  Lines texts;
  for (const sim::MessageBoxRecord& box : sim.messageBoxes) texts.push_back(box.text);
  return texts;
}

Lines DesktopTest::settingsLines() const {
  return linesOf(sim.profileText(kIniPath).value_or(""));
}

void DesktopTest::sendTrayIconEvent(LParam action) {
  const WindowHandle icon = sim.findWindowByClass("TTrayIconWindow");
  if (!icon) throw std::logic_error("no tray icon to press");
  sim.sendMessage(icon, sim.registerWindowMessage("HogeTrayIcon"), icon, action);
}

ProgramTest::ProgramTest() {
  application.setTitle("Dovrant");
  application.handle();
}

TForm1& ProgramTest::start() {
  if (mainWindow_) throw std::logic_error("the main form is running already");
  mainWindow_ = std::make_unique<TForm1>(platform, application);
  return *mainWindow_;
}

TForm1& ProgramTest::mainWindow() { return mainWindow_ ? *mainWindow_ : start(); }

void ProgramTest::copyInAnotherProgram(const std::string& text) {
  sim::SimClipboardContent content;
  content.text = text;
  copyInAnotherProgram(std::move(content));
}

void ProgramTest::copyInAnotherProgram(sim::SimClipboardContent content) {
  mainWindow();
  sim.otherProgramCopies(std::move(content));
}

void ProgramTest::chooseFromTrayMenu(const std::string& caption) {
  mainWindow();
  sim.menuChoices.push_back(caption);
  sendTrayIconEvent(wm::RButtonDown);
  sim.runMessageLoop();
}

}  // namespace vireloc::test
