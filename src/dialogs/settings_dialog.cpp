#include "dialogs/settings_dialog.h"

#include <utility>

#include "settings/profile_integer.h"
#include "forms/saved_place.h"

namespace vireloc {

namespace {

constexpr Point kDefaultPlace{192, 105};

}  // namespace

Point placeSettingsDialog(Settings& saved, Screen& screen, int width, int height) {
  return placeSavedDialog(saved.SettingWindowLeft, saved.SettingWindowTop, screen, width, height,
                          kDefaultPlace);
}

TForm2::TForm2(OpenForms& owner, Shared shared, std::function<void()> onClosed)
    : ModelessForm(owner, std::move(onClosed)),
      controls_(designSettingsDialog(design_)),
      shared_(std::move(shared)) {
  controls_.Button1.onClick = [this] { Button1Click(); };
  controls_.Button2.onClick = [this] { Button2Click(); };
  controls_.Button3.onClick = [this] { Button3Click(); };
  controls_.Button4.onClick = [this] { Button4Click(); };
  controls_.RadioGroup5.onClick = [this] { RadioGroup5Click(); };
}

void TForm2::setFolderText(const std::string& folder) {
  controls_.Edit1.setText(folder);
}

// The texts, the fixed size and the read-only boxes come with the window's design.
void TForm2::FormCreate() {
  Settings& s = shared_.settings;
  const Rect outer = platform_.forms.formRect(form_);
  platform_.forms.moveForm(form_, placeSettingsDialog(s, platform_.screen, outer.right - outer.left,
                                                      outer.bottom - outer.top));
  correctDefaultClickAndDragDrop();
  selectChoice(controls_.RadioGroup2, s.ClipCpCursor);
  selectChoice(controls_.RadioGroup3, s.SaveFormat);
  selectChoice(controls_.RadioGroup4, s.SaveClip);
  selectChoice(controls_.RadioGroup5, s.ClipEnable);
  RadioGroup5Click();  // as if the user had chosen it: the hotkeys follow the setting again
  selectChoice(controls_.RadioGroup7, s.ImageClipSave);
  controls_.RadioGroup6.select(s.AutoPopup ? 0 : 1);
}

void TForm2::correctDefaultClickAndDragDrop() {
  Settings& s = shared_.settings;
  bool corrected = false;
  // The option buttons stand in the order of the actions.
  if (!s.leftClickAction()) {
    s.setLeftClickAction(LeftClickAction::MinimizeApps);
    corrected = true;
  }
  controls_.GroupBox1.select(static_cast<int>(*s.leftClickAction()));
  // Taken as a whole number here, where the drop window asks for the exact texts.
  const auto dragDrop = parseProfileInteger(s.DnD);
  const bool known = dragDrop == 0 || dragDrop == 1;
  controls_.RadioGroup1.select(known ? *dragDrop : 0);
  if (!known) {
    s.setDropPathCopy(DropPathCopy::ByHand);
    corrected = true;
  }
  // One write for both; a refused one is reported and the dialog is still built in full.
  if (corrected) application_.runGuarded(shared_.iniWrite);
}

void TForm2::FormActivate() {
  setFolderText(shared_.settings.ClipAddr);
  // The application's own taskbar button goes; this dialog has one of its own.
  platform_.windowing.hideWindow(application_.handle());
}

void TForm2::RadioGroup5Click() {
  const int choice = controls_.RadioGroup5.selected();
  if (choice < 0 || choice == autoSaveChoice_) return;
  autoSaveChoice_ = choice;
  const bool on = choice == 0;
  controls_.RadioGroup2.setEnabledAll(on);
  controls_.RadioGroup4.setEnabledAll(on);
  controls_.Button3.setEnabled(on);
  controls_.Button4.setEnabled(on);
  if (on)
    shared_.registerCaptureHotkeys();
  else
    shared_.unregisterCaptureHotkeys();
}

void TForm2::Button4Click() { setFolderText(shared_.appDir); }

void TForm2::Button3Click() { onPickFolder(); }

void TForm2::Button1Click() {
  Settings& s = shared_.settings;
  if (const int click = controls_.GroupBox1.selected(); click >= 0)
    s.setLeftClickAction(static_cast<LeftClickAction>(click));
  storeChoice(controls_.RadioGroup1, s.DnD);
  s.ClipAddr = controls_.Edit1.text();
  storeChoice(controls_.RadioGroup2, s.ClipCpCursor);
  storeChoice(controls_.RadioGroup3, s.SaveFormat);
  storeChoice(controls_.RadioGroup4, s.SaveClip);
  storeChoice(controls_.RadioGroup5, s.ClipEnable);
  storeChoice(controls_.RadioGroup7, s.ImageClipSave);
  if (const int popup = controls_.RadioGroup6.selected(); popup >= 0) s.AutoPopup = popup == 0;
  shared_.iniWrite();
  FormClose();
}

void TForm2::Button2Click() { FormClose(); }

void TForm2::FormClose() {
  if (closed()) return;
  const Rect outer = platform_.forms.restoredFormRect(form_);
  shared_.settings.SettingWindowTop = outer.top;
  shared_.settings.SettingWindowLeft = outer.left;
  closeForm();
}

void TForm2::selectChoice(ChoiceGroup& group, const std::string& setting) {
  group.select(parseProfileInteger(setting).value_or(-1));
}

// A group without a selection leaves its setting as it is.
void TForm2::storeChoice(const ChoiceGroup& group, std::string& setting) {
  if (const int choice = group.selected(); choice >= 0) setting = std::to_string(choice);
}

}  // namespace vireloc
