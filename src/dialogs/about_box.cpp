#include "dialogs/about_box.h"

#include <utility>

namespace vireloc {

namespace {

const std::string kOk = "Button1";

ControlSpec labelDesign(const std::string& name, Point at) {
  ControlSpec label = controlAt(name, ControlKind::Static, {at.x, at.y, at.x + 1, at.y + 1});
  label.autoSize = true;
  return label;
}

FormSpec aboutBoxDesign() {
  FormSpec layout;
  layout.className = "TAboutForm";
  layout.position = {193, 146};
  layout.clientWidth = 221;
  layout.clientHeight = 134;
  layout.appWindow = true;
  layout.font = {"ＭＳ Ｐゴシック", 12, charset::ShiftJis};
  const ControlSpec icon = controlAt("Image1", ControlKind::Icon, {16, 16, 16 + 32, 16 + 32});
  ControlSpec ok = controlAt(kOk, ControlKind::Button, {168, 96, 168 + 33, 96 + 25});
  ok.tabStop = true;
  ok.defaultButton = true;
  ok.cancelButton = true;
  layout.controls = {icon, labelDesign("Label2", {88, 16}), labelDesign("Label1", {88, 40}),
                   labelDesign("Label3", {24, 72}), ok};
  return layout;
}

}  // namespace

TAboutForm::TAboutForm(Platform& platform, Application& application,
                       const std::string& versionText, std::function<void(TAboutForm*)> onClosed)
    : ModelessForm(platform, application, [this, onClosed = std::move(onClosed)] { onClosed(this); }),
      versionText_(versionText) {}

void TAboutForm::open() {
  openForm(aboutBoxDesign(), [this] { FormCreate(); });
  application_.runGuarded([this] { platform_.forms.focusControl(form_, kOk); });
}

// The picture and the fixed size come with the box's design.
void TAboutForm::FormCreate() {
  Forms& forms = platform_.forms;
  forms.setCaption(form_, "About Vireloc");
  forms.setControlText(form_, kOk, "&OK");
  forms.setControlText(form_, "Label1", "Version " + versionText_);
  forms.setControlText(form_, "Label2", "Vireloc");
  forms.setControlText(form_, "Label3", "© 2024 Vireloc 開発チーム");
}

void TAboutForm::FormActivate() {
  // The application's own taskbar button goes; this box has one of its own.
  platform_.windowing.hideWindow(application_.handle());
}

void TAboutForm::Button1Click() { FormClose(); }

void TAboutForm::FormClose() {
  if (!closed()) closeForm();
}

void TAboutForm::dispatch(const FormEvent& event) {
  if (event.kind == FormEventKind::Activate) return FormActivate();
  if (event.kind == FormEventKind::CloseRequest) return FormClose();
  if (event.kind == FormEventKind::Click && event.control == kOk) return Button1Click();
}

}  // namespace vireloc
