// TForm2: the settings dialog. Shows nine settings and writes them all on OK; the PrintScreen
// auto-save switch acts at once, on the hotkeys.
#pragma once
#include <functional>
#include <string>

#include "forms/modeless_form.h"
#include "settings/settings.h"
#include "dialogs/settings_dialog_layout.h"
#include "platform/platform.h"

namespace vireloc {

class TForm2 final : public ModelessForm {
 public:
  struct Shared {
    Settings& settings;
    const std::string& appDir;
    std::function<void()> iniWrite;
    std::function<void()> registerCaptureHotkeys;
    std::function<void()> unregisterCaptureHotkeys;
  };

  // A dialog still open when the program ends goes without FormClose: nothing is saved.
  TForm2(OpenForms& owner, Shared shared, std::function<void()> onClosed);

  // The folder box; the folder picker fills it.
  void setFolderText(const std::string& folder);

  // "ディレクトリ選択": the main form connects the folder picker.
  std::function<void()> onPickFolder = [] {};

  void FormCreate() override;
  void FormActivate() override;
  void FormClose() override;
  void Button1Click();  // OK
  void Button2Click();  // Cancel
  void Button3Click();  // choose a folder
  void Button4Click();  // the application's folder
  void RadioGroup5Click();

 private:
  void correctDefaultClickAndDragDrop();
  static void selectChoice(ChoiceGroup& group, const std::string& setting);
  static void storeChoice(const ChoiceGroup& group, std::string& setting);

  SettingsDialogControls controls_;
  Shared shared_;
  int autoSaveChoice_ = -1;  // what the auto-save switch last acted on
};

// Where the dialog of that outer size opens: on the primary screen a saved place beyond the right
// or bottom edge goes back to the default, each coordinate by itself. The saved place is updated.
Point placeSettingsDialog(Settings& saved, Screen& screen, int width, int height);

}  // namespace vireloc
