#include "dialogs/settings_dialog.h"

#include <utility>

#include "settings/profile_integer.h"
#include "forms/saved_place.h"

namespace vireloc {

namespace {

const std::string kFolderBox = "Edit1";
constexpr Point kDefaultPlace{192, 105};

}  // namespace

Point placeSettingsDialog(Settings& saved, const Rect& workArea) {
  return placeOnWorkArea(saved.SettingWindowLeft, saved.SettingWindowTop, workArea, kDefaultPlace);
}

TForm2::TForm2(Platform& platform, Application& application, Shared shared,
               std::function<void()> onClosed)
    : ModelessForm(platform, application, std::move(onClosed)), shared_(std::move(shared)) {}

void TForm2::open() {
  openForm(settingsDialogDesign({}), [this] { FormCreate(); });
}

void TForm2::setFolderText(const std::string& folder) {
  platform_.forms.setControlText(form_, kFolderBox, folder);
}

// The texts, the fixed size and the read-only boxes come with the window's design.
void TForm2::FormCreate() {
  Settings& s = shared_.settings;
  platform_.forms.moveForm(form_, placeSettingsDialog(s, platform_.screen.workArea()));
  correctDefaultClickAndDragDrop();
  selectChoice(kCursorGroup, s.ClipCpCursor);
  selectChoice(kFormatGroup, s.SaveFormat);
  selectChoice(kAlsoClipboardGroup, s.SaveClip);
  selectChoice(kAutoSaveGroup, s.ClipEnable);
  RadioGroup5Click();  // as if the user had chosen it: the hotkeys follow the setting again
  selectChoice(kImageWatchGroup, s.ImageClipSave);
  selectChoice(kAutoPopupGroup, s.AutoPopup ? 0 : 1);
}

void TForm2::correctDefaultClickAndDragDrop() {
  Settings& s = shared_.settings;
  bool corrected = false;
  // The option buttons stand in the order of the actions.
  if (!s.leftClickAction()) {
    s.setLeftClickAction(LeftClickAction::MinimizeApps);
    corrected = true;
  }
  selectChoice(kDefaultClickGroup, static_cast<int>(*s.leftClickAction()));
  // Taken as a whole number here, where the drop window asks for the exact texts.
  const auto dragDrop = parseProfileInteger(s.DnD);
  const bool known = dragDrop == 0 || dragDrop == 1;
  selectChoice(kDragDropGroup, known ? *dragDrop : 0);
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
  const int choice = selectedChoice(kAutoSaveGroup);
  if (choice < 0 || choice == autoSaveChoice_) return;
  autoSaveChoice_ = choice;
  const bool on = choice == 0;
  for (const ChoiceGroup* group : {&kCursorGroup, &kAlsoClipboardGroup}) {
    platform_.forms.setControlEnabled(form_, group->name, on);
    for (int i = 0; i < static_cast<int>(group->choices.size()); ++i)
      platform_.forms.setControlEnabled(form_, choiceName(*group, i), on);
  }
  platform_.forms.setControlEnabled(form_, "Button3", on);
  platform_.forms.setControlEnabled(form_, "Button4", on);
  if (on)
    shared_.registerCaptureHotkeys();
  else
    shared_.unregisterCaptureHotkeys();
}

void TForm2::Button4Click() { setFolderText(shared_.appDir); }

void TForm2::Button3Click() { onPickFolder(); }

void TForm2::Button1Click() {
  Settings& s = shared_.settings;
  if (const int click = selectedChoice(kDefaultClickGroup); click >= 0)
    s.setLeftClickAction(static_cast<LeftClickAction>(click));
  storeChoice(kDragDropGroup, s.DnD);
  s.ClipAddr = platform_.forms.controlText(form_, kFolderBox);
  storeChoice(kCursorGroup, s.ClipCpCursor);
  storeChoice(kFormatGroup, s.SaveFormat);
  storeChoice(kAlsoClipboardGroup, s.SaveClip);
  storeChoice(kAutoSaveGroup, s.ClipEnable);
  storeChoice(kImageWatchGroup, s.ImageClipSave);
  if (const int popup = selectedChoice(kAutoPopupGroup); popup >= 0) s.AutoPopup = popup == 0;
  shared_.iniWrite();
  FormClose();
}

void TForm2::Button2Click() { FormClose(); }

void TForm2::FormClose() {
  if (closed()) return;
  const Rect outer = platform_.forms.formRect(form_);
  shared_.settings.SettingWindowTop = outer.top;
  shared_.settings.SettingWindowLeft = outer.left;
  closeForm();
}

int TForm2::selectedChoice(const ChoiceGroup& group) {
  for (int i = 0; i < static_cast<int>(group.choices.size()); ++i)
    if (platform_.forms.controlChecked(form_, choiceName(group, i))) return i;
  return -1;
}

// An index outside the group leaves no choice selected.
void TForm2::selectChoice(const ChoiceGroup& group, int index) {
  for (int i = 0; i < static_cast<int>(group.choices.size()); ++i)
    platform_.forms.setControlChecked(form_, choiceName(group, i), i == index);
}

void TForm2::selectChoice(const ChoiceGroup& group, const std::string& setting) {
  selectChoice(group, parseProfileInteger(setting).value_or(-1));
}

// A group without a selection leaves its setting as it is.
void TForm2::storeChoice(const ChoiceGroup& group, std::string& setting) {
  if (const int choice = selectedChoice(group); choice >= 0) setting = std::to_string(choice);
}

void TForm2::dispatch(const FormEvent& event) {
  if (event.kind == FormEventKind::Activate) return FormActivate();
  if (event.kind == FormEventKind::CloseRequest) return FormClose();
  if (event.kind != FormEventKind::Click) return;
  const std::string& control = event.control;
  if (control == "Button1") Button1Click();
  else if (control == "Button2") Button2Click();
  else if (control == "Button3") Button3Click();
  else if (control == "Button4") Button4Click();
  else if (control.starts_with(std::string(kAutoSaveGroup.buttonPrefix))) RadioGroup5Click();
}

}  // namespace vireloc
