// TForm4: the folder picker. A tree of the shell's folders; OK makes the selected folder the
// save folder at once and hands it to whoever opened the picker.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "forms/modeless_form.h"
#include "dialogs/shell_folder_tree.h"
#include "platform/platform.h"

namespace vireloc {

class TForm4 final : public ModelessForm {
 public:
  // clipAddr is the setting itself: it changes on OK. onChosen gets the folder first.
  TForm4(OpenForms& owner, std::string& clipAddr,
         std::function<void(const std::string& folder)> onChosen);

  void FormCreate() override;
  void FormShow();
  void Button1Click();
  void Button2Click();
  void FormClose() override;

  TreeView& VETree1;
  Button& Button1;
  Button& Button2;
  // The shell's folders in VETree1, from creation to close.
  std::unique_ptr<ShellFolderTree> folders;

 private:
  void afterShow() override { FormShow(); }
  std::string whyNoFolder();

  std::string& clipAddr_;
  std::function<void(const std::string&)> onChosen_;
};

// "C:\Temp" becomes "C:\Temp\"; "D:\" stays.
std::string withTrailingBackslash(const std::string& path);

}  // namespace vireloc
