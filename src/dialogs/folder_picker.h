// TForm4: the folder picker. A tree of the shell's folders; OK makes the selected folder the
// save folder at once and hands it to whoever opened the picker.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "forms/application.h"
#include "forms/modeless_form.h"
#include "dialogs/shell_folder_tree.h"
#include "platform/platform.h"

namespace vireloc {

class TForm4 : private ModelessForm {
 public:
  // clipAddr is the setting itself: it changes on OK. onChosen gets the folder first; onClosed
  // runs when the picker has closed, and the object frees itself right after.
  TForm4(Platform& platform, Application& application, std::string& clipAddr,
         std::function<void(const std::string& folder)> onChosen, std::function<void()> onClosed);

  // Creates the window, runs FormCreate, shows it and runs FormShow. When the window cannot be
  // created the object is freed (onClosed runs) and the error goes on to the caller.
  void open();
  using ModelessForm::handle;

  void FormCreate();
  void FormShow();
  void Button1Click();
  void Button2Click();
  void FormClose();

  std::unique_ptr<ShellFolderTree> VETree1;

 private:
  void dispatch(const FormEvent& event) override;
  FormSpec design();
  std::string whyNoFolder();

  std::string& clipAddr_;
  std::function<void(const std::string&)> onChosen_;
};

// "C:\Temp" becomes "C:\Temp\"; "D:\" stays.
std::string withTrailingBackslash(const std::string& path);

}  // namespace vireloc
