#include "dialogs/drop_window.h"

#include <utility>

#include "platform/opened_clipboard.h"
#include "forms/saved_place.h"

namespace vireloc {

namespace {

constexpr Point kDefaultPlace{215, 115};

Edit& designDropWindow(FormDesign& design) {
  FormSpec& layout = design.layout;
  layout.className = "TForm3";
  layout.clientWidth = 389;
  layout.clientHeight = 40;
  layout.appWindow = true;
  layout.acceptFiles = true;
  layout.font = {"ＭＳ Ｐゴシック", 12, charset::ShiftJis};
  ControlSpec box = controlAt("Edit1", ControlKind::Edit, {8, 8, 8 + 369, 8 + 20});
  box.readOnly = true;  // drawn in the window's colour; its text can still be selected
  return design.add<Edit>(box);
}

}  // namespace

Point placeDropWindow(Settings& saved, Screen& screen, int width, int height) {
  return placeSavedDialog(saved.DragWindowLeft, saved.DragWindowTop, screen, width, height,
                          kDefaultPlace);
}

TForm3::TForm3(OpenForms& owner, Shared shared, std::function<void(TForm3*)> onClosed)
    : ModelessForm(owner, [this, onClosed = std::move(onClosed)] { onClosed(this); }),
      Edit1(designDropWindow(design_)),
      shared_(std::move(shared)) {}

void TForm3::FormCreate() {
  const Rect outer = platform_.forms.formRect(form_);
  platform_.forms.moveForm(form_, placeDropWindow(shared_.settings, platform_.screen,
                                                  outer.right - outer.left, outer.bottom - outer.top));
  platform_.forms.setCaption(form_, "D&Dファイルアドレス返し");
  Edit1.setText("");
}

void TForm3::FormActivate() {
  // The application's own taskbar button goes; this window has one of its own.
  platform_.windowing.hideWindow(application_.handle());
}

// The whole path as Unicode: a long one or a name outside the system code page comes through
// intact, and goes to the clipboard as Unicode text.
void TForm3::onFilesDropped(const DroppedFiles& files) {
  if (files.count == 0) return;
  Edit1.setText(files.first);
  Settings& s = shared_.settings;
  const std::optional<DropPathCopy> copy = s.dropPathCopy();
  if (!copy) {
    s.setDropPathCopy(DropPathCopy::ByHand);
    shared_.iniWrite();
    return;
  }
  if (copy == DropPathCopy::Automatic)
    putTextOnClipboard(platform_.clipboard, application_.handle(),
                       Edit1.text());
}

void TForm3::FormClose() {
  if (closed()) return;
  const Rect outer = platform_.forms.restoredFormRect(form_);
  shared_.settings.DragWindowTop = outer.top;
  shared_.settings.DragWindowLeft = outer.left;
  closeForm();
}

}  // namespace vireloc
