// TForm2: the settings dialog. Shows nine settings and writes them all on OK; the PrintScreen
// auto-save switch acts at once, on the hotkeys.
#pragma once
#include <functional>
#include <string>

#include "app/application.h"
#include "app/settings.h"
#include "dialogs/settings_dialog_layout.h"
#include "platform/platform.h"

namespace vireloc {

class TForm2 : private FormEvents {
 public:
  struct Shared {
    Settings& settings;
    const std::string& appDir;
    std::function<void()> iniWrite;
    std::function<void()> registerCaptureHotkeys;
    std::function<void()> unregisterCaptureHotkeys;
  };

  // onClosed runs when the dialog has closed; the object frees itself right after.
  TForm2(Platform& platform, Application& application, Shared shared,
         std::function<void()> onClosed);
  // A dialog still open when the program ends goes without FormClose: nothing is saved.
  ~TForm2() override;
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  // Creates the window, runs FormCreate and shows it. When the window cannot be created the
  // object is freed (onClosed runs) and the error goes on to the caller.
  void open();
  // The folder box; the folder picker fills it.
  void setFolderText(const std::string& folder);
  WindowHandle handle() const { return form_; }

  // "ディレクトリ選択": the main form connects the folder picker.
  std::function<void()> onPickFolder = [] {};

  void FormCreate();
  void FormActivate();
  void FormClose();
  void Button1Click();  // OK
  void Button2Click();  // Cancel
  void Button3Click();  // choose a folder
  void Button4Click();  // the application's folder
  void RadioGroup5Click();

 private:
  void onFormEvent(WindowHandle form, const FormEvent& event) override;
  void dispatch(const FormEvent& event);
  void correctDefaultClickAndDragDrop();
  int selectedChoice(const ChoiceGroup& group);
  void selectChoice(const ChoiceGroup& group, int index);
  void selectChoice(const ChoiceGroup& group, const std::string& setting);
  void storeChoice(const ChoiceGroup& group, std::string& setting);
  void freeWhenIdle();

  Platform& platform_;
  Application& application_;
  Shared shared_;
  std::function<void()> onClosed_;
  WindowHandle form_ = 0;
  int autoSaveChoice_ = -1;  // what the auto-save switch last acted on
  int handlerDepth_ = 0;     // event handlers of this dialog now running
  bool closed_ = false;
};

// The dialog's top-left corner on a work area: a saved place beyond the right or bottom edge
// goes back to the default, each coordinate by itself. The saved place is updated.
Point placeSettingsDialog(Settings& saved, const Rect& workArea);

}  // namespace vireloc
