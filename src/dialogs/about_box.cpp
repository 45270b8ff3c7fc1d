#include "dialogs/about_box.h"

#include <utility>

namespace vireloc {

namespace {

ControlSpec labelDesign(const std::string& name, Point at) {
  ControlSpec label = controlAt(name, ControlKind::Static, {at.x, at.y, at.x + 1, at.y + 1});
  label.autoSize = true;
  return label;
}

ControlSpec okDesign() {
  ControlSpec ok = controlAt("Button1", ControlKind::Button, {168, 96, 168 + 33, 96 + 25});
  ok.tabStop = true;
  ok.defaultButton = true;
  ok.cancelButton = true;
  return ok;
}

// The window and its picture; the controls follow in creation order.
FormDesign& designAboutBox(FormDesign& design) {
  FormSpec& layout = design.layout;
  layout.className = "TAboutForm";
  layout.position = {193, 146};
  layout.clientWidth = 221;
  layout.clientHeight = 134;
  layout.appWindow = true;
  layout.font = {"ＭＳ Ｐゴシック", 12, charset::ShiftJis};
  design.add(controlAt("Image1", ControlKind::Icon, {16, 16, 16 + 32, 16 + 32}));
  return design;
}

}  // namespace

TAboutForm::TAboutForm(OpenForms& owner, const std::string& versionText,
                       std::function<void(TAboutForm*)> onClosed)
    : ModelessForm(owner, [this, onClosed = std::move(onClosed)] { onClosed(this); }),
      Label2(designAboutBox(design_).add<Label>(labelDesign("Label2", {88, 16}))),
      Label1(design_.add<Label>(labelDesign("Label1", {88, 40}))),
      Label3(design_.add<Label>(labelDesign("Label3", {24, 72}))),
      Button1(design_.add<Button>(okDesign())),
      versionText_(versionText) {
  Button1.onClick = [this] { Button1Click(); };
}

void TAboutForm::afterShow() { Button1.focus(); }

// The picture and the fixed size come with the box's design.
void TAboutForm::FormCreate() {
  platform_.forms.setCaption(form_, "About Vireloc");
  Button1.setText("&OK");
  Label1.setText("Version " + versionText_);
  Label2.setText("Vireloc");
  Label3.setText("© 2024 Vireloc 開発チーム");
}

void TAboutForm::FormActivate() {
  // The application's own taskbar button goes; this box has one of its own.
  platform_.windowing.hideWindow(application_.handle());
}

void TAboutForm::Button1Click() { FormClose(); }

void TAboutForm::FormClose() {
  if (!closed()) closeForm();
}

}  // namespace vireloc
