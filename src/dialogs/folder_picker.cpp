#include "dialogs/folder_picker.h"

#include <utility>

#include "common/app_error.h"

namespace vireloc {

namespace {

const std::string kTree = "VETree1";
const std::string kOk = "Button1";
const std::string kCancel = "Button2";

ControlSpec buttonDesign(const std::string& name, const std::string& text, Rect bounds) {
  ControlSpec button = controlAt(name, ControlKind::Button, bounds, text);
  button.tabStop = true;
  return button;
}

}  // namespace

std::string withTrailingBackslash(const std::string& path) {
  // UTF-8: a backslash byte is always a backslash, never the second byte of a character.
  return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

TForm4::TForm4(Platform& platform, Application& application, std::string& clipAddr,
               std::function<void(const std::string&)> onChosen, std::function<void()> onClosed)
    : ModelessForm(platform, application, std::move(onClosed)),
      clipAddr_(clipAddr),
      onChosen_(std::move(onChosen)) {}

FormSpec TForm4::design() {
  FormSpec layout;
  layout.className = "TForm4";
  layout.position = {303, 115};
  layout.clientWidth = 324;
  layout.clientHeight = 431;
  layout.systemMenu = false;
  layout.owner = application_.handle();
  layout.font = {"ＭＳ Ｐゴシック", 12, charset::ShiftJis};
  ControlSpec ok = buttonDesign(kOk, "", {112, 392, 112 + 65, 392 + 25});
  ok.defaultButton = true;
  ControlSpec cancel = buttonDesign(kCancel, "", {192, 392, 192 + 73, 392 + 25});
  cancel.cancelButton = true;
  layout.controls = {ShellFolderTree::design(kTree, {16, 8, 16 + 289, 8 + 369},
                                           platform_.shellNamespace.smallIcons()),
                   ok, cancel};
  return layout;
}

void TForm4::open() {
  openForm(design(), [this] {
    VETree1 = std::make_unique<ShellFolderTree>(platform_.forms, platform_.shellNamespace,
                                                form_, kTree);
    FormCreate();
  });
  application_.runGuarded([this] { FormShow(); });
}

void TForm4::FormCreate() {
  platform_.forms.setCaption(form_, "ディレクトリ選択");
  platform_.forms.setControlText(form_, kOk, "OK");
  platform_.forms.setControlText(form_, kCancel, "Cancel");
  VETree1->showDesktop();
  VETree1->browseTo(clipAddr_);
}

void TForm4::FormShow() { platform_.forms.focusControl(form_, kTree); }

// A virtual folder has no path: taking it as it stands would save into a lone "\", the root
// of whatever drive is current.
void TForm4::Button1Click() {
  const std::string path = VETree1->selectedPath();
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
  const ShellFolder* selected = VETree1->selectedFolder();
  if (!selected) return "フォルダーが選択されていません。保存先のフォルダーを選んでください。";
  return "「" + selected->name +
         "」はドライブ上のフォルダーではないため、保存先にできません。ドライブの中のフォルダーを選んでください。";
}

void TForm4::Button2Click() { FormClose(); }

void TForm4::FormClose() {
  if (closed()) return;
  VETree1.reset();  // no late answer of the shell may reach a destroyed window
  closeForm();
}

void TForm4::dispatch(const FormEvent& event) {
  switch (event.kind) {
    case FormEventKind::Click:
      if (event.control == kOk) Button1Click();
      if (event.control == kCancel) Button2Click();
      break;
    case FormEventKind::CloseRequest:
      FormClose();
      break;
    case FormEventKind::ItemExpanding:
      if (VETree1) VETree1->onExpanding(event.item);
      break;
    case FormEventKind::ContextMenu:
      if (VETree1) VETree1->onContextMenu(event.item, event.at);
      break;
    case FormEventKind::DoubleClick:
    case FormEventKind::MouseDown:
    case FormEventKind::MenuCommand:
    case FormEventKind::Activate:
    case FormEventKind::FilesDropped:
      break;
  }
}

}  // namespace vireloc
