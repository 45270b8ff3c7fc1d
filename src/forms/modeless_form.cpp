#include "forms/modeless_form.h"

#include <utility>

#include "common/app_error.h"

namespace vireloc {

ModelessForm::ModelessForm(Platform& platform, Application& application,
                           std::function<void()> onClosed)
    : platform_(platform), application_(application), onClosed_(std::move(onClosed)) {}

ModelessForm::~ModelessForm() {
  if (form_) platform_.forms.destroyForm(form_);
}

void ModelessForm::openForm(const FormSpec& design, const std::function<void()>& formCreate) {
  try {
    form_ = platform_.forms.createForm(design, *this);
  } catch (const SystemError& error) {
    const AppError failure(kWindowFailure + std::string(error.what()));
    closed_ = true;
    onClosed_();
    delete this;
    throw failure;
  }
  application_.runGuarded(formCreate);
  platform_.forms.showForm(form_);
}

void ModelessForm::closeForm() {
  platform_.forms.destroyForm(std::exchange(form_, 0));
  closed_ = true;
  onClosed_();
  freeWhenIdle();
}

// A handler of this window may still be running below (a close chosen while its error box was
// open): the object goes when the outermost one has returned.
void ModelessForm::freeWhenIdle() {
  if (closed_ && handlerDepth_ == 0) delete this;
}

void ModelessForm::onFormEvent(WindowHandle, const FormEvent& event) {
  ++handlerDepth_;
  application_.runGuarded([&] { dispatch(event); });
  --handlerDepth_;
  freeWhenIdle();
}

}  // namespace vireloc
