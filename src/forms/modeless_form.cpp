#include "forms/modeless_form.h"

#include <utility>

#include "common/app_error.h"
#include "forms/open_forms.h"

namespace vireloc {

ModelessForm::ModelessForm(OpenForms& owner, std::function<void()> onClosed)
    : platform_(owner.platform),
      application_(owner.application),
      owner_(owner),
      onClosed_(std::move(onClosed)) {}

ModelessForm::~ModelessForm() {
  if (form_) platform_.forms.destroyForm(form_);
  if (!closed_) notifyClosed();
}

void ModelessForm::open() {
  try {
    form_ = owner_.createWindow(design_.layout);
  } catch (const SystemError& error) {
    closeUnmade();
    throw AppError(kWindowFailure + std::string(error.what()));
  } catch (...) {
    closeUnmade();
    throw;
  }
  // Another program's WM_CLOSE may end the window while FormCreate reports an error.
  application_.runGuarded([this] { FormCreate(); });
  if (closed_) return;
  platform_.forms.showForm(form_);
  if (!closed_) application_.runGuarded([this] { afterShow(); });
}

void ModelessForm::closeUnmade() {
  closed_ = true;
  notifyClosed();
}

void ModelessForm::closeForm() {
  platform_.forms.destroyForm(std::exchange(form_, 0));
  closed_ = true;
  notifyClosed();
}

void ModelessForm::notifyClosed() {
  if (auto onClosed = std::exchange(onClosed_, nullptr)) onClosed();
}

void ModelessForm::dispatch(const FormEvent& event) {
  application_.runGuarded([&] { route(event); });
}

void ModelessForm::route(const FormEvent& event) {
  switch (event.kind) {
    case FormEventKind::Activate:
      return FormActivate();
    case FormEventKind::CloseRequest:
      if (!closed_) FormClose();
      return;
    case FormEventKind::MenuCommand:
      return onMenuCommand(event.menuId);
    case FormEventKind::FilesDropped:
      return onFilesDropped(event.dropped);
    case FormEventKind::Click:
    case FormEventKind::DoubleClick:
    case FormEventKind::MouseDown:
    case FormEventKind::ItemExpanding:
    case FormEventKind::ContextMenu:
    case FormEventKind::ItemSelected:
      design_.deliver(event);
      return;
  }
}

}  // namespace vireloc
