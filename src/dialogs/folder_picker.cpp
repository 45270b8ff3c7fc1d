#include "dialogs/folder_picker.h"

#include <utility>

#include "common/app_error.h"

namespace vireloc {

namespace {

ControlSpec buttonDesign(const std::string& name, Rect bounds) {
  ControlSpec button = controlAt(name, ControlKind::Button, bounds);
  button.tabStop = true;
  return button;
}

}  // namespace

std::string withTrailingBackslash(const std::string& path) {
  // UTF-8: a backslash byte is always a backslash, never the second byte of a character.
  return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

TForm4::TForm4(OpenForms& owner, std::string& clipAddr,
               std::function<void(const std::string&)> onChosen)
    : ModelessForm(owner, [] {}),
      VETree1(design_.add<TreeView>(ShellFolderTree::design(
          "VETree1", {16, 8, 16 + 289, 8 + 369}, platform_.shellNamespace.smallIcons()))),
      Button1(design_.add<Button>(buttonDesign("Button1", {112, 392, 112 + 65, 392 + 25}))),
      Button2(design_.add<Button>(buttonDesign("Button2", {192, 392, 192 + 73, 392 + 25}))),
      clipAddr_(clipAddr),
      onChosen_(std::move(onChosen)) {
  FormSpec& layout = design_.layout;
  layout.className = "TForm4";
  layout.position = {303, 115};
  layout.clientWidth = 324;
  layout.clientHeight = 431;
  layout.systemMenu = false;
  layout.owner = application_.handle();
  layout.font = {"ＭＳ Ｐゴシック", 12, charset::ShiftJis};
  layout.controls[1].defaultButton = true;
  layout.controls[2].cancelButton = true;
  Button1.onClick = [this] { Button1Click(); };
  Button2.onClick = [this] { Button2Click(); };
  VETree1.onExpanding = [this](TreeItemId item) {
    if (folders) folders->onExpanding(item);
  };
  VETree1.onSelected = [this](TreeItemId) {
    if (folders) folders->stopBrowsing();
  };
  VETree1.onContextMenu = [this](TreeItemId item, Point at) {
    if (folders) folders->onContextMenu(item, at);
  };
}

void TForm4::FormCreate() {
  platform_.forms.setCaption(form_, "ディレクトリ選択");
  folders = std::make_unique<ShellFolderTree>(VETree1, platform_.shellNamespace);
  Button1.setText("OK");
  Button2.setText("Cancel");
  folders->showDesktop();
  folders->browseTo(clipAddr_);
}

void TForm4::FormShow() { VETree1.focus(); }

// A virtual folder has no path: taking it as it stands would save into a lone "\", the root
// of whatever drive is current.
void TForm4::Button1Click() {
  // Before the browse to the save folder has arrived, the tree offers its first item (the
  // Desktop): OK keeps the folder the picker was opened with.
  if (folders->browsing()) {
    onChosen_(clipAddr_);
    FormClose();
    return;
  }
  const std::string path = folders->selectedPath();
  if (path.empty()) {
    application_.showMessage(whyNoFolder());
    return;
  }
  const std::string folder = withTrailingBackslash(path);
  onChosen_(folder);
  clipAddr_ = folder;
  FormClose();
}

std::string TForm4::whyNoFolder() {
  const ShellFolder* selected = folders->selectedFolder();
  if (!selected) return "フォルダーが選択されていません。保存先のフォルダーを選んでください。";
  return "「" + selected->name +
         "」はドライブ上のフォルダーではないため、保存先にできません。ドライブの中のフォルダーを選んでください。";
}

void TForm4::Button2Click() { FormClose(); }

void TForm4::FormClose() {
  if (closed()) return;
  folders.reset();  // no late answer of the shell may reach a destroyed window
  closeForm();
}

}  // namespace vireloc
